// Window state: visibility and show state, enabled flag, text, window longs.
#include <algorithm>
#include <utility>

#include "platform/core/api_text.h"
#include "platform/core/config.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace {

enum class Placement { Keep, Normal, Minimized, Maximized };

// Where a maximised window goes: the work area of its monitor (top-level) or the parent's
// client area (child), grown by the frame so that the frame lies outside.
RECT maximizedRect(const Window& w) {
    const int frame = frameThickness(w.style);
    RECT area{};
    if (w.parent) {
        if (Window* parent = findWindow(w.parent))
            area = RECT{0, 0, parent->client.right - parent->client.left, parent->client.bottom - parent->client.top};
    } else {
        MONITORINFO info;
        HMONITOR monitor = MonitorFromRect(&w.normalRect, MONITOR_DEFAULTTONEAREST);
        GetMonitorInfoW(monitor, &info);
        area = info.rcWork;
    }
    return RECT{area.left - frame, area.top - frame, area.right + frame, area.bottom + frame};
}

// Whether a window long index addresses the class's extra window bytes.
bool isExtraBytesIndex(const Window& w, int index) {
    return index >= 0 && index + static_cast<int>(sizeof(LONG_PTR)) <= w.windowClass->windowExtra;
}

const RECT kMinimizedRect{-32000, -32000, -32000 + 160, -32000 + 28};

// Applies a show state change; sends the sizing messages through SetWindowPos.
void applyPlacement(HWND hwnd, Placement placement) {
    RECT target{};
    UINT sizeFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return;
        const bool wasNormal = !(w->style & (WS_MINIMIZE | WS_MAXIMIZE));
        if (placement == Placement::Normal && wasNormal) return;
        if (placement == Placement::Minimized && (w->style & WS_MINIMIZE)) return;
        if (placement == Placement::Maximized && (w->style & WS_MAXIMIZE)) return;
        if (wasNormal) w->normalRect = w->rect;
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        switch (placement) {
            case Placement::Normal: target = w->normalRect; break;
            case Placement::Minimized:
                w->style |= WS_MINIMIZE;
                target = kMinimizedRect;
                break;
            case Placement::Maximized:
                w->style |= WS_MAXIMIZE;
                target = maximizedRect(*w);
                break;
            case Placement::Keep: return;
        }
    }
    setWindowPosition(hwnd, nullptr, target, sizeFlags);
}

bool activates(int cmd) {
    switch (cmd) {
        case SW_SHOWNORMAL:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMAXIMIZED:
        case SW_SHOW:
        case SW_RESTORE:
        case SW_SHOWDEFAULT: return true;
        default: return false;
    }
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    if (cmdShow == SW_SHOWDEFAULT) {
        const int configured = platform::core::config().showCommand;
        cmdShow = configured == SW_SHOWDEFAULT ? SW_SHOWNORMAL : configured;
    }
    if (auto done = onOwnerThread<BOOL>(hwnd, [&] { return ShowWindow(hwnd, cmdShow); })) return *done;
    bool wasVisible = false;
    bool topLevel = false;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "ShowWindow");
        if (!w) return FALSE;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        topLevel = isTopLevel(*w);
    }

    if (cmdShow == SW_HIDE) {
        if (!wasVisible) return FALSE;
        SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
        std::wstring text;
        {
            Lock lock = lockPlatform();
            Window* w = findWindow(hwnd);
            if (!w) return TRUE;
            w->style &= ~WS_VISIBLE;
            text = windowJournalText(*w, L"hidden");
        }
        WINDOWPOS pos{hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE};
        SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
        journalWindow(text);
        dropFocusInside(hwnd);
        if (topLevel) activateAfterLeaving(hwnd);
        return TRUE;
    }

    Placement placement = Placement::Keep;
    switch (cmdShow) {
        case SW_SHOWNORMAL:
        case SW_SHOWNOACTIVATE:
        case SW_RESTORE: placement = Placement::Normal; break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE: placement = Placement::Minimized; break;
        case SW_SHOWMAXIMIZED: placement = Placement::Maximized; break;
        default: break;
    }

    if (!wasVisible) SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    std::wstring shown;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return FALSE;
        if (!wasVisible) {
            w->style |= WS_VISIBLE;
            notePaintMayChange();
            shown = windowJournalText(*w, L"shown");
        }
    }
    journalWindow(shown);
    if (placement != Placement::Keep) applyPlacement(hwnd, placement);
    if (!wasVisible) {
        WINDOWPOS pos{hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE};
        SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    if (topLevel && IsWindow(hwnd)) {
        if (cmdShow == SW_MINIMIZE) {
            activateAfterLeaving(hwnd);
        } else if (activates(cmdShow)) {
            SetActiveWindow(hwnd);
        }
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    return w && effectivelyVisible(*w) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    if (auto done = onOwnerThread<BOOL>(hwnd, [&] { return EnableWindow(hwnd, enable); })) return *done;
    bool wasDisabled = false;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "EnableWindow");
        if (!w) return FALSE;
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
    }
    if (!enable) SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return wasDisabled ? TRUE : FALSE;
        if (enable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
    }
    // A disabled window cannot hold the focus; the focus inside it (its children) stays.
    if (!enable && GetFocus() == hwnd) SetFocus(nullptr);
    SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

// ---- Text ------------------------------------------------------------------------------------

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    // Another thread's window gets the message on its own thread, as SendMessage delivers it.
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) {
            buffer[0] = L'\0';
            return failWith(ERROR_INVALID_WINDOW_HANDLE, 0);
        }
        // Another thread's window: read the stored text (thread-safe, never blocks).
        if (w->thread != currentThread(lock)) {
            return static_cast<int>(platform::core::copyTruncated(w->text, buffer, static_cast<std::size_t>(maxCount)));
        }
    }
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return 0;
        if (w->thread != currentThread(lock)) return static_cast<int>(w->text.size());
    }
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

// ---- Window longs ----------------------------------------------------------------------------

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, 0);
    switch (index) {
        case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
        case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_USERDATA: return w->userData;
        case GWLP_ID: return w->parent ? w->id : reinterpret_cast<LONG_PTR>(w->menu);
        case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
        default: break;
    }
    if (!isExtraBytesIndex(*w, index)) return failWith(ERROR_INVALID_INDEX, 0);
    auto it = w->extraBytes.find(index);
    return it == w->extraBytes.end() ? 0 : it->second;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    if (auto done = onOwnerThread<LONG_PTR>(hwnd, [&] { return SetWindowLongPtrW(hwnd, index, value); })) return *done;
    Lock lock = lockPlatform();
    Window* w = findOwned(lock, hwnd, "SetWindowLongPtrW");
    if (!w) return 0;
    LONG_PTR old = 0;
    switch (index) {
        case GWL_STYLE:
            old = static_cast<LONG_PTR>(w->style);
            w->style = static_cast<DWORD>(value);
            notePaintMayChange();
            return old;
        case GWL_EXSTYLE:
            old = static_cast<LONG_PTR>(w->exStyle);
            w->exStyle = static_cast<DWORD>(value);
            return old;
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(w->proc);
            w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_USERDATA: return std::exchange(w->userData, value);
        case GWLP_ID:
            if (w->parent) return std::exchange(w->id, static_cast<int>(value));
            return reinterpret_cast<LONG_PTR>(std::exchange(w->menu, reinterpret_cast<HMENU>(value)));
        case GWLP_HWNDPARENT:
            if (w->parent) {
                // On a child window it changes the parent, as SetParent does.
                lock.unlock();
                return reinterpret_cast<LONG_PTR>(SetParent(hwnd, reinterpret_cast<HWND>(value)));
            }
            return reinterpret_cast<LONG_PTR>(std::exchange(w->owner, reinterpret_cast<HWND>(value)));
        default: break;
    }
    if (!isExtraBytesIndex(*w, index)) return failWith(ERROR_INVALID_INDEX, 0);
    return std::exchange(w->extraBytes[index], value);
}
