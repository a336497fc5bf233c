// Pure rules of the frame's commands and pane notifications, shared by the frame's handlers.
#pragma once

#include "platform/win32/types.h"

// The bit of the open-PDM-panes set that stands for docking pane `paneId`; 0 for a pane that is
// not one of the eight PDM panes.
int FramePdmPaneBit(UINT paneId);
// The PDM explorer pane (archives, desktop, favorites, search, mail) a pane command shows; 0 for
// any other command.
UINT PdmPaneOfCommand(UINT command);
// The kernel option a tab of the tabbed tool bar records when chosen in a document view (0 or
// 1); -1 for a tab the kernel does not remember.
int RememberedTabOption(const GUID& tab);
// Where the find-command pane floats for a button at `button` (screen coordinates): `size`
// limited to the work area, centred horizontally on the button (left not below 0) with its top
// at the button's bottom, then moved left and up as far as needed to end inside the work area.
RECT FindCommandPaneRect(RECT button, SIZE size, RECT workArea);
