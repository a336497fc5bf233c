// Requests for the clipart panes a main frame docks: a documents-menu library or folder, and the
// PDM work mix. The panes themselves come with the clipart panes' own work; until then a request
// is logged and shows nothing.
#pragma once

#include "platform/kernel.h"

class CMainFrame;

// Docks a documents-menu clipart pane for the library in `frame`; false when none was shown.
bool ShowLibraryClipartPane(CMainFrame* frame, DocumentsMenu::ILibrary* library);
// Docks a documents-menu clipart pane for the folder in `frame`; false when none was shown.
bool ShowFolderClipartPane(CMainFrame* frame, const CString& folder);
// Shows (or creates) the work-mix clipart pane of the PDM object `key`; false when none was shown.
bool ShowWorkMixClipartPane(CMainFrame* frame, const CString& key);
