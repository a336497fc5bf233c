// Window creation and destruction, with the message protocol frameworks rely on.
#include <algorithm>
#include <atomic>

#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window_drawing.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace {

constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;

// Default rectangles for CW_USEDEFAULT top-level windows: cascaded from the primary work area.
RECT defaultTopLevelRect(int x, int y, int width, int height, bool defaultPos, bool defaultSize) {
    static std::atomic<int> cascade{0};
    MONITORINFO info;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    if (defaultPos) {
        const int step = 26 * (cascade++ % 8);
        x = work.left + step;
        y = work.top + step;
    }
    if (defaultSize) {
        width = (work.right - work.left) * 3 / 4;
        height = (work.bottom - work.top) * 3 / 4;
    }
    return RECT{x, y, x + width, y + height};
}

MINMAXINFO defaultMinMax(DWORD style) {
    const int frame = frameThickness(style);
    MINMAXINFO info;
    const int screenX = GetSystemMetrics(SM_CXSCREEN), screenY = GetSystemMetrics(SM_CYSCREEN);
    info.ptMaxSize = POINT{screenX + 2 * frame, screenY + 2 * frame};
    info.ptMaxPosition = POINT{-frame, -frame};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXVIRTUALSCREEN) + 2 * frame + 12,
                                GetSystemMetrics(SM_CYVIRTUALSCREEN) + 2 * frame + 12};
    return info;
}

// Removes a window record (and nothing else) from the table.
void unlinkWindow(HWND hwnd) {
    auto& table = windowTable();
    auto self = findShared(hwnd);
    if (!self) return;
    if (Window* parent = self->parent ? findWindow(self->parent) : nullptr)
        std::erase(parent->children, hwnd);
    std::erase(table.topLevel, hwnd);
    for (auto& [handle, other] : table.windows)
        if (other->owner == hwnd) other->owner = nullptr;
    if (table.foreground == hwnd) table.foreground = nullptr;
    if (auto* t = platform::core::threads().find(self->thread)) {
        if (t->activeWindow == hwnd) t->activeWindow = nullptr;
        if (t->focusWindow == hwnd) t->focusWindow = nullptr;
        if (t->captureWindow == hwnd) t->captureWindow = nullptr;
    }
    dropQueuedFor(hwnd);
    table.invalidWindows.erase(hwnd);
    table.byHandle.erase(hwnd);
    table.windows.erase(hwnd);
}

void sendDestroyDownwards(HWND hwnd) {
    std::vector<HWND> children;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w || w->destroying) return;
        w->destroying = true;
    }
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    {
        Lock lock = lockPlatform();
        if (Window* w = findWindow(hwnd)) children = w->children;
    }
    for (HWND child : children) sendDestroyDownwards(child);
}

void sendNcDestroyUpwards(HWND hwnd) {
    std::vector<HWND> children;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return;
        children = w->children;
    }
    for (HWND child : children) sendNcDestroyUpwards(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    {
        Lock lock = lockPlatform();
        unlinkWindow(hwnd);
    }
    // Its painted pixels (a client area's worth) would otherwise stay until the process ends.
    forgetWindowDrawing(hwnd);
}

// WM_PARENTNOTIFY(WM_CREATE, WM_DESTROY) goes up the chain of ancestors (once a child is made,
// before it is shown; before anything of it is torn down), stopping at a window that asks not
// to notify (WS_EX_NOPARENTNOTIFY) or at the top-level window.
void notifyAncestors(HWND hwnd, UINT event) {
    std::vector<HWND> ancestors;
    WPARAM notice = 0;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return;
        notice = MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(w->id));
        for (Window* c = w; c && c->parent && !(c->exStyle & WS_EX_NOPARENTNOTIFY); c = findWindow(c->parent))
            ancestors.push_back(c->parent);
    }
    for (HWND ancestor : ancestors)
        if (IsWindow(ancestor)) SendMessageW(ancestor, WM_PARENTNOTIFY, notice, reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
    const bool wantVisible = (style & WS_VISIBLE) != 0;
    const bool child = (style & WS_CHILD) != 0;
    const bool messageOnly = parent == HWND_MESSAGE;
    if (messageOnly) parent = nullptr;
    if (!child && !(style & WS_POPUP)) style |= WS_CLIPSIBLINGS | WS_CAPTION;  // overlapped windows
    HWND hwnd = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    {
        Lock lock = lockPlatform();
        windowClass = findClass(className);
        if (!windowClass) return failWith(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
        Window* parentWindow = parent ? findWindow(parent) : nullptr;
        if (parent && !parentWindow) return failWith(ERROR_INVALID_WINDOW_HANDLE, nullptr);
        if (child && !parentWindow) return failWith(ERROR_TLW_WITH_WSCHILD, nullptr);
        auto w = std::make_shared<Window>();
        auto& table = windowTable();
        hwnd = reinterpret_cast<HWND>(table.nextHandle);
        table.nextHandle += 4;
        w->handle = hwnd;
        w->windowClass = windowClass;
        w->style = style & ~WS_VISIBLE;
        w->exStyle = exStyle;
        w->messageOnly = messageOnly;
        w->instance = instance;
        w->proc = windowClass->proc;
        w->thread = currentThread(lock);
        if (child) {
            w->parent = parent;
            w->id = static_cast<int>(reinterpret_cast<std::intptr_t>(menuOrId));
            if (x == CW_USEDEFAULT) x = y = 0;
            if (width == CW_USEDEFAULT) width = height = 0;
            w->rect = RECT{x, y, x + width, y + height};
            parentWindow->children.push_back(hwnd);
        } else {
            // The owner of a top-level window is always a top-level window.
            Window* owner = rootOf(parentWindow);
            w->owner = owner ? owner->handle : nullptr;
            w->menu = menuOrId;
            lock.unlock();
            const bool defaultPos = x == CW_USEDEFAULT, defaultSize = width == CW_USEDEFAULT;
            const RECT r = (defaultPos || defaultSize) ? defaultTopLevelRect(x, y, width, height, defaultPos, defaultSize)
                                                       : RECT{x, y, x + width, y + height};
            lock.lock();
            w->rect = r;
            if (!messageOnly) table.topLevel.insert(table.topLevel.begin(), hwnd);
        }
        w->client = clientFromWindowRect(w->rect, w->style, w->exStyle);
        w->normalRect = w->rect;
        table.byHandle[hwnd] = w.get();
        table.windows[hwnd] = std::move(w);
    }

    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    auto fillGeometry = [&] {
        Lock lock = lockPlatform();
        if (Window* w = findWindow(hwnd)) {
            cs.x = w->rect.left;
            cs.y = w->rect.top;
            cs.cx = w->rect.right - w->rect.left;
            cs.cy = w->rect.bottom - w->rect.top;
        }
    };
    fillGeometry();

    // The CBT hook sees the window before its first message (frameworks attach their objects here).
    CBT_CREATEWNDW cbt{&cs, HWND_TOP};
    LRESULT refused = 0;
    runCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt), refused);
    if (refused) {
        Lock lock = lockPlatform();
        unlinkWindow(hwnd);
        return nullptr;
    }

    if (!child && !messageOnly) {
        MINMAXINFO minMax = defaultMinMax(style);
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&minMax));
        Lock lock = lockPlatform();
        if (Window* w = findWindow(hwnd)) {
            const LONG cx = std::min(w->rect.right - w->rect.left, minMax.ptMaxTrackSize.x);
            const LONG cy = std::min(w->rect.bottom - w->rect.top, minMax.ptMaxTrackSize.y);
            w->rect.right = w->rect.left + cx;
            w->rect.bottom = w->rect.top + cy;
            w->normalRect = w->rect;
        }
    }
    fillGeometry();

    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        sendNcDestroyUpwards(hwnd);
        return failWith(ERROR_CANCELLED, nullptr);
    }
    if (!IsWindow(hwnd)) return nullptr;

    RECT clientArea;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return nullptr;
        clientArea = w->rect;
    }
    SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&clientArea));
    std::wstring created;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return nullptr;
        w->client = clientArea;
        created = windowJournalText(*w, L"created");
    }
    journalWindow(created);

    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return failWith(ERROR_CANCELLED, nullptr);
    }
    RECT client;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return nullptr;
        client = w->client;
    }
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(client.right - client.left), static_cast<WORD>(client.bottom - client.top)));
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(client.left), static_cast<WORD>(client.top)));
    if (child) notifyAncestors(hwnd, WM_CREATE);
    if (!IsWindow(hwnd)) return nullptr;

    if (wantVisible) {
        int show = SW_SHOW;
        if (style & WS_MAXIMIZE) show = SW_SHOWMAXIMIZED;
        if (style & WS_MINIMIZE) show = SW_SHOWMINIMIZED;
        if (child || (exStyle & WS_EX_NOACTIVATE)) show = show == SW_SHOW ? SW_SHOWNA : show;
        {
            // Created with WS_MAXIMIZE/WS_MINIMIZE: the bits describe the target state.
            Lock lock = lockPlatform();
            if (Window* w = findWindow(hwnd)) w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        }
        ShowWindow(hwnd, show);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    // Once the process has ended its windows are gone with it; what its objects' destructors
    // still ask for at exit finds none.
    if (platform::core::process().terminated()) return failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    std::vector<HWND> owned;
    std::wstring destroyed;
    {
        Lock lock = lockPlatform();
        Window* w = findOwned(lock, hwnd, "DestroyWindow");
        if (!w) return FALSE;
        if (w->destroying) return TRUE;  // already on its way (e.g. from its own WM_DESTROY)
        for (const auto& [handle, other] : windowTable().windows)
            if (other->owner == hwnd) owned.push_back(handle);
        destroyed = windowJournalText(*w, L"destroyed");
    }
    LRESULT refused = 0;
    runCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0, refused);
    if (refused) return FALSE;
    notifyAncestors(hwnd, WM_DESTROY);

    // Owned windows go first, as a whole.
    for (HWND o : owned)
        if (IsWindow(o)) DestroyWindow(o);

    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return TRUE;
        w->style &= ~WS_VISIBLE;
    }
    dropFocusInside(hwnd);
    activateAfterLeaving(hwnd);

    sendDestroyDownwards(hwnd);
    sendNcDestroyUpwards(hwnd);
    journalWindow(destroyed);
    return TRUE;
}

namespace platform::win32 {
void destroyThreadWindows() {
    std::vector<HWND> roots;
    {
        Lock lock = lockPlatform();
        const DWORD me = currentThread(lock);
        for (const auto& [handle, w] : windowTable().windows) {
            if (w->thread != me) continue;
            const Window* parent = w->parent ? findWindow(w->parent) : nullptr;
            if (!parent || parent->thread != me) roots.push_back(handle);
        }
    }
    for (HWND root : roots)
        if (IsWindow(root)) DestroyWindow(root);
}
}  // namespace platform::win32

BOOL IsWindow(HWND hwnd) {
    if (platform::core::process().terminated()) return FALSE;
    Lock lock = lockPlatform();
    return findWindow(hwnd) != nullptr;
}

// ---- Hooks -----------------------------------------------------------------------------------

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
    if (idHook != WH_CBT || !proc) return failWith(ERROR_INVALID_PARAMETER, nullptr);
    Lock lock = lockPlatform();
    auto& threads = platform::core::threads();
    auto* target = threadId == 0 ? &threads.current(lock) : threads.find(threadId);
    if (!target) return failWith(ERROR_INVALID_PARAMETER, nullptr);
    const auto handle = windowTable().nextHook;
    windowTable().nextHook += 4;
    target->cbtHooks.insert(target->cbtHooks.begin(), {handle, reinterpret_cast<void*>(proc)});
    return reinterpret_cast<HHOOK>(handle);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    Lock lock = lockPlatform();
    const auto handle = reinterpret_cast<std::uintptr_t>(hook);
    auto& threads = platform::core::threads();
    for (DWORD id : threads.ids()) {
        auto* t = threads.find(id);
        const auto before = t->cbtHooks.size();
        std::erase_if(t->cbtHooks, [&](const auto& h) { return h.first == handle; });
        if (t->cbtHooks.size() != before) return TRUE;
    }
    return failWith(ERROR_INVALID_PARAMETER, FALSE);
}

namespace {
// The hook after `after` in the calling thread's chain (the first one when `after` is 0).
HOOKPROC nextHook(std::uintptr_t after, std::uintptr_t& handle) {
    Lock lock = lockPlatform();
    auto& me = platform::core::threads().current(lock);
    bool found = after == 0;
    for (const auto& [h, proc] : me.cbtHooks) {
        if (found) {
            handle = h;
            return reinterpret_cast<HOOKPROC>(proc);
        }
        if (h == after) found = true;
    }
    return nullptr;
}
}  // namespace

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    std::uintptr_t handle = 0;
    HOOKPROC proc = nextHook(reinterpret_cast<std::uintptr_t>(hook), handle);
    return proc ? proc(code, wParam, lParam) : 0;
}

namespace platform::win32 {
void runCbtHooks(int code, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    std::uintptr_t handle = 0;
    HOOKPROC proc = nextHook(0, handle);
    result = proc ? proc(code, wParam, lParam) : 0;
}
}  // namespace platform::win32
