// Dragging documents out of and into library folders.
#pragma once

#include "platform/mfc.h"

class COleDataObject;

namespace DocumentsMenu {

class FileDragSource {
public:
    static FileDragSource& Instance();
    // Copies or moves the dropped documents into the folder; false when nothing was dropped.
    bool CopyDroppedDocuments(COleDataObject* data, const CString& folder);
};

}  // namespace DocumentsMenu
