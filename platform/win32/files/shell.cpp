#include "platform/win32/files/shell.h"

#include <cwchar>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/kernel/services/directory_watcher.h"
#include "platform/win32/files/file.h"

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
    if (operation->wFunc != FO_RENAME || from.size() != 1 || to.size() != 1) {
        platform::core::reportFailure(L"SHFileOperationW: the stand-in renames one name at a time only");
        return ERROR_INVALID_PARAMETER;
    }
    if (!MoveFileW(from.front().c_str(), to.front().c_str())) return static_cast<int>(GetLastError());
    platform::kernel::reportFolderChange(FILE_ACTION_RENAMED_OLD_NAME, from.front(), to.front());
    return 0;
}
