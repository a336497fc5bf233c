#include "platform/kernel/editing/list_button.h"

#include "platform/mfc/framework_state.h"

BOOL CListButtonXP::CreateButton(CListButtonXPParent& owner, CWnd& parentWindow, const RECT& rect, UINT id) {
    owner_ = &owner;
    LPCWSTR windowClass = platform::mfc::detail::registerWindowClass(kClassName, CS_DBLCLKS);
    return CWnd::Create(windowClass, L"", WS_CHILD, rect, &parentWindow, id);
}

LRESULT CListButtonXP::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            pressed_ = IsWindowEnabled() != FALSE;
            return 0;
        case WM_LBUTTONUP: {
            const bool click = pressed_ && IsWindowEnabled();
            pressed_ = false;
            if (click && owner_) owner_->OnListButtonClicked(*this);
            return 0;
        }
        case WM_CANCELMODE:
        case WM_KILLFOCUS:
            pressed_ = false;
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
