#include "app/profiles/reset_user_settings.h"

#include <cwctype>

#include "app/profiles/profile_names.h"

namespace {

constexpr const wchar_t* kKeptExtensions[] = {L".xml", L".accdb", L".act", L".dic", L".dmp",
                                              L".ini", L".log",   L".kvd", L".mdb"};
constexpr const wchar_t* kShellRegistrations[] = {L"KorvoCad.exe", L"KorvoViewer.exe", L"MardelCad.exe",
                                                  L"MardelViewer.exe"};
constexpr HRESULT kPathNotFound = static_cast<HRESULT>(0x80070003u);

// Deletes every file below `folder` that the reset does not keep; links are left alone.
bool CleanFolder(const CString& folder) {
    WIN32_FIND_DATAW data;
    const HANDLE search = ::FindFirstFileW(folder + L"\\*", &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool clean = true;
    do {
        const CString name(data.cFileName);
        if (name == L"." || name == L"..") continue;
        const CString path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            clean = CleanFolder(path) && clean;
        } else if (!KorvoProfiles::IsKeptByReset(name) && !::DeleteFileW(path)) {
            clean = false;
        }
    } while (::FindNextFileW(search, &data));
    ::FindClose(search);
    return clean;
}

}  // namespace

namespace KorvoProfiles {

bool IsSafeKeyName(const CString& name) { return IsUsableProfileName(name); }

bool IsKeptByReset(const CString& fileName) {
    const int dot = fileName.ReverseFind(L'.');
    if (dot <= 0) return false;
    CString extension = fileName.Mid(dot);
    // Only A to Z are folded, as the comparison the reset promises.
    for (int i = 0; i < extension.GetLength(); ++i)
        if (extension[i] >= L'A' && extension[i] <= L'Z') extension.SetAt(i, static_cast<wchar_t>(extension[i] + 32));
    for (const wchar_t* kept : kKeptExtensions)
        if (extension == kept) return true;
    return false;
}

}  // namespace KorvoProfiles

bool ResetUserSettings(const CString& keyPath) {
    ::SHDeleteKeyW(HKEY_CURRENT_USER, keyPath);
    for (const wchar_t* application : kShellRegistrations)
        ::SHDeleteKeyW(HKEY_CURRENT_USER, CString(L"SOFTWARE\\Classes\\Applications\\") + application);

    CString relative = keyPath;
    if (relative.Left(9).CompareNoCase(L"SOFTWARE\\") == 0) relative = relative.Mid(9);
    PWSTR localAppData = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DONT_VERIFY, nullptr, &localAppData);
    if (result != S_OK) {
        ::CoTaskMemFree(localAppData);
        return result == kPathNotFound;
    }
    const CString folder = CString(localAppData) + L"\\" + relative;
    ::CoTaskMemFree(localAppData);
    const DWORD attributes = ::GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    return CleanFolder(folder);
}
