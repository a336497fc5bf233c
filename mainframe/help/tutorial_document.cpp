#include "mainframe/help/tutorial_document.h"

#include "auxiliary/pages/page_documents.h"
#include "mainframe/help/embedded_html_view.h"
#include "mainframe/main_frame.h"
#include "platform/win32/icons.h"

IMPLEMENT_DYNCREATE(TutorialDocument, CDocument)

namespace {

constexpr UINT kTutorialIcon = 1206;

CMultiDocTemplate*& TutorialTemplateSlot() {
    static CMultiDocTemplate* tutorialTemplate = nullptr;  // the application owns it once added
    return tutorialTemplate;
}

CMultiDocTemplate& TutorialTemplate() {
    return PageTemplate(TutorialTemplateSlot(), RUNTIME_CLASS(TutorialDocument), RUNTIME_CLASS(CMDIChildWnd),
                        RUNTIME_CLASS(CEmbeddedHtmlView));
}

// Shows the page in the document's first view inside the active main window, activating its tab.
bool ShowInTutorialDocument(CDocument* document, const CString& url) {
    CMainFrame* active = CMainFrame::GetActive();
    if (!active) return false;
    for (CView* view : document->GetViews()) {
        auto* browser = dynamic_cast<CEmbeddedHtmlView*>(view);
        CFrameWnd* child = view->GetParentFrame();
        if (!browser || !child || child->GetParentFrame() != active) continue;
        browser->Navigate2(url, 0, nullptr, nullptr, nullptr, 0);
        ::SendMessageW(active->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->GetSafeHwnd()), 0);
        return true;
    }
    return false;
}

// A new untitled tutorial document with its frame, a tab of the active main window; null when
// either cannot be made (nothing half-made is left).
CDocument* OpenTutorialDocument(CMultiDocTemplate& tutorials) {
    return OpenPageDocument(tutorials, RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CEmbeddedHtmlView), nullptr,
                            [](CDocument& document) { return document.OnNewDocument() != FALSE; });
}

}  // namespace

BOOL TutorialDocument::OnNewDocument() {
    SetTitle(Korvo::I18n::Translate(L"tutorial"));
    if (HICON icon = ::LoadIconW(AfxGetInstanceHandle(), kTutorialIcon)) {
        for (CView* view : GetViews()) {
            if (CFrameWnd* frame = view->GetParentFrame()) {
                frame->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
            }
        }
    }
    return TRUE;
}

CMultiDocTemplate* FindTutorialTemplate() { return TutorialTemplateSlot(); }

void ShowTutorial(LPCWSTR url) {
    if (!url || !*url) return;
    ShowTutorialPage(url);
}

void ShowTutorialPage(const CString& url) {
    CMultiDocTemplate& tutorials = TutorialTemplate();
    // A copy: showing a page may close nothing, but the list is the template's own.
    const std::vector<CDocument*> documents = tutorials.GetDocuments();
    for (CDocument* document : documents) {
        if (ShowInTutorialDocument(document, url)) return;
    }
    if (CDocument* document = OpenTutorialDocument(tutorials)) ShowInTutorialDocument(document, url);
}

void RedrawPendingHelpViews() {
    CMultiDocTemplate* tutorials = FindTutorialTemplate();
    if (!tutorials) return;
    for (CDocument* document : tutorials->GetDocuments()) {
        for (CView* view : document->GetViews()) {
            if (auto* browser = dynamic_cast<CEmbeddedHtmlView*>(view)) browser->RedrawIfPending();
        }
    }
}
