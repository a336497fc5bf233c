// What the UI library offers the program's shutdown: its first main frame, and a last run of
// the control framework's pending idle work.
#pragma once

#include "platform/mfc.h"

namespace Korvo::UI {

// The window of the first main frame the UI module knows (creation order), or null.
CFrameWnd* GetFirstMainFrame();

}  // namespace Korvo::UI

namespace kvpf {

// Runs the control framework's pending idle work; `final` at the end of the program.
void OnIdle(bool final);

}  // namespace kvpf
