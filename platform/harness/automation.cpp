// The harness's automation client.
#include <stdexcept>

#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/mfc/control.h"

namespace platform::harness {

namespace {

void requireUiThread(const char* what) {
    if (!AfxGetThread()) throw std::logic_error(std::string("harness: ") + what + " outside the program's UI thread");
}

}  // namespace

const Automation::Held& Automation::held(ObjectId object) const {
    if (object == 0 || object > objects_.size()) {
        throw std::invalid_argument("harness: automation object " + std::to_string(object) + " was never created");
    }
    return objects_[object - 1];
}

Automation::ObjectId Automation::hold(IDispatch* dispatch, std::uint64_t serial) {
    objects_.push_back({dispatch, serial, false});
    return objects_.size();
}

Automation::ObjectId Automation::create(std::wstring_view progId) {
    requireUiThread("creating an automation object");
    const std::wstring key = std::wstring(progId) + L"\\CLSID";
    const auto classText = session_.registry().getString(L"HKEY_CLASSES_ROOT", key, L"");
    if (!classText) throw std::runtime_error("harness: no class id registered for " + platform::core::toUtf8(progId));
    const auto classId = platform::mfc::parseGuid(*classText);
    if (!classId) throw std::runtime_error("harness: the class id of " + platform::core::toUtf8(progId) + " is no GUID");
    COleObjectFactory* factory = COleObjectFactory::FindByClassID(*classId);
    if (!factory || !factory->IsRegistered()) {
        throw std::runtime_error("harness: no running server offers " + platform::core::toUtf8(*classText));
    }
    IDispatch* dispatch = factory->CreateInstance();
    if (!dispatch) throw std::runtime_error("harness: the factory of " + platform::core::toUtf8(progId) + " made no object");
    return hold(dispatch, dispatch->serial);
}

Automation::Answer Automation::call(ObjectId object, std::wstring_view name, std::vector<DispatchValue> arguments) {
    requireUiThread("an automation call");
    const Held& target = held(object);
    if (target.released) throw std::invalid_argument("harness: automation object " + std::to_string(object) + " was released");
    platform::mfc::DispatchResult result =
        platform::mfc::invokeByName(target.dispatch, target.serial, std::wstring(name), std::move(arguments));
    Answer answer{result.hr, std::move(result.value), std::nullopt};
    if (answer.value.vt == VT_DISPATCH && answer.value.dispatch) {
        answer.object = hold(answer.value.dispatch, answer.value.dispatchSerial);
    }
    if (session_.running()) session_.runUntilIdle();
    return answer;
}

std::optional<std::vector<VARTYPE>> Automation::parameters(ObjectId object, std::wstring_view name) const {
    const Held& target = held(object);
    if (target.released) return std::nullopt;
    const platform::mfc::DispatchEntry* entry =
        platform::mfc::findDispatchEntry(target.dispatch, target.serial, std::wstring(name));
    if (!entry) return std::nullopt;
    return entry->parameters;
}

bool Automation::release(ObjectId object) {
    held(object);  // checks the id
    Held& target = objects_[object - 1];
    if (target.released) return false;
    target.released = true;
    // A reference to an object that has gone is released by nobody.
    if (platform::mfc::isConnected(target.dispatch, target.serial)) target.dispatch->owner->ExternalRelease();
    return true;
}

void Automation::releaseAll() {
    for (ObjectId object = objects_.size(); object > 0; --object) release(object);
}

LONG Automation::lockCount() const { return platform::mfc::oleLockCount(); }

std::wstring Automation::describeResult(HRESULT hr) {
    if (hr == S_OK) return L"S_OK";
    const wchar_t* name = hr == DISP_E_UNKNOWNNAME    ? L"DISP_E_UNKNOWNNAME"
                          : hr == DISP_E_TYPEMISMATCH ? L"DISP_E_TYPEMISMATCH"
                          : hr == DISP_E_BADPARAMCOUNT ? L"DISP_E_BADPARAMCOUNT"
                          : hr == DISP_E_OVERFLOW     ? L"DISP_E_OVERFLOW"
                          : hr == RPC_E_DISCONNECTED  ? L"RPC_E_DISCONNECTED"
                                                      : L"failure";
    return platform::format(L"0x%08X %s", static_cast<unsigned>(hr), name);
}

}  // namespace platform::harness
