// The default window procedure: the defaults frameworks rely on when their handlers pass a
// message on.
#include <algorithm>
#include <utility>

#include "platform/core/api_text.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace {

LRESULT setText(HWND hwnd, LPCWSTR text) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return FALSE;
    w->text = text ? text : L"";
    return TRUE;
}

LRESULT getText(HWND hwnd, WPARAM size, LPWSTR buffer) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !buffer || size == 0) return 0;
    return static_cast<LRESULT>(platform::core::copyTruncated(w->text, buffer, size));
}

LRESULT calcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    DWORD style = 0, exStyle = 0;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return 0;
        style = w->style;
        exStyle = w->exStyle;
    }
    RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (rect) *rect = clientFromWindowRect(*rect, style, exStyle);
    return 0;
}

// WM_SIZE and WM_MOVE follow from WM_WINDOWPOSCHANGED, as on Windows.
LRESULT positionChanged(HWND hwnd, const WINDOWPOS* pos) {
    if (!pos) return 0;
    RECT client{};
    DWORD style = 0;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return 0;
        client = w->client;
        style = w->style;
    }
    if (!(pos->flags & SWP_NOSIZE)) {
        const WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED : (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessageW(hwnd, WM_SIZE, kind,
                     MAKELPARAM(static_cast<WORD>(client.right - client.left), static_cast<WORD>(client.bottom - client.top)));
    }
    if (!(pos->flags & SWP_NOMOVE))
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(client.left), static_cast<WORD>(client.top)));
    return 0;
}

LRESULT exchangeIcon(HWND hwnd, WPARAM which, HICON icon, bool set) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return 0;
    HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
    return reinterpret_cast<LRESULT>(set ? std::exchange(slot, icon) : slot);
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            if (cs && cs->lpszName) setText(hwnd, cs->lpszName);
            return TRUE;
        }
        case WM_NCCALCSIZE: return calcSize(hwnd, wParam, lParam);
        case WM_SETTEXT: return setText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
        case WM_GETTEXT: return getText(hwnd, wParam, reinterpret_cast<LPWSTR>(lParam));
        case WM_GETTEXTLENGTH: {
            Lock lock = lockPlatform();
            Window* w = findWindow(hwnd);
            return w ? static_cast<LRESULT>(w->text.size()) : 0;
        }
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE: SendMessageW(hwnd, WM_CLOSE, 0, 0); return 0;
                case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
                case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
                case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
                default: return 0;
            }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) SetFocus(hwnd);
            return 0;
        case WM_NCACTIVATE: return TRUE;
        case WM_MOUSEACTIVATE: return MA_ACTIVATE;
        case WM_RBUTTONUP: {
            // Releasing the right button asks for the window's context menu, at the screen point.
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hwnd, &at);
            return SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                                MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
        }
        case WM_NCHITTEST: return HTCLIENT;
        case WM_GETTITLEBARINFOEX: return titleBarInfo(hwnd, reinterpret_cast<TITLEBARINFOEX*>(lParam));
        case WM_WINDOWPOSCHANGED: return positionChanged(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: {
            Lock lock = lockPlatform();
            Window* w = findWindow(hwnd);
            return w && w->windowClass->background ? TRUE : FALSE;
        }
        case WM_SETICON: return exchangeIcon(hwnd, wParam, reinterpret_cast<HICON>(lParam), true);
        case WM_GETICON: return exchangeIcon(hwnd, wParam, nullptr, false);
        case WM_QUERYENDSESSION: return TRUE;
        case WM_CANCELMODE:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_CONTEXTMENU: {
            // A child passes the request up to its parent.
            HWND parent = nullptr;
            {
                Lock lock = lockPlatform();
                if (Window* w = findWindow(hwnd)) parent = w->parent;
            }
            return parent ? SendMessageW(parent, message, wParam, lParam) : 0;
        }
        default: return 0;
    }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
