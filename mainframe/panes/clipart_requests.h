// Requests for the clipart panes a main frame docks: a documents-menu library, libraries group or
// folder, and the PDM work mix.
#pragma once

#include "platform/kernel.h"

class CMainFrame;

// Each opens a documents-menu clipart pane for the object, floating at `position` (null: the
// default place) in the active frame; false when none was shown.
bool ShowLibraryClipartPane(CMainFrame* frame, DocumentsMenu::ILibrary* library, const POINT* position = nullptr);
bool ShowLibrariesGroupClipartPane(CMainFrame* frame, DocumentsMenu::ILibrariesGroup* group, const POINT* position = nullptr);
bool ShowFolderClipartPane(CMainFrame* frame, const CString& folder);
// Shows (or creates) the work-mix clipart pane of the PDM object `key` (its braced 16-byte id);
// false when none was shown.
bool ShowWorkMixClipartPane(CMainFrame* frame, const CString& key);
