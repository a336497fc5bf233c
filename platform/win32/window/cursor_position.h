// The user's hand on the mouse: it moves the cursor without the program having asked, so the
// move is not journalled as the program's call (SetCursorPos is).
#pragma once

#include "platform/win32/window/window.h"

namespace platform::win32 {

void placeCursor(POINT screen);

}  // namespace platform::win32
