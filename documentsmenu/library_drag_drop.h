// Dragging libraries and groups: onto the rows of groups and configurations, and onto the main
// window (where a drop opens the dropped objects in clipart panes).
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

class COleDataObject;

namespace DocumentsMenu {

class LibraryDragDrop {
public:
    // The main window's one drag-and-drop object.
    static LibraryDragDrop& Instance();

    // The drop effect the group's row offers for the dragged data (none until library drags exist).
    static DROPEFFECT OnDragOverRecord(ILibrariesGroup* group, COleDataObject* data, DWORD keyState);
    // True when the data was dropped into the group.
    static bool OnDropOnRecord(ILibrariesGroup* group, COleDataObject* data, DROPEFFECT effect);

    // Move (2) over the main window when the data carries libraries or libraries groups, else
    // none (0). No drag carries them yet, so none.
    DROPEFFECT OnDragOverWindow(COleDataObject* data, DWORD keyState, POINT point, CWnd* window);
    // True when a dropped library or group was opened in a clipart pane (none can be yet).
    bool OnDropOnWindow(COleDataObject* data, DROPEFFECT effect, POINT point, CWnd* window);
};

}  // namespace DocumentsMenu
