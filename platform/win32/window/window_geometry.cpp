// Positions, sizes and the client area; the invalid flag behind WM_PAINT.
#include <algorithm>

#include "platform/core/record.h"
#include "platform/win32/gdi.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace {

void moveInZOrder(Window& w, HWND insertAfter) {
    // After itself: the window stays where it is (taking it out first would lose its place).
    if (insertAfter == w.handle) return;
    std::vector<HWND>* siblings = w.messageOnly ? nullptr : siblingsOf(w);
    if (!siblings) return;
    const bool placeholder = insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM || insertAfter == HWND_TOPMOST ||
                             insertAfter == HWND_NOTOPMOST;
    // After a window that is not a sibling: Windows leaves the z-order as it is.
    if (!placeholder && std::find(siblings->begin(), siblings->end(), insertAfter) == siblings->end()) return;
    std::erase(*siblings, w.handle);
    if (insertAfter == HWND_BOTTOM) {
        siblings->push_back(w.handle);
        return;
    }
    if (insertAfter == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
    auto it = std::find(siblings->begin(), siblings->end(), insertAfter);
    if (placeholder) {
        siblings->insert(siblings->begin(), w.handle);
    } else {
        siblings->insert(it + 1, w.handle);
    }
}

// Moves a point from the window's client coordinates to the screen (`direction` +1) or back (-1).
BOOL shiftByClientOrigin(HWND hwnd, LPPOINT point, int direction) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !point) return FALSE;
    const POINT origin = clientOriginOnScreen(*w);
    point->x += direction * origin.x;
    point->y += direction * origin.y;
    return TRUE;
}

LONG width(const RECT& r) { return r.right - r.left; }
LONG height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

namespace platform::win32 {

BOOL setWindowPosition(HWND hwnd, HWND insertAfter, RECT newRect, UINT flags) {
    if (auto done = onOwnerThread<BOOL>(hwnd, [&] { return setWindowPosition(hwnd, insertAfter, newRect, flags); }))
        return *done;
    RECT oldRect, oldClient;
    bool visible = false, topLevel = false;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "SetWindowPos");
        if (!w) return FALSE;
        oldRect = w->rect;
        oldClient = w->client;
        visible = (w->style & WS_VISIBLE) != 0;
        topLevel = isTopLevel(*w);
    }
    WINDOWPOS pos{hwnd, insertAfter, newRect.left, newRect.top, width(newRect), height(newRect), flags};
    if (flags & SWP_NOMOVE) {
        pos.x = oldRect.left;
        pos.y = oldRect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = width(oldRect);
        pos.cy = height(oldRect);
    }
    if (!(flags & SWP_NOSENDCHANGING)) SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    const RECT target{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    const bool moved = target.left != oldRect.left || target.top != oldRect.top;
    const bool sized = width(target) != width(oldRect) || height(target) != height(oldRect);

    RECT client = oldClient;
    std::wstring movedText;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = target;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = oldClient;
        params.lppos = &pos;
        SendMessageW(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        client = params.rgrc[0];
    } else if (moved) {
        const LONG dx = target.left - oldRect.left, dy = target.top - oldRect.top;
        client = RECT{client.left + dx, client.top + dy, client.right + dx, client.bottom + dy};
    }

    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return FALSE;
        w->rect = target;
        w->client = client;
        if (w->style & WS_MINIMIZE) w->client = RECT{target.left, target.top, target.left, target.top};
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = target;
        if (!(flags & SWP_NOZORDER)) moveInZOrder(*w, insertAfter);
        if (flags & SWP_SHOWWINDOW) {
            w->style |= WS_VISIBLE;
            notePaintMayChange();
        }
        if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
        visible = (w->style & WS_VISIBLE) != 0;
        // A shown layered window (a banner) taking another place or size: such windows move on
        // their own, unlike frames and dialogs, whose moves follow what the program did.
        const bool layered = (w->exStyle & WS_EX_LAYERED) != 0;
        const std::wstring movedWindow =
            visible && layered && (moved || sized) ? windowJournalText(*w, L"moved") : std::wstring();
        if (!movedWindow.empty())
            movedText = movedWindow + L" from " + core::rectText(oldRect.left, oldRect.top, oldRect.right, oldRect.bottom) +
                        L" to " + core::rectText(target.left, target.top, target.right, target.bottom);
        // As on Windows, WM_SIZE and WM_MOVE follow the client area: a frame change that resizes
        // the client reports a size even when the window keeps its own.
        const bool clientSized = width(w->client) != width(oldClient) || height(w->client) != height(oldClient);
        const bool clientMoved = w->client.left - target.left != oldClient.left - oldRect.left ||
                                 w->client.top - target.top != oldClient.top - oldRect.top;
        pos.flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
        if (!sized && !clientSized) pos.flags |= SWP_NOSIZE;
        if (!moved && !clientMoved) pos.flags |= SWP_NOMOVE;
        pos.x = target.left;
        pos.y = target.top;
        pos.cx = width(target);
        pos.cy = height(target);
    }
    journalWindow(movedText);
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (topLevel && visible && !(flags & SWP_NOACTIVATE) && IsWindow(hwnd)) SetActiveWindow(hwnd);
    return TRUE;
}

}  // namespace platform::win32

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return setWindowPosition(hwnd, insertAfter, RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)}, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !rect) return failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    *rect = windowRectOnScreen(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !rect) return failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    *rect = RECT{0, 0, width(w->client), height(w->client)};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) { return shiftByClientOrigin(hwnd, point, +1); }

BOOL ScreenToClient(HWND hwnd, LPPOINT point) { return shiftByClientOrigin(hwnd, point, -1); }

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) return FALSE;
    // The inverse of the client computation, without scroll bars (as Windows does).
    const RECT probe{0, 0, 1000, 1000};
    const RECT client = clientFromWindowRect(probe, style & ~(WS_VSCROLL | WS_HSCROLL), exStyle);
    rect->left -= client.left - probe.left;
    rect->top -= client.top - probe.top;
    rect->right += probe.right - client.right;
    rect->bottom += probe.bottom - client.bottom;
    if (menu) rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

// ---- Painting --------------------------------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL erase) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return FALSE;
    markInvalid(*w, true);
    w->eraseBackground = w->eraseBackground || erase;
    platform::core::threads().notifyAll();
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT*) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return FALSE;
    markInvalid(*w, false);
    w->eraseBackground = false;
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return FALSE;
        if (!w->invalid || !effectivelyVisible(*w)) return TRUE;
    }
    SendMessageW(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    bool erase = false;
    RECT client{};
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return nullptr;
        erase = w->eraseBackground;
        markInvalid(*w, false);
        w->eraseBackground = false;
        client = RECT{0, 0, width(w->client), height(w->client)};
    }
    HDC dc = platform::win32::beginWindowPaint(hwnd, SIZE{client.right, client.bottom});
    BOOL erased = FALSE;
    if (erase) erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? TRUE : FALSE;
    if (paint) {
        *paint = PAINTSTRUCT{};
        paint->hdc = dc;
        paint->fErase = erase && !erased;
        paint->rcPaint = client;
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (paint) platform::win32::endWindowPaint(paint->hdc);
    return TRUE;
}
