// The main frame's message handlers: activation, closing and destruction, the toolkit's requests
// and the frame's own commands.
#include <algorithm>

#include "services/application.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/main_frame_commands.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/ribbon_command_bars.h"
#include "syspanel/data_exchange.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

// The document flag the kernel reads when the application becomes active.
constexpr DWORD kApplicationActivatedFlag = 0x20000;
constexpr UINT kPropertiesPane = 1007;
// The layout element names a control is made for when a bar asks for it.
constexpr const wchar_t* kButtonPopupTag = L"ButtonPopup";
constexpr const wchar_t* kPopupTag = L"Popup";

}  // namespace

// ---- Activation ----------------------------------------------------------------------------------

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    Korvo::UI::MdiMainFrame::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) {
        HidePopupToolbar();
        return;
    }
    if (bMinimized) return;
    BecomeActiveMainFrame();
}

void CMainFrame::BecomeActiveMainFrame() {
    MakeActive();
    // The file may have turned read-only (or writable) while another window was active.
    if (CKvw32Doc* document = GetActiveKorvoDocument()) document->UpdateReadOnlyState();
    // The frameless bars float over the views: they go on top of this frame's windows again.
    if (Korvo::UI::FramelessToolBars* bars = GetFramelessToolBars())
        for (int i = 0; i < bars->GetCount(); ++i)
            if (CXTPToolBar* bar = bars->GetAt(i); bar->GetSafeHwnd() && bar->IsVisible())
                ::SetWindowPos(bar->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (ApplicationServices* app = ApplicationServices::Instance(); app && app->GetActivationObserver())
        app->GetActivationObserver()(m_hWnd);
}

LRESULT CMainFrame::OnActivateApp(WPARAM active, LPARAM) {
    if (active) {
        if (CKvw32Doc* document = GetActiveKorvoDocument()) document->SetDocumentFlag(kApplicationActivatedFlag, true);
    } else {
        UIModuleProxy::Instance().NotifyApplicationDeactivated();
        if (ApplicationServices* app = ApplicationServices::Instance(); app && app->GetActivationObserver()) app->GetActivationObserver()(nullptr);
    }
    CKVSpaceballDeviceManager::Instance().Activate(active != 0);
    return Default();
}

void CMainFrame::OnChangeActiveMainFrame(Korvo::UI::MainFrame* previous) {
    LockLayout();
    if (previous) previous->LockLayout();
    if (CXTPDockingPane* pane = m_paneManager.FindPane(kPropertiesPane); pane && !pane->IsClosed())
        m_paneManager.ShowPane(pane, FALSE);
    if (previous) previous->UnlockLayout();
    UnlockLayout();
    Korvo::UI::MdiMainFrame::OnChangeActiveMainFrame(previous);
    // Only the active main frame shows frameless bars over its view.
    if (auto* before = dynamic_cast<CMainFrame*>(previous); before && before != this)
        before->MoveFramelessToolBars(before->GetFramelessHostView());
    MoveFramelessToolBars(GetFramelessHostView());
}

LRESULT CMainFrame::OnEnableMessage(WPARAM wParam, LPARAM) {
    const bool enabled = wParam != 0;
    if (MacroManager* macros = MacroManagerInstance()) macros->OnEnableMainWindows(enabled);
    CKVCom_Is3D::SetMainWindowsDisabled(!enabled);
    if (ApplicationServices* app = ApplicationServices::Instance()) app->EnableMainFrames(enabled);
    return Default();
}

// ---- Closing and destruction -----------------------------------------------------------------------

void CMainFrame::OnDestroy() {
    // A critical error shown on this frame is offered again on the frame active next.
    if (ApplicationServices* app = ApplicationServices::Instance()) app->ForgetCriticalErrorBar(GetSafeHwnd());
    if (!m_destroying) {
        m_destroying = true;
        DestroyFirstTime();
    }
    Korvo::UI::MdiMainFrame::OnDestroy();
}

void CMainFrame::DestroyFirstTime() {
    CClipartView::DestroyMarkedViews();
    SetActiveView(nullptr, FALSE);
    // The pane windows are the application's, shared by every frame: they outlive this one.
    m_paneManager.ReturnPaneWindows();
    m_screenMode = 0;
    KVResetDialogCache();
    KVNotifyMainFrameDestroyed(m_hWnd);
    m_dropTarget.Revoke();
}

// ---- Toolkit requests -----------------------------------------------------------------------------

LRESULT CMainFrame::OnDefaultMessage(WPARAM, LPARAM) { return Default(); }

LRESULT CMainFrame::OnViewCommandMessage(WPARAM command, LPARAM argument) { return OnViewCommand(command, argument); }

LRESULT CMainFrame::OnCreateControl(WPARAM, LPARAM lParam) {
    auto* request = reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam);
    if (!request) return FALSE;
    const UINT id = request->nID;
    CXTPCommandBar* bar = request->pCommandBar;
    if (id == static_cast<UINT>(Korvo::UI::SelectionFilterConfigurationButton::kCommand)) {
        request->pControl = new Korvo::UI::SelectionFilterConfigurationButton;
        return TRUE;
    }
    if (request->bToolBar) {
        // The system panel answers for its own lists (a default button when it does not know the id).
        if (CSysPanelToolbar* panel = GetSysPanelToolbar(); panel && bar == panel) return CreateSysPanelControl(request);
        ApplicationServices* app = ApplicationServices::Instance();
        if (app && Korvo::UI::AutoMenuController::OwnsBar(bar))
            if (CXTPControl* control = app->GetAutoMenuController().CreateControl(id, bar)) {
                request->pControl = control;
                return TRUE;
            }
    }
    // On a tool bar a popup opens beside its button; in a menu it is a plain submenu.
    const bool onToolBar = !bar || bar->GetType() == xtpBarTypeNormal;
    const wchar_t* tag = onToolBar ? kButtonPopupTag : kPopupTag;
    CXTPControl* control = CreateCustomControl(id, reinterpret_cast<DWORD_PTR>(tag), bar);
    if (control) {
        if (auto* value = dynamic_cast<IDataExchange*>(control)) value->Initialize();
    } else if (request->bToolBar) {
        // A tool bar's popups of fixed contents and of command groups are the frame's own.
        control = CreateCommandPopup(id);
    }
    if (!control) return FALSE;
    request->pControl = control;
    return TRUE;
}

LRESULT CMainFrame::OnUpdateControlText(WPARAM, LPARAM lParam) {
    auto* control = reinterpret_cast<CXTPControl*>(lParam);
    if (!control) return 0;
    const CXTPToolBar* bar = GetToolBarByCommand(static_cast<UINT>(control->GetID()));
    CXTPCommandBars* bars = GetCommandBars();
    // The active view is the active document window's.
    CFrameWnd* child = GetActiveFrame();
    const auto* view = dynamic_cast<const CKVView*>(child ? child->GetActiveView() : nullptr);
    UpdateControlText(*control, AreControlsHintsBlocked(), bar ? bar->GetTitle() : CString(), view,
                      bars ? bars->GetImageManager() : nullptr);
    return 0;
}

LRESULT CMainFrame::OnInitCommandsPopupMessage(WPARAM, LPARAM lParam) {
    OnInitCommandsPopup(reinterpret_cast<CXTPPopupBar*>(lParam));
    return 0;
}

LRESULT CMainFrame::OnUninitCommandsPopupMessage(WPARAM, LPARAM lParam) {
    OnUninitCommandsPopup(reinterpret_cast<CXTPPopupBar*>(lParam));
    return 0;
}

LRESULT CMainFrame::OnChangingActiveTab(WPARAM, LPARAM) { return 0; }

LRESULT CMainFrame::OnFrameMessage(WPARAM, LPARAM) { return Default(); }

// ---- Commands -------------------------------------------------------------------------------------

CXTPToolBar* CMainFrame::GetToolBarByCommand(UINT id) const {
    // The command names an entry of the tool-bars list the bars' popup was built from.
    const auto* bars = dynamic_cast<const CKVCommandBars*>(CXTPMDIFrameWnd::GetCommandBars());
    return bars ? bars->GetListedToolBar(id) : nullptr;
}
