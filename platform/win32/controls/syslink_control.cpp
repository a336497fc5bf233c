#include "platform/win32/controls/syslink.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/core/text.h"
#include "platform/win32/window/window.h"

namespace platform::win32 {

std::wstring linkAddress(const std::wstring& markup, int index) {
    const std::wstring lower = core::foldCase(markup);
    std::size_t at = 0;
    for (int anchor = 0;; ++anchor) {
        at = lower.find(L"<a", at);
        if (at == std::wstring::npos) return {};
        const std::size_t close = lower.find(L'>', at);
        if (close == std::wstring::npos) return {};
        if (anchor == index) {
            const std::size_t href = lower.find(L"href=\"", at);
            if (href == std::wstring::npos || href > close) return {};
            const std::size_t start = href + 6;
            const std::size_t end = markup.find(L'"', start);
            return end == std::wstring::npos || end > close ? std::wstring{} : markup.substr(start, end - start);
        }
        at = close;
    }
}

}  // namespace platform::win32

namespace {

bool clickable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Tells the parent of anchor `index` with `code`; false when the link has no such anchor.
bool notifyParent(HWND hwnd, UINT code, int index) {
    const std::wstring address = platform::win32::linkAddress(windowText(hwnd), index);
    if (address.empty()) return false;
    NMLINK link;
    link.hdr.hwndFrom = hwnd;
    link.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    link.hdr.code = code;
    link.item.mask = LIF_ITEMINDEX | LIF_URL;
    link.item.iLink = index;
    const std::size_t length = std::min<std::size_t>(address.size(), L_MAX_URL_LENGTH - 1);
    std::copy_n(address.begin(), length, link.item.szUrl);
    SendMessageW(GetParent(hwnd), WM_NOTIFY, link.hdr.idFrom, reinterpret_cast<LPARAM>(&link));
    return true;
}

}  // namespace

LRESULT SysLinkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr UINT kClick = static_cast<UINT>(-2);  // NM_CLICK
    switch (message) {
        case LM_CLICKLINK: return clickable(hwnd) && notifyParent(hwnd, kClick, static_cast<int>(wParam)) ? TRUE : FALSE;
        case WM_LBUTTONUP: notifyParent(hwnd, kClick, 0); return 0;
        case WM_KEYDOWN:
            if (wParam != VK_RETURN) break;
            notifyParent(hwnd, NM_RETURN, 0);
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The icons static controls show, by window (the window table's lock does not cover these).
struct StaticIcons {
    std::mutex mutex;
    std::map<HWND, HICON> icons;
};

StaticIcons& staticIcons() {
    static StaticIcons icons;
    return icons;
}

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == STM_SETICON || message == STM_GETICON || message == WM_NCDESTROY) {
        StaticIcons& icons = staticIcons();
        std::lock_guard lock(icons.mutex);
        const auto found = icons.icons.find(hwnd);
        const HICON previous = found == icons.icons.end() ? nullptr : found->second;
        if (message == STM_SETICON) icons.icons[hwnd] = reinterpret_cast<HICON>(wParam);
        if (message == WM_NCDESTROY && found != icons.icons.end()) icons.icons.erase(found);
        if (message != WM_NCDESTROY) return reinterpret_cast<LRESULT>(previous);
    }
    if (message != STM_CLICK) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (!clickable(hwnd) || !(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & SS_NOTIFY)) return FALSE;
    const int id = GetDlgCtrlID(hwnd);
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), STN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
    return TRUE;
}
