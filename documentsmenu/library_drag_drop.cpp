#include "documentsmenu/library_drag_drop.h"

namespace DocumentsMenu {

DROPEFFECT LibraryDragDrop::OnDragOverRecord(ILibrariesGroup*, COleDataObject*, DWORD) { return 0; }

bool LibraryDragDrop::OnDropOnRecord(ILibrariesGroup*, COleDataObject*, DROPEFFECT) { return false; }

}  // namespace DocumentsMenu
