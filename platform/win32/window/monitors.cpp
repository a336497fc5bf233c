// Monitors and system metrics, from the configuration. Lock-free: window code calls these while
// holding the scheduler lock.
#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/core/config.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"

namespace {

constexpr std::uintptr_t kFirstMonitor = 0x00020001;

const std::vector<platform::core::MonitorConfig>& monitors() { return platform::core::config().monitors; }

HMONITOR handleOf(std::size_t index) { return reinterpret_cast<HMONITOR>(kFirstMonitor + index); }

std::optional<std::size_t> indexOf(HMONITOR monitor) {
    const auto value = reinterpret_cast<std::uintptr_t>(monitor);
    if (value < kFirstMonitor || value - kFirstMonitor >= monitors().size()) return std::nullopt;
    return value - kFirstMonitor;
}

std::size_t primaryIndex() {
    const auto& list = monitors();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].primary) return i;
    return 0;
}

RECT primaryRect() { return monitors().empty() ? RECT{0, 0, 1920, 1080} : monitors()[primaryIndex()].rect; }

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

long long distanceSquared(const RECT& r, POINT p) {
    const long long dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
    const long long dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
    return dx * dx + dy * dy;
}

HMONITOR fallback(POINT p, DWORD flags) {
    if (monitors().empty() || flags == MONITOR_DEFAULTTONULL) return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY) return handleOf(primaryIndex());
    std::size_t best = 0;
    for (std::size_t i = 1; i < monitors().size(); ++i)
        if (distanceSquared(monitors()[i].rect, p) < distanceSquared(monitors()[best].rect, p)) best = i;
    return handleOf(best);
}

RECT virtualScreen() {
    if (monitors().empty()) return primaryRect();
    RECT v = monitors().front().rect;
    for (const auto& m : monitors()) {
        v.left = std::min(v.left, m.rect.left);
        v.top = std::min(v.top, m.rect.top);
        v.right = std::max(v.right, m.rect.right);
        v.bottom = std::max(v.bottom, m.rect.bottom);
    }
    return v;
}

}  // namespace

BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC proc, LPARAM data) {
    if (!proc) return FALSE;
    for (std::size_t i = 0; i < monitors().size(); ++i) {
        RECT r = monitors()[i].rect;
        if (clip) {
            RECT cut{std::max(r.left, clip->left), std::max(r.top, clip->top), std::min(r.right, clip->right),
                     std::min(r.bottom, clip->bottom)};
            if (cut.left >= cut.right || cut.top >= cut.bottom) continue;
            r = cut;
        }
        if (!proc(handleOf(i), dc, &r, data)) break;
    }
    return TRUE;
}

BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
    const auto index = indexOf(monitor);
    if (!index || !info) return FALSE;
    const auto& m = monitors()[*index];
    info->rcMonitor = m.rect;
    info->rcWork = m.work;
    info->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
    if (info->cbSize >= sizeof(MONITORINFOEXW)) {
        auto* extended = static_cast<MONITORINFOEXW*>(info);
        std::swprintf(extended->szDevice, CCHDEVICENAME, L"\\\\.\\DISPLAY%u", static_cast<unsigned>(*index + 1));
    }
    return TRUE;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    for (std::size_t i = 0; i < monitors().size(); ++i)
        if (contains(monitors()[i].rect, point)) return handleOf(i);
    return fallback(point, flags);
}

HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags) {
    if (!rect) return fallback(POINT{0, 0}, flags);
    long long bestArea = 0;
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < monitors().size(); ++i) {
        const RECT& m = monitors()[i].rect;
        const long long w = std::min(m.right, rect->right) - std::max(m.left, rect->left);
        const long long h = std::min(m.bottom, rect->bottom) - std::max(m.top, rect->top);
        if (w > 0 && h > 0 && w * h > bestArea) {
            bestArea = w * h;
            best = i;
        }
    }
    if (best) return handleOf(*best);
    return fallback(POINT{(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2}, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT r{};
    {
        platform::win32::Lock lock = platform::win32::lockPlatform();
        auto* w = platform::win32::findWindow(hwnd);
        if (!w) return fallback(POINT{0, 0}, flags);
        // A minimised window belongs where it will be restored.
        auto* root = platform::win32::rootOf(w);
        r = (root->style & WS_MINIMIZE) ? root->normalRect : platform::win32::windowRectOnScreen(*w);
    }
    return MonitorFromRect(&r, flags);
}

int GetSystemMetrics(int index) {
    const RECT primary = primaryRect();
    switch (index) {
        case SM_CXSCREEN: return primary.right - primary.left;
        case SM_CYSCREEN: return primary.bottom - primary.top;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB: return 17;
        case SM_CYCAPTION: return 23;
        // A minimised MDI child: a caption with room for its title and buttons.
        case SM_CXMINIMIZED: return 160;
        case SM_CYMINIMIZED: return 27;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CXFRAME:
        case SM_CYFRAME: return 4;
        case SM_CXEDGE:
        case SM_CYEDGE: return 2;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYMENU: return 19;
        case SM_CYSMCAPTION: return 17;
        case SM_CXSIZE:
        case SM_CYSIZE: return 22;
        case SM_CXMIN:
        case SM_CXMINTRACK: return 136;
        case SM_CYMIN:
        case SM_CYMINTRACK: return 39;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG: return 4;
        case SM_CXFULLSCREEN: return primary.right - primary.left;
        case SM_CYFULLSCREEN: return primary.bottom - primary.top - 23;
        case SM_CXMAXIMIZED: {
            const RECT work = monitors().empty() ? primary : monitors()[primaryIndex()].work;
            return work.right - work.left + 2 * 4;
        }
        case SM_CYMAXIMIZED: {
            const RECT work = monitors().empty() ? primary : monitors()[primaryIndex()].work;
            return work.bottom - work.top + 2 * 4;
        }
        case SM_XVIRTUALSCREEN: return virtualScreen().left;
        case SM_YVIRTUALSCREEN: return virtualScreen().top;
        case SM_CXVIRTUALSCREEN: return virtualScreen().right - virtualScreen().left;
        case SM_CYVIRTUALSCREEN: return virtualScreen().bottom - virtualScreen().top;
        case SM_CMONITORS: return static_cast<int>(monitors().size());
        case SM_CXPADDEDBORDER: return 0;
        case SM_REMOTESESSION: return 0;
        default: return 0;
    }
}
