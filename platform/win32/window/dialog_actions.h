// Private to the Windows stand-in: what a simulated user does in a dialog's window.
#pragma once

namespace platform::win32 {

// Gives the core's user agent the way to act in a dialog (platform::core::performDialogAction).
// The window table calls it when it is made: before that no window, and so no dialog, exists.
void installDialogActions();

}  // namespace platform::win32
