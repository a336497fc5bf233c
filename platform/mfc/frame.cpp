#include "platform/mfc/frame.h"

#include <algorithm>
#include <utility>

#include "platform/core/journal.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/doc.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/print_preview.h"
#include "platform/win32/window/mdi.h"
#include "platform/win32/process/thread.h"

using platform::mfc::detail::extent;
using platform::mfc::detail::threadState;

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_DDE_EXECUTE, &CFrameWnd::OnDDEExecute)
END_MESSAGE_MAP()

namespace {

// The first descendant with control id `id` (breadth by breadth, as the framework searches).
HWND findDescendant(HWND parent, int id) {
    for (HWND child = ::GetTopWindow(parent); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == id) return child;
    }
    for (HWND child = ::GetTopWindow(parent); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = findDescendant(child, id)) return found;
    }
    return nullptr;
}

// Whether `hWnd` is `ancestor` or lies below it through parents and owners.
bool isDescendant(HWND ancestor, HWND hWnd) {
    for (; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (hWnd == ancestor) return true;
    }
    return false;
}

struct ModalCandidates {
    HWND top;
    std::vector<HWND> found;
};

BOOL collectModalCandidate(HWND hWnd, LPARAM lParam) {
    auto* candidates = reinterpret_cast<ModalCandidates*>(lParam);
    if (::IsWindowEnabled(hWnd) && CWnd::FromHandlePermanent(hWnd) != nullptr && isDescendant(candidates->top, hWnd)) {
        candidates->found.push_back(hWnd);
    }
    return TRUE;
}

}  // namespace

// ---- CFrameWnd -------------------------------------------------------------------------------

CFrameWnd::CFrameWnd() { threadState().frames.push_back(this); }

CFrameWnd::~CFrameWnd() {
    auto& frames = threadState().frames;
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
}

const std::vector<CFrameWnd*>& CFrameWnd::ThreadFrames() { return threadState().frames; }

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    // The first line of the frame's string resource is its title.
    if (auto text = platform::loadStringResource(nIDResource)) {
        m_strTitle = CString(text->substr(0, text->find(L'\n')));
    }
    const CString title = m_strTitle;
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext)) {
        return FALSE;  // the frame deleted itself
    }
    if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCWSTR, DWORD dwExStyle, CCreateContext* pContext) {
    m_strTitle = lpszWindowName;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    extent(rect.left, rect.right), extent(rect.top, rect.bottom), SafeHwnd(pParentWnd), nullptr,
                    pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = platform::mfc::detail::frameOrViewWindowClass();
    if (cs.style & FWS_ADDTOTITLE) cs.style |= static_cast<LONG>(FWS_PREFIXTITLE);
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    void* parameter = lpCreateStruct->lpCreateParams;
    // An MDI child's creation parameter is the client's creation record; the context rides in it.
    if ((lpCreateStruct->dwExStyle & WS_EX_MDICHILD) != 0 && parameter != nullptr)
        parameter = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTW*>(parameter)->lParam);
    return OnCreateHelper(lpCreateStruct, static_cast<CCreateContext*>(parameter));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, pContext)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == nullptr) return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CWnd* view = platform::mfc::detail::createObjectAs<CWnd>(*pContext->m_pNewViewClass);
    if (view == nullptr) return nullptr;
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 0, 0}, this, nID, pContext)) {
        return nullptr;
    }
    if (view->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return view;
}

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

namespace {

// The child frame an MDI frame is routing a command through right now: that child has a parent
// frame (the one routing), so it need not walk up its windows to find out. Taken by the child on
// entry, so that nothing the route calls in turn mistakes itself for it.
CFrameWnd*& childFrameBeingRouted() {
    thread_local CFrameWnd* child = nullptr;
    return child;
}

}  // namespace

BOOL CFrameWnd::RouteToPreview(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return m_pPreviewView != nullptr && m_pPreviewView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    if (pState == nullptr) return;
    if (bPreview) {
        pState->hWndFocus = ::GetFocus();
        pState->hWndPane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST));
        if (pState->hWndPane != nullptr) {
            ::ShowWindow(pState->hWndPane, SW_HIDE);
            ::SetWindowLongPtrW(pState->hWndPane, GWLP_ID, static_cast<LONG_PTR>(AFX_IDW_PANE_SAVE));
        }
        return;
    }
    if (pState->hWndPane != nullptr && ::IsWindow(pState->hWndPane)) {
        ::SetWindowLongPtrW(pState->hWndPane, GWLP_ID, static_cast<LONG_PTR>(AFX_IDW_PANE_FIRST));
        ::ShowWindow(pState->hWndPane, SW_SHOW);
    }
    RecalcLayout();
    // The focus goes back only to a window still there.
    if (pState->hWndFocus != nullptr && ::IsWindow(pState->hWndFocus)) ::SetFocus(pState->hWndFocus);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (RouteToPreview(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    const bool routedByParent = std::exchange(childFrameBeingRouted(), nullptr) == this;
    if (CView* view = GetActiveView(); view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // Only the outermost frame hands on what the framework's route left.
    if (routedByParent) return FALSE;
    const bool outermost = passDepth_ > 0 ? passOutermost_ : GetParentFrame() == nullptr;
    if (outermost && OnUnroutedCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnUnroutedCmdMsg(UINT, int, void*, AFX_CMDHANDLERINFO*) { return FALSE; }

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* old = m_pViewActive;
    if (pViewNew == old) return;
    m_pViewActive = nullptr;
    if (old != nullptr) old->OnActivateView(FALSE, pViewNew, old);
    // A deactivation that activated another view wins.
    if (m_pViewActive != nullptr) return;
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) {
            nCmdShow = SW_SHOWNORMAL;
        } else if (IsIconic()) {
            nCmdShow = SW_RESTORE;
        }
    }
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
        BringWindowToTop();
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
            nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
            BringWindowToTop();
        }
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* view = nullptr;
    if (GetActiveView() == nullptr) {
        if (HWND pane = findDescendant(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST))) {
            view = DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(pane));
            if (view != nullptr) SetActiveView(view, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        // The first frame of the application takes the show command the program was started with.
        int nCmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == nullptr) {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (view != nullptr) view->OnActivateView(TRUE, view, view);
    }
    if (pDoc != nullptr) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

namespace {
constexpr UINT kStandardToolBarId = 0xE800;  // AFX_IDW_TOOLBAR
}  // namespace

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_hWnd == nullptr) return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    // A plain tool bar (the framework's standard id) keeps its height along the top edge.
    if (HWND bar = ::GetDlgItem(m_hWnd, static_cast<int>(kStandardToolBarId)); bar && (::GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE)) {
        RECT barRect{};
        ::GetWindowRect(bar, &barRect);
        const int height = barRect.bottom - barRect.top;
        ::SetWindowPos(bar, nullptr, client.left, client.top, client.right - client.left, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        client.top = std::min(client.bottom, client.top + height);
    }
    HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST));
    if (pane == nullptr) return;
    RECT current{};
    ::GetWindowRect(pane, &current);
    POINT topLeft{current.left, current.top};
    ::ScreenToClient(m_hWnd, &topLeft);
    const RECT now{topLeft.x, topLeft.y, topLeft.x + (current.right - current.left),
                   topLeft.y + (current.bottom - current.top)};
    if (now == client) return;
    ::SetWindowPos(pane, nullptr, client.left, client.top, client.right - client.left, client.bottom - client.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }

void CFrameWnd::OnSize(UINT nType, int, int) {
    Default();
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE || bMinimized) return;
    CView* view = GetActiveView();
    if (view == nullptr) {
        CFrameWnd* active = GetActiveFrame();
        if (active != nullptr && active != this) view = active->GetActiveView();
    }
    if (view != nullptr) view->OnActivateView(TRUE, view, view);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT) {
    Default();
    if (!bShow || (m_nIdleFlags & idleLayout) == 0) return;
    m_nIdleFlags &= ~static_cast<UINT>(idleLayout);
    RecalcLayout((m_nIdleFlags & idleNotify) != 0);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CDocument* document = GetActiveDocument();
    if (bAddToTitle && document != nullptr) {
        UpdateFrameTitleForDocument(document->GetTitle());
    } else {
        UpdateFrameTitleForDocument(nullptr);
    }
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCWSTR lpszDocName) {
    CString text;
    if (GetStyle() & FWS_ADDTOTITLE) {
        auto addDocument = [&] {
            text += lpszDocName;
            if (m_nWindow > 0) text.AppendFormat(L":%d", m_nWindow);
        };
        if (GetStyle() & FWS_PREFIXTITLE) {
            if (lpszDocName != nullptr) {
                addDocument();
                text += L" - ";
            }
            text += m_strTitle;
        } else {
            text += m_strTitle;
            if (lpszDocName != nullptr) {
                text += L" - ";
                addDocument();
            }
        }
    }
    CString current;
    GetWindowText(current);
    if (current != text) SetWindowText(text);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    m_nIdleFlags = 0;
    return 0;
}

LRESULT CFrameWnd::OnDDEExecute(WPARAM wParam, LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    std::wstring command = text != nullptr ? text : L"";
    // The acknowledgement tells the client whether the command was carried out (fAck, 0x8000).
    const HWND client = reinterpret_cast<HWND>(wParam);
    auto acknowledge = [&](bool done) {
        ::PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(done ? 0x8000 : 0, 0));
    };
    if (!IsWindowEnabled()) {
        platform::core::journal().add("dde", L"command ignored, the window is disabled: " + command);
        acknowledge(false);
        return 0;
    }
    CWinApp* app = AfxGetApp();
    const bool done = app != nullptr && app->OnDDECommand(command.data());
    if (!done) platform::core::journal().add("dde", L"command failed: " + command);
    acknowledge(done);
    return 0;
}

void CFrameWnd::OnClose() {
    CDocument* document = GetActiveDocument();
    if (document != nullptr && !document->CanCloseFrame(this)) return;

    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        if (document == nullptr && !app->SaveAllModified()) return;
        app->HideApplication();
        app->CloseAllDocuments(FALSE);
        // Outstanding OLE objects keep the application (and this window) alive.
        if (!AfxOleCanExitApp()) {
            AfxOleSetUserCtrl(FALSE);
            return;
        }
        // Closing the documents may have destroyed the main window already.
        if (app->m_pMainWnd == nullptr) {
            AfxPostQuitMessage(0);
            return;
        }
        // The documents are gone: the active one too.
        document = nullptr;
    }

    // The last frame of an auto-deleting document closes the document instead.
    if (document != nullptr && document->m_bAutoDelete) {
        bool otherFrame = false;
        for (CView* view : document->GetViews()) {
            if (view->GetParentFrame() != this) {
                otherFrame = true;
                break;
            }
        }
        if (!otherFrame) {
            document->OnCloseDocument();
            return;
        }
        document->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::BeginModalState() {
    if (m_cModalStack++ > 0) return;
    ModalCandidates candidates{m_hWnd, {}};
    if (CWnd* top = GetTopLevelParent()) candidates.top = top->m_hWnd;
    ::EnumThreadWindows(::GetCurrentThreadId(), &collectModalCandidate, reinterpret_cast<LPARAM>(&candidates));
    for (HWND hWnd : candidates.found) ::EnableWindow(hWnd, FALSE);
    m_disabledByModalState = std::move(candidates.found);
}

void CFrameWnd::EndModalState() {
    if (m_cModalStack == 0 || --m_cModalStack > 0) return;
    for (auto it = m_disabledByModalState.rbegin(); it != m_disabledByModalState.rend(); ++it) {
        if (::IsWindow(*it)) ::EnableWindow(*it, TRUE);
    }
    m_disabledByModalState.clear();
}

// ---- CMDIFrameWnd ----------------------------------------------------------------------------

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = platform::mfc::detail::mdiFrameWindowClass();
    if (cs.style & FWS_ADDTOTITLE) cs.style |= static_cast<LONG>(FWS_PREFIXTITLE);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) { return CreateClient(lpcs, nullptr); }

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu) {
    DWORD style = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES;
    const DWORD scrollBars = static_cast<DWORD>(lpCreateStruct->style) & (WS_HSCROLL | WS_VSCROLL);
    if (scrollBars != 0) {
        // The scroll bars belong to the client, not to the frame.
        style |= scrollBars;
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = hWindowMenu;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, style, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == nullptr) return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

HWND CMDIFrameWnd::askClientForActive(BOOL* pbMaximized) const {
    return reinterpret_cast<HWND>(::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(pbMaximized)));
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (pbMaximized != nullptr) *pbMaximized = FALSE;
    if (m_hWndMDIClient == nullptr) return nullptr;
    if (passDepth_ > 0) {
        // Asked for every control of the pass: the look-up is redone only when a window object
        // went meanwhile.
        const std::uint64_t removals = platform::mfc::detail::permanentWindowRemovals();
        if (passLookup_.handle != passChild_ || passLookup_.removals != removals) {
            CWnd* child = CWnd::FromHandlePermanent(passChild_);
            passLookup_ = PassLookup{passChild_, removals, child != nullptr && child->m_hWnd == passChild_,
                                     DYNAMIC_DOWNCAST(CMDIChildWnd, child)};
        }
        // A child destroyed meanwhile is no answer: the client is asked after all.
        if (passChild_ == nullptr || passLookup_.alive) {
            if (pbMaximized != nullptr) *pbMaximized = passMaximized_;
            return passChild_ == nullptr ? nullptr : passLookup_.child;
        }
    }
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(askClientForActive(pbMaximized)));
}

void CMDIFrameWnd::refreshPass() {
    if (passDepth_ > 0 && m_hWndMDIClient != nullptr) passChild_ = askClientForActive(&passMaximized_);
}

CFrameWnd::IdlePass::IdlePass(CWnd* frame) : frame_(frame != nullptr && frame->IsFrameWnd() ? static_cast<CFrameWnd*>(frame) : nullptr) {
    if (frame_ == nullptr || frame_->m_hWnd == nullptr) {
        frame_ = nullptr;
        return;
    }
    window_ = frame_->m_hWnd;
    if (frame_->passDepth_++ > 0) return;
    frame_->passOutermost_ = frame_->GetParentFrame() == nullptr;
    if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(frame_)) mdi->refreshPass();
}

CFrameWnd::IdlePass::~IdlePass() {
    if (frame_ != nullptr && CWnd::FromHandlePermanent(window_) == frame_) --frame_->passDepth_;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
    ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(SafeHwnd(pWndActivate)), 0);
    refreshPass();
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
    ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(SafeHwnd(pWnd)), 0);
    refreshPass();
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
    ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(SafeHwnd(pWnd)), 0);
    refreshPass();
}

void CMDIFrameWnd::MDINext() {
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
    refreshPass();
}

void CMDIFrameWnd::MDIPrev() {
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1);
    refreshPass();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (RouteToPreview(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CMDIChildWnd* child = MDIGetActive(); child != nullptr) {
        childFrameBeingRouted() = child;
        const BOOL handled = child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        childFrameBeingRouted() = nullptr;  // a child's own OnCmdMsg may not have taken it
        if (handled) return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CMDIChildWnd* child = bAddToTitle ? MDIGetActive() : nullptr;
    const bool childShowsTitle = child != nullptr && (child->GetStyle() & WS_MAXIMIZE) == 0;
    CDocument* document = GetActiveDocument();
    if (childShowsTitle && document == nullptr) document = child->GetActiveDocument();
    if (childShowsTitle && document != nullptr) {
        UpdateFrameTitleForDocument(document->GetTitle());
        return;
    }
    CString childTitle;
    if (childShowsTitle) childTitle = child->GetTitle();
    UpdateFrameTitleForDocument(childTitle.IsEmpty() ? nullptr : childTitle.GetString());
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The frame's default processing keeps the MDI client over the client area.
    if (message == WM_SIZE && m_hWndMDIClient != nullptr && wParam != SIZE_MINIMIZED) {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        ::MoveWindow(m_hWndMDIClient, client.left, client.top, client.right - client.left, client.bottom - client.top,
                     TRUE);
    }
    return CFrameWnd::DefWindowProc(message, wParam, lParam);
}

// ---- CMDIChildWnd ----------------------------------------------------------------------------

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    HWND client = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(client ? ::GetParent(client) : nullptr));
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    if (auto text = platform::loadStringResource(nIDResource)) {
        m_strTitle = CString(text->substr(0, text->find(L'\n')));
    }
    const CString title = m_strTitle;
    return Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext);
}

BOOL CMDIChildWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCWSTR, DWORD dwExStyle, CCreateContext* pContext) {
    HWND client = nullptr;
    if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
    if (auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd)) {
        client = frame->m_hWndMDIClient;
    } else if (pParentWnd != nullptr) {
        wchar_t className[16] = {};
        ::GetClassNameW(pParentWnd->m_hWnd, className, 16);
        if (std::wstring_view(className) == L"MDICLIENT") client = pParentWnd->m_hWnd;
    }
    if (client == nullptr) {
        platform::core::reportFailure(L"CMDIChildWnd::Create(" + std::wstring(lpszWindowName ? lpszWindowName : L"") +
                                      L"): no MDI frame to hold the child");
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle | WS_EX_MDICHILD;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : extent(rect.left, rect.right);
    cs.cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : extent(rect.top, rect.bottom);
    cs.hwndParent = client;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    MDICREATESTRUCTW mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = static_cast<DWORD>(cs.style);
    mcs.lParam = reinterpret_cast<LPARAM>(pContext);
    HWND attached = nullptr;
    platform::mfc::detail::hookWindowCreation(this, &attached);
    HWND hWnd = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (!platform::mfc::detail::unhookWindowCreation()) {
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd == nullptr) {
        if (attached != nullptr && FromHandlePermanent(attached) == this && !::IsWindow(attached)) {
            Detach();
            PostNcDestroy();
        }
        return FALSE;
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    CFrameWnd::ActivateFrame(nCmdShow);
    const bool shown = nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (shown && frame != nullptr && frame->MDIGetActive() != this) MDIActivate();
}

void CMDIChildWnd::MDIActivate() {
    if (HWND client = ::GetParent(m_hWnd)) ::SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIMaximize() {
    if (HWND client = ::GetParent(m_hWnd)) ::SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIRestore() {
    if (HWND client = ::GetParent(m_hWnd)) ::SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
BOOL CMDIChildWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    const HWND client = ::GetParent(m_hWnd);
    if (!client) return CFrameWnd::DestroyWindow();
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::MDIDestroy() {
    if (HWND client = ::GetParent(m_hWnd)) ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle) return;
    CDocument* document = GetActiveDocument();
    CString text = document != nullptr ? document->GetTitle() : m_strTitle;
    if (m_nWindow > 0) text.AppendFormat(L":%d", m_nWindow);
    CString current;
    GetWindowText(current);
    if (current != text) SetWindowText(text);
}

BOOL CMDIChildWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_MDIACTIVATE) {
        const bool activated = reinterpret_cast<HWND>(lParam) == m_hWnd;
        if (CView* view = GetActiveView()) {
            if (!activated) {
                view->OnActivateView(FALSE, view, view);
            } else if (CMDIFrameWnd* frame = GetMDIFrame(); frame != nullptr && frame->m_hWnd == ::GetActiveWindow()) {
                view->OnActivateView(TRUE, view, view);
            }
        }
        const BOOL handled = CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
        // The MDI frame's title follows the active child's document; it drops the document only
        // when no child is active any more.
        if (CMDIFrameWnd* frame = GetMDIFrame(); frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->OnUpdateFrameTitle(activated || lParam != 0 ? TRUE : FALSE);
        return handled;
    }
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return CFrameWnd::DefWindowProc(message, wParam, lParam);
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}
