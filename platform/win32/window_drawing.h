// What the GDI stand-in keeps of a window's drawing (its display list and its painted pixels),
// for the window table to let go of when the window is destroyed.
#pragma once

#include "platform/win32/types.h"

namespace platform::win32 {

// Forgets everything window `hwnd` drew; a window destroyed has nothing to show.
void forgetWindowDrawing(HWND hwnd);

}  // namespace platform::win32
