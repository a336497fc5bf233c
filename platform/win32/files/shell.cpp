#include "platform/win32/files/shell.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/winpath.h"
#include "platform/win32/files/file.h"
#include "platform/win32/window/window.h"

struct ITEMIDLIST {
    std::wstring path;
};

namespace {
constexpr HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002u);
}

HRESULT SHParseDisplayName(LPCWSTR name, void*, PIDLIST_ABSOLUTE* list, ULONG, ULONG* attributesOut) {
    if (!list) return static_cast<HRESULT>(0x80070057u);  // E_INVALIDARG
    *list = nullptr;
    if (attributesOut) *attributesOut = 0;
    if (!name || !platform::files::exists(name)) return kFileNotFound;
    *list = new ITEMIDLIST{name};
    return S_OK;
}

HRESULT SHOpenFolderAndSelectItems(PCIDLIST_ABSOLUTE folder, UINT count, PCUITEMID_CHILD_ARRAY items, DWORD) {
    if (!folder) return static_cast<HRESULT>(0x80070057u);
    std::wstring text = L"SHOpenFolderAndSelectItems(\"" + folder->path + L"\"";
    for (UINT i = 0; i < count && items; ++i) text += L", \"" + (items[i] ? items[i]->path : std::wstring()) + L"\"";
    platform::core::journal().add("call", text + L")");
    return S_OK;
}

void ILFree(PIDLIST_ABSOLUTE list) { delete list; }

namespace {

// The names of a double-NUL-terminated list.
std::vector<std::wstring> nameList(LPCWSTR list) {
    std::vector<std::wstring> names;
    for (const wchar_t* name = list; name && *name; name += std::wcslen(name) + 1) names.emplace_back(name);
    return names;
}

// The shell's error box names the file and says what the system says of the error.
std::wstring errorText(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND: return L"The system cannot find the file specified.";
        case ERROR_PATH_NOT_FOUND: return L"The system cannot find the path specified.";
        case ERROR_ACCESS_DENIED: return L"Access is denied.";
        case ERROR_SHARING_VIOLATION:
            return L"The action can't be completed because the file is open in another program. Close the file "
                   L"and try again.";
        case ERROR_ALREADY_EXISTS: return L"There is already a file with the same name in this location.";
        case ERROR_INVALID_NAME: return L"The file name, directory name, or volume label syntax is incorrect.";
        default: return L"Error " + std::to_wstring(error) + L".";
    }
}

void tellFailure(const SHFILEOPSTRUCTW& operation, const std::wstring& name, DWORD error) {
    if (operation.fFlags & (FOF_NOERRORUI | FOF_SILENT)) return;
    const bool copy = operation.wFunc == FO_COPY;
    const bool move = operation.wFunc == FO_MOVE;
    const bool erase = operation.wFunc == FO_DELETE;
    const std::wstring verb = copy ? L"Cannot copy " : move ? L"Cannot move " : erase ? L"Cannot delete " : L"Cannot rename ";
    const std::wstring text = verb + platform::core::winpath::fileName(name) + L": " + errorText(error);
    MessageBoxW(operation.hwnd, text.c_str(), copy ? L"Copy File" : move ? L"Move File" : erase ? L"Delete File" : L"Rename File",
                MB_OK | MB_ICONERROR);
}

// Copies or moves every file of `from` into the folder `to`, under its own name, in list order;
// the first failure stops the rest (those done stay done), and an existing target is a failure
// rather than being replaced.
int copyOrMove(SHFILEOPSTRUCTW& operation, const std::vector<std::wstring>& from, const std::wstring& to) {
    namespace winpath = platform::core::winpath;
    const bool move = operation.wFunc == FO_MOVE;
    const DWORD folder = GetFileAttributesW(to.c_str());
    if (from.empty() || folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY)) {
        return from.empty() ? ERROR_INVALID_PARAMETER : ERROR_PATH_NOT_FOUND;
    }
    std::wstring base = to;
    if (base.empty() || base.back() != L'\\') base += L'\\';
    for (const std::wstring& source : from) {
        const std::wstring target = base + winpath::fileName(source);
        const auto sameSource = winpath::normalize(source);
        const auto sameTarget = winpath::normalize(target);
        // A file dropped into its own folder stays as it is.
        if (sameSource && sameTarget && winpath::equal(*sameSource, *sameTarget)) continue;
        // A folder is copied with all it holds; an existing target folder takes the copy in.
        const bool tree = !move && platform::files::isDirectory(source);
        const DWORD treeError = tree ? platform::files::copyTree(source, target) : 0;
        const BOOL done = tree ? treeError == 0
                               : move ? MoveFileW(source.c_str(), target.c_str()) : CopyFileW(source.c_str(), target.c_str(), TRUE);
        if (!done) {
            const DWORD error = tree ? treeError : GetLastError();
            tellFailure(operation, source, error);
            return static_cast<int>(error);
        }
    }
    return 0;
}

// Deletes each file, or folder with all it holds, in list order; the first failure stops the rest.
int deleteAll(SHFILEOPSTRUCTW& operation, const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) {
        const bool folder = platform::files::isDirectory(name);
        const DWORD error = folder ? platform::files::deleteTree(name) : DeleteFileW(name.c_str()) ? 0 : GetLastError();
        if (error != 0) {
            tellFailure(operation, name, error);
            return static_cast<int>(error);
        }
    }
    return 0;
}

}  // namespace

int SHFileOperationW(SHFILEOPSTRUCTW* operation) {
    if (!operation) return ERROR_INVALID_PARAMETER;
    operation->fAnyOperationsAborted = FALSE;
    const std::vector<std::wstring> from = nameList(operation->pFrom);
    const std::vector<std::wstring> to = nameList(operation->pTo);
    std::wstring text = L"SHFileOperationW(" + std::to_wstring(operation->wFunc);
    for (const auto& name : from) text += L", " + platform::core::quoted(name);
    for (const auto& name : to) text += L" -> " + platform::core::quoted(name);
    platform::core::recordCall(text + L", flags " + std::to_wstring(operation->fFlags) + L")");
    if ((operation->wFunc == FO_COPY || operation->wFunc == FO_MOVE) && to.size() <= 1) {
        return copyOrMove(*operation, from, to.empty() ? std::wstring() : to.front());
    }
    if (operation->wFunc == FO_DELETE && !from.empty()) return deleteAll(*operation, from);
    if (operation->wFunc != FO_RENAME || from.size() != 1 || to.size() != 1) {
        platform::core::reportFailure(L"SHFileOperationW: the stand-in renames one name at a time, deletes names, and "
                                      L"copies or moves files and folders into one folder only");
        return ERROR_INVALID_PARAMETER;
    }
    if (!MoveFileW(from.front().c_str(), to.front().c_str())) {
        const DWORD error = GetLastError();
        tellFailure(*operation, from.front(), error);
        return static_cast<int>(error);
    }
    // Folder watches hear of it from the host, as of any program's change.
    return 0;
}

namespace {

// An address with a scheme ("http://...", "mailto:...") goes to its handler; anything else is a
// file, and a missing one has no handler to open it.
bool HasScheme(std::wstring_view text) {
    const std::size_t colon = text.find(L':');
    if (colon == std::wstring_view::npos || colon < 2) return false;
    for (std::size_t index = 0; index < colon; ++index) {
        const wchar_t c = text[index];
        if (!std::iswalnum(c) && c != L'+' && c != L'-' && c != L'.') return false;
    }
    return true;
}

}  // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, int) {
    using platform::core::quoted;
    if (!file) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(2));
    const std::wstring text = (verb ? quoted(verb) : std::wstring(L"null")) + L", " + quoted(file) + L", " +
                              (parameters ? quoted(parameters) : std::wstring(L"null"));
    if (!HasScheme(file) && GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES) {
        platform::core::journal().add("process", L"cannot shell-open " + text);
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(2));
    }
    platform::core::recordCall(L"ShellExecuteW(" + text + L")");
    platform::core::journal().add("process", L"shell-opened " + text);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

HRESULT SHGetKnownFolderPath(REFKNOWNFOLDERID id, DWORD, HANDLE, PWSTR* path) {
    if (!path) return static_cast<HRESULT>(0x80070057u);
    *path = nullptr;
    if (!(id == FOLDERID_LocalAppData)) return static_cast<HRESULT>(0x80070057u);
    const std::wstring& folder = platform::core::config().localAppData;
    *path = new wchar_t[folder.size() + 1];
    std::copy(folder.begin(), folder.end(), *path);
    (*path)[folder.size()] = L'\0';
    return S_OK;
}

void CoTaskMemFree(void* memory) { delete[] static_cast<wchar_t*>(memory); }
