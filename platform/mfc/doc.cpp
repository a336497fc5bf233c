#include "platform/mfc/doc.h"

#include <algorithm>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/core/winpath.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/dialogs/filedialog.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/print_preview.h"
#include "platform/win32/files/file.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CDocManager, CObject)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
    ON_WM_PAINT()
    ON_MESSAGE(WM_MOUSEACTIVATE, &CView::OnMouseActivateMessage)
END_MESSAGE_MAP()

namespace {

template <class T>
void eraseValue(std::vector<T*>& list, T* value) {
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

template <class T>
bool contains(const std::vector<T*>& list, T* value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

// ---- CDocument -------------------------------------------------------------------------------

CDocument::~CDocument() {
    for (CView* view : m_viewList) view->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCWSTR lpszTitle) {
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU) {
    wchar_t full[MAX_PATH];
    AfxFullPath(full, lpszPathName);
    m_strPathName = full;
    m_bEmbedded = FALSE;
    SetTitle(std::wstring(platform::core::winpath::namePart(m_strPathName.view())).c_str());
    if (bAddToMRU) {
        if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName) {
    // The framework's document has no contents of its own: opening means the file is there.
    if (lpszPathName == nullptr || ::GetFileAttributesW(lpszPathName) == INVALID_FILE_ATTRIBUTES) return FALSE;
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR) {
    // Nothing to write: a document class that saves overrides this.
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
END_MESSAGE_MAP()

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();
}

void CDocument::OnCloseDocument() {
    // The document must survive while its frames go.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        // A view that did not go with its window is let go here, so the loop ends.
        if (!m_viewList.empty() && m_viewList.front() == view) RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    const CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    const CString prompt = L"Save changes to " + name + L"?";
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return OnSaveDocument(m_strPathName);
        default:
            return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    // Another frame showing the document keeps it open without asking.
    for (CView* view : m_viewList) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr && frame != pFrame) return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::UpdateFrameCounts() {
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_viewList) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr && frame->IsWindowVisible() && !contains(frames, frame)) frames.push_back(frame);
    }
    int number = 1;
    for (CFrameWnd* frame : frames) {
        // The only frame of a document shows no number.
        frame->m_nWindow = frames.size() == 1 ? 0 : number++;
        frame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr || contains(m_viewList, pView)) return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    if (pView == nullptr || !contains(m_viewList, pView)) return;
    eraseValue(m_viewList, pView);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    // A document whose last view went closes itself.
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views) {
        if (view != pSender && contains(m_viewList, view)) view->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CView -----------------------------------------------------------------------------------

CView::~CView() {
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = platform::mfc::detail::frameOrViewWindowClass();
    cs.style |= static_cast<LONG>(WS_CLIPSIBLINGS);
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (context != nullptr && context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    // A preview of this view's pages ends with it.
    if (CFrameWnd* top = GetTopLevelFrame(); top != nullptr && top->GetPreviewView() != nullptr &&
                                              top->GetPreviewView()->GetPrintView() == this)
        top->GetPreviewView()->Close();
    // Deactivated during death in every frame that holds it: an MDI frame may hold a view of one
    // of its children as its own.
    for (CFrameWnd* frame = GetParentFrame(); frame != nullptr; frame = frame->GetParentFrame()) {
        if (frame->GetActiveView() == this) frame->SetActiveView(nullptr);
    }
    CWnd::OnDestroy();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL, CView*, CView*) {}

LRESULT CView::OnMouseActivateMessage(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    // A click into a view makes it its frame's active view, and it takes the focus.
    if (CFrameWnd* frame = GetParentFrame(); frame != nullptr) frame->SetActiveView(this);
    if (::GetFocus() != m_hWnd) ::SetFocus(m_hWnd);
    return result;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

BOOL CView::OnPreparePrinting(CPrintInfo*) { return FALSE; }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    // A preview, like printing direct, is of the default printer: nobody is asked.
    if (pInfo && (pInfo->m_bPreview || pInfo->m_bDirect)) return TRUE;
    const std::wstring document = m_pDocument ? std::wstring(m_pDocument->GetTitle().view()) : std::wstring();
    return platform::core::userAgent().answerPrintDialog(document) ? TRUE : FALSE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint() {
    CPrintInfo info;
    // ID_FILE_PRINT_DIRECT, and a print the command line or DDE asked for, print direct.
    const MSG* message = AfxGetCurrentMessage();
    if (message && message->message == WM_COMMAND && LOWORD(message->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (const CWinApp* app = AfxGetApp(); app && app->m_pCmdInfo &&
                                          (app->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrint ||
                                           app->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo))
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info)) return;
    CDC printer;
    printer.Attach(platform::win32::startPrintJob(m_pDocument ? std::wstring(m_pDocument->GetTitle().view()) : L""));
    printer.m_bPrinting = TRUE;
    OnBeginPrinting(&printer, &info);
    for (info.m_nCurPage = info.m_nFromPage; info.m_nCurPage <= std::min(info.m_nToPage, info.GetMaxPage());
         ++info.m_nCurPage) {
        OnPrepareDC(&printer, &info);
        OnPrint(&printer, &info);
    }
    OnEndPrinting(&printer, &info);
    platform::win32::endPrintJob(printer.Detach());
}

void CView::OnFilePrintPreview() {
    CFrameWnd* frame = GetTopLevelFrame();
    // One preview a frame: the command reaches the view again while its pages show.
    if (frame == nullptr || frame->GetPreviewView() != nullptr) return;
    CPrintInfo info;
    info.m_bPreview = TRUE;
    if (!OnPreparePrinting(&info)) return;
    auto* preview = new CPreviewView;
    // A preview that cannot be made deleted itself; the frame stays as it was.
    if (!preview->Start(frame, this, info))
        platform::core::reportFailure(L"CView::OnFilePrintPreview: the preview window cannot be made");
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::PostNcDestroy() { delete this; }

// ---- CDocTemplate ----------------------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {
    for (CDocument* document : m_docList) document->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    rString.Empty();
    const auto text = platform::loadStringResource(m_nIDResource);
    if (!text) return FALSE;
    std::size_t start = 0;
    for (int field = 0; field < static_cast<int>(index); ++field) {
        start = text->find(L'\n', start);
        if (start == std::wstring::npos) return FALSE;
        ++start;
    }
    const std::size_t end = text->find(L'\n', start);
    rString = CString(text->substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    return rString.IsEmpty() ? FALSE : TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    if (pDoc == nullptr || contains(m_docList, pDoc)) return;
    m_docList.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (pDoc == nullptr) return;
    eraseValue(m_docList, pDoc);
    if (pDoc->m_pDocTemplate == this) pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::OpenDocumentFile(LPCWSTR, BOOL) { return nullptr; }

CDocument* CDocTemplate::CreateNewDocument() {
    if (m_pDocClass == nullptr) return nullptr;
    auto* document = platform::mfc::detail::createObjectAs<CDocument>(*m_pDocClass);
    if (document == nullptr) return nullptr;
    AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    if (m_pFrameClass == nullptr) return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* frame = platform::mfc::detail::createObjectAs<CFrameWnd>(*m_pFrameClass);
    if (frame == nullptr) return nullptr;
    // A frame that fails to load deletes itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    if (pFrame != nullptr) pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    const std::vector<CDocument*> documents = m_docList;
    for (CDocument* document : documents) {
        if (contains(m_docList, document) && !document->SaveModified()) return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    const std::vector<CDocument*> documents = m_docList;
    for (CDocument* document : documents) {
        if (contains(m_docList, document)) document->OnCloseDocument();
    }
}

void CDocTemplate::OnIdle() {
    const std::vector<CDocument*> documents = m_docList;
    for (CDocument* document : documents) {
        if (contains(m_docList, document)) document->OnIdle();
    }
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString title;
    if (GetDocString(title, docName)) {
        title.AppendFormat(L"%u", m_nUntitledCount + 1);
    } else {
        title = L"Untitled";
    }
    pDocument->SetTitle(title);
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CMultiDocTemplate::~CMultiDocTemplate() = default;

// ---- CDocManager -----------------------------------------------------------------------------

CDocManager::~CDocManager() {
    for (CDocTemplate* docTemplate : m_templateList) {
        if (docTemplate->m_bAutoDelete) delete docTemplate;
    }
    m_templateList.clear();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == nullptr || contains(m_templateList, pTemplate)) return;
    m_templateList.push_back(pTemplate);
}

CDocument* CDocManager::OpenDocumentFile(LPCWSTR lpszFileName) {
    if (lpszFileName == nullptr || *lpszFileName == L'\0') return nullptr;
    wchar_t full[MAX_PATH];
    AfxFullPath(full, lpszFileName);
    // A document already open for the file is brought forward instead of opened again.
    for (CDocTemplate* docTemplate : m_templateList) {
        for (CDocument* document : docTemplate->GetDocuments()) {
            if (document->GetPathName().IsEmpty() || !AfxComparePath(document->GetPathName(), full)) continue;
            if (!document->GetViews().empty()) {
                if (CFrameWnd* frame = document->GetViews().front()->GetParentFrame()) frame->ActivateFrame();
            }
            return document;
        }
    }
    // The template whose file extension matches, else the first.
    CDocTemplate* chosen = nullptr;
    const std::wstring path = full;
    for (CDocTemplate* docTemplate : m_templateList) {
        CString extension;
        if (docTemplate->GetDocString(extension, CDocTemplate::filterExt) && path.size() > extension.str().size() &&
            platform::core::endsWithNoCase(path, extension.str())) {
            chosen = docTemplate;
            break;
        }
        if (chosen == nullptr) chosen = docTemplate;
    }
    if (chosen == nullptr) {
        AfxMessageBox(L"Failed to open document.");
        return nullptr;
    }
    return chosen->OpenDocumentFile(full);
}

BOOL CDocManager::SaveAllModified() {
    for (CDocTemplate* docTemplate : m_templateList) {
        if (!docTemplate->SaveAllModified()) return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
    for (CDocTemplate* docTemplate : m_templateList) docTemplate->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
    int count = 0;
    for (CDocTemplate* docTemplate : m_templateList) count += static_cast<int>(docTemplate->GetDocuments().size());
    return count;
}

void CDocManager::OnFileNew() {
    // Without templates there is nothing to create; with several, the first (no chooser yet).
    if (m_templateList.empty()) return;
    m_templateList.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
    if (CWinApp* app = AfxGetApp()) app->OpenDocumentFile(fileName);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate*) {
    // One filter line per template with a file type, then every file.
    CString filter;
    for (CDocTemplate* docTemplate : m_templateList) {
        CString name;
        CString extension;
        if (docTemplate->GetDocString(name, CDocTemplate::filterName) &&
            docTemplate->GetDocString(extension, CDocTemplate::filterExt)) {
            filter += name + L"|*" + extension + L"|";
        }
    }
    filter += L"All Files (*.*)|*.*||";
    CFileDialog dialog(bOpenFileDialog, nullptr, fileName, lFlags, filter);
    if (auto title = platform::loadStringResource(nIDSTitle)) dialog.m_strTitle = title->c_str();
    if (dialog.DoModal() != IDOK) return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

void CDocManager::OnIdle() {
    for (CDocTemplate* docTemplate : m_templateList) docTemplate->OnIdle();
}
