#include "platform/toolkit/frames.h"

#include "platform/toolkit/panes/statusbar.h"

IMPLEMENT_DYNCREATE(CXTPMDIFrameWnd, CMDIFrameWnd)

CXTPMDIFrameWnd::~CXTPMDIFrameWnd() = default;

BOOL CXTPMDIFrameWnd::InitCommandBars(CRuntimeClass* runtimeClass) {
    if (commandBars_) return FALSE;
    commandBars_.reset(CXTPCommandBars::CreateCommandBars(runtimeClass, this));
    return commandBars_ != nullptr;
}

void CXTPMDIFrameWnd::RecalcLayout(BOOL bNotify) {
    if (!m_hWnd || !commandBars_) {
        CMDIFrameWnd::RecalcLayout(bNotify);
        return;
    }
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right - client.left;
    for (int i = 0; i < commandBars_->GetCount(); ++i) {
        CXTPToolBar* bar = commandBars_->GetAt(i);
        if (!bar->GetSafeHwnd() || !bar->IsVisible() || bar->GetPosition() != xtpBarTop) continue;
        ::MoveWindow(bar->GetSafeHwnd(), client.left, client.top, width, kBarHeight, FALSE);
        client.top += kBarHeight;
    }
    // The bar's own visibility counts: the frame itself may not be shown yet.
    HWND status = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_STATUS_BAR));
    if (status && (::GetWindowLongPtrW(status, GWL_STYLE) & WS_VISIBLE)) {
        client.bottom -= CXTPStatusBar::kHeight;
        ::MoveWindow(status, client.left, client.bottom, width, CXTPStatusBar::kHeight, FALSE);
    }
    if (client.bottom < client.top) client.bottom = client.top;
    if (HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST))) {
        ::MoveWindow(pane, client.left, client.top, width, client.bottom - client.top, FALSE);
    }
}

LRESULT CXTPMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (commandBars_ && m_hWnd) {
        for (int i = 0; i < commandBars_->GetCount(); ++i) {
            auto* menuBar = dynamic_cast<CXTPMenuBar*>(commandBars_->GetAt(i));
            LRESULT result = 0;
            if (menuBar && menuBar->OnHookMessage(m_hWnd, message, wParam, lParam, result)) return result;
        }
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}
