#include "mainframe/main_frame.h"

#include "app/kvw32_app.h"
#include "app/splash_wnd.h"

IMPLEMENT_DYNCREATE(CMainFrame, CXTPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, Korvo::UI::MdiMainFrame)
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_ENABLE, &CMainFrame::OnEnableMessage)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kMainFrameStyle = 0xCF8000;

}  // namespace

CMainFrame::CMainFrame() : m_showCommand(AfxGetApp() ? AfxGetApp()->m_nCmdShow : SW_SHOWNORMAL) {}

CMainFrame::~CMainFrame() {
    // The UI module dropped the frame with its window; the others are renumbered.
    if (CKvw32App* app = CKvw32App::Instance()) app->UpdateFrameTitles();
}

CMainFrame* CMainFrame::CreateFromState(std::shared_ptr<Korvo::UI::MainFrameState>, bool, bool) {
    // A frame normally deletes itself with its window; until it exists for good, this owns it.
    auto owned = std::make_unique<CMainFrame>();
    owned->m_creating = true;
    if (!owned->LoadFrame(kFrameResourceId, kMainFrameStyle)) {
        if (owned->GetSafeHwnd()) owned->DestroyWindow();
        return nullptr;
    }
    owned->m_creating = false;
    CMainFrame* frame = owned.release();
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
    if (CKvw32App* application = CKvw32App::Instance()) {
        // A new frame looks like the others.
        frame->SetRibbonMode(application->IsRibbonMode());
        frame->ApplyToolBarIconSize(application->GetToolBarIconSize(), application->IsLargeToolBarIcons());
        application->UpdateFrameTitles();
    }
    return frame;
}

CMainFrame* CMainFrame::Clone() const {
    // The frame's layout lives in its command bars and panes; a frame has none yet, so the clone
    // starts from the default layout as well.
    return CreateFromState(nullptr, false, true);
}

void CMainFrame::PostNcDestroy() {
    if (m_creating) return;
    Korvo::UI::MdiMainFrame::PostNcDestroy();
}

void CMainFrame::SetTheme(const Korvo::UI::Theme& theme) { m_themeName = theme.name; }

void CMainFrame::SetRibbonMode(bool ribbon) { m_ribbonMode = ribbon; }

void CMainFrame::ApplyToolBarIconSize(SIZE size, bool largeIcons) {
    UIModuleProxy::Instance().SetCommandBarsIconSize(this, size, largeIcons);
    // The frame's command-bar options are re-applied here once it has its tools engine.
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    Korvo::UI::MdiMainFrame::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE && !bMinimized) MakeActive();
}

LRESULT CMainFrame::OnEnableMessage(WPARAM wParam, LPARAM) {
    const bool enabled = wParam != 0;
    if (MacroManager* macros = MacroManagerInstance()) macros->OnEnableMainWindows(enabled);
    CKVCom_Is3D::SetMainWindowsDisabled(!enabled);
    if (CKvw32App* app = CKvw32App::Instance()) app->EnableMainFrames(enabled);
    return Default();
}

void CMainFrame::InitialShow() {
    if (m_shown) return;
    if (const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme()) SetTheme(*theme);
    PostMessage(WM_IDLEUPDATECMDUI);
    UpdateWindow();
    CSplashWnd::SignalClose();
    ShowWindow(m_showCommand);
    m_shown = true;
}
