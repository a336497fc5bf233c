// The main frame's modes: the three screen modes with the layouts each keeps, workbook mode
// (document tabs or free MDI windows), ribbon mode, analysis mode, and the settings of the bars
// every mode change ends with.
#include <algorithm>

#include <boost/scope_exit.hpp>

#include "commandbars/command_bars.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr DWORD kCaptionStyles = WS_CAPTION | WS_THICKFRAME;
constexpr DWORD kChildFrameStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kChildFrameExStyles = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
constexpr UINT kViewBar = 1063, kFullScreenBar = 1065, kBar1070 = 1070;
constexpr DWORD kAutoMenuExpandFlag = 32;
constexpr DWORD kTabClientFlags = 23;
constexpr const wchar_t* kEmptyChildClass = L"KorvoEmptyMdiChild";
constexpr const wchar_t* kNormalLayout = L"normalLayout";
constexpr const wchar_t* kFullScreenLayout = L"fullscreenLayout";
// What the screen switch keeps beside the bars' layout: whether the status line was shown.
constexpr const wchar_t* kShownBars = L"ShownBars";
constexpr GUID kAnalysisTabSet = {0x034C0869, 0x5691, 0x4818, {0xAF, 0x01, 0x45, 0x4E, 0xEB, 0x76, 0xF2, 0x7E}};

// The frame's layout lock for a scope: nothing lays the frame out until the change is complete.
class LayoutLock {
public:
    explicit LayoutLock(Korvo::UI::MainFrame& frame) : frame_(frame) { frame_.LockLayout(); }
    ~LayoutLock() { frame_.UnlockLayout(); }
    LayoutLock(const LayoutLock&) = delete;
    LayoutLock& operator=(const LayoutLock&) = delete;

private:
    Korvo::UI::MainFrame& frame_;
};

void setVisible(CXTPCommandBar* bar, bool visible) {
    if (bar && (bar->IsVisible() != FALSE) != visible) bar->SetVisible(visible ? TRUE : FALSE);
}

// The MDI child frames of the frame's client, the active one first.
std::vector<HWND> childFrames(HWND client) {
    std::vector<HWND> children;
    const auto active = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    if (active) children.push_back(active);
    for (HWND child = ::GetWindow(client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (child != active && CWnd::FromHandlePermanent(child) && dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(child)))
            children.push_back(child);
    return children;
}

// A hidden MDI child of a class that draws nothing: it gives the client a child to restore or
// activate when the frame's own children must not be touched.
HWND createEmptyChild(HWND client) {
    WNDCLASSEXW wc{};
    if (!::GetClassInfoExW(nullptr, kEmptyChildClass, &wc)) {
        wc.lpfnWndProc = DefMDIChildProcW;
        wc.lpszClassName = kEmptyChildClass;
        ::RegisterClassExW(&wc);
    }
    MDICREATESTRUCTW create{};
    create.szClass = kEmptyChildClass;
    create.szTitle = L"";
    create.style = WS_CHILD;
    return reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

}  // namespace

// ---- Screen modes -------------------------------------------------------------------------------

void CMainFrame::SetScreenMode(UINT mode) {
    if (mode == m_screenMode || mode > 2 || !GetSafeHwnd()) return;
    LayoutLock lock(*this);
    if (!LeaveScreenMode(m_screenMode)) {
        KVLog_WriteF(5, L"Screen mode %u kept: its layout could not be saved", m_screenMode);
        return;
    }
    EnterScreenMode(mode);
    CStatusLine& status = GetStatusLine();
    if (status.GetSafeHwnd() && status.IsWindowVisible()) status.Invalidate();
    m_screenMode = mode;
    ApplySettings();
}

bool CMainFrame::LeaveScreenMode(UINT mode) {
    if (mode == 0 || mode == 1) {
        std::unique_ptr<CXTPPropExchange> section = SaveLayoutSection(mode == 0 ? kNormalLayout : kFullScreenLayout);
        if (!section) return false;
        if (mode == 0) {
            m_layoutSection = std::move(section);
            GetWindowRect(&m_savedRect);
            // A maximised window's rectangle is the monitor's: the state keeps where it restores to.
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            m_savedNormalRect = ::GetWindowPlacement(m_hWnd, &placement) ? placement.rcNormalPosition : m_savedRect;
        } else {
            m_fullScreenLayoutSection = std::move(section);
        }
        return true;
    }
    if (KVRibbonBar* ribbon = GetRibbonBar()) setVisible(ribbon, IsRibbonMode());
    SetWorkbookMode(m_savedWorkbook);
    m_tabClient.EnableTabs(true);
    return true;
}

void CMainFrame::EnterScreenMode(UINT mode) {
    switch (mode) {
        case 0:
            SetCaptionStyles(true);
            if (m_savedRect.right > m_savedRect.left && m_savedRect.bottom > m_savedRect.top)
                SetWindowPos(nullptr, m_savedRect.left, m_savedRect.top, m_savedRect.right - m_savedRect.left,
                             m_savedRect.bottom - m_savedRect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            LoadLayoutSection(m_layoutSection);
            SetRibbonMode(IsRibbonMode());
            return;
        case 1:
            SetCaptionStyles(false);
            if (m_fullScreenLayoutSection) {
                const bool ribbonShown = LoadLayoutSection(m_fullScreenLayoutSection);
                SetRibbonMode(IsRibbonMode());
                // The ribbon mode shows the ribbon; full screen keeps it as its own layout had it.
                if (!ribbonShown) setVisible(GetRibbonBar(), false);
            } else {
                HideBarsForScreen(GetCommandBars(), true);
                for (CXTPDockingPane* pane : m_paneManager.GetPaneList()) m_paneManager.ClosePane(pane);
                if (GetStatusLine().GetSafeHwnd()) GetStatusLine().ShowWindow(SW_HIDE);
            }
            CoverMonitor();
            return;
        default: {
            SetWorkbookMode(true, &m_savedWorkbook);
            m_tabClient.EnableTabs(false);
            m_barNotificationsSuppressed = true;
            if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->EnableFrameTheme(FALSE);
            HideBarsForScreen(GetCommandBars(), false);
            HideBarsForScreen(GetAutoMenuBars(), false);
            for (CXTPDockingPane* pane : m_paneManager.GetPaneList()) m_paneManager.ClosePane(pane);
            if (GetStatusLine().GetSafeHwnd()) GetStatusLine().ShowWindow(SW_HIDE);
            m_barNotificationsSuppressed = false;
            SetCaptionStyles(false);
            CoverMonitor();
            return;
        }
    }
}

void CMainFrame::HideBarsForScreen(CXTPCommandBars* bars, bool fullScreen) {
    if (!bars) return;
    // Full screen keeps the classic menu bar (hidden as it is in ribbon mode) and, outside ribbon
    // mode, the system panel and the tabbed tool bar; the clean screen keeps nothing.
    std::vector<const CXTPToolBar*> kept;
    if (fullScreen) {
        kept.push_back(bars->GetMenuBar());
        if (!IsRibbonMode()) kept.insert(kept.end(), {GetSysPanelToolbar(), GetTabToolBar()});
    }
    // Hiding a bar may rebuild the list; walk a copy.
    std::vector<CXTPToolBar*> list;
    for (int i = 0; i < bars->GetCount(); ++i) list.push_back(bars->GetAt(i));
    for (CXTPToolBar* bar : list)
        if (std::find(kept.begin(), kept.end(), bar) == kept.end()) setVisible(bar, false);
}

void CMainFrame::SetCaptionStyles(bool on) {
    if (on) ModifyStyle(0, kCaptionStyles, SWP_FRAMECHANGED);
    else ModifyStyle(kCaptionStyles, 0, SWP_FRAMECHANGED);
}

void CMainFrame::CoverMonitor() {
    MONITORINFO info{};
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& area = info.rcMonitor;
    SetWindowPos(nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

std::unique_ptr<CXTPPropExchange> CMainFrame::SaveLayoutSection(LPCWSTR name) {
    auto settings = std::make_unique<CXTPPropExchangeXMLNode>(FALSE, L"Settings");
    std::unique_ptr<CXTPPropExchange> section = settings->GetSection(name);
    if (!section || !ExchangeCommandBarsLayout(*section, false, true)) return nullptr;
    // The bars' layout holds which bars are shown; the status line is the frame's own.
    // So is the ribbon, which the ribbon mode shows again after every load.
    if (std::unique_ptr<CXTPPropExchange> shown = section->GetSection(kShownBars)) {
        bool status = GetStatusLine().GetSafeHwnd() && GetStatusLine().IsWindowVisible();
        PX_Bool(shown.get(), L"StatusLine", status);
        KVRibbonBar* ribbonBar = GetRibbonBar();
        bool ribbon = ribbonBar && ribbonBar->IsVisible() != FALSE;
        PX_Bool(shown.get(), L"Ribbon", ribbon);
    }
    return section;
}

bool CMainFrame::LoadLayoutSection(const std::unique_ptr<CXTPPropExchange>& section) {
    const auto* stored = dynamic_cast<const CXTPPropExchangeXMLNode*>(section.get());
    if (!stored) return true;
    CXTPPropExchangeXMLNode loading(true, stored->GetNode());
    ExchangeCommandBarsLayout(loading, true, true);
    std::unique_ptr<CXTPPropExchange> shown = loading.GetSection(kShownBars);
    bool status = true;
    PX_Bool(shown.get(), L"StatusLine", status, true);
    if (GetStatusLine().GetSafeHwnd()) GetStatusLine().ShowWindow(status ? SW_SHOW : SW_HIDE);
    bool ribbon = true;
    PX_Bool(shown.get(), L"Ribbon", ribbon, true);
    return ribbon;
}

CString CMainFrame::DescribeSavedLayout(bool fullScreen) const {
    const auto* stored = dynamic_cast<const CXTPPropExchangeXMLNode*>(
        (fullScreen ? m_fullScreenLayoutSection : m_layoutSection).get());
    if (!stored) return CString();
    // The whole "Settings" node the section lives in, as the switch keeps it.
    CXTPPropExchangeXMLNode whole(false, stored->GetNode());
    return whole.SaveToString();
}

// ---- Workbook mode --------------------------------------------------------------------------------

void CMainFrame::SetWorkbookMode(bool on, bool* previous) {
    if (previous) *previous = m_workbookMode;
    if (on == m_workbookMode && (!on || m_tabClient.IsAttached())) return;
    m_workbookMode = on;
    if (!GetSafeHwnd() || !m_hWndMDIClient) {
        return;
    }
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance()) kernel->TerminateAllCommands(GetActiveKorvoDocument(), true);
    const std::vector<HWND> children = childFrames(m_hWndMDIClient);
    if (!on) {
        m_tabClient.Detach();
        for (HWND child : children) {
            ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) | kChildFrameStyles);
            ::SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        const HWND temporary = createEmptyChild(m_hWndMDIClient);
        ::InvalidateRect(m_hWndMDIClient, nullptr, TRUE);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(*it), 0);
        ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
        if (temporary) ::SendMessageW(m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(temporary), 0);
        GlobalContainer::SetMdiSwitchFlag(false);
        m_mdiClient.Attach(this);
        return;
    }
    m_mdiClient.Detach();
    if (children.empty()) {
        if (const HWND temporary = createEmptyChild(m_hWndMDIClient)) {
            ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(temporary), 0);
            ::SendMessageW(m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(temporary), 0);
        }
    } else {
        for (HWND child : children) {
            if (::IsIconic(child)) ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
            ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) & ~static_cast<LONG_PTR>(kChildFrameStyles));
            ::SetWindowLongPtrW(child, GWL_EXSTYLE,
                                ::GetWindowLongPtrW(child, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(kChildFrameExStyles));
            ::SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(children.front()), 0);
    }
    GlobalContainer::SetMdiSwitchFlag(false);
    m_tabClient.Attach(this);
    m_tabClient.EnableTabs(true);
    ApplyTabClientSettings();
}

void CMainFrame::ApplyTabClientSettings() {
    if (!m_workbookMode || !m_tabClient.IsAttached()) return;
    m_tabClient.SetFlags(kTabClientFlags);
    CXTPTabPaintManager* paint = m_tabClient.GetPaintManager();
    paint->SetLayout(static_cast<XTPTabLayoutStyle>(0));
    paint->RefreshMetrics();
    m_tabClient.Reposition();
}

// ---- Ribbon and analysis modes --------------------------------------------------------------------

void CMainFrame::SetRibbonMode(bool ribbon) {
    LayoutLock lock(*this);
    // The layout a frame is made from, or returns to from another screen mode, says which
    // classic bars show in the mode it was saved in; only a switch of the mode swaps them.
    const bool switched = ribbon != m_ribbonMode;
    m_ribbonMode = ribbon;
    if (auto* bars = dynamic_cast<CKVRibbonCommandBars*>(GetCommandBars())) bars->SetRibbonMode(ribbon);
    if (CXTPCommandBars* autoMenuBars = GetAutoMenuBars())
        autoMenuBars->GetCommandBarsOptions()->bShowExpandButtonAlways = ribbon ? FALSE : TRUE;
    if (switched) {
        setVisible(GetSysPanelToolbar(), !ribbon);
        setVisible(GetTabToolBar(), !ribbon);
        setVisible(GetAutoMenuToolBar(), !ribbon && m_showClassicAutoMenu);
        setVisible(GetKeptToolBar(kViewBar), !ribbon);
    }
    // The classic bars show their expand buttons only outside ribbon mode.
    std::vector<CXTPToolBar*> classicBars{GetTabToolBar(), GetSysPanelToolbar()};
    for (const UINT id : kKeptToolBarIds) classicBars.push_back(GetKeptToolBar(id));
    for (CXTPToolBar* bar : classicBars) {
        if (!bar) continue;
        bar->ShowExpandButton(ribbon ? FALSE : TRUE);
    }
    ApplySettings();
}

bool CMainFrame::SetAnalysisMode(UINT id, bool force) {
    if ((id == m_analysisRibbonId && !force) || (id != 1 && id != 2)) return false;
    LayoutLock lock(*this);
    UIModuleProxy::Instance().ReapplyRibbonTabSet(this, kAnalysisTabSet,
                                                  [id](int analysisId) { return analysisId < 1 || analysisId == static_cast<int>(id); });
    m_analysisRibbonId = id;
    return true;
}

// ---- Settings of the bars -------------------------------------------------------------------------

void CMainFrame::ApplySettings() {
    if (!GetSafeHwnd()) return;
    LayoutLock lock(*this);
    const bool wasSuppressed = m_barNotificationsSuppressed;
    m_barNotificationsSuppressed = true;
    BOOST_SCOPE_EXIT_ALL(this, wasSuppressed) { m_barNotificationsSuppressed = wasSuppressed; };
    CreateFramelessToolBars();
    const NativeSettings::FramelessBars& place = GetSettings().framelessBars;
    const bool ribbonMode = IsRibbonMode();
    const bool fullScreen = m_screenMode == 1, clean = m_screenMode == 2;

    if (KVRibbonBar* ribbon = GetRibbonBar(); ribbon && ribbon->IsVisible()) {
        const bool framed = ribbonMode && !fullScreen;
        ribbon->EnableFrameTheme(framed ? TRUE : FALSE);
        const bool minimized = fullScreen ? m_minimizeRibbonFullScreen : m_minimizeRibbonWindowed;
        if ((ribbon->IsRibbonMinimized() != FALSE) != minimized) ribbon->SetRibbonMinimized(minimized ? TRUE : FALSE);
    }

    if (CXTPToolBar* autoMenu = GetAutoMenuToolBar()) {
        autoMenu->ShowExpandButton(place.hideExpandButtons ? FALSE : TRUE);
        const DWORD flags = autoMenu->GetFlags();
        autoMenu->EnableDocking(place.hideExpandButtons ? flags & ~kAutoMenuExpandFlag : flags | kAutoMenuExpandFlag);
        if (ribbonMode) setVisible(autoMenu, place.autoMenu == -1 && !clean);
    }

    if (ribbonMode) {
        if (fullScreen) setVisible(GetKeptToolBar(kFullScreenBar), false);
        setVisible(GetKeptToolBar(kBar1070), false);
        setVisible(GetKeptToolBar(kViewBar), place.view == -1 && !clean);
    }

    ApplyFramelessBarSettings(*this, place, ribbonMode, clean);
    // A bar the positions freed may show now, and it shows where the view wants it.
    MoveFramelessToolBars(GetFramelessHostView());

    UpdateViewDependentRibbonGroups();
    UpdateViewDependentToolBars();
    UpdateVarnelWindows(KVPDMWorkMix::IsActive());
}

// ---- Frameless tool bars --------------------------------------------------------------------------

void CMainFrame::CreateFramelessToolBars() {
    if (m_framelessBars || !GetSafeHwnd()) return;
    // The new bars hide as they are made: no settings to apply over bars half made.
    const bool wasSuppressed = m_barNotificationsSuppressed;
    m_barNotificationsSuppressed = true;
    BOOST_SCOPE_EXIT_ALL(this, wasSuppressed) { m_barNotificationsSuppressed = wasSuppressed; };
    m_framelessBars = AddFramelessToolBars(this);
}

Korvo::UI::FramelessToolBars* CMainFrame::GetFramelessToolBars() const { return m_framelessBars; }

CView* CMainFrame::GetFramelessHostView() {
    // The remembered view may be gone; the document window's own answer says it is not.
    CView* view = Korvo::UI::MdiMainFrame::GetFramelessHostView();
    return view && view == GetLiveActiveView() ? view : nullptr;
}

Korvo::UI::FramelessToolBar* CMainFrame::GetFramelessToolBar(UINT barId) const {
    return m_framelessBars ? m_framelessBars->GetFramelessToolBar(barId) : nullptr;
}
