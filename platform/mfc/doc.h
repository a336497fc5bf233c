// Documents, views, document templates and the document manager, at their least: what the
// application object and the kernel's document classes build on.
#pragma once

#include <vector>

#include "platform/mfc/cmdtarget.h"
#include "platform/mfc/cstring.h"
#include "platform/mfc/frame.h"
#include "platform/mfc/gdi.h"
#include "platform/mfc/wnd.h"

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    // Detaches the document from its template and its views.
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the full path; the title becomes the file name; with bAddToMRU the application's
    // recent-file list gets the path.
    virtual void SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCWSTR lpszPathName);
    // Destroys the document's frames, then deletes the document when m_bAutoDelete.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Numbers the frames' windows when the document has more than one.
    virtual void UpdateFrameCounts();
    virtual void OnIdle() {}

    // Views in attachment order.
    const std::vector<CView*>& GetViews() const { return m_viewList; }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    virtual void OnChangedViewList();
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // The document's own map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // File Close (ID_FILE_CLOSE): a modified document asks to be saved first (SaveModified);
    // unless the user cancels, the document closes with all its windows.
    virtual void OnFileClose();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

    DECLARE_MESSAGE_MAP()
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* pDC) = 0;
    // Prepares a DC before drawing: the base does nothing more for screen or printer.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Called before printing; returns whether to print. The base prints nothing (FALSE).
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // The framework's print preparation: the print dialog, which the simulated user answers
    // (TRUE: print on the default printer). A preview or a direct print asks nothing (TRUE).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Prints one page: the base draws it with OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // The view's map, then its document's route.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Views delete themselves when their window is gone.
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // A mouse click activates the view and gives it the focus.
    afx_msg LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
    // Paints through OnPrepareDC and OnDraw.
    afx_msg void OnPaint();
    // The framework's print (ID_FILE_PRINT, ID_FILE_PRINT_DIRECT) and print preview
    // (ID_FILE_PRINT_PREVIEW) commands for views that map them. Printing: OnPreparePrinting (with
    // m_bDirect set for ID_FILE_PRINT_DIRECT and for the command line's or DDE's print, so
    // DoPreparePrinting asks nothing), then a print job titled with the
    // document's title (platform::win32::printJobs) whose pages OnPrepareDC and OnPrint draw.
    // Print preview: OnPreparePrinting (with m_bPreview set), then the pages show in the top-level
    // frame (CPreviewView, platform/mfc/print_preview.h) until the user closes them.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    DECLARE_MESSAGE_MAP()
};

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Documents still open lose their link to the template.
    ~CDocTemplate() override;

    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    UINT GetResourceID() const { return m_nIDResource; }
    // One "\n"-separated field of the template's string resource; FALSE when it is empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    CRuntimeClass* GetDocClass() const { return m_pDocClass; }
    CRuntimeClass* GetFrameClass() const { return m_pFrameClass; }
    CRuntimeClass* GetViewClass() const { return m_pViewClass; }

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual const std::vector<CDocument*>& GetDocuments() const { return m_docList; }

    // The base opens nothing (null).
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE);
    // A new document of the template's class, added to the template; null when the class cannot
    // be created.
    virtual CDocument* CreateNewDocument();
    // A frame of the template's class loaded with the template's resource id, its view created
    // for pDoc; null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual void OnIdle();
    virtual void SetDefaultTitle(CDocument* pDocument);

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount = 0;

public:
    // The document manager deletes the templates it holds unless this is cleared.
    BOOL m_bAutoDelete = TRUE;
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;
};

// The application's list of templates. The application owns (and deletes) it.
class CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager() = default;
    // Deletes the templates it holds.
    ~CDocManager() override;
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<CDocTemplate*>& GetTemplates() const { return m_templateList; }
    // An open document with the same path, else the first template that opens the file; null
    // when none does.
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();
    // New document of the only template; nothing without templates.
    virtual void OnFileNew();
    // Asks the user for a file and opens it through the application.
    virtual void OnFileOpen();
    // The file chooser for opening (bOpenFileDialog) or saving: TRUE with the chosen path.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual void OnIdle();

protected:
    std::vector<CDocTemplate*> m_templateList;
};
