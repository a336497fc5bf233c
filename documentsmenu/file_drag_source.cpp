#include "documentsmenu/file_drag_source.h"

namespace DocumentsMenu {

FileDragSource& FileDragSource::Instance() {
    static FileDragSource instance;
    return instance;
}

// No drag formats are read yet: nothing is ever dropped.
bool FileDragSource::CopyDroppedDocuments(COleDataObject*, const CString&) { return false; }

}  // namespace DocumentsMenu

namespace DocumentsMenu {

// File drags need the drop-files formats, which come with the documents menu's drag and drop: no
// drag starts yet.
bool FileDragSource::DragFile(const CString&, DWORD) { return false; }
bool FileDragSource::DragFiles(const std::vector<CString>&, DWORD) { return false; }

}  // namespace DocumentsMenu
