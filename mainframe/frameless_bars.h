// A main frame's frameless tool bars (shown over its views by the UI library) and the rules by
// which the kernel's bar positions lock them shown or hidden.
#pragma once

#include <string>

#include "platform/korvoui.h"

class CMainFrame;

namespace frameless_bars {

// The bars, by id; the selection-filter bar's sections 0 to 2 are its filter buttons, section 3
// its view buttons.
enum : UINT {
    kSelectionFilter = 1,
    kAutoMenu = 2,
    kView = 3,
    kEditInPlace = 4,
    kFeaTaskModel = 5,
    kDrawingView = 6,
    kSplit = 7,
};
constexpr int kViewSection = 3;

}  // namespace frameless_bars

// The frame's frameless command bars with one hidden bar per id; null when they cannot be made.
// The caller holds the one reference.
Korvo::UI::FramelessToolBars* AddFramelessToolBars(CMainFrame* frame);

// Locks each frameless bar hidden, or frees it, as the positions and modes say.
void ApplyFramelessBarSettings(CMainFrame& frame, const NativeSettings::FramelessBars& place, bool ribbonMode,
                               bool cleanScreen);

// One line per bar: "frameless ID NAME " and the bar's own description.
std::wstring DescribeFramelessBars(const CMainFrame& frame);
