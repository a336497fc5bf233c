// The restored rectangle of a window, apart from its minimised or maximised state.
#include <algorithm>

#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !placement) return FALSE;
    *placement = WINDOWPLACEMENT{};
    placement->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                         : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                    : SW_SHOWNORMAL;
    placement->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    if (!placement) return FALSE;
    if (auto done = onOwnerThread<BOOL>(hwnd, [&] { return SetWindowPlacement(hwnd, placement); })) return *done;
    RECT r = placement->rcNormalPosition;
    bool topLevel = false;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "SetWindowPlacement");
        if (!w) return FALSE;
        topLevel = !(w->style & WS_CHILD);
    }
    // As Windows does, a top-level window that would lie wholly off every monitor is moved into
    // the work area of the nearest one (keeping its size where it fits).
    if (topLevel && !MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) {
        MONITORINFO info{};
        if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
            const RECT work = info.rcWork;
            const LONG width = std::min(r.right - r.left, work.right - work.left);
            const LONG height = std::min(r.bottom - r.top, work.bottom - work.top);
            const LONG left = std::clamp(r.left, work.left, work.right - width);
            const LONG top = std::clamp(r.top, work.top, work.bottom - height);
            r = RECT{left, top, left + width, top + height};
        }
    }
    bool restored = false;
    UINT current = SW_SHOWNORMAL;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "SetWindowPlacement");
        if (!w) return FALSE;
        w->normalRect = r;
        restored = !(w->style & (WS_MINIMIZE | WS_MAXIMIZE));
        current = (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    if (restored) SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (placement->showCmd != current && placement->showCmd != 0) ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}
