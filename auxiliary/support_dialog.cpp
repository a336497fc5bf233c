#include "auxiliary/support_dialog.h"

#include "auxiliary/technical_support.h"
#include "platform/win32.h"

namespace {

constexpr const wchar_t* kLinkTag = L"<A HREF=";

CString TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return CString(text.c_str());
}

CString Markup(const wchar_t* scheme, const CString& text) {
    return CString(kLinkTag) + L"\"" + scheme + text + L"\">" + text + L"</A>";
}

}  // namespace

BEGIN_MESSAGE_MAP(CSupportDialog, CDialog)
    ON_NOTIFY(NM_CLICK, CSupportDialog::kMailLink, &CSupportDialog::OnMailLink)
    ON_NOTIFY(NM_RETURN, CSupportDialog::kMailLink, &CSupportDialog::OnMailLink)
    ON_NOTIFY(NM_CLICK, CSupportDialog::kWebLink, &CSupportDialog::OnWebLink)
    ON_NOTIFY(NM_RETURN, CSupportDialog::kWebLink, &CSupportDialog::OnWebLink)
END_MESSAGE_MAP()

BOOL CSupportDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    int webLinks = 0;
    for (const HWND child : children) {
        if (mailLink_ && webLinks == 2) break;
        const CString text = TextOf(child);
        if (text.Find(kLinkTag) >= 0) continue;
        if (!mailLink_ && text.Find(L'@') >= 0) {
            if (!ReplaceByLink(child, kMailLink, Markup(L"mailto:", text))) break;
            mailLink_ = ::GetDlgItem(GetSafeHwnd(), kMailLink);
        } else if (webLinks < 2 && text.Find(L"www.") >= 0) {
            if (!ReplaceByLink(child, kWebLink, Markup(L"http://", text))) break;
            ++webLinks;
        }
    }
    return TRUE;
}

bool CSupportDialog::ReplaceByLink(HWND child, int id, const CString& markup) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    POINT corner{rect.left, rect.top};
    ::ScreenToClient(GetSafeHwnd(), &corner);
    const HWND link = ::CreateWindowExW(0, WC_LINK, markup, WS_CHILD | WS_VISIBLE | WS_TABSTOP, corner.x, corner.y,
                                        rect.right - rect.left, rect.bottom - rect.top, GetSafeHwnd(),
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!link) return false;
    ::SendMessageW(link, WM_SETFONT, static_cast<WPARAM>(::SendMessageW(child, WM_GETFONT, 0, 0)), 0);
    ::ShowWindow(child, SW_HIDE);
    return true;
}

void CSupportDialog::OnMailLink(NMHDR*, LRESULT* result) {
    SendTechnicalSupportRequest();
    if (result) *result = 1;
}

void CSupportDialog::OnWebLink(NMHDR* header, LRESULT* result) {
    const auto* link = reinterpret_cast<const NMLINK*>(header);
    // As the product always did: the shell opens the page without showing a window of its own.
    if (link && link->item.szUrl[0]) ShellExecuteW(nullptr, nullptr, link->item.szUrl, nullptr, nullptr, SW_HIDE);
    if (result) *result = 1;
}

INT_PTR RunSupportDialog() {
    CSupportDialog dialog;
    return dialog.DoModal();
}
