// Activation, foreground, focus and capture. The active and focus windows are per thread; the
// foreground window is process-wide. WM_ACTIVATEAPP goes to the calling thread's own top-level
// windows only (no cross-thread sends from here).
#include <algorithm>
#include <utility>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/win32/window_table.h"

using namespace platform::win32;

namespace {

std::vector<HWND> threadTopLevel(DWORD thread) {
    std::vector<HWND> out;
    for (HWND h : windowTable().topLevel)
        if (Window* w = findWindow(h); w && w->thread == thread) out.push_back(h);
    return out;
}

void sendActivateApp(const std::vector<HWND>& windows, BOOL active) {
    for (HWND h : windows)
        if (IsWindow(h)) SendMessageW(h, WM_ACTIVATEAPP, active, 0);
}

// Makes `hwnd` (a top-level window of the calling thread, or null) the thread's active window.
HWND activate(HWND hwnd) {
    HWND old = nullptr;
    bool appWasActive = false;
    std::vector<HWND> ownWindows;
    {
        Lock lock = lockPlatform();
        auto& me = platform::core::threads().current(lock);
        old = me.activeWindow;
        if (old == hwnd) return old;
        auto& table = windowTable();
        Window* fg = findWindow(table.foreground);
        appWasActive = fg && fg->thread == me.id;
        me.activeWindow = hwnd;
        if (hwnd) {
            table.foreground = hwnd;
            if (Window* w = findWindow(hwnd); w && !w->messageOnly) {
                std::erase(table.topLevel, hwnd);
                table.topLevel.insert(table.topLevel.begin(), hwnd);
            }
        } else if (table.foreground == old) {
            table.foreground = nullptr;
        }
        ownWindows = threadTopLevel(me.id);
    }
    if (old && IsWindow(old)) {
        SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
    }
    if (!hwnd) {
        if (appWasActive) sendActivateApp(ownWindows, FALSE);
        return old;
    }
    if (!appWasActive) sendActivateApp(ownWindows, TRUE);
    if (IsWindow(hwnd)) {
        SendMessageW(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    }
    return old;
}

bool canActivate(const Window& w) {
    return (w.style & WS_VISIBLE) && !(w.style & WS_DISABLED) && !w.destroying && !w.messageOnly;
}

}  // namespace

namespace platform::win32 {

void activateAfterLeaving(HWND leaving) {
    HWND next = nullptr;
    {
        Lock lock = lockPlatform();
        auto& me = core::threads().current(lock);
        if (!me.activeWindow || !isDescendant(leaving, me.activeWindow)) {
            // Not the active one; it may still be the foreground of another thread's making.
            if (windowTable().foreground == leaving) windowTable().foreground = nullptr;
            return;
        }
        Window* w = findWindow(leaving);
        if (Window* owner = w && w->owner ? findWindow(w->owner) : nullptr;
            owner && owner->thread == me.id && canActivate(*owner)) {
            next = owner->handle;
        } else {
            for (HWND h : threadTopLevel(me.id)) {
                Window* c = findWindow(h);
                if (h != leaving && c->owner != leaving && canActivate(*c) && !(c->style & WS_MINIMIZE)) {
                    next = h;
                    break;
                }
            }
        }
    }
    activate(next);
}

void dropFocusInside(HWND hwnd) {
    HWND focus = nullptr;
    {
        Lock lock = lockPlatform();
        auto& me = core::threads().current(lock);
        if (me.captureWindow && isDescendant(hwnd, me.captureWindow)) me.captureWindow = nullptr;
        if (!me.focusWindow || !isDescendant(hwnd, me.focusWindow)) return;
        focus = me.focusWindow;
        me.focusWindow = nullptr;
    }
    SendMessageW(focus, WM_KILLFOCUS, 0, 0);
}

}  // namespace platform::win32

HWND SetActiveWindow(HWND hwnd) {
    if (hwnd) {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "SetActiveWindow");
        if (!w) return nullptr;
        hwnd = rootOf(w)->handle;
    }
    return activate(hwnd);
}

HWND GetActiveWindow() {
    Lock lock = lockPlatform();
    return platform::core::threads().current(lock).activeWindow;
}

BOOL SetForegroundWindow(HWND hwnd) {
    DWORD owner = 0;
    HWND root = nullptr;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return FALSE;
        root = rootOf(w)->handle;
        owner = w->thread;
        if (owner != currentThread(lock)) {
            // Another thread's window: allowed (and recorded); that thread learns it has become
            // active without activation messages.
            auto& table = windowTable();
            table.foreground = root;
            if (auto* t = platform::core::threads().find(owner)) t->activeWindow = root;
            std::erase(table.topLevel, root);
            table.topLevel.insert(table.topLevel.begin(), root);
            lock.unlock();
            platform::core::journal().add("window", L"foreground " + platform::core::handleText(root) + L" from thread " +
                                                        std::to_wstring(platform::core::threads().currentId()));
            return TRUE;
        }
    }
    activate(root);
    return TRUE;
}

HWND GetForegroundWindow() {
    Lock lock = lockPlatform();
    return windowTable().foreground;
}

BOOL BringWindowToTop(HWND hwnd) {
    bool topLevel = false;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "BringWindowToTop");
        if (!w) return FALSE;
        topLevel = isTopLevel(*w);
    }
    if (topLevel) {
        SetActiveWindow(hwnd);
        return TRUE;
    }
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND SetFocus(HWND hwnd) {
    if (hwnd) {
        HWND root = nullptr;
        bool needsActivation = false;
        {
            Lock lock = lockPlatform();
            Window* w = findOwned(lock, hwnd, "SetFocus");
            if (!w) return nullptr;
            root = rootOf(w)->handle;
            needsActivation = platform::core::threads().current(lock).activeWindow != root;
        }
        if (needsActivation) activate(root);
    }
    HWND old = nullptr;
    {
        Lock lock = lockPlatform();
        if (hwnd && !findWindow(hwnd)) return nullptr;
        auto& me = platform::core::threads().current(lock);
        old = me.focusWindow;
        if (old == hwnd) return old;
        me.focusWindow = hwnd;
    }
    if (old && IsWindow(old)) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && IsWindow(hwnd) && GetFocus() == hwnd) SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    Lock lock = lockPlatform();
    return platform::core::threads().current(lock).focusWindow;
}

HWND SetCapture(HWND hwnd) {
    HWND old = nullptr;
    {
        Lock lock = lockPlatform();
        if (!findOwned(lock, hwnd, "SetCapture")) return nullptr;
        auto& me = platform::core::threads().current(lock);
        old = std::exchange(me.captureWindow, hwnd);
    }
    if (old && old != hwnd && IsWindow(old))
        SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    HWND old = nullptr;
    {
        Lock lock = lockPlatform();
        old = std::exchange(platform::core::threads().current(lock).captureWindow, nullptr);
    }
    if (old && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    Lock lock = lockPlatform();
    return platform::core::threads().current(lock).captureWindow;
}
