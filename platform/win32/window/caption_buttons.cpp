// The caption buttons of top-level windows, as the title-bar information and the composition's
// hit test report them.
#include <atomic>
#include <utility>

#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"

namespace {

using platform::win32::clientFromWindowRect;

std::atomic<bool> g_composition{false};
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057u);  // E_INVALIDARG

constexpr int kMinimize = 2;
constexpr int kMaximize = 3;
constexpr int kHelp = 4;
constexpr int kClose = 5;

bool hasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

// The title bar and its buttons, in screen coordinates; false for a window without a caption.
bool titleBar(HWND hwnd, TITLEBARINFOEX& info) {
    RECT window{};
    if (!GetWindowRect(hwnd, &window)) return false;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    if (!hasCaption(style)) return false;
    const RECT client = clientFromWindowRect(window, style & ~(WS_VSCROLL | WS_HSCROLL), 0);
    const int top = client.top - GetSystemMetrics(SM_CYCAPTION);
    info.rcTitleBar = RECT{client.left, top, client.right, top + GetSystemMetrics(SM_CYCAPTION)};
    const int width = GetSystemMetrics(SM_CXSIZE), height = GetSystemMetrics(SM_CYSIZE);
    const bool boxes = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    const bool shown[CCHILDREN_TITLEBAR + 1] = {true, false, boxes, boxes, !boxes && (exStyle & WS_EX_CONTEXTHELP) != 0,
                                                (style & WS_SYSMENU) != 0};
    int right = info.rcTitleBar.right;
    for (int index : {kClose, kMaximize, kMinimize, kHelp}) {
        if (!shown[index]) {
            info.rgstate[index] = STATE_SYSTEM_INVISIBLE;
            continue;
        }
        info.rgrect[index] = RECT{right - width, info.rcTitleBar.top, right, info.rcTitleBar.top + height};
        right -= width;
        const bool available = index == kMinimize ? (style & WS_MINIMIZEBOX) != 0
                               : index == kMaximize ? (style & WS_MAXIMIZEBOX) != 0
                                                    : true;
        info.rgstate[index] = available ? 0 : STATE_SYSTEM_UNAVAILABLE;
    }
    info.rgstate[1] = STATE_SYSTEM_INVISIBLE;
    return true;
}

bool inside(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}  // namespace

namespace platform::win32 {

LRESULT titleBarInfo(HWND hwnd, TITLEBARINFOEX* info) {
    if (!info || info->cbSize != sizeof(TITLEBARINFOEX)) return FALSE;
    const DWORD size = info->cbSize;
    *info = TITLEBARINFOEX{};
    info->cbSize = size;
    return titleBar(hwnd, *info) ? TRUE : FALSE;
}

void setDesktopComposition(bool on) { g_composition = on; }

}  // namespace platform::win32

HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
    if (!enabled) return kInvalidArgument;
    *enabled = g_composition ? TRUE : FALSE;
    return S_OK;
}

BOOL DwmDefWindowProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (!g_composition || message != WM_NCHITTEST || !result) return FALSE;
    TITLEBARINFOEX info;
    info.cbSize = sizeof(info);
    if (!titleBar(hwnd, info)) return FALSE;
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    static constexpr std::pair<int, LRESULT> kButtons[] = {
        {kMinimize, HTMINBUTTON}, {kMaximize, HTMAXBUTTON}, {kHelp, HTHELP}, {kClose, HTCLOSE}};
    for (const auto& [index, code] : kButtons) {
        if ((info.rgstate[index] & STATE_SYSTEM_INVISIBLE) || !inside(info.rgrect[index], point)) continue;
        *result = code;
        return TRUE;
    }
    return FALSE;
}
