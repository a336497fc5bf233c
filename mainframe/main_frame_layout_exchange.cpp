// A main frame's layout in the state file: the "codejock" node holds the layout of the normal
// screen mode ("normalLayout": the document tabs' settings and the docking panes); the full-screen
// layout is kept apart by the screen-mode switch.
#include "mainframe/main_frame.h"

#include "commandbars/bars_layout.h"
#include "commandbars/command_tooltips.h"

namespace {

constexpr const wchar_t* kLayoutNode = L"codejock";
constexpr const wchar_t* kNormalLayout = L"normalLayout";
constexpr const wchar_t* kDockingPaneSection = L"DockingPane";
constexpr const wchar_t* kTabClientSection = L"TabClient";
// A pane that a loaded layout may name but that never starts open.
constexpr UINT kAlwaysClosedPane = 1016;

}  // namespace

void CMainFrame::SaveCommandBarsLayout(CXTPPropExchange& mainWindow, bool withDockingPanes) {
    std::unique_ptr<CXTPPropExchange> node = mainWindow.GetSection(kLayoutNode);
    if (!node) return;
    std::unique_ptr<CXTPPropExchange> normal = node->GetSection(kNormalLayout);
    if (normal) ExchangeCommandBarsLayout(*normal, false, withDockingPanes);
}

void CMainFrame::LoadCommandBarsLayout(CXTPPropExchange& mainWindow, bool withDockingPanes) {
    std::unique_ptr<CXTPPropExchange> node = mainWindow.GetSection(kLayoutNode);
    std::unique_ptr<CXTPPropExchange> normal = node ? node->GetSection(kNormalLayout) : nullptr;
    if (normal) ExchangeCommandBarsLayout(*normal, true, withDockingPanes);
}

bool CMainFrame::ExchangeCommandBarsLayout(CXTPPropExchange& section, bool loading, bool withDockingPanes) {
    // The document tabs' place and the toolkit's tab settings go with the window layout.
    if (std::unique_ptr<CXTPPropExchange> tabs = section.GetSection(kTabClientSection)) {
        m_tabClient.DoPropExchange(tabs.get());
        if (loading && m_tabClient.LoadState()) m_tabClient.Reposition();
    }
    ExchangeBarsLayout(GetCommandBars(), section, loading);
    // The command tips show the shortcuts the layout leaves in force.
    if (loading) UpdateCommandTooltips(GetCommandBars());
    if (!withDockingPanes) return true;
    LockLayout();
    std::unique_ptr<CXTPPropExchange> panes = section.GetSection(kDockingPaneSection);
    const bool exchanged = panes && m_paneManager.DoPropExchange(panes.get());
    if (exchanged && loading) m_paneManager.ClosePane(kAlwaysClosedPane);
    UnlockLayout();
    return exchanged;
}
