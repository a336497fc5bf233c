// A main frame as the program creates it: its children, its placement, its creation steps (each
// of which can fail) and its first showing.
#include <algorithm>

#include "commandbars/command_tooltips.h"
#include "platform/core/text.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;
using mainframetest::childClasses;
using mainframetest::frameOf;
using mainframetest::screenRect;

class MainFrameCreation : public SessionTest {};

TEST_F(MainFrameCreation, TheFirstFrameHasItsBarsStatusLineAndPanesAroundTheClient) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    const HWND window = s.inspect().mainFrames().at(0);
    CMainFrame* frame = frameOf(window);
    ASSERT_NE(frame, nullptr);
    const std::vector<std::wstring> classes = childClasses(window);
    for (const wchar_t* expected : {L"MDICLIENT", L"XTPStatusBar", L"XTPDockingPaneManager", L"XTPMenuBar", L"XTPToolBar"})
        EXPECT_NE(std::find(classes.begin(), classes.end(), expected), classes.end()) << platform::core::toUtf8(expected);

    // The menu bar comes from the default layout; the hidden commands are the frame's 96.
    CXTPCommandBars* bars = frame->GetCommandBars();
    ASSERT_NE(bars->GetMenuBar(), nullptr);
    EXPECT_EQ(bars->GetMenuBar()->GetControls()->GetCount(), 5);
    EXPECT_EQ(bars->GetHiddenCommands().size(), 96u);
    EXPECT_TRUE(bars->IsControlHidden(8059));
    EXPECT_EQ(bars->GetShortcutManager()->GetKeyNameText(17), CString(L"Ctrl"));
    EXPECT_EQ(bars->GetShortcutManager()->GetKeyNameText(32), CString(L"Space"));
    EXPECT_EQ(bars->GetToolTipContext()->GetStyle(), xtpToolTipMarkup);
    EXPECT_EQ(frame->GetDockingPaneManager(), &frame->GetPaneManager());
    EXPECT_TRUE(frame->IsWorkbookMode());
    EXPECT_EQ(frame->GetTabClient().GetSafeHwnd(), frame->m_hWndMDIClient);

    // The client lies between the visible bars and the status line.
    const RECT client = screenRect(frame->m_hWndMDIClient);
    const RECT status = screenRect(frame->GetStatusLine().GetSafeHwnd());
    const RECT menu = screenRect(bars->GetMenuBar()->GetSafeHwnd());
    EXPECT_EQ(client.bottom, status.top);
    EXPECT_GE(client.top, menu.bottom);
    EXPECT_EQ(::GetDlgCtrlID(frame->GetStatusLine().GetSafeHwnd()), 59393);
}

TEST_F(MainFrameCreation, EachFrameOpensFifteenPixelsInsideTheActiveFramesMonitor) {
    Config config;
    platform::core::MonitorConfig second;
    second.rect = RECT{1920, 0, 3840, 1200};
    second.work = RECT{1920, 0, 3840, 1160};
    second.primary = false;
    config.platform.monitors.push_back(second);
    Session s(config);
    s.start();
    s.runUntilIdle();
    const HWND first = s.inspect().mainFrames().at(0);
    // The first frame opens on the monitor the application remembers (the primary one).
    EXPECT_EQ(screenRect(first).left, 15);
    EXPECT_EQ(screenRect(first).bottom, 1040 - 15);

    ::SetWindowPos(first, nullptr, 2000, 100, 800, 600, SWP_NOZORDER);
    const HWND other = s.kernel().newMainFrame();
    ASSERT_NE(other, nullptr);
    const RECT placed = screenRect(other);
    EXPECT_EQ(placed.left, 1920 + 15);
    EXPECT_EQ(placed.top, 15);
    EXPECT_EQ(placed.right, 3840 - 15);
    EXPECT_EQ(placed.bottom, 1160 - 15);
    EXPECT_EQ(s.inspect().mainFrames().size(), 2u);
}

TEST_F(MainFrameCreation, EveryCreationStepCanFailAndLeavesNothingBehind) {
    Session s;
    s.start();
    s.runUntilIdle();
    const std::vector<HWND> before = s.inspect().mainFrames();
    const std::size_t windowsBefore = s.inspect().topLevelWindows().size();
    for (int step = 1; step <= CMainFrame::kCreateSteps; ++step) {
        SCOPED_TRACE(step);
        s.faults().failAt(L"CMainFrame::OnCreate " + std::to_wstring(step));
        const std::size_t logsBefore = logs(s).size();
        EXPECT_EQ(CMainFrame::CreateFromState(nullptr), nullptr);
        EXPECT_EQ(s.inspect().mainFrames(), before);
        EXPECT_EQ(s.inspect().topLevelWindows().size(), windowsBefore);
        // A failed window creation is not logged as a failure of the frame.
        for (std::size_t i = logsBefore; i < logs(s).size(); ++i)
            EXPECT_EQ(logs(s)[i].find(L"Failed to create"), std::wstring::npos);
    }
    // With no fault left, the next frame is created.
    CMainFrame* frame = CMainFrame::CreateFromState(nullptr);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(s.inspect().mainFrames().size(), before.size() + 1);
    frame->DestroyWindow();
    EXPECT_EQ(s.inspect().mainFrames(), before);
}

// A library that throws while the frame is built (its layout ran out of memory) costs the frame,
// not the program: the half-made window goes and the failure is logged with its reason.
TEST_F(MainFrameCreation, AnExceptionWhileBuildingLeavesNoWindowAndIsLogged) {
    Session s;
    s.start();
    s.runUntilIdle();
    const std::vector<HWND> before = s.inspect().mainFrames();
    const std::size_t windowsBefore = s.inspect().topLevelWindows().size();
    s.faults().failAt(L"Korvo::UI::XML::ToolBar::apply");
    EXPECT_EQ(CMainFrame::CreateFromState(nullptr), nullptr);
    EXPECT_EQ(s.inspect().mainFrames(), before);
    EXPECT_EQ(s.inspect().topLevelWindows().size(), windowsBefore);
    EXPECT_GE(indexOf(logs(s), L"7 Failed to create a main frame: std::bad_alloc"), 0);
}

TEST_F(MainFrameCreation, CreationIsTimedAndTheFirstShowingHappensOnce) {
    Session s;
    s.start();
    s.runUntilIdle();
    EXPECT_GE(indexOf(logs(s), L"2 Created main frame in "), 0);
    EXPECT_GE(indexOf(logs(s), L"2 Constructed main window @ 0x"), 0);
    CMainFrame* frame = frameOf(s.inspect().mainFrames().at(0));
    ASSERT_TRUE(frame->IsShown());
    EXPECT_TRUE(s.inspect().visible(frame->GetSafeHwnd()));

    // A second showing does nothing, not even after the user hid the frame.
    frame->ShowWindow(SW_HIDE);
    const std::size_t entries = s.journal().entries().size();
    frame->InitialShow();
    EXPECT_FALSE(s.inspect().visible(frame->GetSafeHwnd()));
    EXPECT_EQ(s.journal().entries().size(), entries);
}

}  // namespace

namespace {

using namespace platform::harness;
using mainframetest::frameOf;
class MainFrameTips : public SessionTest {};

// A loaded layout leaves its shortcuts in force: the command tips shown afterwards name them.
TEST_F(MainFrameTips, ALoadedLayoutRebuildsTheShortcutsOfTheCommandTips) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    CMainFrame* frame = frameOf(s.inspect().mainFrames().at(0));
    ASSERT_NE(frame, nullptr);
    CXTPCommandBars* bars = frame->GetCommandBars();
    const CommandTooltipInfo* record = LoadCommandDescription(1001, bars, 0);
    ASSERT_NE(record, nullptr);
    const CString before = record->shortcut;
    bars->GetShortcutManager()->AddShortcut(ACCEL{FVIRTKEY | FCONTROL | FSHIFT, 'K', 1001});
    EXPECT_EQ(record->shortcut, before) << "a record keeps its line until the tips are rebuilt";

    CXTPPropExchangeXMLNode layout(TRUE, L"MainWindow");
    ASSERT_TRUE(layout.LoadFromString(std::wstring_view(L"<MainWindow><codejock><normalLayout/></codejock></MainWindow>"), L"layout"));
    frame->LoadCommandBarsLayout(layout, false);
    EXPECT_NE(record->shortcut, before);
    EXPECT_NE(record->shortcut.Find(L"K"), -1) << platform::core::toUtf8(std::wstring(record->shortcut));
}

}  // namespace
