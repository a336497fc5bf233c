#include "mainframe/mdi/client_windows.h"
#include "platform/kernel.h"

CKvw32Doc* DocumentOfFrame(HWND childFrame) {
    auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(childFrame));
    if (!frame) return nullptr;
    if (CView* view = frame->GetActiveView()) return dynamic_cast<CKvw32Doc*>(view->GetDocument());
    // A frame that was never activated has no active view yet: its views still name the document.
    for (HWND child = ::GetWindow(childFrame, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(child)))
            if (auto* document = dynamic_cast<CKvw32Doc*>(view->GetDocument())) return document;
    return nullptr;
}

bool IsKeptOnPinnedDocument(HWND active, HWND target) {
    CKvw32Doc* pinned = DocumentOfFrame(active);
    if (!pinned || !pinned->IsPinned()) return false;
    return !target || DocumentOfFrame(target) != pinned;
}

BEGIN_MESSAGE_MAP(CKVMDIClientWnd, CWnd)
    ON_MESSAGE(WM_ERASEBKGND, &CKVMDIClientWnd::OnEraseBackgroundMessage)
    ON_MESSAGE(WM_SIZE, &CKVMDIClientWnd::OnSizeMessage)
    ON_MESSAGE(WM_MDIACTIVATE, &CKVMDIClientWnd::OnMdiActivateMessage)
END_MESSAGE_MAP()

CKVMDIClientWnd::CKVMDIClientWnd() : m_background(CMDIClientWndBackground::Acquire()) {}

CKVMDIClientWnd::~CKVMDIClientWnd() { Detach(); }

bool CKVMDIClientWnd::Attach(CMDIFrameWnd* frame) {
    if (!frame || !frame->m_hWndMDIClient || GetSafeHwnd()) return false;
    return SubclassWindow(frame->m_hWndMDIClient) != FALSE;
}

void CKVMDIClientWnd::Detach() {
    if (!GetSafeHwnd()) return;
    if (::IsWindow(m_hWnd)) UnsubclassWindow();
    else CWnd::Detach();
}

bool CKVMDIClientWnd::HasMaximizedChild() const {
    BOOL maximized = FALSE;
    const auto active = reinterpret_cast<HWND>(
        ::SendMessageW(m_hWnd, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return active && maximized;
}

LRESULT CKVMDIClientWnd::OnEraseBackgroundMessage(WPARAM wParam, LPARAM) {
    if (HasMaximizedChild()) return Default();
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_background->Paint(reinterpret_cast<HDC>(wParam), client);
    return TRUE;
}

LRESULT CKVMDIClientWnd::OnSizeMessage(WPARAM, LPARAM) {
    const LRESULT result = Default();
    // The picture is centred, so a new size moves it: paint the whole client again.
    if (!HasMaximizedChild()) ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

LRESULT CKVMDIClientWnd::OnMdiActivateMessage(WPARAM wParam, LPARAM) {
    const auto active = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, WM_MDIGETACTIVE, 0, 0));
    if (active && IsKeptOnPinnedDocument(active, reinterpret_cast<HWND>(wParam))) return 0;
    return Default();
}
