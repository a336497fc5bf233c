#include "mainframe/frame_control_walk.h"

#include <set>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"

namespace {

// `seen` guards against a bar reached twice (a popup bar shared by copies of a control).
void walkBar(CXTPCommandBar* bar, const std::function<void(CXTPControl*)>& function, std::set<CXTPCommandBar*>& seen) {
    if (!bar || !seen.insert(bar).second) return;
    CXTPControls* controls = bar->GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        function(control);
        walkBar(control->GetCommandBar(), function, seen);
    }
}

}  // namespace

void ForEachFrameControl(CMainFrame& frame, const std::function<void(CXTPControl*)>& function) {
    CXTPCommandBars* bars = frame.GetCommandBars();
    if (!bars) return;
    std::set<CXTPCommandBar*> seen;
    for (int i = 0; i < bars->GetCount(); ++i) {
        CXTPToolBar* bar = bars->GetAt(i);
        if (auto* ribbon = dynamic_cast<KVRibbonBar*>(bar)) {
            seen.insert(ribbon);
            ribbon->ForEachControl(function, true);
        } else {
            walkBar(bar, function, seen);
        }
    }
}
