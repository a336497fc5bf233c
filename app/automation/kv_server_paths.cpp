#include "app/automation/kv_server_paths.h"

namespace {

// A profile folder name may not leave the "profiles" folder.
bool IsPlainFolderName(const CString& name) {
    return name.Find(L'\\') < 0 && name.Find(L'/') < 0 && name.Find(L"..") < 0;
}

}  // namespace

CString ResolveAutomationPath(const CString& path, const LibraryFolderLookup& libraryFolder,
                              const CString& programFolder) {
    const int open = path.Find(L'<');
    if (open < 0) return path;
    if (path.Right(1) == L">") return {};
    const int close = path.ReverseFind(L'>');
    if (close <= open) return path;
    const CString name = path.Mid(open + 1, close - open - 1);
    const CString rest = path.Mid(close + 1);
    if (name.Left(1) != L"@") return path.Left(open) + libraryFolder(name) + rest;
    const CString profile = name.Mid(1);
    if (!IsPlainFolderName(profile)) return {};
    return programFolder + L"\\profiles\\" + profile + L"\\" + rest;
}
