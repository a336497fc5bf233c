#include "app/profiles/profile_item_copy.h"

#include "app/profiles/registry_key.h"
#include "platform/kernel.h"

namespace KorvoProfiles {

namespace {

// What a copy replaced, kept until it is known to have succeeded.
constexpr const wchar_t* kBackupSection = L"~ProfilePageBackup";
constexpr const wchar_t* kBackupFolder = L"~ProfilePageBackup";

// "a\0b\0\0": the name lists of the shell's file operations.
std::wstring NameList(const CString& path) { return std::wstring(path.GetString()) + L'\0'; }

bool FileOperation(UINT function, const CString& from, const CString& to) {
    const std::wstring source = NameList(from);
    const std::wstring target = NameList(to);
    SHFILEOPSTRUCTW operation;
    operation.wFunc = function;
    operation.pFrom = source.c_str();
    operation.pTo = to.IsEmpty() ? nullptr : target.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOERRORUI;
    return ::SHFileOperationW(&operation) == 0;
}

bool Exists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

bool MakeFolder(const CString& folder) {
    for (int end = folder.Find(L'\\', 3);; end = folder.Find(L'\\', end + 1)) {
        const CString part = end < 0 ? folder : folder.Left(end);
        if (!::CreateDirectoryW(part, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
        if (end < 0) return true;
    }
}

RegistryKey CreateKey(HKEY parent, const CString& path) {
    HKEY key = nullptr;
    if (!parent || ::RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                     nullptr) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(key);
}

// Replaces the sub-key `key` of `to` by that of `from` (none when `from` lacks it).
bool ReplaceKey(HKEY from, HKEY to, const CString& key) {
    const LSTATUS deleted = ::SHDeleteKeyW(to, key);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return false;
    if (!RegistryKey::OpenSubKey(from, key, KEY_READ)) return true;
    const RegistryKey made = CreateKey(to, key);
    return made && ::SHCopyKeyW(from, key, made.Get(), 0) == ERROR_SUCCESS;
}

// Replaces the folder `item` of `toFolder` by that of `fromFolder` (none when it has none).
bool ReplaceFolder(const CString& fromFolder, const CString& toFolder, const CString& item) {
    const CString target = toFolder + L"\\" + item;
    if (Exists(target) && !FileOperation(FO_DELETE, target, CString())) return false;
    const CString source = fromFolder + L"\\" + item;
    if (fromFolder.IsEmpty() || !Exists(source)) return true;
    return MakeFolder(toFolder) && FileOperation(FO_COPY, source, toFolder);
}

}  // namespace

bool DeletePath(const CString& path) { return path.IsEmpty() || !Exists(path) || FileOperation(FO_DELETE, path, CString()); }

bool CopyProfileItems(const CString& source, const CString& target, const std::vector<CString>& keys, bool existing) {
    CWinApp* app = AfxGetApp();
    const RegistryKey appKey(app ? app->GetAppRegistryKey() : nullptr);
    const RegistryKey profiles = appKey.OpenSubKey(KorvoProfileManager::GetProfilesSectionName(), KEY_READ);
    const RegistryKey from = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(source), KEY_READ);
    const RegistryKey to = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(target), KEY_ALL_ACCESS);
    const CString fromFolder = KorvoProfileManager::GetProfileSectionAppDataPath(source, nullptr);
    const CString toFolder = KorvoProfileManager::GetProfileSectionAppDataPath(target, nullptr);
    const CString backupFolder = toFolder.IsEmpty() ? CString() : toFolder.Left(toFolder.ReverseFind(L'\\') + 1) + kBackupFolder;
    bool copied = profiles && from && to;

    // The target's items are kept aside first, so a failure can put them back.
    ::SHDeleteKeyW(appKey.Get(), kBackupSection);
    DeletePath(backupFolder);
    const RegistryKey backup = existing && copied ? CreateKey(appKey.Get(), kBackupSection) : RegistryKey();
    if (existing && copied) {
        copied = backup && (backupFolder.IsEmpty() || MakeFolder(backupFolder));
        for (std::size_t i = 0; copied && i < keys.size(); ++i)
            copied = ReplaceKey(to.Get(), backup.Get(), keys[i]) && ReplaceFolder(toFolder, backupFolder, keys[i]);
    }
    std::size_t done = 0;
    for (; copied && done < keys.size(); ++done)
        copied = ReplaceKey(from.Get(), to.Get(), keys[done]) && ReplaceFolder(fromFolder, toFolder, keys[done]);

    if (!copied && existing && backup) {
        for (std::size_t i = 0; i < done && i < keys.size(); ++i) {
            ReplaceKey(backup.Get(), to.Get(), keys[i]);
            ReplaceFolder(backupFolder, toFolder, keys[i]);
        }
    } else if (!copied && !existing) {
        if (profiles) {
            const RegistryKey writable = appKey.OpenSubKey(KorvoProfileManager::GetProfilesSectionName(), KEY_ALL_ACCESS);
            ::SHDeleteKeyW(writable.Get(), target);
        }
        DeletePath(toFolder);
    }
    ::SHDeleteKeyW(appKey.Get(), kBackupSection);
    DeletePath(backupFolder);
    return copied;
}

}  // namespace KorvoProfiles
