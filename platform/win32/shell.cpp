#include "platform/win32/shell.h"

#include <string>

#include "platform/core/journal.h"
#include "platform/win32/file.h"

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
