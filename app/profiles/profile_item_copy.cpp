#include "app/profiles/profile_item_copy.h"

#include <optional>
#include <string>

#include "app/profiles/registry_key.h"
#include "platform/kernel.h"

namespace KorvoProfiles {

namespace {

// What a copy replaced, kept until it is known to have succeeded.
constexpr const wchar_t* kBackupSection = L"~ProfilePageBackup";
constexpr const wchar_t* kBackupFolder = L"~ProfilePageBackup";
// Work that changes a profile's registry section and its folder together notes itself under this
// section. The note reaches the hive file in the same write as the registry side of the change,
// before any folder is touched, and goes once both sides are whole; a run that ends in between
// leaves it for the next start, which finishes or undoes the work (FinishInterruptedWork).
constexpr const wchar_t* kWorkSection = L"~ProfilePageWork";
constexpr const wchar_t* kCopyWork = L"copy";
constexpr const wchar_t* kRenameWork = L"rename";
constexpr const wchar_t* kDeleteWork = L"delete";

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

RegistryKey ProfilesAppKey() {
    CWinApp* app = AfxGetApp();
    return RegistryKey(app ? app->GetAppRegistryKey() : nullptr);
}

// The registry's pending changes written out now, rather than when the program next goes idle.
bool WriteOutRegistry(HKEY appKey) { return appKey && ::RegFlushKey(appKey) == ERROR_SUCCESS; }

bool SetNoteText(HKEY key, LPCWSTR name, const CString& value) {
    const auto bytes = static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()), bytes) == ERROR_SUCCESS;
}

CString GetNoteText(HKEY key, LPCWSTR name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size) != ERROR_SUCCESS || type != REG_SZ)
        return CString();
    return CString(text);
}

// What a note says: the work, its profiles (`item`: the item a delete removes, none for a
// whole profile) and the items a copy replaces.
struct PageWork {
    CString kind, source, target, item;
    bool existing = false;
    std::vector<CString> keys;
};

// Notes `work` beside the registry changes made so far, in memory.
bool WriteNote(HKEY appKey, const PageWork& work) {
    const RegistryKey note = CreateKey(appKey, kWorkSection);
    bool noted = note && SetNoteText(note.Get(), L"Work", work.kind) && SetNoteText(note.Get(), L"Source", work.source) &&
                 SetNoteText(note.Get(), L"Target", work.target) && SetNoteText(note.Get(), L"Item", work.item) &&
                 SetNoteText(note.Get(), L"Existing", work.existing ? L"1" : L"0");
    // One value per item, "Key1" on: the reader stops at the first one missing.
    for (std::size_t i = 0; noted && i < work.keys.size(); ++i)
        noted = SetNoteText(note.Get(), CString(L"Key") + std::to_wstring(i + 1).c_str(), work.keys[i]);
    return noted;
}

// Notes `work` and writes it out with every registry change made so far; false when it could
// not be written (the note is then withdrawn).
bool NoteWork(HKEY appKey, const PageWork& work) {
    if (WriteNote(appKey, work) && WriteOutRegistry(appKey)) return true;
    ::SHDeleteKeyW(appKey, kWorkSection);
    return false;
}

std::optional<PageWork> ReadWork(HKEY appKey) {
    const RegistryKey note = RegistryKey::OpenSubKey(appKey, kWorkSection, KEY_READ);
    if (!note) return std::nullopt;
    PageWork work{GetNoteText(note.Get(), L"Work"), GetNoteText(note.Get(), L"Source"), GetNoteText(note.Get(), L"Target"),
              GetNoteText(note.Get(), L"Item"), GetNoteText(note.Get(), L"Existing") == L"1", {}};
    for (int i = 1;; ++i) {
        const CString key = GetNoteText(note.Get(), CString(L"Key") + std::to_wstring(i).c_str());
        if (key.IsEmpty()) break;
        work.keys.push_back(key);
    }
    return work;
}

// The work is whole: its note goes, written out with the work's last registry changes.
void EndWork(HKEY appKey) {
    ::SHDeleteKeyW(appKey, kWorkSection);
    WriteOutRegistry(appKey);
}

// Moves the sub-key `from` of `parent` to `to`; false (and nothing changed) when it cannot.
bool MoveKey(HKEY parent, const CString& from, const CString& to) {
    const RegistryKey target = CreateKey(parent, to);
    if (!target || ::SHCopyKeyW(parent, from, target.Get(), 0) != ERROR_SUCCESS) {
        ::SHDeleteKeyW(parent, to);
        return false;
    }
    ::SHDeleteKeyW(parent, from);
    return true;
}

// The folder a copy keeps the replaced items in, beside the profiles' own.
CString BackupFolder(const CString& toFolder) {
    return toFolder.IsEmpty() ? CString() : toFolder.Left(toFolder.ReverseFind(L'\\') + 1) + kBackupFolder;
}

// Puts back into `to` the items `keys` as the copy kept them aside.
void RestoreItems(HKEY backup, HKEY to, const CString& backupFolder, const CString& toFolder, const std::vector<CString>& keys) {
    for (const CString& key : keys) {
        ReplaceKey(backup, to, key);
        ReplaceFolder(backupFolder, toFolder, key);
    }
}

}  // namespace

bool DeletePath(const CString& path) { return path.IsEmpty() || !Exists(path) || FileOperation(FO_DELETE, path, CString()); }

bool CopyProfileItems(const CString& source, const CString& target, const std::vector<CString>& keys, bool existing) {
    const RegistryKey appKey = ProfilesAppKey();
    const RegistryKey profiles = appKey.OpenSubKey(KorvoProfileManager::GetProfilesSectionName(), KEY_READ);
    const RegistryKey from = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(source), KEY_READ);
    const RegistryKey to = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(target), KEY_ALL_ACCESS);
    const CString fromFolder = KorvoProfileManager::GetProfileSectionAppDataPath(source, nullptr);
    const CString toFolder = KorvoProfileManager::GetProfileSectionAppDataPath(target, nullptr);
    const CString backupFolder = BackupFolder(toFolder);
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
    // From here on the target's folder changes: a run ending before the copy is whole has it put
    // back at the next start (a new profile goes).
    const bool noted = copied && NoteWork(appKey.Get(), PageWork{kCopyWork, source, target, CString(), existing, keys});
    copied = noted;
    std::size_t done = 0;
    for (; copied && done < keys.size(); ++done)
        copied = ReplaceKey(from.Get(), to.Get(), keys[done]) && ReplaceFolder(fromFolder, toFolder, keys[done]);

    if (!copied && existing && backup) {
        RestoreItems(backup.Get(), to.Get(), backupFolder, toFolder, std::vector<CString>(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(done)));
    } else if (!copied && !existing) {
        if (profiles) {
            const RegistryKey writable = appKey.OpenSubKey(KorvoProfileManager::GetProfilesSectionName(), KEY_ALL_ACCESS);
            ::SHDeleteKeyW(writable.Get(), target);
        }
        DeletePath(toFolder);
    }
    ::SHDeleteKeyW(appKey.Get(), kBackupSection);
    if (noted) EndWork(appKey.Get());
    DeletePath(backupFolder);
    return copied;
}

bool RenameProfile(const CString& from, const CString& to) {
    const RegistryKey appKey = ProfilesAppKey();
    const RegistryKey profiles = appKey.OpenSubKey(KorvoProfileManager::GetProfilesSectionName(), KEY_ALL_ACCESS);
    if (!profiles) return false;
    const CString oldFolder = KorvoProfileManager::GetProfileSectionAppDataPath(from, nullptr);
    const CString newFolder = KorvoProfileManager::GetProfileSectionAppDataPath(to, nullptr);
    const bool moveFolder = !oldFolder.IsEmpty() && Exists(oldFolder);
    // A folder of the new name that is no profile's cannot be moved onto: the profile stays as it is.
    if (moveFolder && Exists(newFolder)) return false;
    if (!MoveKey(profiles.Get(), from, to)) return false;
    if (!NoteWork(appKey.Get(), PageWork{kRenameWork, from, to, CString(), true, {}})) {
        MoveKey(profiles.Get(), to, from);
        return false;
    }
    // A folder that cannot move leaves the profile under its old name, whole.
    const bool moved = !moveFolder || FileOperation(FO_RENAME, oldFolder, newFolder);
    if (!moved) MoveKey(profiles.Get(), to, from);
    EndWork(appKey.Get());
    return moved;
}

bool DeleteProfile(const CString& profile, const CString& item) {
    const RegistryKey appKey = ProfilesAppKey();
    const RegistryKey parent = appKey.OpenSubKey(
        item.IsEmpty() ? KorvoProfileManager::GetProfilesSectionName() : KorvoProfileManager::GetProfileSectionName(profile), KEY_ALL_ACCESS);
    if (!parent) return false;
    const LSTATUS deleted = ::SHDeleteKeyW(parent.Get(), item.IsEmpty() ? profile : item);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return false;
    const CString folder = KorvoProfileManager::GetProfileSectionAppDataPath(profile, item.IsEmpty() ? nullptr : item.GetString());
    const bool noted = WriteNote(appKey.Get(), PageWork{kDeleteWork, CString(), profile, item, true, {}});
    // Should the hive file not take the change now, the folder stays until the start after the
    // one that writes it: a profile is never listed without its folder.
    if (noted && !WriteOutRegistry(appKey.Get())) return true;
    const bool removed = DeletePath(folder);
    if (noted) EndWork(appKey.Get());
    return removed;
}

void FinishInterruptedWork() {
    const RegistryKey appKey = ProfilesAppKey();
    if (!appKey) return;
    const std::optional<PageWork> work = ReadWork(appKey.Get());
    const RegistryKey backup = RegistryKey::OpenSubKey(appKey.Get(), kBackupSection, KEY_READ);
    const CString backupFolder = BackupFolder(KorvoProfileManager::GetProfileSectionAppDataPath(KorvoProfileManager::GetDefaultProfileName(), nullptr));
    if (!work && !backup && (backupFolder.IsEmpty() || !Exists(backupFolder))) return;
    const RegistryKey profiles = appKey.OpenSubKey(KorvoProfileManager::GetProfilesSectionName(), KEY_ALL_ACCESS);
    if (work && !work->target.IsEmpty() && profiles) {
        const CString targetFolder = KorvoProfileManager::GetProfileSectionAppDataPath(work->target, nullptr);
        if (work->kind == kRenameWork) {
            // The registry names the new profile: its folder follows, or the name goes back.
            const CString oldFolder = KorvoProfileManager::GetProfileSectionAppDataPath(work->source, nullptr);
            if (Exists(oldFolder) && !Exists(targetFolder) && !FileOperation(FO_RENAME, oldFolder, targetFolder))
                MoveKey(profiles.Get(), work->target, work->source);
        } else if (work->kind == kDeleteWork) {
            const RegistryKey section = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(work->target), KEY_READ);
            const bool listed = work->item.IsEmpty() ? static_cast<bool>(section) : static_cast<bool>(section.OpenSubKey(work->item, KEY_READ));
            if (!listed)
                DeletePath(KorvoProfileManager::GetProfileSectionAppDataPath(work->target, work->item.IsEmpty() ? nullptr : work->item.GetString()));
        } else if (work->kind == kCopyWork && work->existing) {
            // The copy did not end: the target gets back what it had.
            const RegistryKey to = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(work->target), KEY_ALL_ACCESS);
            if (backup && to) RestoreItems(backup.Get(), to.Get(), BackupFolder(targetFolder), targetFolder, work->keys);
        } else if (work->kind == kCopyWork) {
            ::SHDeleteKeyW(profiles.Get(), work->target);
            DeletePath(targetFolder);
        }
    }
    ::SHDeleteKeyW(appKey.Get(), kBackupSection);
    EndWork(appKey.Get());
    DeletePath(backupFolder);
}

}  // namespace KorvoProfiles
