#include <vector>

#include "platform/core/journal.h"
#include "platform/win32/window/window.h"

BOOL RedrawWindow(HWND hwnd, const RECT* rect, void* region, UINT flags) {
    if (!IsWindow(hwnd)) return FALSE;
    if (region) {
        platform::core::reportFailure(L"RedrawWindow: update regions are not built in the stand-in");
        return FALSE;
    }
    std::vector<HWND> windows{hwnd};
    if (flags & RDW_ALLCHILDREN) {
        for (std::size_t i = 0; i < windows.size(); ++i)
            for (HWND child = GetWindow(windows[i], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                windows.push_back(child);
    }
    if (flags & RDW_INVALIDATE) {
        for (HWND window : windows) InvalidateRect(window, window == hwnd ? rect : nullptr, (flags & RDW_ERASE) != 0);
    }
    if (flags & RDW_UPDATENOW) {
        for (HWND window : windows)
            if (IsWindow(window)) UpdateWindow(window);
    }
    return TRUE;
}
