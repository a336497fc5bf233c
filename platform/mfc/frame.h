// Frame windows: the single-document frame, the MDI frame with its MDI client, and MDI child
// frames.
//
// Command routing (commands and update requests alike), in the framework's order:
//   CMDIFrameWnd::OnCmdMsg: the active MDI child frame (its active view, the view's document and
//     template, the child frame's own map, the application), then CFrameWnd::OnCmdMsg;
//   CFrameWnd::OnCmdMsg: the active view (then its document and template), the frame's own map,
//     the application; a top-level frame (one without a parent frame) finally offers what nobody
//     handled to OnUnroutedCmdMsg, which the UI library's frame base overrides to reach the
//     kernel's command containers.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/types.h"

class CDocument;
class CDocTemplate;
class CView;
class CPreviewView;
struct CPrintPreviewState;

// Frame style bits of the framework (in the window style's control-specific range).
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
inline constexpr DWORD FWS_PREFIXTITLE = 0x00040000;
inline constexpr DWORD FWS_SNAPTOBARS = 0x00020000;

// Sent to a frame's descendants once its view is set up (views run OnInitialUpdate).
inline constexpr UINT WM_INITIALUPDATE = 0x0364;

// What a frame needs to create its view: passed as the creation parameter of frames.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // Idle-time work a frame postpones to its next WM_IDLEUPDATECMDUI.
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    // The default rectangle of a new frame: the system places it.
    static constexpr RECT rectDefault{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame with the title of string resource nIDResource (its first line) when there
    // is one. Style 0xCF8000 is WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCWSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    using CWnd::Create;

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Frames delete themselves when their window is gone.
    void PostNcDestroy() override;

    // Commands and update requests nobody on the framework's route handled (top-level frames
    // only). The base handles nothing.
    virtual BOOL OnUnroutedCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    virtual CFrameWnd* GetActiveFrame() { return this; }
    CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // Layout of the frame's children: without bars of its own, the pane (the child with id
    // AFX_IDW_PANE_FIRST: the view or the MDI client) fills the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // Title: "<document> - <frame title>" with FWS_PREFIXTITLE, "<frame title> - <document>"
    // without; only with FWS_ADDTOTITLE.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCWSTR lpszDocName);
    // The title is refreshed at the next idle pass.
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Nested modal state: the first level disables the frame and the enabled top-level windows
    // it owns; the last EndModalState enables them again.
    virtual void BeginModalState();
    virtual void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }
    int GetModalDepth() const { return m_cModalStack; }

    // Print preview (platform/mfc/print_preview.h). Entering keeps the focus in `pState` and hides
    // the frame's pane, which gives up its id to the preview; leaving puts both back. Frames with
    // bars of their own hide and show them here too.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    // The preview this frame shows, or null; while there is one, commands reach it first.
    CPreviewView* GetPreviewView() const { return m_pPreviewView; }

    // Frames alive on the calling thread, in creation order.
    static const std::vector<CFrameWnd*>& ThreadFrames();

    // While the idle pass updates a frame's commands (every control of its bars asks the route
    // whether it is enabled), what the route depends on is found once: whether the frame has a
    // frame around it and, in an MDI frame, which child is active. Nothing the pass does changes
    // either; the frame's own activation calls look again should one do so.
    class IdlePass {
    public:
        explicit IdlePass(CWnd* frame);
        ~IdlePass();
        IdlePass(const IdlePass&) = delete;
        IdlePass& operator=(const IdlePass&) = delete;

    private:
        CFrameWnd* frame_;
        HWND window_ = nullptr;  // the frame may be destroyed during the pass
    };

    BOOL m_bAutoMenuEnable = TRUE;
    int m_nWindow = -1;  // window number in the title (":2"), -1 for none
    UINT m_nIDHelp = 0;
    UINT m_nIdleFlags = 0;
    int m_nShowDelay = -1;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Closing the application's main window saves and closes the documents first; destroying it
    // ends the application.
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // An activated frame that is not minimised activates its current view again (the active
    // child frame's for an MDI frame): its document is the one being worked on once more.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // A layout delayed while the frame was hidden is done before it shows.
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // WM_DDE_EXECUTE: wParam the client window, lParam the command text (a NUL-terminated wide
    // string, standing in for the global memory block). Run through the application's
    // OnDDECommand unless the frame is disabled, then acknowledged: positively when it was
    // carried out, negatively when it failed or the frame was disabled.
    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);

    // The preview's commands, when it takes them.
    BOOL RouteToPreview(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    CPreviewView* m_pPreviewView = nullptr;
    friend class CPreviewView;
    int m_cModalStack = 0;
    std::vector<HWND> m_disabledByModalState;

    int passDepth_ = 0;
    bool passOutermost_ = false;

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    // Creates the "MDICLIENT" child (id AFX_IDW_PANE_FIRST, client edge) into m_hWndMDIClient.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu);
    // The active MDI child frame, or null (asks the MDI client).
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    // Activates the child after the active one (in the client's order).
    void MDINext();
    void MDIPrev();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

private:
    friend class CFrameWnd;
    HWND askClientForActive(BOOL* pbMaximized) const;
    void refreshPass();

    HWND passChild_ = nullptr;
    BOOL passMaximized_ = FALSE;
    // The pass's active child as looked up last, and the count of window objects gone then.
    struct PassLookup {
        HWND handle = nullptr;
        std::uint64_t removals = ~std::uint64_t{0};
        bool alive = false;
        CMDIChildWnd* child = nullptr;
    };
    mutable PassLookup passLookup_;
};

// A document frame inside an MDI frame's client. Created through the client (WM_MDICREATE): the
// parent is the given MDI frame (or an MDI client window), else the application's main window.
class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;
    CMDIFrameWnd* GetMDIFrame() const;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCWSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr) override;
    using CFrameWnd::Create;
    // An MDI child is destroyed by its MDI client (WM_MDIDESTROY), so that the client and those
    // watching it learn that the child is gone.
    BOOL DestroyWindow() override;
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void MDIDestroy();
    // Shown and brought forward as any frame, the child is also its MDI client's active child
    // (what Windows' MDI does for a child brought to the top).
    void ActivateFrame(int nCmdShow = -1) override;
    // The MDI frame's title first; then this child's text is its document's title (its own title
    // without a document), with ":n" when the document has several windows.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_MDIACTIVATE: the active view hears that its frame lost the MDI activation, or gained it
    // while the MDI frame is the active window; then the MDI frame's title follows the child
    // active now (OnUpdateFrameTitle).
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
