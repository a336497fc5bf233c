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
    // when the blocks of the drag could not be made.
    bool DragFile(const CString& path, DWORD preferredEffect);
    bool DragFiles(const std::vector<CString>& paths, DWORD preferredEffect);
    // Copies (or, when the drag prefers it, moves) the dropped ".grb" files into the folder; true
    // when the shell did all of it.
    bool CopyDroppedDocuments(COleDataObject* data, const CString& folder);
};

}  // namespace DocumentsMenu
