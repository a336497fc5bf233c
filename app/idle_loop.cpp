// The idle pass: the background work the application does between messages, in a fixed order;
// and what the application sees of every message before it is dispatched.
#include <utility>

#include "app/startup/existing_window.h"
#include "app/kvw32_app.h"
#include "mainframe/help/tutorial_document.h"
#include "mainframe/panes/document_pane_windows.h"
#include "mainframe/main_frame.h"
#include "techrequirements/tech_requirements_window.h"

namespace {

// The kernel's heartbeat timer: its ticks are no user activity.
constexpr UINT_PTR kKernelHeartbeatTimer = 0x1BABD;
constexpr UINT kEventPopupToolBarWanted = 783;
constexpr DWORD kNoPopupFlag = 32;

constexpr int kKeyAction = 1;
constexpr UINT kShiftModifier = 4;
constexpr UINT kAltModifier = 2;
constexpr UINT kCtrlModifier = 1;

bool IsModifierKey(WPARAM key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; }

UINT PressedModifiers() {
    UINT modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= kShiftModifier;
    if (GetKeyState(VK_MENU) < 0) modifiers |= kAltModifier;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= kCtrlModifier;
    return modifiers;
}

bool IsButtonDown(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

}  // namespace

BOOL CKvw32App::IsIdleMessage(MSG* message) {
    if (!kvaux::MfcApplication::IsIdleMessage(message)) return FALSE;
    return message->message == WM_TIMER && message->wParam == kKernelHeartbeatTimer ? FALSE : TRUE;
}

BOOL CKvw32App::OnIdle(LONG count) {
    if (count == 1) {
        kvaux::MfcApplication::OnIdle(1);
        return FALSE;
    }
    if (count >= 2) return FALSE;

    kvaux::MfcApplication::OnIdle(0);
    kvrt::TaskManager::Instance().Idle();
    kvrt::StatusLineBkProcManager::Instance().Update();
    ShowPendingCriticalErrorBar();
    RunWatchedHandleCallback();
    UpdatePanesAtIdle();
    AutoSaveDocuments();
    GlobalContainer::OnSessionIdle();
    CXTPReportControl::FreeRowBatchExtraData();
    DecidePopupToolBar();
    RedrawPendingHelpViews();
    if (auto* configurations = ExistingWindow<CConfigurationsWnd>(m_paneWindows.configurations.Get())) {
        configurations->OnIdleUpdate();
    }
    if (m_pdmConnection) m_pdmConnection->OnIdle();
    // This edition makes no technical-requirements window; one an add-on put into the slot runs here.
    if (TechRequirementsWindow* requirements = GetTechRequirementsWindow()) requirements->OnIdleUpdate();
    // The framework calls once more with count 1 for its own clean-up.
    return TRUE;
}

void CKvw32App::RunWatchedHandleCallback() {
    if (!m_watchedHandle || WaitForSingleObject(m_watchedHandle, 0) != WAIT_OBJECT_0) return;
    if (m_watchedCallback) m_watchedCallback();
    CloseHandle(m_watchedHandle);
    m_watchedHandle = nullptr;
    m_watchedCallback = nullptr;
}

// Each pane refreshes itself only when what it shows changed since the last pass.
void CKvw32App::UpdatePanesAtIdle() {
    PaneWindows& panes = m_paneWindows;
    if (auto* properties = ExistingWindow<Korvo::UI::PropertiesWindow>(panes.properties.Get())) {
        properties->OnIdleUpdate();
    }
    if (auto* errors = ExistingWindow<Korvo::UI::ErrorWindowBase>(panes.error.Get())) {
        if (kvpf::CKVDiagnosticsDialog* page = errors->GetActiveWnd()) page->UpdateIfNeed();
    }
    if (auto* productStructure = ExistingWindow<CProductStructWnd>(panes.productStructure.Get())) {
        productStructure->Refresh();
    }
    if (auto* modelElements = ExistingWindow<CModelElementsListWnd>(panes.modelElements.Get())) {
        modelElements->GetList().UpdateIfDirty();
    }
    if (auto* assembly = ExistingWindow<AssemblyStructureWindow>(panes.assemblyStructure.Get())) {
        assembly->GetControlSite().UpdateIfDirty();
    }
    if (auto* layers = ExistingWindow<CLayersWnd>(panes.layers.Get())) layers->UpdateIfDirty();
    if (m_currentDocument) {
        if (const KV3DContainer* scene = m_currentDocument->Get3DContainer()) scene->ModelTreeIdle();
    }
}

// The popup tool bar answers one fresh selection: the document the selection event named is
// forgotten whatever is decided.
void CKvw32App::DecidePopupToolBar() {
    CKvw32Doc* const document = std::exchange(m_popupToolbarDocument, nullptr);
    if (!document || document != m_currentDocument || document->IsInCommand()) return;
    auto* view = dynamic_cast<CKVView*>(document->GetActiveView());
    if (!view || !view->GetSafeHwnd() || view->IsPopupSuppressed() || GetFocus() != view->GetSafeHwnd()) return;
    if (document->GetStoredSelectionCount() <= 0) {
        Korvo::UI::PopupToolBar::HidePopupToolBar();
    } else {
        Korvo::UI::PopupToolBar::ShowPopupToolBar(view, POINT{0, 0});
    }
}

void CKvw32App::OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) {
    if (eventId != kEventPopupToolBarWanted) return;
    const auto* popupArgs = dynamic_cast<const PopupToolBarEventArgs*>(&args);
    if (!popupArgs || (popupArgs->GetFlags() & kNoPopupFlag) != 0) return;
    CKvw32Doc* document = popupArgs->GetDocument();
    if (!document || document != m_currentDocument || document->IsInCommand()) return;
    auto* view = dynamic_cast<CKVView*>(document->GetActiveView());
    if (view && view->ShowsPopupToolBar()) m_popupToolbarDocument = document;
}

BOOL CKvw32App::PreTranslateMessage(MSG* message) {
    // The kernel's action log replays what the user typed into a document.
    if (message->message == WM_KEYDOWN && m_currentDocument && !IsModifierKey(message->wParam)) {
        m_currentDocument->PushAction(kKeyAction, static_cast<UINT>(message->wParam), PressedModifiers());
    }
    if (!message->hwnd && DispatchThreadMessageEx(message)) return TRUE;
    // A key or a click makes the tip the mouse rested on go away.
    if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
        CWnd::CancelToolTips(TRUE);
    } else if (IsButtonDown(message->message)) {
        CWnd::CancelToolTips(FALSE);
    }
    if (!AfxGetMainWnd()) return FALSE;
    return kvaux::MfcApplication::PreTranslateMessage(message);
}
