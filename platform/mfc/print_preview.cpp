#include "platform/mfc/print_preview.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/core/text.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
END_MESSAGE_MAP()

CView* CPreviewView::GetPrintView() const {
    return m_hWndPrintView != nullptr ? dynamic_cast<CView*>(CWnd::FromHandlePermanent(m_hWndPrintView)) : nullptr;
}

BOOL CPreviewView::Start(CFrameWnd* frame, CView* printView, const CPrintInfo& info) {
    m_pFrame = frame;
    m_hWndPrintView = printView->GetSafeHwnd();
    m_info = info;
    m_info.m_nCurPage = std::clamp<UINT>(m_info.m_nFromPage, 1, std::max<UINT>(1, m_info.GetMaxPage()));
    frame->OnSetPreviewMode(TRUE, &m_state);
    RECT client{};
    frame->GetClientRect(&client);
    if (!Create(nullptr, L"", WS_CHILD | WS_VISIBLE, client, frame, AFX_IDW_PANE_FIRST)) {
        frame->OnSetPreviewMode(FALSE, &m_state);
        delete this;
        return FALSE;
    }
    frame->m_pPreviewView = this;
    const CDocument* document = printView->GetDocument();
    platform::core::recordCall(L"print preview of " +
                               platform::core::quoted(document ? std::wstring(document->GetTitle().view()) : L"") +
                               L" in " + platform::core::handleText(frame->GetSafeHwnd()));
    frame->RecalcLayout();
    SetFocus();
    ShowPage(m_info.m_nCurPage);
    return TRUE;
}

void CPreviewView::Close() {
    if (m_closing) return;
    m_closing = true;
    if (m_pFrame != nullptr && m_pFrame->m_pPreviewView == this) {
        m_pFrame->m_pPreviewView = nullptr;
        m_pFrame->OnSetPreviewMode(FALSE, &m_state);
    }
    platform::core::recordCall(L"print preview closed");
    DestroyWindow();  // the view deletes itself
}

void CPreviewView::OnDraw(CDC* pDC) {
    CView* view = GetPrintView();
    if (view == nullptr) return;
    // The pages are drawn as on the printer.
    const BOOL wasPrinting = pDC->m_bPrinting;
    pDC->m_bPrinting = TRUE;
    view->OnPrepareDC(pDC, &m_info);
    view->OnPrint(pDC, &m_info);
    pDC->m_bPrinting = wasPrinting;
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        switch (pMsg->wParam) {
            case VK_ESCAPE: OnPreviewClose(); return TRUE;
            case VK_NEXT: OnNextPage(); return TRUE;
            case VK_PRIOR: OnPrevPage(); return TRUE;
            default: break;
        }
    }
    return CView::PreTranslateMessage(pMsg);
}

void CPreviewView::ShowPage(UINT page) {
    m_info.m_nCurPage = page;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPreviewView::OnPreviewClose() { Close(); }

void CPreviewView::OnNextPage() {
    if (m_info.m_nCurPage < m_info.GetMaxPage()) ShowPage(m_info.m_nCurPage + 1);
}

void CPreviewView::OnPrevPage() {
    if (m_info.m_nCurPage > 1) ShowPage(m_info.m_nCurPage - 1);
}

// Printing from the preview ends it, then the view prints as its own Print command does.
void CPreviewView::OnPreviewPrint() {
    const HWND printView = m_hWndPrintView;
    Close();
    if (::IsWindow(printView)) ::SendMessageW(printView, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_info.m_nCurPage < m_info.GetMaxPage()); }

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_info.m_nCurPage > 1); }
