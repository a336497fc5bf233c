#include "commandbars/usertools/user_tools_bars.h"

#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace Korvo::UserTools {

namespace {

template <class F>
void ForEachFrameBars(F&& visit) {
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames())
        if (CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr) visit(*bars);
}

void RemoveFrom(CXTPControls* controls, int id) {
    if (!controls) return;
    for (int index = controls->GetCount(); index-- > 0;) {
        CXTPControl* control = controls->GetAt(index);
        if (!control) continue;
        if (control->GetID() == id) {
            controls->Remove(control);
            continue;
        }
        if (CXTPCommandBar* popup = control->GetCommandBar()) RemoveFrom(popup->GetControls(), id);
    }
}

}  // namespace

void RedrawEveryFrame() {
    ForEachFrameBars([](CXTPCommandBars& bars) { bars.RedrawCommandBars(); });
}

void RemoveControlsEverywhere(int id) {
    ForEachFrameBars([id](CXTPCommandBars& bars) {
        for (int index = 0; index < bars.GetCount(); ++index) {
            CXTPToolBar* bar = bars.GetAt(index);
            if (!bar) continue;
            RemoveFrom(bar->GetControls(), id);
            auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bar);
            if (!ribbon) continue;
            RemoveFrom(ribbon->GetQuickAccessControls(), id);
            for (int tab = 0; tab < ribbon->GetTabCount(); ++tab)
                for (int group = 0; group < ribbon->GetTab(tab)->GetGroupCount(); ++group)
                    RemoveFrom(ribbon->GetTab(tab)->GetGroup(group)->GetControls(), id);
        }
        bars.RedrawCommandBars();
    });
}

}  // namespace Korvo::UserTools
