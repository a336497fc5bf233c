#include "mainframe/mdi/shell_folder_window.h"

namespace {

// `file`: the item to select in the folder's window, or null.
void openFolderWindow(const CString& folder, const CString* file) {
    PIDLIST_ABSOLUTE folderList = nullptr;
    PIDLIST_ABSOLUTE itemList = nullptr;
    if (SUCCEEDED(SHParseDisplayName(folder, nullptr, &folderList, 0, nullptr)) &&
        (!file || SUCCEEDED(SHParseDisplayName(*file, nullptr, &itemList, 0, nullptr)))) {
        PCUITEMID_CHILD_ARRAY items = file ? &itemList : nullptr;
        SHOpenFolderAndSelectItems(folderList, file ? 1 : 0, items, 0);
    }
    if (itemList) ILFree(itemList);
    if (folderList) ILFree(folderList);
}

}  // namespace

void ShowFileInFolderWindow(const CString& path) {
    openFolderWindow(path.Left(path.ReverseFind(L'\\') + 1), &path);
}

void OpenFolderWindow(const CString& folder) { openFolderWindow(folder, nullptr); }
