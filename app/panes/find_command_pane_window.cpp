// The "find command" pane's window: made on first demand like the other pane windows, with the
// services of the application and its frames that the command search calls.
#include "app/kvw32_app.h"
#include "commandbars/search/find_command_host.h"
#include "commandbars/search/find_command_wnd.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/frame_tools_options.h"
#include "platform/diagnostics.h"

namespace {

constexpr DWORD kPaneWindowStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr const wchar_t* kButtonTag = L"Button";

FindCommandHost ApplicationHost() {
    FindCommandHost host;
    host.framelessBars = [](CFrameWnd* frame) -> CXTPCommandBars* {
        auto* main = dynamic_cast<CMainFrame*>(frame);
        return main ? frame_tools::FramelessToolBars(main) : nullptr;
    };
    host.createControl = [](CFrameWnd*, UINT id) { return CreateToolBarControl(id, kButtonTag); };
    host.showHelp = [](UINT context) {
        CKvw32App* app = CKvw32App::Instance();
        if (!app) return;
        app->SetHelpContext(context, nullptr, 1);
        app->OnHelp();
        app->SetHelpContext(0, nullptr, -1);
    };
    return host;
}

}  // namespace

CWnd* CKvw32App::GetFindCommandWindow(bool create) {
    PaneWindowSlot& slot = m_paneWindows.findCommand;
    if (slot.Get() || !create || slot.IsDisabled()) return slot.Get();
    SetFindCommandHost(ApplicationHost());
    auto* window = new CFindCommandWnd;
    slot.Reset(window);
    CWnd* host = GetDockingPaneDummyWindow();
    if (!host || !host->GetSafeHwnd()) return slot.Get();
    // Made hidden: the list is built when the pane first shows it.
    if (window->Create(L"STATIC", nullptr, kPaneWindowStyle, RECT{0, 0, 0, 0}, host, CFindCommandWnd::kPaneId, nullptr))
        KVLog_WriteF(3, L"Created %s window 0x%08x", L"find command",
                     static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window->GetSafeHwnd())));
    return slot.Get();
}

void CKvw32App::NotifyCommandRegistered(UINT id) {
    if (auto* window = dynamic_cast<CFindCommandWnd*>(m_paneWindows.findCommand.Get())) window->OnCommandRegistered(id);
}

bool CKvw32App::OnFindCommandHelp() {
    auto* window = dynamic_cast<CFindCommandWnd*>(m_paneWindows.findCommand.Get());
    return window && window->GetSafeHwnd() && window->OnHelp();
}
