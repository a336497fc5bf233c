// Where the help file is: the per-user "Help" "Path", or the path the installation recorded.
#include "app/kvw32_app.h"
#include "app/startup/machine_registry.h"

namespace {

constexpr const wchar_t* kHelpFileName = L"Korvo.chm";

// Help on a removable floppy drive letter is never searched: the drive may be empty, and every
// program started from here would wait for it.
bool IsOnFloppyDrive(const CString& path) {
    const wchar_t first = path[0];
    return first == L'A' || first == L'B' || first == L'a' || first == L'b';
}

void AppendToPath(const CString& folder) {
    const DWORD length = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    CString path;
    if (length > 0) {
        LPWSTR buffer = path.GetBuffer(static_cast<int>(length));
        GetEnvironmentVariableW(L"PATH", buffer, length);
        path.ReleaseBuffer();
    }
    path += L";";
    path += folder;
    SetEnvironmentVariableW(L"PATH", path);
}

}  // namespace

void CKvw32App::SetUpHelpPath() {
    CString path = GetProfileString(L"Help", L"Path", L"");
    if (path.IsEmpty()) {
        path = ReadMachineString(L"SOFTWARE\\" + m_company + L"\\" + m_registryName, L"SetupHelpPath");
        if (!path.IsEmpty()) WriteProfileString(L"Help", L"Path", path);
    }
    if (path.IsEmpty() || IsOnFloppyDrive(path)) return;
    AppendToPath(path);
    CString helpFile = path;
    const wchar_t last = path[path.GetLength() - 1];
    if (last != L'\\' && last != L'/') helpFile += L"\\";
    helpFile += kHelpFileName;
    free(const_cast<LPWSTR>(m_pszHelpFilePath));
    m_pszHelpFilePath = _wcsdup(helpFile);
}
