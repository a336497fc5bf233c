// What the UI library knows of the controls the application creates for layout elements.
#pragma once

#include "platform/toolkit.h"

namespace Korvo::UI {

// Whether the window takes typed text: an edit control (class "Edit", any case) or a window of
// the toolkit's edit controls.
bool IsEditBox(HWND window);

}  // namespace Korvo::UI
