#include "mainframe/help/help_outline.h"

#include <cstdio>

#include "mainframe/help/embedded_help_frame.h"
#include "mainframe/help/embedded_html_view.h"
#include "mainframe/help/help_links.h"
#include "mainframe/help/tutorial_document.h"
#include "mainframe/main_frame.h"

namespace {

CMainFrame* MainFrameOf(HWND frame) { return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame)); }

std::wstring Quoted(const CString& text) { return L"\"" + std::wstring(text.GetString()) + L"\""; }

std::wstring Handle(HWND window) {
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"0x%08llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

std::wstring Rect(const RECT& rect) {
    return L"(" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L")-(" + std::to_wstring(rect.right) +
           L"," + std::to_wstring(rect.bottom) + L")";
}

std::wstring WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return Rect(rect);
}

std::wstring DescribeHelpWindow(const CMainFrame& mainFrame) {
    const CEmbeddedHelpFrame* help = mainFrame.GetEmbeddedHelp();
    if (!help || !help->GetSafeHwnd()) return L"(no help window)\n";
    CString caption;
    help->GetWindowText(caption);
    std::wstring out = L"help window " + Handle(help->GetSafeHwnd()) + L" " + Quoted(caption) +
                       (help->IsAttached() ? L" attached" : L" detached") +
                       (::IsWindowVisible(help->GetSafeHwnd()) ? L" visible" : L" hidden") + L"\n";
    if (const CEmbeddedHtmlView* view = help->GetView()) {
        out += L"  url " + Quoted(view->GetLocationURL()) + L"\n";
        out += L"  title " + Quoted(view->GetLocationName()) + L"\n";
        out += L"  history " + std::to_wstring(view->GetHistoryIndex() + 1) + L"/" +
               std::to_wstring(view->GetHistory().size()) + L"\n";
    }
    out += L"  rect " + WindowRect(help->GetSafeHwnd()) + L"\n";
    out += L"  main-rect " + WindowRect(mainFrame.GetSafeHwnd()) + L"\n";
    const WINDOWPLACEMENT& saved = help->GetSavedPlacement();
    out += L"  saved-placement show " + std::to_wstring(saved.showCmd) + L" " + Rect(saved.rcNormalPosition) + L"\n";
    out += L"  tool-bar";
    const CToolBar& bar = help->GetToolBar();
    for (const UINT id : bar.GetButtonIds()) {
        out += id == 0 ? std::wstring(L" |") : L" " + std::to_wstring(id) + (bar.IsButtonChecked(id) ? L"+" : L"");
    }
    return out + L"\n";
}

std::wstring DescribeTutorials() {
    std::wstring out;
    CMultiDocTemplate* tutorials = FindTutorialTemplate();
    if (!tutorials) return out;
    for (CDocument* document : tutorials->GetDocuments()) {
        out += L"tutorial " + Quoted(document->GetTitle()) + L"\n";
        for (CView* view : document->GetViews()) {
            auto* browser = dynamic_cast<CEmbeddedHtmlView*>(view);
            CFrameWnd* child = view->GetParentFrame();
            CFrameWnd* main = child ? child->GetParentFrame() : nullptr;
            out += L"  view " + Quoted(browser ? browser->GetLocationURL() : CString()) + L" frame " +
                   Handle(child ? child->GetSafeHwnd() : nullptr) + L" main " + Handle(main ? main->GetSafeHwnd() : nullptr) +
                   L"\n";
        }
    }
    return out;
}

}  // namespace

bool RunStartPageLink(const std::wstring& url) { return OnHelpLink(url.c_str()); }

HWND HelpWindowOf(HWND frame) {
    CMainFrame* mainFrame = MainFrameOf(frame);
    CEmbeddedHelpFrame* help = mainFrame ? mainFrame->GetEmbeddedHelp() : nullptr;
    return help ? help->GetSafeHwnd() : nullptr;
}

std::wstring ClickHelpLink(HWND frame, const std::wstring& url) {
    CMainFrame* mainFrame = MainFrameOf(frame);
    CEmbeddedHelpFrame* help = mainFrame ? mainFrame->GetEmbeddedHelp() : nullptr;
    if (!help || !help->GetView()) return L"the frame has no help window";
    help->GetView()->ClickLink(url.c_str());
    return {};
}

std::wstring HelpOutline(HWND frame) {
    const CMainFrame* mainFrame = MainFrameOf(frame);
    if (!mainFrame) return {};
    return DescribeHelpWindow(*mainFrame) + DescribeTutorials();
}
