// A main frame's "MainWindow" element as text, for the console.
#pragma once

#include <string>

#include "platform/mfc.h"

// The element the frame writes into the state file (placement and docking panes included), as
// indented XML; empty when the window is no main frame.
std::wstring FrameStateOutline(HWND frame);
