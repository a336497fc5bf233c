#include "documentsmenu/library_drag_drop.h"

namespace DocumentsMenu {

LibraryDragDrop& LibraryDragDrop::Instance() {
    static LibraryDragDrop instance;
    return instance;
}

DROPEFFECT LibraryDragDrop::OnDragOverRecord(ILibrariesGroup*, COleDataObject*, DWORD) { return 0; }

bool LibraryDragDrop::OnDropOnRecord(ILibrariesGroup*, COleDataObject*, DROPEFFECT) { return false; }

DROPEFFECT LibraryDragDrop::OnDragOverWindow(COleDataObject*, DWORD, POINT, CWnd*) { return 0; }

bool LibraryDragDrop::OnDropOnWindow(COleDataObject*, DROPEFFECT, POINT, CWnd*) { return false; }

}  // namespace DocumentsMenu
