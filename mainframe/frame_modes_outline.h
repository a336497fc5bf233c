// The modes of a main frame as text, for the console.
#pragma once

#include <string>

#include "platform/mfc.h"

// One line each: "screen N" (0 normal, 1 full screen, 2 clean screen), "workbook on|off",
// "ribbon on|off" (off: the classic menus), "analysis N", "ribbon-minimised windowed on|off
// if-full-screen on|off" (whether the ribbon is minimised in each screen mode, not the mode), "auto-menu visible|hidden|none remembered on|off", "pdm-panes 0xNN" (the
// open PDM pane bits), "lock-panes on|off", then "message-bar ID \"TEXT\"" per message bar in
// order, "view-types 0xNN" (the active view's bits), a "frameless ..." line per frameless tool
// bar, and "saved-layout normal|full-screen" with the kept layout's XML indented (or "none").
// Empty when the window is no main frame.
std::wstring FrameModesOutline(HWND frame);
