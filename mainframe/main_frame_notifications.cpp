// Notifications of the toolkit to the frame: bars shown or hidden, controls selected, popups
// torn off, the ribbon minimised, docking panes shown and closed.
#include <iterator>

#include "services/application.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/tool_bars.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_commands.h"

namespace {

constexpr int kSpacerCommand = 1202;
constexpr int kFirstWireframeButton = 1352;
// The order a torn-off display-mode popup takes: its ten buttons once each.
constexpr int kTornOffDisplayModes[] = {1346, 1347, 1348, 1349, 1350, 1351, 1352, 1353, 1336, 1337};
constexpr UINT kApplicationsPane = 1016;

// The classic menu bar shown again in ribbon mode would sit under the ribbon where no one sees
// it: it floats instead, as wide as its items, at the ribbon's left edge just below it.
void floatBelow(CXTPToolBar& bar, CXTPCommandBar* ribbon) {
    if (!ribbon || !ribbon->GetSafeHwnd() || !bar.GetSafeHwnd()) return;
    RECT below{}, at{};
    ribbon->GetWindowRect(&below);
    bar.GetWindowRect(&at);
    if (at.top >= below.bottom) return;
    bar.SetPosition(xtpBarFloating);
    const SIZE size = bar.GetContentSize();
    POINT topLeft{below.left, below.bottom};
    if (HWND parent = ::GetParent(bar.GetSafeHwnd())) ::ScreenToClient(parent, &topLeft);
    bar.MoveWindow(topLeft.x, topLeft.y, size.cx, size.cy, TRUE);
    if (CXTPCommandBars* bars = bar.GetCommandBars()) bars->RecalcFrameLayout();
}

}  // namespace

LRESULT CMainFrame::OnToolBarVisibilityChanged(WPARAM, LPARAM lParam) {
    if (m_barNotificationsSuppressed) return 0;
    auto* bar = reinterpret_cast<CXTPToolBar*>(lParam);
    if (!bar) return 0;
    // A frameless bar belongs to the view under it, not to the frame's settings: the bars of
    // that view move (one shown or gone makes room or takes it).
    if (m_framelessBars && bar->GetCommandBars() == m_framelessBars) {
        const auto* frameless = dynamic_cast<const Korvo::UI::FramelessToolBar*>(bar);
        CView* over = frameless ? DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(frameless->GetPlacedOver())) : nullptr;
        MoveFramelessToolBars(over ? over : GetFramelessHostView());
        return 0;
    }
    if (bar == GetAutoMenuToolBar() && !IsRibbonMode()) m_showClassicAutoMenu = bar->IsVisible() != FALSE;
    if (bar->IsVisible()) {
        if (bar->GetPosition() == xtpBarFloating) Korvo::UI::EnsureIsVisible(bar);
        else if (IsRibbonMode() && bar == GetMenuBar()) floatBelow(*bar, GetRibbonBar());
    }
    ApplySettings();
    return 0;
}

LRESULT CMainFrame::OnControlSelected(WPARAM, LPARAM lParam) {
    const auto* control = reinterpret_cast<const CXTPControl*>(lParam);
    // The view of the active document window: the frame's own active view is never one.
    CKVView* view = GetActiveKorvoView();
    if (view && control && control->GetID() > 0) view->OnCommandControlSelected(control->GetID());
    return 0;
}

LRESULT CMainFrame::OnTabToolBarRefresh(WPARAM, LPARAM lParam) {
    // The message may come from any bar: only a tab tool bar has tabs to bring up to date.
    if (auto* bar = DYNAMIC_DOWNCAST(CXTPTabToolBar, reinterpret_cast<CObject*>(lParam))) bar->UpdateTabControls();
    return 0;
}

LRESULT CMainFrame::OnTearOffDone(WPARAM, LPARAM lParam) {
    auto* bar = reinterpret_cast<CXTPToolBar*>(lParam);
    CXTPControls* controls = bar ? bar->GetControls() : nullptr;
    if (!controls) return 0;
    if (CXTPControl* spacer = controls->FindControl(kSpacerCommand)) {
        controls->Remove(spacer);
        return 0;
    }
    const CXTPControl* first = controls->GetAt(0);
    if (!first || first->GetID() != kFirstWireframeButton) return 0;
    controls->RemoveAll();
    for (const int id : kTornOffDisplayModes)
        if (CXTPControl* added = controls->Add(new CKVControlButton, id))
            added->SetTooltip(PopupButtonTooltip(static_cast<UINT>(id)));
    // Exactly as wide as its buttons.
    if (bar->GetSafeHwnd()) {
        RECT rect{};
        bar->GetWindowRect(&rect);
        const int width = static_cast<int>(std::size(kTornOffDisplayModes)) * bar->GetButtonSize().cx;
        bar->SetWindowPos(nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

LRESULT CMainFrame::OnRibbonMinimized(WPARAM minimized, LPARAM) {
    if (m_screenMode == 0) m_minimizeRibbonWindowed = minimized != 0;
    else if (m_screenMode == 1) m_minimizeRibbonFullScreen = minimized != 0;
    return 0;
}

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM code, LPARAM lParam) {
    if (code == XTP_DPN_SHOWWINDOW) {
        auto* pane = reinterpret_cast<CXTPDockingPane*>(lParam);
        if (pane && !pane->IsValid())
            if (CWnd* window = GetPaneWindow(pane)) pane->Attach(window);
        if (pane) SetVarnelWindowBits(GetVarnelWindowBits() | FramePdmPaneBit(pane->GetID()));
        return TRUE;
    }
    if (code == XTP_DPN_CONTEXTMENU) {
        const auto* click = reinterpret_cast<const XTP_DOCKINGPANE_CLICK*>(lParam);
        // The menu's command may end the pane: only its id is kept for afterwards.
        const UINT paneId = click && click->pPane ? click->pPane->GetID() : 0;
        const LRESULT command = Korvo::UI::MdiMainFrame::OnDockingPaneNotify(code, lParam);
        if (command == Korvo::UI::kPaneMenuClose && CClipartView::IsClipartId(paneId))
            CClipartView::OnPaneMenuClose(this, paneId);
        return command;
    }
    if (code == XTP_DPN_ACTION) {
        auto* action = reinterpret_cast<XTP_DOCKINGPANE_ACTION*>(lParam);
        // A clipart pane closed by the user goes with its view (an add-on's view stays for
        // reopening); the close is then over.
        if (action && action->action == xtpPaneActionClosed && CClipartView::OnPaneClosed(this, action->pPane)) {
            action->bCancel = TRUE;
            return TRUE;
        }
        // A shared window leaving this frame's pane goes back to another frame's pane showing it.
        if (action && (action->action == xtpPaneActionClosed || action->action == xtpPaneActionHidden))
            HandOverSharedPaneWindow(action->pPane);
        if (action && action->action == xtpPaneActionClosed && action->pPane && action->pPane->GetID() != kApplicationsPane)
            SetVarnelWindowBits(GetVarnelWindowBits() & ~static_cast<DWORD>(FramePdmPaneBit(action->pPane->GetID())));
    }
    return FALSE;
}

void CMainFrame::OnChangeVarnelConnectionState(bool connected) {
    if (!connected) {
        DWORD bits = GetVarnelWindowBits();
        for (const UINT paneId : {1012u, 1019u, 1013u, 1014u, 1015u, 1027u, 1033u, 1040u}) {
            const auto bit = static_cast<DWORD>(FramePdmPaneBit(paneId));
            const CXTPDockingPane* pane = m_paneManager.FindPane(paneId);
            if (pane && !pane->IsClosed()) bits |= bit;
            else bits &= ~bit;
        }
        SetVarnelWindowBits(bits);
    }
    UpdateVarnelWindows(connected);
    ShowVarnelWindows(connected);
}

void CMainFrame::OnDocumentClosed(CKvw32Doc* document) {
    if (!document) return;
    // The document's windows went before the notice; the frame compares with the document it
    // showed, and a frame whose shown view went with them showed it too.
    if (document == m_activeDocument || !GetLiveActiveView()) {
        SetActiveView(nullptr, FALSE);
        if (!GetStatusLine().IsProgressShown()) GetStatusLine().SetPromptText(L"", true);
    }
    // Addresses compared later must not match a document made at the same place.
    if (document == m_activeDocument) m_activeDocument = nullptr;
    if (document == m_ribbonDocument) m_ribbonDocument = nullptr;
    if (m_messageBars.CloseBoundTo(document) && GetSafeHwnd()) RecalcLayout();
    if (ApplicationServices* app = ApplicationServices::Instance())
        if (auto* assembly = dynamic_cast<CVarnelAssemblyWnd*>(app->GetVarnelAssemblyWindow(false, false)))
            assembly->OnDocumentClosed(document);
}

void CMainFrame::OnChangeDocumentState(CKvw32Doc* document) {
    if (!document || document != GetActiveKorvoDocument()) return;
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->ShowTabsForDocumentKeywords(document);
}

LRESULT CMainFrame::OnViewChanged(WPARAM viewParam, LPARAM) {
    // The view is only compared, never dereferenced: the kernel may tell of a view that is gone.
    CView* active = GetLiveActiveView();
    if (!viewParam || !active || reinterpret_cast<CView*>(viewParam) != active) return 0;
    UpdateViewDependentRibbonGroups();
    UpdateViewDependentToolBars();
    constexpr int k3DViewKind = 2;
    const auto* view = dynamic_cast<const CKVView*>(active);
    if (view && view->GetViewKind() == k3DViewKind && !view->IsAlternateState())
        CKVCom_Is3D::SetActiveDocument(dynamic_cast<CKvw32Doc*>(active->GetDocument()));
    return 0;
}
