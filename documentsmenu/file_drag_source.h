// Dragging documents out of and into library folders.
#pragma once

#include <vector>

#include "platform/mfc.h"

class COleDataObject;

namespace DocumentsMenu {

class FileDragSource {
public:
    static FileDragSource& Instance();
    // Drags the files out of the documents menu with the preferred effect (1 copy, 2 move); false
    // when no drag started.
    bool DragFile(const CString& path, DWORD preferredEffect);
    bool DragFiles(const std::vector<CString>& paths, DWORD preferredEffect);
    // Copies or moves the dropped documents into the folder; false when nothing was dropped.
    bool CopyDroppedDocuments(COleDataObject* data, const CString& folder);
};

}  // namespace DocumentsMenu
