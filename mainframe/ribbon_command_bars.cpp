#include "mainframe/ribbon_command_bars.h"

#include "app/kvw32_app.h"
#include "commandbars/varnel_popup.h"
#include "mainframe/main_frame.h"

bool InitRibbonBar(CMainFrame& frame) {
    auto* bars = dynamic_cast<CKVRibbonCommandBars*>(frame.GetCommandBars());
    KVRibbonBar* ribbon = bars ? bars->GetRibbonBar() : nullptr;
    if (!ribbon) return false;
    // Until the frame applies its own saved ribbon, it starts from the default layout's.
    if (ribbon->GetTabCount() == 0)
        if (CKvw32App* app = CKvw32App::Instance())
            if (auto defaults = app->GetDefaultMainFrameState(); defaults && defaults->ribbonBar) {
                // The frame's parameters make the controls the program has its own classes for.
                Korvo::UI::XML::ApplicationParameters parameters = *frame.GetRibbonApplicationParameters();
                defaults->ribbonBar->apply(*ribbon, parameters, true);
            }
    ribbon->EnableDocking(0);
    if (CXTPRibbonControlSystemButton* system = ribbon->GetSystemButton()) {
        system->SetIconId(1);
        if (auto* view = dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar())) view->SetCommandBarsOf(bars);
    }
    // The server application never asks to leave the PDM popup out.
    if (!ribbon->GetVarnelPopup()) {
        auto* popup = new VarnelPopup;
        popup->Build(bars);
        popup->SetStyle(xtpButtonIconAndCaption);
        ribbon->GetControls()->Add(popup, VarnelPopup::kId);
        ribbon->SetVarnelPopup(popup);
    }
    ribbon->CalcDockingLayout();
    return true;
}
