#include "platform/kernel/profiles/module_states.h"

#include "platform/kernel/profiles/settings.h"
#include "platform/kernel/record.h"

namespace {

constexpr const wchar_t* kValueName = L"State";
constexpr const wchar_t* kLockPanesValue = L"LockPanes";

// The application's registry key; null (and a strict failure for the caller to report) without one.
HKEY appKey() {
    CWinApp* app = AfxGetApp();
    return app ? app->GetAppRegistryKey() : nullptr;
}

// The module's key under the application's key, made when `create`; null when it cannot be had.
HKEY openModuleKey(LPCWSTR path, bool create) {
    const HKEY root = appKey();
    if (!root) return nullptr;
    HKEY key = nullptr;
    const LSTATUS status =
        create ? ::RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)
               : ::RegOpenKeyExW(root, path, 0, KEY_READ, &key);
    ::RegCloseKey(root);
    return status == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

bool KVModuleState::LoadFrom(HKEY key) {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) return false;
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (::RegQueryValueExW(key, kValueName, nullptr, &type, reinterpret_cast<LPBYTE>(value.data()), &size) != ERROR_SUCCESS)
        return false;
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    text = value;
    return true;
}

bool KVModuleState::SaveTo(HKEY key) const {
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

bool KVModuleState::Load(LPCWSTR path) {
    const HKEY key = openModuleKey(path, false);
    if (!key) return false;
    const bool loaded = LoadFrom(key);
    ::RegCloseKey(key);
    return loaded;
}

bool KVModuleState::Save(LPCWSTR path) const {
    const HKEY key = openModuleKey(path, true);
    if (!key) return false;
    const bool saved = SaveTo(key);
    ::RegCloseKey(key);
    return saved;
}

KVModuleState& CKVTabCtrl::Defaults() {
    static KVModuleState state{L"page tabs at the bottom"};
    return state;
}

void KVUpdateAllTabViews() { platform::kernel::recordCall(L"CKVTabView::UpdateAllTabViews()"); }

KVModuleState& KV3DState::State() {
    static KVModuleState state{L"3D defaults"};
    return state;
}

KVModuleState& AnnotateModuleState::State() {
    static KVModuleState state{L"annotation defaults"};
    return state;
}

bool AnnotateModuleState::Load(LPCWSTR path) {
    if (!State().Load(path)) return false;
    const HKEY key = openModuleKey(path, false);
    if (!key) return false;
    DWORD type = 0, value = 0, size = sizeof value;
    if (::RegQueryValueExW(key, kLockPanesValue, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value)
        GetSettings().lockPanes = value != 0;
    ::RegCloseKey(key);
    return true;
}

bool AnnotateModuleState::Save(LPCWSTR path) {
    if (!State().Save(path)) return false;
    const HKEY key = openModuleKey(path, true);
    if (!key) return false;
    const DWORD value = GetSettings().lockPanes ? 1 : 0;
    const bool saved =
        ::RegSetValueExW(key, kLockPanesValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return saved;
}
