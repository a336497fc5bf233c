#include "platform/toolkit/frames.h"

#include <algorithm>

#include "platform/faults.h"

#include "platform/toolkit/commandbars/ribbon.h"
#include "platform/toolkit/panes/dockingpanes.h"
#include "platform/toolkit/panes/statusbar.h"

IMPLEMENT_DYNCREATE(CXTPMDIFrameWnd, CMDIFrameWnd)

CXTPMDIFrameWnd::~CXTPMDIFrameWnd() = default;

BOOL CXTPMDIFrameWnd::InitCommandBars(CRuntimeClass* runtimeClass) {
    if (commandBars_) return FALSE;
    commandBars_.reset(CXTPCommandBars::CreateCommandBars(runtimeClass, this));
    return commandBars_ != nullptr;
}

namespace {

void place(HWND window, const RECT& rect) {
    ::MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

// The site's docking-pane manager: a child window of the frame that is one.
CXTPDockingPaneManager* dockingPaneManagerOf(HWND frame) {
    for (HWND child = ::GetWindow(frame, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (auto* manager = dynamic_cast<CXTPDockingPaneManager*>(CWnd::FromHandlePermanent(child))) return manager;
    return nullptr;
}

}  // namespace

void CXTPMDIFrameWnd::RecalcLayout(BOOL) {
    if (!m_hWnd) return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    // The bar's own visibility counts: the frame itself may not be shown yet.
    HWND status = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_STATUS_BAR));
    if (status && (::GetWindowLongPtrW(status, GWL_STYLE) & WS_VISIBLE)) {
        client.bottom -= CXTPStatusBar::kHeight;
        place(status, RECT{client.left, client.bottom, client.right, client.bottom + CXTPStatusBar::kHeight});
    }
    if (commandBars_) layoutBars(client);
    // Message bars stand under the bars, one a row, across the whole width.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) != kMessageBarId || !(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        place(child, RECT{client.left, client.top, client.right, client.top + kMessageBarHeight});
        client.top += kMessageBarHeight;
    }
    if (client.bottom < client.top) client.bottom = client.top;
    if (CXTPDockingPaneManager* panes = dockingPaneManagerOf(m_hWnd)) panes->LayoutDockedPanes(client);
    if (HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST))) place(pane, client);
}

void CXTPMDIFrameWnd::layoutBars(RECT& client) {
    const int width = client.right - client.left;
    // The ribbon spans the frame; tool bars take rows (a bar docked right of another shares its
    // row) on their side, as wide as their controls; bars without shown controls take no room.
    RECT row{client.left, client.top, client.left, client.top};
    CXTPToolBar* rowLast = nullptr;
    RECT bottomEdge = client;
    for (int i = 0; i < commandBars_->GetCount(); ++i) {
        CXTPToolBar* bar = commandBars_->GetAt(i);
        if (!bar->GetSafeHwnd() || !bar->IsVisible()) continue;
        if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bar)) {
            if (bar->GetPosition() != xtpBarTop) continue;
            ribbon->SetRibbonWidth(width);
            const int height = ribbon->GetRibbonHeight();
            place(bar->GetSafeHwnd(), RECT{client.left, client.top, client.right, client.top + height});
            client.top += height;
            row = RECT{client.left, client.top, client.left, client.top};
            rowLast = nullptr;
            continue;
        }
        const SIZE content = bar->GetContentSize();
        bar->SetPlacedContent(content);
        if (content.cx == 0 || content.cy == 0) {
            place(bar->GetSafeHwnd(), RECT{});
            continue;
        }
        const bool vertical = bar->GetPosition() == xtpBarLeft || bar->GetPosition() == xtpBarRight;
        const int length = vertical ? std::min<int>(content.cy, client.bottom - client.top) : std::min<int>(content.cx, width);
        switch (bar->GetPosition()) {
            case xtpBarTop: {
                const bool sameRow = rowLast && bar->GetDockedRightOf() == rowLast && row.right + length <= client.right;
                if (!sameRow) row = RECT{client.left, client.top, client.left, client.top + kBarHeight};
                place(bar->GetSafeHwnd(), RECT{row.right, row.top, row.right + length, row.bottom});
                row.right += length;
                client.top = row.bottom;
                rowLast = bar;
                break;
            }
            case xtpBarBottom:
                bottomEdge.bottom -= kBarHeight;
                place(bar->GetSafeHwnd(), RECT{client.left, bottomEdge.bottom, client.left + length, bottomEdge.bottom + kBarHeight});
                break;
            case xtpBarLeft:
                place(bar->GetSafeHwnd(), RECT{client.left, client.top, client.left + kBarHeight, client.top + length});
                client.left += kBarHeight;
                break;
            case xtpBarRight:
                client.right -= kBarHeight;
                place(bar->GetSafeHwnd(), RECT{client.right, client.top, client.right + kBarHeight, client.top + length});
                break;
            default: break;
        }
        bar->SyncEditWindows();
    }
    client.bottom = std::max(client.top, bottomEdge.bottom);
}

BOOL CXTPCommandBarsFrameHook::OnHookMessage(HWND, UINT message, WPARAM&, LPARAM&, LRESULT&) {
    // A resource the hook needs (its frame's region, a DC) may not be had.
    if (platform::anyFaultArmed() &&
        platform::faultInjected(L"CXTPCommandBarsFrameHook::OnHookMessage " + std::to_wstring(message)))
        AfxThrowResourceException();
    return FALSE;
}

BOOL CXTPMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (commandBars_ && commandBars_->PreTranslateFrameMessage(pMsg)) return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

void CXTPMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    if (commandBars_) commandBars_->OnSetPreviewMode(bPreview);
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
}

LRESULT CXTPMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hookLooked_) {
        hook_ = dynamic_cast<CXTPCommandBarsFrameHook*>(this);
        hookLooked_ = true;
    }
    if (hook_ && m_hWnd) {
        LRESULT result = 0;
        if (hook_->OnHookMessage(m_hWnd, message, wParam, lParam, result)) return result;
    }
    if (commandBars_ && m_hWnd) {
        for (int i = 0; i < commandBars_->GetCount(); ++i) {
            // Every message of the frame passes here: the class chain, not a dynamic_cast.
            auto* menuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, commandBars_->GetAt(i));
            LRESULT result = 0;
            if (menuBar && menuBar->OnHookMessage(m_hWnd, message, wParam, lParam, result)) return result;
        }
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}
