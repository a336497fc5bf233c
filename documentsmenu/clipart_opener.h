// Who opens documents-menu objects in clipart panes of the main frame, and makes a tool bar of a
// library's fragments in the active main frame: the documents menu asks (a context-menu choice, a
// drop on the main window) and the main frame answers. Until an opener is installed nothing opens.
#pragma once

#include <functional>

#include "platform/kernel.h"

namespace DocumentsMenu {

struct ClipartOpener {
    // Each opens the object in a new pane, floating at the screen point (null: the default
    // place); false when no pane was opened.
    std::function<bool(ILibrary*, const POINT*)> openLibrary;
    std::function<bool(ILibrariesGroup*, const POINT*)> openLibrariesGroup;
    std::function<bool(const CString&)> openFolder;
    // The active main frame's tool bar of the library's fragments; false without an active main
    // frame or when no bar was made.
    std::function<bool(ILibrary*)> loadLibraryFragmentButtons;
};

void SetClipartOpener(ClipartOpener opener);
const ClipartOpener& GetClipartOpener();

// Through the installed opener; false without one.
bool OpenLibraryClipart(ILibrary* library, const POINT* point);
bool OpenLibrariesGroupClipart(ILibrariesGroup* group, const POINT* point);
bool OpenFolderClipart(const CString& folder);
bool LoadActiveFrameLibraryFragmentButtons(ILibrary* library);

}  // namespace DocumentsMenu
