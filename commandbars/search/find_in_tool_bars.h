// Points the user at a command: finds its first visible control on a frame's ribbon or bars
// (pop-ups searched breadth-first), brings the control's tab forward, opens the pop-ups that lead
// to it, gets floating panes out of its way, selects it and moves the mouse cursor onto it.
#pragma once

#include "platform/korvoui.h"

struct FindInToolBarsTarget {
    CXTPCommandBars* bars = nullptr;           // the frame's command bars (ribbon, menu bar, tool bars)
    CXTPCommandBars* framelessBars = nullptr;  // the frame's frameless view tool bars, if any
    CXTPDockingPaneManager* panes = nullptr;   // the frame's docking panes, pushed out of the way
};

// True when the control was found and shown; otherwise only the open pop-ups are closed.
bool FindInToolBars(const FindInToolBarsTarget& target, UINT id);
