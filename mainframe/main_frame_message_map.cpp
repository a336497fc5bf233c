// The main frame's message map: 92 entries in a fixed order. The last fifteen (from the
// registered tab-changing message on) are filled when the map is first requested, because the
// registered message's id only exists at run time.

#include "mainframe/main_frame.h"

namespace {

constexpr UINT WM_COMMANDHELP = 0x0365;
constexpr UINT kFixedEntryCount = 77;
constexpr UINT kLateEntryCount = 15;

UINT g_changingActiveTabMessage = 0;

}  // namespace

const AFX_MSGMAP* CMainFrame::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CMainFrame::GetThisMessageMap() {
    using ThisClass [[maybe_unused]] = CMainFrame;
    static const AFX_MSGMAP_ENTRY fixedEntries[kFixedEntryCount] = {
        ON_COMMAND_RANGE(35001, 35001, &CMainFrame::OnFrameCommand)                      // 1
        ON_COMMAND_RANGE(9607, 9607, &CMainFrame::OnFrameCommand)                        // 2
        ON_MESSAGE(WM_USER + 9302, &CMainFrame::OnControlSelected)                       // 3
        ON_MESSAGE(XTPWM_TEAROFFDONE, &CMainFrame::OnTearOffDone)                        // 4
        ON_MESSAGE(XTPWM_DOCKINGPANE_NOTIFY, &CMainFrame::OnDockingPaneNotify)           // 5
        ON_MESSAGE(XTPWM_CREATECONTROL, &CMainFrame::OnCreateControl)                    // 6
        ON_MESSAGE(XTPWM_UPDATECONTROLTEXT, &CMainFrame::OnUpdateControlText)            // 7
        ON_WM_CREATE()                                                                   // 8
        ON_WM_CLOSE()                                                                    // 9
        ON_WM_DESTROY()                                                                  // 10
        ON_MESSAGE(WM_SHOWWINDOW, &CMainFrame::OnDefaultMessage)                         // 11
        ON_MESSAGE(WM_ENABLE, &CMainFrame::OnEnableMessage)                              // 12
        ON_MESSAGE(WM_ACTIVATEAPP, &CMainFrame::OnActivateApp)                           // 13
        ON_WM_ACTIVATE()                                                                 // 14
        ON_WM_SIZE()                                                                     // 15
        ON_MESSAGE(WM_MOVE, &CMainFrame::OnMoveMessage)                                  // 16
        ON_MESSAGE(WM_QUERYENDSESSION, &CMainFrame::OnQueryEndSession)                   // 17
        ON_MESSAGE(WM_ENDSESSION, &CMainFrame::OnEndSession)                             // 18
        ON_COMMAND_RANGE(806, 806, &CMainFrame::OnFrameCommand)                          // 19
        ON_UPDATE_COMMAND_UI(806, &CMainFrame::OnUpdateFrameCommand)                     // 20
        ON_COMMAND_RANGE(800, 800, &CMainFrame::OnFrameCommand)                          // 21
        ON_UPDATE_COMMAND_UI(800, &CMainFrame::OnUpdateFrameCommand)                     // 22
        ON_COMMAND_RANGE(807, 807, &CMainFrame::OnFrameCommand)                          // 23
        ON_UPDATE_COMMAND_UI(807, &CMainFrame::OnUpdateFrameCommand)                     // 24
        ON_COMMAND_RANGE(802, 802, &CMainFrame::OnFrameCommand)                          // 25
        ON_UPDATE_COMMAND_UI(802, &CMainFrame::OnUpdateFrameCommand)                     // 26
        ON_COMMAND_RANGE(801, 801, &CMainFrame::OnFrameCommand)                          // 27
        ON_UPDATE_COMMAND_UI(801, &CMainFrame::OnUpdateFrameCommand)                     // 28
        ON_COMMAND_RANGE(1601, 1601, &CMainFrame::OnFrameCommand)                        // 29
        ON_COMMAND(ID_HELP, &CMainFrame::OnFrameHelp)                                    // 30
        ON_COMMAND(ID_CONTEXT_HELP, &CMainFrame::OnContextHelp)                          // 31
        ON_MESSAGE(WM_COMMANDHELP, &CMainFrame::OnCommandHelp)                           // 32
        ON_MESSAGE(WM_USER + 363, &CMainFrame::OnViewCommandMessage)                    // 33
        ON_COMMAND_RANGE(700, 749, &CMainFrame::OnToolBarCommand)                        // 34
        ON_UPDATE_COMMAND_UI_RANGE(700, 749, &CMainFrame::OnUpdateToolBarCommand)        // 35
        ON_COMMAND_RANGE(781, 799, &CMainFrame::ShowDockingPane)                         // 36
        ON_COMMAND_RANGE(811, 826, &CMainFrame::ShowDockingPane)                         // 37
        ON_COMMAND_RANGE(903, 903, &CMainFrame::OnFrameCommand)                          // 38
        ON_UPDATE_COMMAND_UI(903, &CMainFrame::OnUpdateFrameCommand)                     // 39
        ON_UPDATE_COMMAND_UI_RANGE(781, 799, &CMainFrame::OnUpdateDockingPane)           // 40
        ON_UPDATE_COMMAND_UI_RANGE(811, 826, &CMainFrame::OnUpdateDockingPane)           // 41
        ON_UPDATE_COMMAND_UI(803, &CMainFrame::OnUpdateFrameCommand)                     // 42
        ON_COMMAND_RANGE(803, 803, &CMainFrame::OnFrameCommand)                          // 43
        ON_UPDATE_COMMAND_UI(804, &CMainFrame::OnUpdateFrameCommand)                     // 44
        ON_COMMAND_RANGE(804, 804, &CMainFrame::OnFrameCommand)                          // 45
        ON_COMMAND_RANGE(1254, 1254, &CMainFrame::OnFrameCommand)                        // 46
        ON_UPDATE_COMMAND_UI(1254, &CMainFrame::OnUpdateFrameCommand)                    // 47
        ON_COMMAND_RANGE(2814, 2814, &CMainFrame::OnFrameCommand)                        // 48
        ON_UPDATE_COMMAND_UI(2814, &CMainFrame::OnUpdateFrameCommand)                    // 49
        ON_MESSAGE(WM_DDE_EXECUTE, &CMainFrame::OnDDEExecute)                            // 50
        ON_MESSAGE(WM_DROPFILES, &CMainFrame::OnDropFiles)                              // 51
        ON_COMMAND(61217, &CMainFrame::OnWindowList)                                     // 52
        ON_UPDATE_COMMAND_UI_RANGE(65280, 65289, &CMainFrame::OnUpdateWindowMenu)        // 53
        ON_COMMAND_RANGE(7000, 7199, &CMainFrame::OnFrameCommand)                        // 54
        ON_UPDATE_COMMAND_UI_RANGE(7000, 7199, &CMainFrame::OnUpdateFrameCommand)        // 55
        ON_COMMAND(1075, &CMainFrame::OnNoAction)                                        // 56
        ON_COMMAND(1122, &CMainFrame::OnNoAction)                                        // 57
        ON_COMMAND_RANGE(1067, 1067, &CMainFrame::OnFrameCommand)                        // 58
        ON_UPDATE_COMMAND_UI(1067, &CMainFrame::OnUpdateFrameCommand)                    // 59
        ON_COMMAND_RANGE(1126, 1126, &CMainFrame::OnFrameCommand)                        // 60
        ON_UPDATE_COMMAND_UI(1126, &CMainFrame::OnUpdateFrameCommand)                    // 61
        ON_COMMAND_RANGE(1123, 1123, &CMainFrame::OnFrameCommand)                        // 62
        ON_UPDATE_COMMAND_UI(1123, &CMainFrame::OnUpdateFrameCommand)                    // 63
        ON_COMMAND_RANGE(1221, 1221, &CMainFrame::OnFrameCommand)                        // 64
        ON_UPDATE_COMMAND_UI(1221, &CMainFrame::OnUpdateFrameCommand)                    // 65
        ON_UPDATE_COMMAND_UI(1202, &CMainFrame::OnUpdateFrameCommand)                    // 66
        ON_COMMAND_RANGE(805, 805, &CMainFrame::OnFrameCommand)                          // 67
        ON_UPDATE_COMMAND_UI(805, &CMainFrame::OnUpdateFrameCommand)                     // 68
        ON_COMMAND_RANGE(2031, 2031, &CMainFrame::OnFrameCommand)                        // 69
        ON_UPDATE_COMMAND_UI(2031, &CMainFrame::OnUpdateFrameCommand)                    // 70
        ON_MESSAGE(XTPWM_INITCOMMANDSPOPUP, &CMainFrame::OnInitCommandsPopupMessage)     // 71
        ON_MESSAGE(XTPWM_UNINITCOMMANDSPOPUP, &CMainFrame::OnUninitCommandsPopupMessage) // 72
        ON_COMMAND_RANGE(37000, 37999, &CMainFrame::OnFrameCommand)                      // 73
        ON_UPDATE_COMMAND_UI_RANGE(37000, 37999, &CMainFrame::OnUpdateFrameCommand)      // 74
        ON_COMMAND_RANGE(1215, 1215, &CMainFrame::OnFrameCommand)                        // 75
        ON_MESSAGE(WM_USER + 9316, &CMainFrame::OnTabToolBarRefresh)                     // 76
        ON_MESSAGE(WM_USER + 241, &CMainFrame::OnKernelNotice)                           // 77
    };
    static AFX_MSGMAP_ENTRY entries[kFixedEntryCount + kLateEntryCount + 1] = {};
    // Filled once, thread-safely; every handler lookup of the frame asks for the map, and a
    // static's guard costs less on that way than a once-flag.
    [[maybe_unused]] static const bool filled = [] {
        g_changingActiveTabMessage = ::RegisterWindowMessageW(L"AFX_WM_CHANGING_ACTIVE_TAB");
        const AFX_MSGMAP_ENTRY lateEntries[kLateEntryCount] = {
            ON_REGISTERED_MESSAGE(g_changingActiveTabMessage, &CMainFrame::OnChangingActiveTab)  // 78
            ON_COMMAND(2045, &CMainFrame::OnNoAction)                                            // 79
            ON_COMMAND_RANGE(2929, 2929, &CMainFrame::OnFrameCommand)                            // 80
            ON_UPDATE_COMMAND_UI(2929, &CMainFrame::OnUpdateFrameCommand)                        // 81
            ON_COMMAND_RANGE(2930, 2930, &CMainFrame::OnFrameCommand)                            // 82
            ON_UPDATE_COMMAND_UI(2930, &CMainFrame::OnUpdateFrameCommand)                        // 83
            ON_COMMAND_RANGE(2938, 2938, &CMainFrame::OnFrameCommand)                            // 84
            ON_UPDATE_COMMAND_UI(2938, &CMainFrame::OnUpdateFrameCommand)                        // 85
            ON_MESSAGE(WM_USER + 9321, &CMainFrame::OnMessageBarClosed)                          // 86
            ON_MESSAGE(WM_USER + 9325, &CMainFrame::OnRibbonMinimized)                           // 87
            ON_COMMAND_RANGE(2826, 2826, &CMainFrame::OnFrameCommand)                            // 88
            ON_COMMAND_RANGE(3450, 3499, &CMainFrame::OnFrameCommand)                            // 89
            ON_MESSAGE(WM_USER + 9314, &CMainFrame::OnControlExecuted)                           // 90
            ON_MESSAGE(WM_USER + 291, &CMainFrame::OnViewChanged)                                // 91
            ON_MESSAGE(WM_USER + 9301, &CMainFrame::OnToolBarVisibilityChanged)                  // 92
        };
        std::copy(std::begin(fixedEntries), std::end(fixedEntries), entries);
        std::copy(std::begin(lateEntries), std::end(lateEntries), entries + kFixedEntryCount);
        return true;
    }();
    static const AFX_MSGMAP messageMap = {&Korvo::UI::MdiMainFrame::GetThisMessageMap, &entries[0]};
    return &messageMap;
}
