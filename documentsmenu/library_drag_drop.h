// Dragging libraries and groups by identity: from the browser's items onto the rows of groups
// and configurations, and onto the main window (where a drop opens the dropped objects in
// clipart panes).
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class LibraryDragDrop {
public:
    // The main window's one drag-and-drop object.
    static LibraryDragDrop& Instance();

    // A drag of the one object, copy or move; the drop target does the work. Null: nothing.
    static void DoDragLibrary(ILibrary* library);
    static void DoDragLibrariesGroup(ILibrariesGroup* group);

    // Over a group's row: move (2) with Ctrl held, else copy (1), when the data carries libraries
    // or libraries groups; else none.
    static DROPEFFECT OnDragOverRecord(ILibrariesGroup* group, COleDataObject* data, DWORD keyState);
    // Copy: the group takes a copy of each library, or a new empty group of each group's name;
    // move: the objects themselves. A group is never moved into itself or below itself. False
    // only when a block of the data cannot be read.
    static bool OnDropOnRecord(ILibrariesGroup* group, COleDataObject* data, DROPEFFECT effect);

    // Move (2) over the main window when the data carries libraries or libraries groups, else
    // none (0); the keys make no difference.
    DROPEFFECT OnDragOverWindow(COleDataObject* data, DWORD keyState, POINT point, CWnd* window);
    // Resolves the dropped objects at the screen point of the drop; false only when a block of the
    // data cannot be read.
    bool OnDropOnWindow(COleDataObject* data, DROPEFFECT effect, POINT point, CWnd* window);
};

}  // namespace DocumentsMenu
