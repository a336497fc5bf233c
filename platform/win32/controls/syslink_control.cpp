#include <algorithm>
#include <string>

#include "platform/core/text.h"
#include "platform/win32/controls/syslink.h"
#include "platform/win32/window/window.h"

namespace {

// The address of the first link of the markup (empty when it has none).
std::wstring firstUrl(const std::wstring& markup) {
    const std::wstring folded = platform::core::foldCase(markup);
    const std::size_t tag = folded.find(L"<a href=");
    if (tag == std::wstring::npos) return {};
    std::size_t start = tag + 8;
    if (start < markup.size() && (markup[start] == L'"' || markup[start] == L'\'')) {
        const wchar_t quote = markup[start++];
        const std::size_t end = markup.find(quote, start);
        return end == std::wstring::npos ? std::wstring() : markup.substr(start, end - start);
    }
    const std::size_t end = markup.find_first_of(L" >", start);
    return end == std::wstring::npos ? std::wstring() : markup.substr(start, end - start);
}

void notifyParent(HWND hwnd, UINT code) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring markup(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, markup.data(), length + 1);
    markup.resize(static_cast<std::size_t>(length));
    NMLINK link;
    link.hdr.hwndFrom = hwnd;
    link.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    link.hdr.code = code;
    const std::wstring url = firstUrl(markup);
    url.copy(link.item.szUrl, std::min<std::size_t>(url.size(), L_MAX_URL_LENGTH - 1));
    SendMessageW(GetParent(hwnd), WM_NOTIFY, link.hdr.idFrom, reinterpret_cast<LPARAM>(&link));
}

}  // namespace

LRESULT SysLinkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONUP: notifyParent(hwnd, NM_CLICK); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                notifyParent(hwnd, NM_RETURN);
                return 0;
            }
            break;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
