#include "mainframe/ribbon_command_bars.h"

#include "app/default_toolbars.h"
#include "mainframe/main_frame.h"

IMPLEMENT_DYNCREATE(CKVRibbonCommandBars, CXTPCommandBars)
IMPLEMENT_DYNCREATE(KVRibbonBar, CXTPToolBar)

bool InitRibbonBar(CMainFrame&) { return true; }

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

}  // namespace

bool InitDockingPanesAndToolBars(CMainFrame& frame) {
    CXTPCommandBars* bars = frame.GetCommandBars();
    if (!bars) return false;
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
    if (FrameTools* tools = frame.GetFrameTools(); tools && !tools->CreateSystemPanel()) return false;
    return true;
}
