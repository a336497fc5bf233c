// The idle pass: the background work the application does between messages, in a fixed order.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

// The kernel's heartbeat timer: its ticks are no user activity.
constexpr UINT_PTR kKernelHeartbeatTimer = 0x1BABD;
constexpr UINT kEventPopupToolBarWanted = 783;
constexpr DWORD kNoPopupFlag = 32;

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
    ShowPendingCriticalErrorBar();

    if (m_watchedHandle && WaitForSingleObject(m_watchedHandle, 0) == WAIT_OBJECT_0) {
        if (m_watchedCallback) m_watchedCallback();
        CloseHandle(m_watchedHandle);
        m_watchedHandle = nullptr;
        m_watchedCallback = nullptr;
    }

    AutoSaveDocuments();
    GlobalContainer::OnSessionIdle();

    // The popup tool bar is decided for one fresh selection only.
    m_popupToolbarDocument = nullptr;
    return TRUE;
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
