#include "auxiliary/pages/page_documents.h"

#include <functional>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"

CMultiDocTemplate& PageTemplate(CMultiDocTemplate*& slot, CRuntimeClass* document, CRuntimeClass* frame,
                                CRuntimeClass* view) {
    if (!slot) {
        CKvw32App* app = CKvw32App::Instance();
        slot = new CMultiDocTemplate(static_cast<UINT>(app->GetProductImageIndex()), document, frame, view);
        app->AddDocTemplateSafe(slot);
    }
    return *slot;
}

CMainFrame* MainFrameOfWindow(const CWnd* window) {
    if (!window || !window->GetSafeHwnd()) return nullptr;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetMainFrameOf(window->GetSafeHwnd());
    return dynamic_cast<CMainFrame*>(frame);
}

bool ActivatePageDocument(CDocument* document) {
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* active = app ? app->GetActiveMainFrame() : nullptr;
    if (!document || !active) return false;
    for (CView* view : document->GetViews()) {
        auto* child = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
        if (!child || MainFrameOfWindow(child) != active) continue;
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
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* mainFrame = app ? app->GetActiveMainFrame() : nullptr;
    if (!mainFrame || !frameClass || !viewClass) return nullptr;
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
