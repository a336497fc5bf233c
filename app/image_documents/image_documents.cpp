#include "app/image_documents/image_documents.h"

#include <algorithm>

#include "app/image_documents/image_doc.h"
#include "app/image_documents/image_view.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

// Whether the frame object is still alive: a frame whose window failed to be created may
// already have deleted itself.
bool frameAlive(const CFrameWnd* frame) {
    const auto& frames = CFrameWnd::ThreadFrames();
    return std::find(frames.begin(), frames.end(), frame) != frames.end();
}

void destroyHalfMadeFrame(CFrameWnd* frame) {
    if (!frameAlive(frame)) return;
    if (frame->GetSafeHwnd())
        frame->DestroyWindow();  // deletes itself
    else
        delete frame;
}

// The image template is made from the drawings' resource, so its file type is theirs: it offers no
// filter of its own, and File Open lists the drawings' once. Pictures are opened by the
// application, never chosen by their extension.
class ImageDocTemplate : public CMultiDocTemplate {
public:
    using CMultiDocTemplate::CMultiDocTemplate;
    BOOL GetDocString(CString& text, DocStringIndex index) const override {
        if (index == filterName || index == filterExt) {
            text.Empty();
            return FALSE;
        }
        return CMultiDocTemplate::GetDocString(text, index);
    }
};

}  // namespace

CMultiDocTemplate& ImageDocumentTemplate() {
    // The application keeps every template it is given until the process ends.
    static CMultiDocTemplate* const imageTemplate = [] {
        CKvw32App* app = CKvw32App::Instance();
        auto* made = new ImageDocTemplate(app->GetMainResourceId(), RUNTIME_CLASS(CDibDoc), RUNTIME_CLASS(CMDIChildWnd),
                                          RUNTIME_CLASS(CImageView));
        app->AddDocTemplateSafe(made);
        return made;
    }();
    return *imageTemplate;
}

CDocument* OpenImageDocument(LPCWSTR path, HRESULT* failureCode) {
    HRESULT ignored = S_OK;
    HRESULT& failure = failureCode ? *failureCode : ignored;
    failure = S_OK;
    CMultiDocTemplate& imageTemplate = ImageDocumentTemplate();
    CDocument* document = imageTemplate.CreateNewDocument();
    if (!document) {
        failure = E_FAIL;
        return nullptr;
    }
    if (!document->OnOpenDocument(path)) {
        const auto* picture = dynamic_cast<const CDibDoc*>(document);
        failure = picture && FAILED(picture->GetOpenFailureCode()) ? picture->GetOpenFailureCode() : E_FAIL;
        delete document;  // leaves the template too
        return nullptr;
    }
    document->SetTitle(path);
    return document;
}

bool CreateImageFrame(CDocument* document, LPCWSTR title, CMainFrame* mainFrame, bool activate) {
    if (!mainFrame) mainFrame = CKvw32App::Instance()->GetActiveMainFrame();
    auto* imageDocument = dynamic_cast<CImageDoc*>(document);
    if (!mainFrame || !imageDocument) return false;

    const SIZE picture = imageDocument->GetImageSize();
    const int frameWidth = picture.cx + 4 + 2 * ::GetSystemMetrics(SM_CXFRAME);
    const int frameHeight = picture.cy + ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) + 4;

    auto* frame = dynamic_cast<CMDIChildWnd*>(RUNTIME_CLASS(CMDIChildWnd)->CreateObject());
    if (!frame) return false;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CImageView);
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = document->GetDocTemplate();

    BOOL maximised = FALSE;
    CMDIChildWnd* previous = mainFrame->MDIGetActive(&maximised);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | (maximised ? WS_MAXIMIZE : 0);
    if (!frame->LoadFrame(CKvw32App::Instance()->GetMainResourceId(), style, mainFrame, &context)) {
        destroyHalfMadeFrame(frame);
        return false;
    }

    RECT mainClient{};
    mainFrame->GetClientRect(&mainClient);
    WINDOWPLACEMENT placement;
    ::GetWindowPlacement(frame->GetSafeHwnd(), &placement);
    placement.rcNormalPosition = RECT{0, 0, std::min<LONG>(frameWidth, mainClient.right - mainClient.left),
                                      std::min<LONG>(frameHeight, mainClient.bottom - mainClient.top)};
    ::SetWindowPlacement(frame->GetSafeHwnd(), &placement);

    frame->SetWindowText(title);
    if (auto* view = dynamic_cast<CView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST))) {
        frame->SetActiveView(view, TRUE);
        view->OnInitialUpdate();
    }

    const HWND client = mainFrame->m_hWndMDIClient;
    if (previous) ::SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous->GetSafeHwnd()), 0);
    if (!activate) return true;
    ::SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame->GetSafeHwnd()), 0);
    return true;
}

CDocument* OpenImageInFrame(LPCWSTR path, LPCWSTR title, CMainFrame* mainFrame, bool activate,
                            HRESULT* failureCode) {
    CDocument* document = OpenImageDocument(path, failureCode);
    if (!document) return nullptr;
    CreateImageFrame(document, title, mainFrame, activate);
    return document;
}
