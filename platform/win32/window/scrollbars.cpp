#include <algorithm>
#include <string>

#include "platform/core/journal.h"
#include "platform/win32/window/scrollbars.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace {

Window::ScrollBar* barOf(Window& w, int bar) {
    if (bar == SB_HORZ) return &w.horizontalBar;
    if (bar == SB_VERT) return &w.verticalBar;
    return nullptr;
}

DWORD styleOf(int bar) {
    switch (bar) {
        case SB_HORZ: return WS_HSCROLL;
        case SB_VERT: return WS_VSCROLL;
        case SB_BOTH: return WS_HSCROLL | WS_VSCROLL;
        default: return 0;
    }
}

bool refuseControlBar(int bar, const wchar_t* call) {
    if (bar == SB_HORZ || bar == SB_VERT) return false;
    platform::core::reportFailure(std::wstring(call) + L": scroll bar " + std::to_wstring(bar) +
                                  L" is not modelled (only a window's own bars)");
    return true;
}

// Keeps the page within the range's size and the position where the page still fits.
void normalise(Window::ScrollBar& b) {
    const long long size = static_cast<long long>(b.max) - b.min + 1;
    b.page = static_cast<int>(std::clamp<long long>(b.page, 0, std::max<long long>(size, 0)));
    const long long last = static_cast<long long>(b.max) - std::max(b.page - 1, 0);
    b.pos = static_cast<int>(std::clamp<long long>(b.pos, b.min, std::max<long long>(last, b.min)));
}

bool scrollable(const Window::ScrollBar& b) {
    return b.max > b.min && static_cast<long long>(b.page) <= static_cast<long long>(b.max) - b.min;
}

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (refuseControlBar(bar, L"SetScrollInfo")) return 0;
    if (auto done = onOwnerThread<int>(hwnd, [&] { return SetScrollInfo(hwnd, bar, info, redraw); })) return *done;
    int position = 0;
    bool setVisibility = false, show = false;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "SetScrollInfo");
        if (!w || !info) return 0;
        Window::ScrollBar& b = *barOf(*w, bar);
        if (info->fMask & SIF_RANGE) {
            // An inverted range is no range: (0, 0), as Windows keeps it.
            const bool valid = info->nMin <= info->nMax;
            b.min = valid ? info->nMin : 0;
            b.max = valid ? info->nMax : 0;
        }
        if (info->fMask & SIF_PAGE) b.page = static_cast<int>(std::min<UINT>(info->nPage, 0x7FFFFFFF));
        if (info->fMask & SIF_POS) b.pos = info->nPos;
        normalise(b);
        position = b.pos;
        if ((info->fMask & (SIF_RANGE | SIF_PAGE)) && !(info->fMask & SIF_DISABLENOSCROLL)) {
            show = scrollable(b);
            setVisibility = show != ((w->style & styleOf(bar)) != 0);
        }
    }
    if (setVisibility) ShowScrollBar(hwnd, bar, show);
    return position;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (refuseControlBar(bar, L"GetScrollInfo")) return FALSE;
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !info) return FALSE;
    const Window::ScrollBar& b = *barOf(*w, bar);
    if (info->fMask & SIF_RANGE) {
        info->nMin = b.min;
        info->nMax = b.max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(b.page);
    if (info->fMask & SIF_POS) info->nPos = b.pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = b.trackPos;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    const DWORD bits = styleOf(bar);
    if (!bits) {
        platform::core::reportFailure(L"ShowScrollBar: scroll bar " + std::to_wstring(bar) + L" is not modelled");
        return FALSE;
    }
    if (auto done = onOwnerThread<BOOL>(hwnd, [&] { return ShowScrollBar(hwnd, bar, show); })) return *done;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "ShowScrollBar");
        if (!w) return FALSE;
        const DWORD style = show ? (w->style | bits) : (w->style & ~bits);
        if (style == w->style) return TRUE;
        w->style = style;
    }
    // The non-client area changed: the client area is computed again.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

namespace platform::win32 {

void setScrollTrackPosition(HWND hwnd, int bar, int position) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return;
    barOf(*w, bar)->trackPos = position;
}

}  // namespace platform::win32
