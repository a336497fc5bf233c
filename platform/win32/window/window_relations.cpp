// The window tree: parents, owners, z-order, enumeration. Reads are thread-safe.
#include <algorithm>

#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"
#include "platform/win32/window/descendants_walk.h"

using namespace platform::win32;

namespace {

void collectDescendants(const Window& w, std::vector<HWND>& out) {
    for (HWND child : w.children) {
        out.push_back(child);
        if (Window* c = findWindow(child)) collectDescendants(*c, out);
    }
}

// Calls `proc` for each window of the snapshot that still exists, until it says stop (false).
bool visitLiving(const std::vector<HWND>& snapshot, WNDENUMPROC proc, LPARAM lParam) {
    for (HWND h : snapshot) {
        if (IsWindow(h) && !proc(h, lParam)) return false;
    }
    return true;
}

}  // namespace

HWND GetParent(HWND hwnd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    if (w->parent) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
    if (newParent == HWND_MESSAGE) newParent = nullptr;
    Lock lock = lockPlatform();
    // Another thread's window may be re-parented too, as on Windows.
    Window* w = findWindow(child);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    if (newParent && (!findWindow(newParent) || isDescendant(child, newParent)))
        return failWith(ERROR_INVALID_PARAMETER, nullptr);
    auto& table = windowTable();
    const HWND old = w->parent;
    if (old == newParent) return old;
    if (Window* p = old ? findWindow(old) : nullptr)
        std::erase(p->children, child);
    else
        std::erase(table.topLevel, child);
    // Coordinates stay numerically the same, now relative to the new parent's client area.
    w->parent = newParent;
    notePaintMayChange();
    if (newParent) {
        w->owner = nullptr;
        findWindow(newParent)->children.insert(findWindow(newParent)->children.begin(), child);
    } else if (!w->messageOnly) {
        table.topLevel.insert(table.topLevel.begin(), child);
    }
    return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    if (cmd == GW_OWNER) return w->owner;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    const auto* siblings = siblingsOf(*w);
    if (!siblings || siblings->empty()) return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    switch (cmd) {
        case GW_HWNDFIRST: return siblings->front();
        case GW_HWNDLAST: return siblings->back();
        case GW_HWNDNEXT:
            return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
        case GW_HWNDPREV: return (it == siblings->end() || it == siblings->begin()) ? nullptr : *(it - 1);
        default: return nullptr;
    }
}

namespace platform::win32 {

HWND firstChildElseNext(HWND hwnd, bool& child) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    child = w && !w->children.empty();
    if (child) return w->children.front();
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    const auto* siblings = siblingsOf(*w);
    if (!siblings) return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
}

}  // namespace platform::win32

HWND GetTopWindow(HWND hwnd) {
    Lock lock = lockPlatform();
    if (!hwnd) return windowTable().topLevel.empty() ? nullptr : windowTable().topLevel.front();
    Window* w = findWindow(hwnd);
    return (w && !w->children.empty()) ? w->children.front() : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return nullptr;
    switch (flags) {
        case GA_PARENT: return w->parent;
        case GA_ROOT: return rootOf(w)->handle;
        case GA_ROOTOWNER: {
            Window* r = rootOf(w);
            while (r->owner)
                if (Window* o = findWindow(r->owner)) r = rootOf(o); else break;
            return r->handle;
        }
        default: return nullptr;
    }
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Lock lock = lockPlatform();
    return parent != hwnd && findWindow(parent) && isDescendant(parent, hwnd) ? TRUE : FALSE;
}

HWND GetDlgItem(HWND dialog, int id) {
    Lock lock = lockPlatform();
    Window* w = findWindow(dialog);
    if (!w) return nullptr;
    for (HWND child : w->children)
        if (Window* c = findWindow(child); c && c->id == id) return child;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    return (w && w->parent) ? w->id : 0;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
    std::vector<HWND> snapshot;
    {
        Lock lock = lockPlatform();
        for (HWND h : windowTable().topLevel)
            if (Window* w = findWindow(h); w && w->thread == threadId) snapshot.push_back(h);
    }
    if (!visitLiving(snapshot, proc, lParam)) return FALSE;
    return snapshot.empty() ? FALSE : TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    std::vector<HWND> snapshot;
    {
        Lock lock = lockPlatform();
        if (!parent) {
            snapshot = windowTable().topLevel;
        } else if (Window* w = findWindow(parent)) {
            collectDescendants(*w, snapshot);
        }
    }
    return visitLiving(snapshot, proc, lParam) ? TRUE : FALSE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, 0);
    const DWORD thread = w->thread;
    lock.unlock();
    if (processId) *processId = GetCurrentProcessId();
    return thread;
}

namespace {

bool showsPoint(HWND hwnd, POINT point) {
    RECT rect{};
    if (!IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &rect)) return false;
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
    HWND found = nullptr;
    for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
        if (showsPoint(top, point) && IsWindowEnabled(top)) {
            found = top;
            break;
        }
    }
    // Down through the children: the first in z-order that shows the point, as long as one does.
    for (HWND parent = found; parent;) {
        HWND next = nullptr;
        for (HWND child = GetTopWindow(parent); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (showsPoint(child, point)) {
                next = child;
                break;
            }
        }
        if (!next || !IsWindowEnabled(next)) break;
        found = parent = next;
    }
    return found;
}
