// Dragging libraries and groups onto the rows of groups and configurations.
#pragma once

#include "platform/kernel.h"

class COleDataObject;

namespace DocumentsMenu {

class LibraryDragDrop {
public:
    // The drop effect the group's row offers for the dragged data (none until library drags exist).
    static DROPEFFECT OnDragOverRecord(ILibrariesGroup* group, COleDataObject* data, DWORD keyState);
    // True when the data was dropped into the group.
    static bool OnDropOnRecord(ILibrariesGroup* group, COleDataObject* data, DROPEFFECT effect);
};

}  // namespace DocumentsMenu
