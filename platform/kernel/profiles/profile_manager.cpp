#include "platform/kernel/profiles/profile_manager.h"

#include "platform/core/config.h"
#include "platform/kernel/services/serverapp.h"

KorvoProfileManager& KorvoProfileManager::Instance() {
    static KorvoProfileManager manager;
    return manager;
}

CString KorvoProfileManager::GetProfileSectionName(LPCWSTR profile) {
    return CString(L"Profiles\\") + (profile && *profile ? CString(profile) : GetDefaultProfileName());
}

CString KorvoProfileManager::GetProfileSectionAppDataPath(LPCWSTR profile, LPCWSTR item) {
    const CWinApp* app = AfxGetApp();
    if (!app || !app->m_pszRegistryKey || !app->m_pszProfileName) return CString();
    CString path = CString(platform::core::config().localAppData.c_str()) + L"\\" + app->m_pszRegistryKey + L"\\" +
                   app->m_pszProfileName + L"\\" + GetProfileSectionName(profile);
    if (item && *item) path += CString(L"\\") + item;
    return path;
}

bool KorvoProfileManager::LoadState() {
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    const bool loaded = shell && shell->LoadState();
    loaded_ = true;
    return loaded;
}

bool KorvoProfileManager::SaveState() {
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    return shell && shell->SaveState();
}
