#include "app/text_tools_outline.h"

#include "app/kvw32_app.h"
#include "auxiliary/info_tip.h"

namespace {

// A text in quotes as the other dumps print one; a menu text's tab, which separates its hot key,
// is written "\t".
std::wstring Quoted(const CString& text) {
    std::wstring quoted = L"\"";
    for (wchar_t c : text.view()) {
        if (c == L'\t') quoted += L"\\t";
        else quoted += c;
    }
    return quoted + L"\"";
}

std::wstring Handle(HWND window) {
    CString text;
    text.Format(L"0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
    return std::wstring(text.view());
}

std::wstring Rectangle(const RECT& r) {
    CString text;
    text.Format(L"(%d,%d)-(%d,%d)", r.left, r.top, r.right, r.bottom);
    return std::wstring(text.view());
}

}  // namespace

std::wstring TipsOutline() {
    const CInfoTip& tips = CInfoTip::Instance();
    if (tips.GetFileName().IsEmpty()) return L"tips off\n";
    std::wstring text = L"file " + Quoted(tips.GetFileName()) + L"\n";
    text += L"index " + std::to_wstring(tips.GetCurrentIndex()) + L" of " + std::to_wstring(tips.GetTipCount()) + L"\n";
    text += L"text " + Quoted(tips.GetCurrentText()) + L" seconds " + std::to_wstring(tips.GetCurrentTime()) + L"\n";
    if (!tips.GetSafeHwnd()) return text + L"window none\n";
    RECT r{};
    ::GetWindowRect(tips.GetSafeHwnd(), &r);
    text += L"window " + Handle(tips.GetSafeHwnd()) + (tips.IsShown() ? L" shown " : L" hidden ") + Rectangle(r) +
            L" timer " + (tips.GetTimerMilliseconds() ? std::to_wstring(tips.GetTimerMilliseconds()) : L"none") + L"\n";
    return text;
}

std::wstring LogWindowOutline() {
    CKvw32App* app = CKvw32App::Instance();
    Korvo::UI::LogWindow* window = app ? app->GetLogWindow() : nullptr;
    if (!window || !window->GetSafeHwnd()) return {};
    CString caption;
    window->GetWindowText(caption);
    std::wstring text = L"window " + Handle(window->GetSafeHwnd()) + (window->IsWindowVisible() ? L" shown " : L" hidden ") +
                        Quoted(caption) + L" theme " + std::to_wstring(window->GetTheme()) + L"\n";
    text += L"last-length " + std::to_wstring(window->GetLastLength()) + L"\n";
    CString shown;
    window->GetEdit().GetWindowText(shown);
    if (shown.IsEmpty()) return text;
    std::wstring_view rest = shown.view();
    for (;;) {
        const std::size_t end = rest.find(L"\r\n");
        text += L"  " + Quoted(CString(std::wstring(rest.substr(0, end)).c_str())) + L"\n";
        if (end == std::wstring_view::npos) break;
        rest.remove_prefix(end + 2);
    }
    return text;
}

std::wstring TextBrowsersOutline() {
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return {};
    const CTextBowserArray& browsers = app->GetTextBrowsers();
    if (browsers.GetSize() == 0) return {};
    std::wstring text = L"default " + std::to_wstring(browsers.GetDefaultIndex()) + L"\n";
    for (int i = 0; i < browsers.GetSize(); ++i) {
        const CTextBrowser& b = browsers.GetAt(i);
        text += std::to_wstring(i) + L" " + Quoted(b.dll) + L" " + Quoted(b.text) + L" key " + std::to_wstring(b.key);
        if (b.control) text += L" control";
        if (b.shift) text += L" shift";
        if (b.alt) text += L" alt";
        if (b.modal) text += L" modal";
        if (b.pdm) text += L" pdm";
        if (b.standard) text += L" standard";
        text += b.loadFailed ? L" failed\n" : b.module ? L" loaded\n" : L" unloaded\n";
    }
    CStringArray menu;
    app->GetTextBrowserMenuTexts(menu);
    for (int i = 0; i < menu.GetSize(); ++i) text += L"menu " + Quoted(menu[i]) + L"\n";
    return text;
}
