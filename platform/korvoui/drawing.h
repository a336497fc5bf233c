// Small pieces of the UI library's bar drawing.
#pragma once

#include "platform/mfc.h"

namespace Korvo::UI {

// The small down-pointing triangle of a control that opens a popup, its tip at `tip`: rows of
// 5, 3 and 1 pixels, grey when the control is disabled.
void DrawPopupTriangle(CDC* dc, POINT tip, bool enabled);

}  // namespace Korvo::UI
