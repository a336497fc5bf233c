#include "mainframe/main_frame.h"

#include "app/splash_wnd.h"

IMPLEMENT_DYNCREATE(CMainFrame, CXTPMDIFrameWnd)

namespace {

// The frame being created: a frame whose window creation fails deletes itself on the way out,
// and this tells CreateFromState whether the object is still there.
CMainFrame* g_frameBeingCreated = nullptr;

constexpr DWORD kMainFrameStyle = 0xCF8000;

}  // namespace

CMainFrame::CMainFrame() : m_showCommand(AfxGetApp() ? AfxGetApp()->m_nCmdShow : SW_SHOWNORMAL) {}

CMainFrame::~CMainFrame() {
    if (g_frameBeingCreated == this) g_frameBeingCreated = nullptr;
}

CMainFrame* CMainFrame::CreateFromState(std::shared_ptr<Korvo::UI::MainFrameState>, bool, bool) {
    auto* frame = new CMainFrame;
    g_frameBeingCreated = frame;
    const BOOL created = frame->LoadFrame(kFrameResourceId, kMainFrameStyle);
    const bool alive = g_frameBeingCreated == frame;
    g_frameBeingCreated = nullptr;
    if (!created) {
        if (alive) {
            if (frame->GetSafeHwnd()) {
                frame->DestroyWindow();
            } else {
                delete frame;
            }
        }
        return nullptr;
    }
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
    return frame;
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
