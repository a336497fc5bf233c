#include "platform/toolkit/controls/resize_dialog.h"

#include <algorithm>
#include <cmath>

#include "platform/win32.h"

BOOL CXTPResizeDialog::SetResize(int id, XTP_RESIZEPOINT topLeft, XTP_RESIZEPOINT bottomRight) {
    const HWND control = ::GetDlgItem(GetSafeHwnd(), id);
    if (!control) return FALSE;
    RECT client{};
    ::GetClientRect(GetSafeHwnd(), &client);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::ScreenToClient(GetSafeHwnd(), &corners[0]);
    ::ScreenToClient(GetSafeHwnd(), &corners[1]);
    anchored_.push_back(Anchored{id, topLeft, bottomRight, RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y},
                                SIZE{client.right - client.left, client.bottom - client.top}});
    return TRUE;
}

void CXTPResizeDialog::arrange() {
    RECT client{};
    ::GetClientRect(GetSafeHwnd(), &client);
    for (const Anchored& anchor : anchored_) {
        const HWND control = ::GetDlgItem(GetSafeHwnd(), anchor.id);
        if (!control) continue;
        const double dx = (client.right - client.left) - anchor.base.cx;
        const double dy = (client.bottom - client.top) - anchor.base.cy;
        const auto moved = [](LONG at, double change, double share) {
            return static_cast<int>(at + std::lround(change * share));
        };
        const int left = moved(anchor.rect.left, dx, anchor.topLeft.x);
        const int top = moved(anchor.rect.top, dy, anchor.topLeft.y);
        const int right = moved(anchor.rect.right, dx, anchor.bottomRight.x);
        const int bottom = moved(anchor.rect.bottom, dy, anchor.bottomRight.y);
        ::MoveWindow(control, left, top, std::max(0, right - left), std::max(0, bottom - top), TRUE);
    }
}

LRESULT CXTPResizeDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) arrange();
    return result;
}
