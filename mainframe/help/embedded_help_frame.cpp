#include "mainframe/help/embedded_help_frame.h"

#include "mainframe/help/embedded_html_view.h"
#include "mainframe/main_frame.h"
#include "platform/win32/icons.h"

IMPLEMENT_DYNCREATE(CEmbeddedHelpFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CEmbeddedHelpFrame, CFrameWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_MOVE, &CEmbeddedHelpFrame::OnMove)
    ON_MESSAGE(WM_SYSCOMMAND, &CEmbeddedHelpFrame::OnSysCommand)
    ON_COMMAND(CEmbeddedHelpFrame::kToggleAttachedCommand, &CEmbeddedHelpFrame::OnToggleAttached)
    ON_UPDATE_COMMAND_UI(CEmbeddedHelpFrame::kToggleAttachedCommand, &CEmbeddedHelpFrame::OnUpdateToggleAttached)
    ON_COMMAND(CEmbeddedHelpFrame::kBackCommand, &CEmbeddedHelpFrame::OnBack)
    ON_COMMAND(CEmbeddedHelpFrame::kForwardCommand, &CEmbeddedHelpFrame::OnForward)
END_MESSAGE_MAP()

namespace {

constexpr UINT kCaptionString = 41454;
constexpr UINT kFrameIcon = 1;

HWND ActiveMainWindow() {
    CMainFrame* frame = CMainFrame::GetActive();
    return frame ? frame->GetSafeHwnd() : nullptr;
}

bool IsRestored(HWND window) { return !::IsIconic(window) && !::IsZoomed(window); }

// The program's tool-bar resource of the help window: attach, a separator, back, forward.
void AddToolBarResource() {
    static const bool added = [] {
        AfxAddToolBarResource({CEmbeddedHelpFrame::kToolBarResource, SIZE{17, 16},
                               {CEmbeddedHelpFrame::kToggleAttachedCommand, 0, CEmbeddedHelpFrame::kBackCommand,
                                CEmbeddedHelpFrame::kForwardCommand}});
        return true;
    }();
    (void)added;
}

}  // namespace

CEmbeddedHelpFrame::CEmbeddedHelpFrame(CFrameToolsEngine* owner) : m_owner(owner) {
    m_savedPlacement.length = sizeof(WINDOWPLACEMENT);
}

CEmbeddedHelpFrame::~CEmbeddedHelpFrame() {
    if (m_owner) m_owner->OnEmbeddedHelpDestroyed(this);
    delete m_view;
}

bool CEmbeddedHelpFrame::Create() {
    if (GetSafeHwnd()) return true;
    const HWND main = ActiveMainWindow();
    if (!main) return false;
    ::GetWindowPlacement(main, &m_savedPlacement);

    const RECT reference = IsRestored(main) ? m_savedPlacement.rcNormalPosition
                                            : RECT{0, 0, ::GetSystemMetrics(SM_CXFULLSCREEN),
                                                   ::GetSystemMetrics(SM_CYFULLSCREEN)};
    const int split = reference.right - (reference.right - reference.left) / 4;
    const RECT helpRect{split, reference.top, reference.right, reference.bottom};
    const RECT mainRect{reference.left, reference.top, split, reference.bottom};

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    // The main window keeps its place until the help window stands complete.
    m_moving = true;
    if (!CFrameWnd::Create(AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), KVLoadString(kCaptionString), style, helpRect,
                           nullptr, nullptr, 0, nullptr)) {
        return false;
    }
    if (HICON icon = ::LoadIconW(AfxGetInstanceHandle(), kFrameIcon)) {
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    m_view = new CEmbeddedHtmlView;
    m_view->SetHosted(true);
    AddToolBarResource();
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, RECT{},
                            AFX_IDW_TOOLBAR) ||
        !m_toolBar.LoadToolBar(kToolBarResource)) {
        DestroyWindow();  // deletes this frame
        return false;
    }
    RECT client{};
    GetClientRect(&client);
    if (!m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, AFX_IDW_PANE_FIRST, nullptr)) {
        DestroyWindow();
        return false;
    }
    m_toolBar.UpdateButtons(this);

    WINDOWPLACEMENT placement = m_savedPlacement;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = mainRect;
    ::SetWindowPlacement(main, &placement);
    RecalcLayout();
    ShowWindow(SW_SHOW);
    m_moving = false;
    return true;
}

bool CEmbeddedHelpFrame::Navigate(LPCWSTR url) {
    if (m_view) m_view->Navigate2(url, 0, nullptr, nullptr, nullptr, 0);
    return true;
}

void CEmbeddedHelpFrame::RedrawIfPending() {
    if (m_view) m_view->RedrawIfPending();
}

void CEmbeddedHelpFrame::AttachToMainFrame() {
    const HWND main = ActiveMainWindow();
    if (!m_attached || !main || m_moving || !IsRestored(main) || !GetSafeHwnd()) return;
    m_moving = true;
    RECT mainRect{}, helpRect{};
    ::GetWindowRect(main, &mainRect);
    GetWindowRect(&helpRect);
    if (mainRect.right < helpRect.right) {
        MoveWindow(mainRect.right, mainRect.top, helpRect.right - mainRect.right, mainRect.bottom - mainRect.top, TRUE);
    }
    m_moving = false;
}

void CEmbeddedHelpFrame::FitMainFrameToHelp() {
    if (!m_attached || m_moving || !GetSafeHwnd() || !IsRestored(m_hWnd)) return;
    const HWND main = ActiveMainWindow();
    if (!main || !IsRestored(main)) return;
    m_moving = true;
    RECT mainRect{}, helpRect{};
    ::GetWindowRect(main, &mainRect);
    GetWindowRect(&helpRect);
    if (mainRect.left < helpRect.left) {
        ::MoveWindow(main, mainRect.left, helpRect.top, helpRect.left - mainRect.left, helpRect.bottom - helpRect.top, TRUE);
    }
    m_moving = false;
}

void CEmbeddedHelpFrame::OnSize(UINT type, int cx, int cy) {
    CFrameWnd::OnSize(type, cx, cy);
    FitMainFrameToHelp();
}

LRESULT CEmbeddedHelpFrame::OnMove(WPARAM, LPARAM) {
    const LRESULT result = Default();
    FitMainFrameToHelp();
    return result;
}

LRESULT CEmbeddedHelpFrame::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == SC_CLOSE && m_attached) {
        const HWND main = ActiveMainWindow();
        if (main && IsRestored(main)) {
            m_moving = true;
            ShowWindow(SW_HIDE);
            ::SetWindowPlacement(main, &m_savedPlacement);
            m_moving = false;
        }
    }
    return Default();
}

void CEmbeddedHelpFrame::OnToggleAttached() {
    m_attached = !m_attached;
    m_toolBar.UpdateButtons(this);
    FitMainFrameToHelp();
}

void CEmbeddedHelpFrame::OnUpdateToggleAttached(CCmdUI* cmdUI) { cmdUI->SetCheck(m_attached ? 1 : 0); }

void CEmbeddedHelpFrame::OnBack() {
    if (m_view) m_view->GoBack();
}

void CEmbeddedHelpFrame::OnForward() {
    if (m_view) m_view->GoForward();
}
