// Activation, foreground, focus and capture. The active and focus windows are per thread; the
// foreground window is process-wide. WM_ACTIVATEAPP goes to the calling thread's own top-level
// windows only (no cross-thread sends from here): a thread whose window gains or loses the
// foreground through another thread sends its own activation messages when it next pumps.
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/win32/window/window_table.h"

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

// Moves the foreground to `root` (a top-level window) and tells the thread that held it, when
// that is neither the caller nor the new owner, to follow when it next pumps (lock held).
void moveForeground(Lock& lock, HWND root, DWORD newOwner) {
    auto& table = windowTable();
    auto& threads = platform::core::threads();
    Window* previous = findWindow(table.foreground);
    const DWORD me = currentThread(lock);
    if (previous && previous->thread != me && previous->thread != newOwner)
        if (auto* t = threads.find(previous->thread)) t->queue.foregroundChanged = true;
    table.foreground = root;
    if (Window* w = findWindow(root); w && !w->messageOnly) {
        std::erase(table.topLevel, root);
        table.topLevel.insert(table.topLevel.begin(), root);
    }
    if (newOwner != me)
        if (auto* t = threads.find(newOwner)) t->queue.foregroundChanged = true;
    threads.notifyAll();
}

// Makes `hwnd` (a top-level window of the calling thread, or null) the thread's active window.
// WM_ACTIVATEAPP goes out when the thread gains or loses the foreground: by default judged from
// the foreground window, or as the caller knows it when another thread already moved it.
HWND activate(HWND hwnd, std::optional<bool> threadWasForeground = std::nullopt) {
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
        appWasActive = threadWasForeground.value_or(fg && fg->thread == me.id);
        me.activeWindow = hwnd;
        if (hwnd) {
            moveForeground(lock, hwnd, me.id);
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

void followForeground(Lock& lock, core::ThreadRecord& me) {
    me.queue.foregroundChanged = false;
    Window* fg = findWindow(windowTable().foreground);
    const bool mine = fg && fg->thread == me.id && !fg->destroying;
    const HWND target = mine ? fg->handle : nullptr;
    if (target == me.activeWindow) return;
    lock.unlock();
    // Gaining the foreground from another thread, or losing it to one: WM_ACTIVATEAPP either way;
    // a thread left without an active window keeps no focus either.
    activate(target, !mine);
    if (!mine) SetFocus(nullptr);
    lock.lock();
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
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    const HWND root = rootOf(w)->handle;
    const DWORD owner = w->thread;
    auto& me = platform::core::threads().current(lock);
    Window* previous = findWindow(windowTable().foreground);
    const bool wasMine = previous && previous->thread == me.id;
    moveForeground(lock, root, owner);
    lock.unlock();
    if (owner == me.id) {
        activate(root, wasMine);
        return TRUE;
    }
    // Another thread's window is the foreground at once; its thread activates it when it next
    // pumps, and the caller's own active window lets go now.
    platform::core::journal().add("window", L"foreground " + platform::core::handleText(root) + L" from thread " +
                                                std::to_wstring(me.id));
    lock.lock();
    followForeground(lock, me);
    return TRUE;
}

HWND GetForegroundWindow() {
    Lock lock = lockPlatform();
    return windowTable().foreground;
}

BOOL BringWindowToTop(HWND hwnd) {
    if (auto done = onOwnerThread<BOOL>(hwnd, [&] { return BringWindowToTop(hwnd); })) return *done;
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

