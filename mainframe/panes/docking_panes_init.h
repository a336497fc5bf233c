// The docking panes a new main frame starts with: one pane for every application pane window
// that exists, in four tab groups, with only a few left open in the first frame.
#pragma once

#include <array>

#include "platform/toolkit.h"

enum class PaneGroup { Pdm, Model, BirdsEye, Structure, None };

struct InitialPaneRow {
    UINT id;
    PaneGroup group;
    int icon;            // 0: none; kWindowIcon: the window's own
    UINT captionString;  // a kernel string, or 0
    const wchar_t* captionKey;  // a UI text key, or null (with no string either: the window's caption)
    SIZE size;           // at 96 DPI; {0, 0}: the window's size decides
    int direction;       // 0 left, 1 right, 3 bottom, -1 floating
    bool editionOnly;    // made only by other editions of the product
};

inline constexpr int kWindowIcon = -1;

// The panes in creation order.
extern const std::array<InitialPaneRow, 34> kInitialPanes;
// The panes the first frame closes, in closing order.
extern const std::array<UINT, 29> kFirstFrameClosedPanes;

// Creates the panes of a new frame's `manager` for the application's pane windows (made on
// demand) and decides which start open: in the first frame a few, in later frames none. False
// when a pane cannot be created for an existing window; what was made stays for the frame's
// destruction to free.
bool CreateInitialDockingPanes(CXTPDockingPaneManager* manager, bool firstFrame);

// Once the PDM system is connected: makes the PDM explorer windows and, closed in the PDM tab
// group, the panes `manager` lacks for them (a frame made while the system was away has none);
// a shown pane that has no window yet (one a saved layout kept) gets its own.
void EnsurePdmExplorerPanes(CXTPDockingPaneManager& manager);

// The caption a pane of the table starts with (a kernel string or a UI text); empty for a pane
// whose window gives its caption, or one the table does not hold.
CString InitialPaneCaption(UINT paneId);
