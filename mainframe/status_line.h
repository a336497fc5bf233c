// The main frame's status line: the toolkit's status bar with the program's panes.
#pragma once

#include "platform/toolkit.h"

class CStatusLine : public CXTPStatusBar {
    DECLARE_DYNCREATE(CStatusLine)
public:
    // The window style and id the frame creates the status line with.
    static constexpr DWORD kStyle = 0x56008200;
    static constexpr UINT kId = 59393;

    // The panes of the status line: the message pane, stretching. False when they cannot be made.
    BOOL CreatePanes();
};
