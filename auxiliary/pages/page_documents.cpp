#include "auxiliary/pages/page_documents.h"

#include <functional>

#include "platform/kernel.h"
#include "services/application.h"
#include "services/main_frame.h"

CMultiDocTemplate& PageTemplate(CMultiDocTemplate*& slot, CRuntimeClass* document, CRuntimeClass* frame,
                                CRuntimeClass* view) {
    if (!slot) {
        ApplicationServices& app = services::Registry<ApplicationServices>::Get();
        slot = new CMultiDocTemplate(static_cast<UINT>(app.GetProductImageIndex()), document, frame, view);
        app.AddDocTemplateSafe(slot);
    }
    return *slot;
}

MainFrameServices* MainFrameOfWindow(const CWnd* window) {
    if (!window || !window->GetSafeHwnd()) return nullptr;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetMainFrameOf(window->GetSafeHwnd());
    return dynamic_cast<MainFrameServices*>(frame);
}

bool ActivatePageDocument(CDocument* document) {
    const ApplicationServices* app = ApplicationServices::Instance();
    MainFrameServices* activeFrame = app ? app->GetActiveMainFrame() : nullptr;
    if (!document || !activeFrame) return false;
    Korvo::UI::MdiMainFrame* active = &activeFrame->AsMdiMainFrame();
    for (CView* view : document->GetViews()) {
        auto* child = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
        if (!child || MainFrameOfWindow(child) != activeFrame) continue;
        child->SetWindowText(document->GetTitle());
        BOOL activeMaximised = FALSE;
        CMDIChildWnd* current = active->MDIGetActive(&activeMaximised);
        const bool maximised = (!current || current == child) ? GlobalContainer::GetMaximizeMdi() : activeMaximised != FALSE;
        const HWND client = active->m_hWndMDIClient;
        const auto childHandle = reinterpret_cast<WPARAM>(child->GetSafeHwnd());
        ::SendMessageW(client, maximised ? WM_MDIMAXIMIZE : WM_MDIRESTORE, childHandle, 0);
        ::SendMessageW(client, WM_MDIACTIVATE, childHandle, 0);
        active->DelayUpdateFrameTitle();
        return true;
    }
    return false;
}

CDocument* OpenPageDocument(CMultiDocTemplate& pages, CRuntimeClass* frameClass, CRuntimeClass* viewClass,
                            const std::function<void(CDocument&)>& prepare,
                            const std::function<bool(CDocument&)>& ready) {
    ApplicationServices* app = ApplicationServices::Instance();
    MainFrameServices* activeFrame = app ? app->GetActiveMainFrame() : nullptr;
    if (!activeFrame || !frameClass || !viewClass) return nullptr;
    Korvo::UI::MdiMainFrame* mainFrame = &activeFrame->AsMdiMainFrame();
    CDocument* document = pages.CreateNewDocument();
    if (!document) return nullptr;
    if (prepare) prepare(*document);
    auto* frame = dynamic_cast<CMDIChildWnd*>(frameClass->CreateObject());
    CCreateContext context;
    context.m_pNewViewClass = viewClass;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = &pages;
    BOOL maximised = FALSE;
    mainFrame->MDIGetActive(&maximised);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | (maximised ? WS_MAXIMIZE : 0);
    if (!frame || !frame->LoadFrame(app->GetMainResourceId(), style, mainFrame, &context)) {
        // A frame that fails to load deletes itself, and the view it could not make with it.
        delete document;
        return nullptr;
    }
    if (document->GetViews().empty() || (ready && !ready(*document))) {
        // Destroying the frame closes a document that has views; one without views is ours.
        const bool viewless = document->GetViews().empty();
        frame->DestroyWindow();
        if (viewless) delete document;
        return nullptr;
    }
    if (auto* view = dynamic_cast<CView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST))) {
        frame->SetActiveView(view, TRUE);
        view->OnInitialUpdate();
    }
    frame->SetWindowText(document->GetTitle());
    return document;
}

CDocument* OpenPageDocument(CMultiDocTemplate& pages, const CString& title) {
    return OpenPageDocument(
        pages, pages.GetFrameClass(), pages.GetViewClass(), [&title](CDocument& document) { document.SetTitle(title); },
        nullptr);
}
