// A new main frame's docking panes and classic bars: the auto-menu bar, one docking pane per
// application pane window, the default tool bars with the tabbed tool bar, and the system panel.
#include <array>

#include "mainframe/toolsengine/default_toolbars.h"
#include "commandbars/auto_menu_command_bars.h"
#include "commandbars/tab_tool_bar.h"
#include "commandbars/tool_bars.h"
#include "mainframe/panes/docking_panes_init.h"
#include "mainframe/toolsengine/frame_tools_engine.h"
#include "mainframe/toolsengine/frame_tools_options.h"
#include "mainframe/main_frame.h"
#include "mainframe/statusline/stopwatch.h"
#include "platform/diagnostics.h"
#include "platform/textcore.h"

namespace {

using CommandTables::ToolBarKind;

constexpr UINT kTabToolBarTitle = 41518;
constexpr UINT kTabToolBarId = 1000;
constexpr DWORD kTabToolBarDocking = xtpFlagStretched | xtpFlagHideWrapBar | xtpFlagFloating | xtpFlagAlignAny;
constexpr int kTabAppearance = 4;
constexpr int kTabColor = 1;
constexpr DWORD kTabOptions = 0x3;  // tabs shown, and their buttons follow the selected tab
constexpr DWORD kToolBarDocking = xtpFlagHideWrapBar | xtpFlagFloating | xtpFlagAlignAny;
static_assert(kTabToolBarDocking == 0x10003F && kToolBarDocking == 63);

// Ctrl+1, Ctrl+2 and Ctrl+3 select these tabs (when the table has them).
struct TabAccelerator {
    GUID tab;
    WORD key;
};
constexpr std::array<TabAccelerator, 3> kTabAccelerators{{
    {{0x2557C777, 0x3AA3, 0x4DE3, {0x9C, 0x16, 0x10, 0x8D, 0x2E, 0x13, 0xBB, 0x03}}, '1'},
    {{0xD773CF70, 0x44FC, 0x4055, {0xAC, 0xC1, 0xFA, 0x1A, 0xB0, 0xFD, 0xB9, 0x5A}}, '2'},
    {{0x84452293, 0x56D2, 0x4E91, {0xBF, 0x71, 0xBD, 0xD2, 0xEE, 0xD1, 0xB4, 0xD5}}, '3'},
}};

XTPBarPosition PositionOf(ToolBarKind kind) {
    switch (kind) {
        case ToolBarKind::DockedTop:
        case ToolBarKind::TopAfterLastVisible: return xtpBarTop;
        case ToolBarKind::DockedLeft: return xtpBarLeft;
        case ToolBarKind::DockedRight: return xtpBarRight;
        case ToolBarKind::DockedBottom: return xtpBarBottom;
        default: return xtpBarNone;
    }
}

// The application's first main frame: no other frame exists while it is made.
bool IsFirstMainFrame(const CMainFrame* frame) {
    for (const CMainFrame* other : CMainFrame::GetAll())
        if (other != frame) return false;
    return true;
}

void LogElapsed(const wchar_t* format, const Stopwatch& stopwatch) {
    const long long elapsed = stopwatch.elapsedMicroseconds();
    KVLog_WriteF(2, format, elapsed / 1000, elapsed % 1000);
}

}  // namespace

CXTPToolBar* CFrameToolsEngine::GetKeptToolBar(UINT barId) const {
    for (std::size_t index = 0; index < kKeptToolBarIds.size(); ++index)
        if (kKeptToolBarIds[index] == barId) return m_keptToolBars[index];
    return nullptr;
}

bool CFrameToolsEngine::InitDockingPanesAndToolBars() {
    if (!m_frame || !m_autoMenuBars) return false;
    CXTPCommandBars* bars = frame_tools::FrameCommandBars(m_frame);
    if (!bars) return false;

    m_autoMenuToolBar = m_autoMenuBars->Add(Korvo::I18n::Translate(L"panels.automenu"), xtpBarLeft,
                                            RUNTIME_CLASS(Korvo::UI::AutoMenuToolBar));
    if (!m_autoMenuToolBar) return false;
    m_autoMenuToolBar->SetVisible(TRUE);

    if (!CreateInitialDockingPanes(&m_frame->GetPaneManager(), IsFirstMainFrame(m_frame))) return false;

    const Stopwatch stopwatch;
    CXTPToolBar* lastVisible = nullptr;
    for (const DefaultToolBarButtons& entry : GetDefaultToolBars()) {
        const CommandTables::DefaultToolBarRecord& record = *entry.record;
        const int count = static_cast<int>(entry.commandIds.size());
        if (record.kind == ToolBarKind::None) continue;
        if (record.kind == ToolBarKind::Tab) {
            if (!m_tabToolBar && !CreateTabToolBar(bars)) return false;
            if (!lastVisible) lastVisible = m_tabToolBar;
            m_tabToolBar->AddOriginalTab(entry.caption, entry.commandIds.data(), count, entry.iconId, record.visible,
                                         record.tabGuid);
            for (const TabAccelerator& accelerator : kTabAccelerators)
                m_tabToolBar->SetTabAccelerator(accelerator.tab, ACCEL{FCONTROL | FVIRTKEY, accelerator.key, 0});
            continue;
        }
        CXTPToolBar* bar = bars->Add(entry.caption, PositionOf(record.kind), RUNTIME_CLASS(CKVToolBar));
        if (!bar) return false;
        bar->EnableDocking(kToolBarDocking);
        bar->SetButtons(entry.commandIds.data(), count);
        bar->SetBarID(record.barId);
        bar->GetControls()->CreateOriginalControls();
        if (record.kind == ToolBarKind::TopAfterLastVisible && lastVisible) bar->DockRightOf(lastVisible);
        bar->SetVisible(record.visible);
        if (record.visible) lastVisible = bar;
        for (std::size_t index = 0; index < kKeptToolBarIds.size(); ++index)
            if (kKeptToolBarIds[index] == record.barId) m_keptToolBars[index] = bar;
    }

    if (m_tabToolBar) m_tabToolBar->GetControls()->CreateOriginalControls();
    if (!CreateSysPanelToolbar(bars)) return false;
    LogElapsed(L"Initialized tool bars in %lld.%03lld ms", stopwatch);
    return true;
}

bool CFrameToolsEngine::CreateTabToolBar(CXTPCommandBars* bars) {
    auto* bar = static_cast<CKVTabToolBar*>(bars->Add(KVLoadString(kTabToolBarTitle), xtpBarTop,
                                                      RUNTIME_CLASS(CKVTabToolBar)));
    if (!bar) return false;
    bar->EnableDocking(kTabToolBarDocking);
    bar->SetBarID(kTabToolBarId);
    bar->SetTabAppearance(kTabAppearance);
    bar->SetTabColor(kTabColor);
    bar->SetTabOptions(kTabOptions);
    m_tabToolBar = bar;
    return true;
}
