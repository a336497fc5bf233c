// What the command search needs of the application and its main frames, which live above the
// command bars: the application installs it once.
#pragma once

#include <functional>

#include "platform/korvoui.h"

struct FindCommandHost {
    // The frameless view tool bars of a main frame, or null.
    std::function<CXTPCommandBars*(CFrameWnd* frame)> framelessBars;
    // A new control of the main frame for the command (the frame's own control factory), or null.
    std::function<CXTPControl*(CFrameWnd* frame, UINT id)> createControl;
    // The application's help at context `context`, the help context in force kept.
    std::function<void(UINT context)> showHelp;
};

void SetFindCommandHost(FindCommandHost host);
const FindCommandHost& GetFindCommandHost();
