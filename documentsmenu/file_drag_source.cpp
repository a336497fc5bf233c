#include "documentsmenu/file_drag_source.h"

namespace DocumentsMenu {

FileDragSource& FileDragSource::Instance() {
    static FileDragSource instance;
    return instance;
}

// No drag formats are read yet: nothing is ever dropped.
bool FileDragSource::CopyDroppedDocuments(COleDataObject*, const CString&) { return false; }

}  // namespace DocumentsMenu
