#include <algorithm>
#include <string>

#include "platform/korvoui/frames.h"
#include "platform/toolkit/window_classes.h"

namespace Korvo::UI {

namespace {

// A button of a message bar: a plain child window that stands for the button.
HWND createButton(HWND bar, UINT id, const CString& caption) {
    return ::CreateWindowExW(0, platform::toolkit::toolkitWindowClass(L"Korvo.MessageBarButton"), caption,
                             WS_CHILD | WS_VISIBLE, 0, 0, 60, 20, bar, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             nullptr, nullptr);
}

}  // namespace

CString MarkupPlainText(const CString& markup) {
    std::wstring in(markup.GetString()), out;
    for (std::size_t i = 0; i < in.size();) {
        if (in[i] == L'<') {
            const std::size_t end = in.find(L'>', i);
            if (end == std::wstring::npos) break;
            if (in.compare(i, 12, L"<LineBreak/>") == 0) out += L' ';
            i = end + 1;
            continue;
        }
        if (in[i] == L'&') {
            static const std::pair<const wchar_t*, wchar_t> entities[] = {
                {L"&amp;", L'&'}, {L"&lt;", L'<'},   {L"&gt;", L'>'},    {L"&apos;", L'\''},
                {L"&quot;", L'"'}, {L"&#x7b;", L'{'}, {L"&#x7d;", L'}'}};
            bool matched = false;
            for (const auto& [name, character] : entities) {
                const std::size_t length = std::char_traits<wchar_t>::length(name);
                if (in.compare(i, length, name) == 0) {
                    out += character;
                    i += length;
                    matched = true;
                    break;
                }
            }
            if (matched) continue;
        }
        out += in[i++];
    }
    return CString(out.c_str());
}

MessageBar::MessageBar(std::uint64_t id, INT_PTR tag, CObject* boundObject, Callback callback)
    : id_(id), tag_(tag), bound_(boundObject), callback_(std::move(callback)) {}

MessageBar::~MessageBar() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL MessageBar::Create(CXTPCommandBars* commandBars, DWORD style, UINT controlId) {
    CWnd* site = commandBars ? commandBars->GetSite() : nullptr;
    if (!site || !site->GetSafeHwnd()) return FALSE;
    site_ = site->GetSafeHwnd();
    RECT rect{0, 0, 400, 32};
    if (!CreateEx(0, platform::toolkit::toolkitWindowClass(L"Korvo.MessageBar"), L"", style, rect, site, controlId))
        return FALSE;
    SetMessage(message_);
    for (const auto& [id, caption] : pendingButtons_) createButton(m_hWnd, id, caption);
    pendingButtons_.clear();
    createButton(m_hWnd, kCloseButton, L"Close");
    placeButtons();
    return TRUE;
}

void MessageBar::SetMessage(const CString& message) {
    message_ = message;
    if (m_hWnd) ::SetWindowTextW(m_hWnd, markup_ ? MarkupPlainText(message) : message);
}

void MessageBar::AddButton(UINT id, const CString& caption, const CString&) {
    if (!m_hWnd) {
        pendingButtons_.emplace_back(id, caption);
        return;
    }
    // Before the close button, which stays last.
    HWND close = ::GetDlgItem(m_hWnd, static_cast<int>(kCloseButton));
    if (close) ::DestroyWindow(close);
    createButton(m_hWnd, id, caption);
    createButton(m_hWnd, kCloseButton, L"Close");
    placeButtons();
}

void MessageBar::Close() {
    if (closed_) return;
    closed_ = true;
    if (site_ && ::IsWindow(site_)) ::SendMessageW(site_, kClosedNotification, 0, reinterpret_cast<LPARAM>(this));
}

LRESULT MessageBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) placeButtons();
    return result;
}

void MessageBar::placeButtons() {
    // The buttons stand in a row at the bar's right end, the close button last, centred in its height.
    constexpr int kGap = 6, kButtonWidth = 60, kButtonHeight = 20;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    std::vector<HWND> buttons;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) buttons.push_back(child);
    // Children come in the order they were made: the last (the close button) stands rightmost.
    int right = client.right - kGap;
    const int top = std::max<int>(0, (client.bottom - kButtonHeight) / 2);
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        const HWND button = *it;
        ::MoveWindow(button, right - kButtonWidth, top, kButtonWidth, kButtonHeight, FALSE);
        right -= kButtonWidth + kGap;
    }
}

BOOL MessageBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT button = LOWORD(wParam);
    if (lParam == 0 || ::GetParent(reinterpret_cast<HWND>(lParam)) != m_hWnd) return CWnd::OnCommand(wParam, lParam);
    bool close = button == kCloseButton;
    if (callback_ && callback_(*this, button)) close = true;
    if (close) Close();
    return TRUE;
}

}  // namespace Korvo::UI
