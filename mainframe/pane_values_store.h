// The values the pane windows keep in a frame's docking-pane layout (the documents menu's
// expanded and hidden objects, say), kept from one run to the next in the per-user "state.xml"
// ("state" > "MainWindow" > "codejock" > "normalLayout" > "DockingPane"), until the state file
// keeps whole frames. Only the windows' values come back: the panes keep the arrangement a new
// frame gives them.
#pragma once

#include "platform/toolkit.h"

// "%APPDATA%\<company>\<registry name>\MainFrame\state.xml"; empty without an application.
CString GetPaneValuesFilePath();
// Writes the manager's layout with its panes' values; false when the file cannot be written.
bool SavePaneValues(CXTPDockingPaneManager& manager, const CString& path);
// Gives every pane of the manager the values saved for its id; false when there is no readable
// file (nothing changes then).
bool LoadPaneValues(CXTPDockingPaneManager& manager, const CString& path);
