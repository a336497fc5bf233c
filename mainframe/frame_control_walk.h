// Every control a main frame shows: the ribbon's (its groups and tab row) and each tool bar's,
// with the controls on the bars that popups open, however deep.
#pragma once

#include <functional>

class CMainFrame;
class CXTPControl;

void ForEachFrameControl(CMainFrame& frame, const std::function<void(CXTPControl*)>& function);

// The controls of class `Control` among them.
template <class Control>
void ForEachFrameControlOf(CMainFrame& frame, const std::function<void(Control*)>& function) {
    ForEachFrameControl(frame, [&](CXTPControl* control) {
        if (auto* typed = dynamic_cast<Control*>(control)) function(typed);
    });
}
