#include "platform/mfc/splitter.h"

#include "platform/mfc/framework_state.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id) {
    constexpr int kMaxPanes = 16;
    if (!parent || !parent->GetSafeHwnd() || rows < 1 || columns < 1 || rows > kMaxPanes || columns > kMaxPanes)
        return FALSE;
    RECT client{};
    ::GetClientRect(parent->GetSafeHwnd(), &client);
    if (!CreateEx(0, platform::mfc::detail::frameOrViewWindowClass(), L"", style | WS_CHILD | WS_CLIPCHILDREN, client, parent, id)) return FALSE;
    rows_ = rows;
    columns_ = columns;
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int column) const {
    if (row < 0 || column < 0 || row >= rows_ || column >= columns_ || !GetSafeHwnd()) return nullptr;
    return GetDlgItem(static_cast<int>(IdFromRowCol(row, column)));
}

void CSplitterWnd::RecalcLayout() {
    if (!GetSafeHwnd() || rows_ == 0) return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    for (int row = 0; row < rows_; ++row)
        for (int column = 0; column < columns_; ++column)
            if (CWnd* pane = GetPane(row, column)) {
                const int left = client.right * column / columns_, right = client.right * (column + 1) / columns_;
                const int top = client.bottom * row / rows_, bottom = client.bottom * (row + 1) / rows_;
                ::SetWindowPos(pane->GetSafeHwnd(), nullptr, left, top, right - left, bottom - top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
            }
}

CSplitterWnd* CSplitterWnd::OfFrame(HWND frame) {
    CWnd* window = frame ? CWnd::FromHandlePermanent(frame) : nullptr;
    CWnd* pane = window ? window->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)) : nullptr;
    return pane ? dynamic_cast<CSplitterWnd*>(CWnd::FromHandlePermanent(pane->GetSafeHwnd())) : nullptr;
}

LRESULT CSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) RecalcLayout();
    return result;
}
