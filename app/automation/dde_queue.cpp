// DDE commands that arrive before the first main frame is shown wait in a queue and run, in
// arrival order, once start-up has finished.
#include <utility>

#include "app/kvw32_app.h"

void CKvw32App::QueueDdeCommand(LPCWSTR command) {
    if (!command || !*command) return;
    m_pendingDdeCommands.emplace_back(command);
}

BOOL CKvw32App::OnDDECommand(LPWSTR command) {
    if (!m_startupFinishedForDde) {
        QueueDdeCommand(command);
        return TRUE;
    }
    // The framework would restore or show the main window for an open command; the user's
    // window arrangement must stay as it is.
    const int showCommand = m_nCmdShow;
    m_nCmdShow = -1;
    BOOL handled = FALSE;
    try {
        handled = CWinApp::OnDDECommand(command);
    } catch (...) {
        m_nCmdShow = showCommand;
        throw;
    }
    m_nCmdShow = showCommand;
    return handled;
}

void CKvw32App::ProcessPendingDdeCommands() {
    if (m_pendingDdeCommands.empty() || !m_startupFinishedForDde) return;
    std::vector<CString> commands = std::exchange(m_pendingDdeCommands, {});
    for (CString& command : commands) OnDDECommand(command.GetBuffer());
}

void CKvw32App::FinishStartupForDde() {
    m_startupFinishedForDde = true;
    if (m_pendingDdeCommands.empty()) return;
    AfxOleSetUserCtrl(TRUE);
    ProcessPendingDdeCommands();
}
