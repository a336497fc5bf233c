#include "mainframe/clipart/documents_menu_clipart_factories.h"

#include "mainframe/clipart/documents_menu_clipart.h"
#include "mainframe/toolsengine/frame_tools_engine.h"

CClipartView* ShowLibraryDocumentsMenuClipart(DocumentsMenu::ILibrary* library, UINT neighbour, const POINT* point) {
    return DocumentsMenuClipart::ShowLibrary(library, neighbour, point);
}

CClipartView* ShowDocumentsMenuClipart(DocumentsMenu::ILibrariesGroup* group, UINT neighbour, const POINT* point) {
    return DocumentsMenuClipart::ShowLibrariesGroup(group, neighbour, point);
}

CClipartView* ShowFolderDocumentsMenuClipart(const CString& folder, UINT neighbour, const POINT* point) {
    return DocumentsMenuClipart::ShowFolder(folder, neighbour, point);
}

bool LoadLibraryFragmentButtons(CFrameToolsEngine* tools, DocumentsMenu::ILibrary* library) {
    if (!tools || !library) return false;
    return tools->CreateLibraryFragmentToolBar(library->GetDisplayName(), DocumentsMenu::GetLibraryAbsolutePath(library));
}
