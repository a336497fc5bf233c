#include "platform/kernel/profiles/profile_manager.h"

#include <algorithm>

#include "platform/core/config.h"
#include "platform/kernel/profiles/profile_item.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"
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

void KorvoProfileManager::ApplyProfileItems() {
    platform::core::recordCall(L"KorvoProfileManager::ApplyProfileItems()");
    // An item's LoadState may make or drop items (a frame's engine): walk a copy.
    const std::vector<KorvoProfileItem*> items = KorvoProfileItem::GetItems();
    for (KorvoProfileItem* item : items) {
        const auto& live = KorvoProfileItem::GetItems();
        if (std::find(live.begin(), live.end(), item) == live.end()) continue;
        item->LoadState();
    }
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

namespace {

constexpr const wchar_t* kStoredProfileFile = L"profile.txt";

bool MakeFolders(const CString& folder) {
    for (int end = folder.Find(L'\\', 3);; end = folder.Find(L'\\', end + 1)) {
        const CString part = end < 0 ? folder : folder.Left(end);
        if (!CreateDirectoryW(part, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        if (end < 0) return true;
    }
}

bool FolderExists(const CString& folder) {
    const DWORD attributes = GetFileAttributesW(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

CString KorvoProfileManager::GetProfileName(LPCWSTR file) {
    std::string bytes;
    if (!file || platform::files::readAll(file, bytes) != 0) return CString();
    const std::string firstLine = bytes.substr(0, bytes.find_first_of("\r\n"));
    constexpr std::string_view kPrefix = "name=";
    if (firstLine.rfind(kPrefix, 0) != 0 || firstLine.size() == kPrefix.size()) return CString();
    return CString(platform::core::fromUtf8(firstLine.substr(kPrefix.size())).c_str());
}

bool KorvoProfileManager::ProfileExists(LPCWSTR name) {
    if (!name || !*name) return false;
    const CString folder = GetProfileSectionAppDataPath(name, nullptr);
    return !folder.IsEmpty() && FolderExists(folder);
}

int KorvoProfileManager::Import(LPCWSTR file, bool replace) {
    platform::core::recordCall(std::wstring(L"KorvoProfileManager::Import(\"") + (file ? file : L"") + L"\", " +
                               (replace ? L"true" : L"false") + L")");
    std::string bytes;
    if (!file || platform::files::readAll(file, bytes) != 0) return kFileNotFound;
    const CString name = GetProfileName(file);
    if (name.IsEmpty()) return kInvalidProfile;
    if (ProfileExists(name) && !replace) return kProfileExists;
    const CString folder = GetProfileSectionAppDataPath(name, nullptr);
    if (folder.IsEmpty() || !MakeFolders(folder)) return kFileNotFound;
    if (platform::files::writeAllAtomic((folder + L"\\" + kStoredProfileFile).GetString(), bytes) != 0) return kFileNotFound;
    return 0;
}

bool KorvoProfileManager::Copy(LPCWSTR name) {
    platform::core::recordCall(std::wstring(L"KorvoProfileManager::Copy(\"") + (name ? name : L"") + L"\")");
    return ProfileExists(name);
}
