#include "platform/toolkit/commandbars/shortcuts.h"

#include <mutex>

#include "platform/core/record.h"
#include "platform/toolkit/propexchange.h"

namespace platform::toolkit {
namespace {

struct AcceleratorLoaderSlot {
    std::mutex mutex;
    AcceleratorLoader loader;
};

AcceleratorLoaderSlot& loaderSlot() {
    static AcceleratorLoaderSlot slot;
    return slot;
}

}  // namespace

void setAcceleratorLoader(AcceleratorLoader loader) {
    std::lock_guard lock(loaderSlot().mutex);
    loaderSlot().loader = std::move(loader);
}

}  // namespace platform::toolkit

void CXTPShortcutManager::SetAccelerators(UINT id) {
    platform::core::recordCall(L"CXTPShortcutManager::SetAccelerators(" + std::to_wstring(id) + L")");
    acceleratorsId_ = id;
    entries_.clear();
    platform::toolkit::AcceleratorLoader loader;
    {
        auto& slot = platform::toolkit::loaderSlot();
        std::lock_guard lock(slot.mutex);
        loader = slot.loader;
    }
    if (!loader) return;
    if (auto table = loader(id)) entries_ = std::move(*table);
}

CString CXTPShortcutManager::GetKeyNameText(UINT virtualKey) const {
    if (const auto it = keyNames_.find(virtualKey); it != keyNames_.end()) return it->second;
    switch (virtualKey) {
        case 16: return L"Shift";
        case 17: return L"Ctrl";
        case 18: return L"Alt";
        default: break;
    }
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
        const wchar_t text[2] = {static_cast<wchar_t>(virtualKey), 0};
        return text;
    }
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return CString(L"F") + CString(std::to_wstring(virtualKey - 0x6F).c_str());
    return CString(L"#") + CString(std::to_wstring(virtualKey).c_str());
}

CString CXTPShortcutManager::Format(const ACCEL& entry) const {
    constexpr UINT kControl = 17, kAlt = 18, kShift = 16;
    CString text;
    auto append = [&text](const CString& part) {
        if (!text.IsEmpty()) text += L"+";
        text += part;
    };
    if (entry.fVirt & FCONTROL) append(GetKeyNameText(kControl));
    if (entry.fVirt & FALT) append(GetKeyNameText(kAlt));
    if (entry.fVirt & FSHIFT) append(GetKeyNameText(kShift));
    append(GetKeyNameText(entry.key));
    return text;
}

std::optional<ACCEL> CXTPShortcutManager::Parse(const CString& text) const {
    constexpr UINT kControl = 17, kAlt = 18, kShift = 16;
    ACCEL accel;
    std::wstring rest(text.GetString());
    while (!rest.empty()) {
        // A lone "+" names the plus key's own name, not a separator.
        std::size_t plus = rest.find(L'+', 1);
        const CString part(rest.substr(0, plus).c_str());
        rest = plus == std::wstring::npos ? std::wstring() : rest.substr(plus + 1);
        const bool last = rest.empty() && plus == std::wstring::npos;
        if (!last) {
            if (part.CompareNoCase(GetKeyNameText(kControl)) == 0) accel.fVirt |= FCONTROL;
            else if (part.CompareNoCase(GetKeyNameText(kAlt)) == 0) accel.fVirt |= FALT;
            else if (part.CompareNoCase(GetKeyNameText(kShift)) == 0) accel.fVirt |= FSHIFT;
            else return std::nullopt;
            continue;
        }
        for (UINT key = 1; key < 256 && accel.key == 0; ++key) {
            if (key == kControl || key == kAlt || key == kShift) continue;
            if (part.CompareNoCase(GetKeyNameText(key)) == 0) accel.key = static_cast<WORD>(key);
        }
        if (accel.key == 0) return std::nullopt;
    }
    if (accel.key == 0) return std::nullopt;
    accel.fVirt |= FVIRTKEY;
    return accel;
}

void CXTPShortcutManager::CKeyAssign::SetAccel(const ACCEL& accel) {
    if (!m_hWnd) return;
    SetWindowText(accel.key != 0 && manager_ ? manager_->Format(accel).GetString() : L"");
}

ACCEL CXTPShortcutManager::CKeyAssign::GetAccel() const {
    if (!m_hWnd || !manager_) return ACCEL{};
    CString text;
    GetWindowText(text);
    text.Trim();
    return manager_->Parse(text).value_or(ACCEL{});
}

CString CXTPShortcutManager::FindShortcutText(UINT cmd) const {
    for (const ACCEL& entry : entries_)
        if (entry.cmd == cmd) return Format(entry);
    return {};
}

int CXTPShortcutManager::CKeyHelper::Priority() const {
    if (!accel_) return 0;
    int priority = 0;
    if (accel_->fVirt & FCONTROL) priority += 1;
    if (accel_->fVirt & FSHIFT) priority += 2;
    if (accel_->fVirt & FALT) priority += 4;
    return priority;
}

namespace {
// One accelerator entry as a section's values (read or written as the section exchanges).
ACCEL exchangeEntry(CXTPPropExchange* section, ACCEL entry) {
    int modifiers = entry.fVirt, key = entry.key, cmd = entry.cmd;
    PX_Int(section, L"Virt", modifiers);
    PX_Int(section, L"Key", key);
    PX_Int(section, L"Cmd", cmd);
    return {static_cast<BYTE>(modifiers), static_cast<WORD>(key), static_cast<WORD>(cmd)};
}
}  // namespace

void CXTPShortcutManager::DoPropExchange(CXTPPropExchange* px) {
    CXTPPropExchangeEnumeratorPtr enumerator = px->GetEnumerator(L"Accel");
    if (px->IsLoading()) {
        std::vector<ACCEL> loaded;
        POSITION position = enumerator->GetPosition();
        while (position) loaded.push_back(exchangeEntry(enumerator->GetNext(position), {}));
        entries_ = std::move(loaded);
        return;
    }
    POSITION position = enumerator->GetPosition(static_cast<DWORD>(entries_.size()));
    for (const ACCEL& entry : entries_) exchangeEntry(enumerator->GetNext(position), entry);
}
