#include "auxiliary/start_page.h"

#include "auxiliary/pages/page_documents.h"
#include "auxiliary/pages/start_page_view.h"
#include "auxiliary/pages/workmix_page_view.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

bool g_bShowStartPage = true;

namespace {

constexpr UINT kPageTitle = 41446;

// The start page's MDI child frame: it activates only when the UI library allows it.
class StartPageChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(StartPageChildFrame)
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CHILDACTIVATE && !Korvo::UI::MdiChildFrame::OnChildActivate(this, nullptr)) return 0;
        if (message == WM_MOUSEACTIVATE && !Korvo::UI::MdiChildFrame::OnChildActivate(this, nullptr))
            return MA_NOACTIVATEANDEAT;
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};

IMPLEMENT_DYNCREATE(StartPageChildFrame, CMDIChildWnd)

CMultiDocTemplate*& StartPageSlot() {
    static CMultiDocTemplate* pages = nullptr;  // the application owns it once added
    return pages;
}

CMultiDocTemplate*& WorkmixPageSlot() {
    static CMultiDocTemplate* pages = nullptr;
    return pages;
}

// Activates the first document of `pages` shown in the active main frame.
bool ActivateExisting(CMultiDocTemplate& pages) {
    const std::vector<CDocument*> documents = pages.GetDocuments();
    for (CDocument* document : documents)
        if (ActivatePageDocument(document)) return true;
    return false;
}

}  // namespace

void OpenStartPage() {
    CMultiDocTemplate& pages = PageTemplate(StartPageSlot(), RUNTIME_CLASS(CStartPageDocument),
                                            RUNTIME_CLASS(StartPageChildFrame), RUNTIME_CLASS(CManagedStartPage));
    if (ActivateExisting(pages)) return;
    if (CDocument* document = OpenPageDocument(pages, KVLoadString(kPageTitle))) ActivatePageDocument(document);
}

void OpenWorkmixPage() {
    CMultiDocTemplate& pages = PageTemplate(WorkmixPageSlot(), RUNTIME_CLASS(CWorkmixPageDocument),
                                            RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CWorkmixPageView));
    if (ActivateExisting(pages)) return;
    auto* document = dynamic_cast<CWorkmixPageDocument*>(OpenPageDocument(pages, KVLoadString(kPageTitle)));
    if (!document) return;
    if (!document->GetPageTitle().IsEmpty()) document->SetTitle(document->GetPageTitle());
    ActivatePageDocument(document);
}

bool IsWorkmixPageAvailable() {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    return !GetSettings().startPage.workmixUrl.IsEmpty() && workMix && workMix->GetPageFactory();
}

void ShowStartPageOnStartup() {
    const int mode = GetSettings().startPage.mode;
    const bool workmix = IsWorkmixPageAvailable();
    if (mode == 1 && workmix) {
        OpenWorkmixPage();
        return;
    }
    OpenStartPage();
    if (mode != 0 && mode != 1 && workmix) OpenWorkmixPage();
}

void ForEachStartPageView(const std::function<void(IStartPageView*)>& function) {
    CMultiDocTemplate* pages = StartPageSlot();
    if (!pages || !function) return;
    const std::vector<CDocument*> documents = pages->GetDocuments();
    for (CDocument* document : documents)
        for (CView* view : std::vector<CView*>(document->GetViews()))
            if (auto* page = dynamic_cast<IStartPageView*>(view)) function(page);
}

void RefreshAllWorkmixPages() {
    for (CWorkmixPageView* view : CWorkmixPageView::OpenViews()) view->AttachPage();
}

void CloseWorkmixPagesOf(MainFrameServices* frame) {
    for (CWorkmixPageView* view : CWorkmixPageView::OpenViews())
        if (MainFrameOfWindow(view) == frame) view->DetachPage();
}
