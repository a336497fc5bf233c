// The application's commands for what the user sees: the tip strip, the fixed window size, the
// UI themes, the log window and the About box; and the 3D module's message.
#include "app/kvw32_app.h"
#include "app/about/about_dialog.h"
#include "auxiliary/info_tip.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kFirstThemeCommand = 3401;

}  // namespace

void CKvw32App::OnInfoTipToggle() { CInfoTip::Instance().Toggle(); }
void CKvw32App::OnInfoTipNext() { CInfoTip::Instance().ShowNextTip(); }
void CKvw32App::OnInfoTipPrevious() { CInfoTip::Instance().ShowPreviousTip(); }
void CKvw32App::OnInfoTipReload() { CInfoTip::Instance().LoadTips(); }

void CKvw32App::OnRestoreFixedSize() {
    CMainFrame* frame = GetActiveMainFrame();
    if (!frame) return;
    frame->ShowWindow(SW_SHOWNORMAL);
    RECT rect{};
    frame->GetWindowRect(&rect);
    frame->SetWindowPos(nullptr, rect.left, rect.top, static_cast<int>(m_fixedWidth), static_cast<int>(m_fixedHeight),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKvw32App::OnThemeCommand(UINT id) {
    if (id == m_themeCommandId) return;
    const std::vector<Korvo::UI::Theme> themes = UIModuleProxy::Instance().GetThemes();
    const std::size_t index = id - kFirstThemeCommand;
    if (id < kFirstThemeCommand || index >= themes.size()) return;
    if (SetTheme(themes[index].name)) m_themeCommandId = id;
}

void CKvw32App::OnUpdateThemeCommand(CCmdUI* cmdUI) { cmdUI->SetCheck(cmdUI->m_nID == m_themeCommandId ? 1 : 0); }

void CKvw32App::On3DModuleMessage(WPARAM wParam, LPARAM lParam) { CKVCom_Is3D::OnModuleMessage(wParam, lParam); }

void CKvw32App::OnViewLog() {
    if (m_logWindow && m_logWindow->GetSafeHwnd()) {
        m_logWindow->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return;
    }
    if (!KVLog_FileExists()) return;
    auto window = std::make_unique<Korvo::UI::LogWindow>();
    const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme();
    window->SetTheme(theme ? theme->index : -1);
    if (!window->Create()) return;  // the object goes with `window`
    m_logWindow = std::move(window);
}

void CKvw32App::OnUpdateViewLog(CCmdUI* cmdUI) {
    cmdUI->Enable((m_logWindow && m_logWindow->GetSafeHwnd()) || KVLog_FileExists() ? TRUE : FALSE);
}

void CKvw32App::OnAppAbout() {
    CAboutDlg dialog;
    dialog.DoModal();
}
