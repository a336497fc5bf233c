// The framework's print preview: a view's pages shown in its top-level frame in place of the
// frame's pane (the view or the MDI client) until the user closes the preview.
#pragma once

#include "platform/mfc/doc.h"

// The preview's own commands (its tool bar's buttons).
inline constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
inline constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE301;
inline constexpr UINT AFX_ID_PREVIEW_PREV = 0xE302;
inline constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE303;
// The id the covered pane keeps while the preview stands in its place.
inline constexpr UINT AFX_IDW_PANE_SAVE = 0xEA21;

// What a frame keeps while it previews, to put back when the preview closes.
struct CPrintPreviewState {
    HWND hWndFocus = nullptr;  // the window that had the focus
    HWND hWndPane = nullptr;   // the pane the preview covers, hidden meanwhile
};

class CPreviewView : public CView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView() = default;

    // The view whose pages show (through its OnPrepareDC and OnPrint) and what its print
    // preparation set. Null once that view is gone.
    CView* GetPrintView() const;
    const CPrintInfo& GetPrintInfo() const { return m_info; }
    UINT GetCurrentPage() const { return m_info.m_nCurPage; }
    UINT GetPageCount() const { return m_info.GetMaxPage(); }
    // Ends the preview: the frame takes its pane, bars and focus back and this window goes.
    void Close();

    void OnDraw(CDC* pDC) override;
    // Esc closes the preview; Page Up and Page Down turn the pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    friend class CView;
    // Puts the preview into `frame` for `printView`: FALSE (nothing changed) when the window
    // cannot be made.
    BOOL Start(CFrameWnd* frame, CView* printView, const CPrintInfo& info);
    void ShowPage(UINT page);

    afx_msg void OnPreviewClose();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnPreviewPrint();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    HWND m_hWndPrintView = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CPrintInfo m_info;
    CPrintPreviewState m_state;
    bool m_closing = false;
};
