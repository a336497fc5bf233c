// One layout section of the toolkit's command-bars layout: the command bars' options and
// shortcuts, the docking panes, the document tabs, the bars (and which of them are fixed) of
// both command-bars sets. Loading re-creates what the add-on applications keep in the bars.
#include <boost/scope_exit.hpp>

#include "commandbars/app_custom_tool_bar.h"
#include "mainframe/clipart/application_clipart.h"
#include "commandbars/bars_layout.h"
#include "commandbars/command_tooltips.h"
#include "mainframe/main_frame.h"

namespace {

constexpr const wchar_t* kOptionsSection = L"Options";
constexpr const wchar_t* kShortcutsSection = L"Shortcuts";
constexpr const wchar_t* kDockingPaneSection = L"DockingPane";
constexpr const wchar_t* kTabClientSection = L"TabClient";
constexpr const wchar_t* kCommandBarsSection = L"CommandBars";
constexpr const wchar_t* kAutoMenuSection = L"Automenu";
constexpr const wchar_t* kFixedToolBarsSection = L"FixedToolBars";
// A pane that a loaded layout may name but that never starts open.
constexpr UINT kAlwaysClosedPane = 1016;

// Loading reads only what the layout holds: a section an older layout lacks leaves the bars as
// they are (an absent shortcut list must not clear every shortcut).
bool Readable(CXTPPropExchange& section) {
    if (!section.IsLoading()) return true;
    const auto* node = dynamic_cast<const CXTPPropExchangeXMLNode*>(&section);
    return node && node->IsSectionPresent();
}

// The bars the add-on applications made; they make them again once the layout is loaded.
void RemoveAddOnToolBars(CXTPCommandBars& bars) {
    for (int i = bars.GetCount() - 1; i >= 0; --i)
        if (auto* bar = dynamic_cast<CKVAppCustomToolBar*>(bars.GetAt(i))) bars.Remove(bar);
}

void ExchangeOptions(CXTPPropExchange& section, CXTPCommandBars& bars) {
    CXTPCommandBarsOptions& options = *bars.GetCommandBarsOptions();
    options.DoPropExchange(&section);
    if (!section.IsLoading()) return;
    // The screen-tips switch is the kernel's as well: once the kernel holds it, it rules.
    KVOptions& kernel = GetKVOptions();
    if (kernel.screenTipsSet) {
        options.bToolBarScreenTips = kernel.screenTips ? TRUE : FALSE;
    } else {
        kernel.screenTips = options.bToolBarScreenTips != FALSE;
        kernel.screenTipsSet = true;
    }
}

void ExchangeBars(CXTPPropExchange& section, CXTPCommandBars& bars) {
    bars.DoPropExchange(&section);
    std::unique_ptr<CXTPPropExchange> fixed = section.GetSection(kFixedToolBarsSection);
    if (Readable(*fixed)) CMainFrame::ExchangeFixedToolBars(*fixed, bars);
}

}  // namespace

void CMainFrame::ExchangeFixedToolBars(CXTPPropExchange& section, CXTPCommandBars& bars) {
    CXTPPropExchangeEnumeratorPtr entries = section.GetEnumerator(L"ToolBar");
    if (!section.IsLoading()) {
        std::vector<int> fixed;
        for (int i = 0; i < bars.GetCount(); ++i)
            if (Korvo::UI::IsFixed(bars.GetAt(i))) fixed.push_back(static_cast<int>(bars.GetAt(i)->GetBarID()));
        POSITION position = entries->GetPosition(static_cast<DWORD>(fixed.size()));
        for (int id : fixed) PX_Int(entries->GetNext(position), L"Id", id);
        return;
    }
    for (int i = 0; i < bars.GetCount(); ++i) Korvo::UI::Fix(bars.GetAt(i), false);
    POSITION position = entries->GetPosition();
    while (position) {
        CXTPPropExchange* entry = entries->GetNext(position);
        if (!entry) break;
        int id = -1;
        PX_Int(entry, L"Id", id, -1);
        for (int i = 0; id >= 0 && i < bars.GetCount(); ++i)
            if (static_cast<int>(bars.GetAt(i)->GetBarID()) == id) Korvo::UI::Fix(bars.GetAt(i), true);
    }
}

bool CMainFrame::ExchangeCommandBarsLayout(CXTPPropExchange& section, bool loading, bool withDockingPanes) {
    LockLayout();
    BOOST_SCOPE_EXIT_ALL(this) { UnlockLayout(); };
    CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    if (loading && bars) RemoveAddOnToolBars(*bars);
    if (bars) {
        if (std::unique_ptr<CXTPPropExchange> options = section.GetSection(kOptionsSection); Readable(*options))
            ExchangeOptions(*options, *bars);
        if (std::unique_ptr<CXTPPropExchange> shortcuts = section.GetSection(kShortcutsSection); Readable(*shortcuts)) {
            bars->GetShortcutManager()->DoPropExchange(shortcuts.get());
            if (loading) CopyShortcutsToFramelessToolBars();
        }
    }
    bool exchanged = true;
    if (withDockingPanes) {
        std::unique_ptr<CXTPPropExchange> panes = section.GetSection(kDockingPaneSection);
        if (loading) CClipartView::PrepareFrameForLayout(this);
        exchanged = Readable(*panes) && m_paneManager.DoPropExchange(panes.get());
        if (exchanged && loading) m_paneManager.ClosePane(kAlwaysClosedPane);
    }
    // The document tabs' place and the toolkit's tab settings go with the window layout.
    if (std::unique_ptr<CXTPPropExchange> tabs = section.GetSection(kTabClientSection); Readable(*tabs)) {
        m_tabClient.DoPropExchange(tabs.get());
        if (loading && m_tabClient.LoadState()) m_tabClient.Reposition();
    }
    if (bars) {
        if (std::unique_ptr<CXTPPropExchange> commandBars = section.GetSection(kCommandBarsSection); Readable(*commandBars)) {
            ExchangeBars(*commandBars, *bars);
            if (loading) {
                for (int i = 0; i < bars->GetCount(); ++i) {
                    CXTPToolBar* bar = bars->GetAt(i);
                    if (bar->IsVisible() && bar->GetPosition() == xtpBarFloating) Korvo::UI::EnsureIsVisible(bar);
                }
            }
        }
    }
    if (CXTPCommandBars* autoMenu = GetAutoMenuBars()) {
        if (std::unique_ptr<CXTPPropExchange> autoMenuSection = section.GetSection(kAutoMenuSection); Readable(*autoMenuSection))
            ExchangeBars(*autoMenuSection, *autoMenu);
    }
    // The command tips show the shortcuts the layout leaves in force.
    if (loading) {
        UpdateCommandTooltips(bars);
        RestoreAfterLayoutLoad();
    }
    return exchanged;
}

void CMainFrame::RestoreAfterLayoutLoad() {
    UIModule::FakeActiveMainFrameManager active(this);
    CKVApplicationManager::RecreateApplicationsTools();
    ApplyAddOnBarsLayout(CXTPMDIFrameWnd::GetCommandBars());
    CClipartView::ReattachFramePanes(this);
    ApplicationClipart::SyncPanes(this);
    UpdateInstalledConfigurationsMenu();
    ShowFlaggedCommandControls(IsPdmCommandsAvailable());
}
