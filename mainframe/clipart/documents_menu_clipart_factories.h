// The documents menu's ways into the main frame's clipart panes, by the names its callers use:
// a library, a libraries group or a folder opened in a new pane of the active main frame, and a
// tool bar of a library's fragments.
#pragma once

#include "platform/kernel.h"

class CClipartView;
class CFrameToolsEngine;

// Each makes a clipart view of the object and docks it in a new pane of the active main frame
// (beside pane `neighbour`, 0: none; floating at `point`, null: the default place); null, the
// half-made view gone, when it cannot.
CClipartView* ShowLibraryDocumentsMenuClipart(DocumentsMenu::ILibrary* library, UINT neighbour, const POINT* point);
CClipartView* ShowDocumentsMenuClipart(DocumentsMenu::ILibrariesGroup* group, UINT neighbour, const POINT* point);
CClipartView* ShowFolderDocumentsMenuClipart(const CString& folder, UINT neighbour, const POINT* point);

// A tool bar of `tools`' frame named after the library, one button per drawing in its folder;
// false for no frame tools or no library, or when no bar was made.
bool LoadLibraryFragmentButtons(CFrameToolsEngine* tools, DocumentsMenu::ILibrary* library);
