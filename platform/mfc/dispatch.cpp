#include "platform/mfc/dispatch.h"

#include <atomic>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <map>
#include <mutex>

#include "platform/mfc/cmdtarget.h"

namespace {

std::atomic<std::size_t> g_stringsOutstanding{0};

struct Connections {
    std::mutex mutex;
    std::map<std::uint64_t, IDispatch*> live;  // serial -> interface
    std::uint64_t nextSerial = 1;
};

// Never destroyed: command targets held by other static objects outlive every function-local
// static and still disconnect when they go.
Connections& connections() {
    static Connections& instance = *new Connections;
    return instance;
}

bool sameTextNoCase(const std::wstring& a, const wchar_t* b) {
    const std::size_t length = std::wcslen(b);
    if (a.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

// Converts an argument to the parameter's type; false when it cannot be.
bool coerce(DispatchValue& value, VARTYPE parameter) {
    if (parameter == (VT_I2 | VT_BYREF)) return value.vt == parameter && value.shortRef;
    if (parameter == VT_BSTR) return value.vt == VT_BSTR;
    if (parameter == VT_I2 || parameter == VT_I4) {
        if (value.vt != VT_I2 && value.vt != VT_I4 && value.vt != VT_I8) return false;
        // A 64-bit number that no LONG holds stays as it is, for fits() to refuse.
        if (value.vt == VT_I8) {
            if (value.wide < std::numeric_limits<LONG>::min() || value.wide > std::numeric_limits<LONG>::max()) return true;
            value.number = static_cast<LONG>(value.wide);
        }
        value.vt = parameter;
        return true;
    }
    return false;
}

bool fits(const DispatchValue& value, VARTYPE parameter) {
    if (value.vt == VT_I8) return false;
    if (parameter != VT_I2) return true;
    return value.number >= std::numeric_limits<short>::min() && value.number <= std::numeric_limits<short>::max();
}

}  // namespace

BSTR SysAllocString(const wchar_t* text) {
    if (!text) return nullptr;
    const std::size_t length = std::wcslen(text);
    auto* copy = new wchar_t[length + 1];
    std::wmemcpy(copy, text, length + 1);
    ++g_stringsOutstanding;
    return copy;
}

void SysFreeString(BSTR text) {
    if (!text) return;
    --g_stringsOutstanding;
    delete[] text;
}

std::size_t SysStringsOutstanding() { return g_stringsOutstanding.load(); }

CCmdTarget::~CCmdTarget() {
    if (!m_xDispatch) return;
    Connections& all = connections();
    std::lock_guard lock(all.mutex);
    all.live.erase(m_xDispatch->serial);
}

void CCmdTarget::EnableAutomation() {
    if (m_xDispatch) return;
    Connections& all = connections();
    std::lock_guard lock(all.mutex);
    m_xDispatch = std::make_unique<IDispatch>(IDispatch{this, all.nextSerial++});
    all.live.emplace(m_xDispatch->serial, m_xDispatch.get());
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef) {
    if (!m_xDispatch) return nullptr;
    if (bAddRef) ExternalAddRef();
    return m_xDispatch.get();
}

CCmdTarget* CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch) {
    if (!lpDispatch) return nullptr;
    Connections& all = connections();
    std::lock_guard lock(all.mutex);
    for (const auto& [serial, live] : all.live) {
        if (live == lpDispatch) return live->owner;
    }
    return nullptr;
}

namespace platform::mfc {

namespace detail {
DispatchValue resultOf(short value) { return DispatchValue::Short(value); }
DispatchValue resultOf(LONG value) { return DispatchValue::Long(value); }
DispatchValue resultOf(BSTR value) {
    DispatchValue result{.vt = VT_BSTR};
    if (value) result.text = CString(value);
    SysFreeString(value);
    return result;
}
DispatchValue resultOf(LPDISPATCH value) {
    return {.vt = VT_DISPATCH, .dispatch = value, .dispatchSerial = value ? value->serial : 0};
}
}  // namespace detail

bool isConnected(LPDISPATCH dispatch, std::uint64_t serial) {
    if (!dispatch) return false;
    Connections& all = connections();
    std::lock_guard lock(all.mutex);
    const auto found = all.live.find(serial);
    return found != all.live.end() && found->second == dispatch;
}

const DispatchEntry* findDispatchEntry(LPDISPATCH dispatch, std::uint64_t serial, const std::wstring& name) {
    if (!isConnected(dispatch, serial)) return nullptr;
    const DispatchMap* map = dispatch->owner->GetDispatchMap();
    if (!map) return nullptr;
    for (const DispatchEntry& entry : map->entries) {
        if (sameTextNoCase(name, entry.name)) return &entry;
    }
    return nullptr;
}

DispatchResult invokeByName(LPDISPATCH dispatch, std::uint64_t serial, const std::wstring& name,
                            std::vector<DispatchValue> arguments) {
    if (!isConnected(dispatch, serial)) return {RPC_E_DISCONNECTED, {}};
    const DispatchEntry* entry = findDispatchEntry(dispatch, serial, name);
    if (!entry) return {DISP_E_UNKNOWNNAME, {}};
    if (arguments.size() != entry->parameters.size()) return {DISP_E_BADPARAMCOUNT, {}};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!coerce(arguments[i], entry->parameters[i])) return {DISP_E_TYPEMISMATCH, {}};
        if (!fits(arguments[i], entry->parameters[i])) return {DISP_E_OVERFLOW, {}};
    }
    return {S_OK, entry->thunk(dispatch->owner, arguments)};
}

}  // namespace platform::mfc
