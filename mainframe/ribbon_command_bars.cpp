#include "mainframe/ribbon_command_bars.h"

#include "app/default_toolbars.h"
#include "app/kvw32_app.h"
#include "commandbars/varnel_popup.h"
#include "mainframe/docking_panes_init.h"
#include "mainframe/pane_values_store.h"
#include "mainframe/main_frame.h"

bool InitRibbonBar(CMainFrame& frame) {
    auto* bars = dynamic_cast<CKVRibbonCommandBars*>(frame.GetCommandBars());
    KVRibbonBar* ribbon = bars ? bars->GetRibbonBar() : nullptr;
    if (!ribbon) return false;
    // Until the frame applies its own saved ribbon, it starts from the default layout's.
    if (ribbon->GetTabCount() == 0)
        if (CKvw32App* app = CKvw32App::Instance())
            if (auto defaults = app->GetDefaultMainFrameState(); defaults && defaults->ribbonBar) {
                Korvo::UI::XML::ApplicationParameters parameters;
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

namespace {

XTPBarPosition positionOf(CommandTables::ToolBarKind kind) {
    using CommandTables::ToolBarKind;
    switch (kind) {
        case ToolBarKind::DockedLeft: return xtpBarLeft;
        case ToolBarKind::DockedRight: return xtpBarRight;
        case ToolBarKind::DockedBottom: return xtpBarBottom;
        default: return xtpBarTop;
    }
}

// The application's first main frame: no other frame exists while it is made.
bool IsFirstMainFrame(const CMainFrame& frame) {
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return true;
    for (const CMainFrame* other : app->GetMainFrames())
        if (other != &frame) return false;
    return true;
}

}  // namespace

bool InitDockingPanesAndToolBars(CMainFrame& frame) {
    CXTPCommandBars* bars = frame.GetCommandBars();
    if (!bars) return false;
    const bool first = IsFirstMainFrame(frame);
    if (!CreateInitialDockingPanes(&frame.GetPaneManager(), first)) return false;
    // The pane windows are shared by every frame: the first one gives them their saved values.
    if (first) LoadPaneValues(frame.GetPaneManager(), GetPaneValuesFilePath());
    for (const DefaultToolBarButtons& entry : GetDefaultToolBars()) {
        const CommandTables::DefaultToolBarRecord& record = *entry.record;
        // The tabs of the tabbed tool bar come with that bar's own work.
        if (record.kind == CommandTables::ToolBarKind::None || record.kind == CommandTables::ToolBarKind::Tab) continue;
        CXTPToolBar* bar = bars->Add(entry.caption, positionOf(record.kind));
        if (!bar) return false;
        bar->SetBarID(record.barId);
        if (!bar->SetButtons(entry.commandIds.data(), static_cast<int>(entry.commandIds.size()))) return false;
        bar->SetVisible(record.visible);
    }
    return frame.CreateSysPanelToolbar(bars);
}
