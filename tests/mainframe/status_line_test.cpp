// The status line as the kernel drives it through its StatusLineProxy face: pane layout, nested
// progress with redraw limits on the manual clock, the taskbar button, and the background-task
// group with its buttons.
#include <gtest/gtest.h>

#include <memory>

#include "mainframe/main_frame.h"
#include "mainframe/statusline/status_line.h"
#include "platform/korvoui.h"
#include "tests/support/session_test.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;

TEST(StatusPaneWidths, FollowTheScreenWidthWithTheMiddlePanesClamped) {
    // 1920: Q = 480, R = 672, M = 96.
    EXPECT_EQ(StatusPaneWidths(1920), (std::array<int, 8>{465, 495, 96, 96, 96, 266, 266, 140}));
    // 1024: M = 51 is raised to 70; R = 358 gives 109 and 109.
    EXPECT_EQ(StatusPaneWidths(1024), (std::array<int, 8>{241, 271, 70, 70, 70, 109, 109, 140}));
    // 3840: M = 192 is cut to 100; an odd remainder goes to pane 6.
    EXPECT_EQ(StatusPaneWidths(3840), (std::array<int, 8>{945, 975, 100, 100, 100, 602, 602, 140}));
    EXPECT_EQ(StatusPaneWidths(1370)[5] + 1, StatusPaneWidths(1370)[6]);  // 169 and 170
}

TEST(UpdateThrottle, DrawsTwentyInAWindowThenOnePerWindowUntilAQuietWindow) {
    UpdateThrottle throttle(1000);
    EXPECT_TRUE(throttle.Allow(0, 1000));  // idle: never held back, nothing counted
    int drawn = 0;
    for (int call = 0; call < 25; ++call) drawn += throttle.Allow(1, 1000 + 4 * call);
    EXPECT_EQ(drawn, 19);  // the window opened at construction; its 20th call is refused
    // The next window after a saturated one: only its opening call draws.
    drawn = 0;
    for (int call = 0; call < 10; ++call) drawn += throttle.Allow(1, 1300 + call);
    EXPECT_EQ(drawn, 1);
    // A window with just its opening call is quiet: the one after draws freely again.
    EXPECT_TRUE(throttle.Allow(1, 1600));
    drawn = 0;
    for (int call = 0; call < 25; ++call) drawn += throttle.Allow(1, 1900 + call);
    EXPECT_EQ(drawn, 20);
}

TEST(UpdateThrottle, SpansTheWrapOfTheTickCount) {
    UpdateThrottle throttle(0xFFFFFF00u);
    int drawn = 0;
    // 0xFFFFFF00 to 0x10: 272 ms counting the wrap, so a new window opens at 0x10.
    for (int call = 0; call < 21; ++call) drawn += throttle.Allow(1, 0xFFFFFF00u + static_cast<unsigned>(call));
    EXPECT_EQ(drawn, 19);
    EXPECT_TRUE(throttle.Allow(1, 0x10));
}

TEST(TextProgressPaint, SplitsAtThePositionAndCentresThePercentage) {
    const TextProgressPaint none = LayoutTextProgress(RECT{0, 0, 200, 16}, 0);
    EXPECT_TRUE(none.plain);
    EXPECT_TRUE(none.text.IsEmpty());
    const TextProgressPaint some = LayoutTextProgress(RECT{10, 0, 210, 16}, 42);
    EXPECT_FALSE(some.plain);
    EXPECT_EQ(some.done.left, 10);
    EXPECT_EQ(some.done.right, 94);  // 10 + 200 * 42 / 100
    EXPECT_EQ(some.rest.left, 94);
    EXPECT_EQ(some.rest.right, 210);
    EXPECT_EQ(std::wstring(some.text), L"42%");
}

// A started program; the kernel reaches the active frame's status line through its callbacks.
class StatusLineTest : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = s.inspect().mainFrames().at(0);
        line = GetMainFrameStatusLine();
        ASSERT_NE(line, nullptr);
        proxy = KorvoServerAppProxy::Instance()->GetStatusLineProxy();
        ASSERT_EQ(proxy, static_cast<StatusLineProxy*>(line));
    }
    std::wstring Pane(int index) { return std::wstring(line->GetPaneText(index)); }
    // Where a child window of the status line sits, in the line's client coordinates.
    RECT Placed(CWnd* child) {
        RECT rect{};
        child->GetWindowRect(&rect);
        POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
        for (POINT& corner : corners) ::ScreenToClient(line->GetSafeHwnd(), &corner);
        return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
    // A message wakes the loop, so its next idle pass updates the bars.
    void IdleUpdate() {
        ::PostMessageW(frame, WM_NULL, 0, 0);
        s.runUntilIdle();
    }
    platform::mfc::TaskbarProgress Taskbar() { return platform::mfc::taskbarProgress(frame); }

    Session s;
    HWND frame = nullptr;
    CStatusLine* line = nullptr;
    StatusLineProxy* proxy = nullptr;
};

TEST_F(StatusLineTest, StartsWithThePromptMarkTheReadyTextAndTheTaskPanesHidden) {
    ASSERT_EQ(line->GetPaneCount(), 8);
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1920);
    struct Layout {
        UINT id;
        UINT style;
        int width;
        bool visible;
        bool operator==(const Layout&) const = default;
    };
    const auto popout = [](UINT style) { return style & (SBPS_POPOUT | SBPS_STRETCH); };
    tablecheck::ExpectRows<int, Layout>(
        "status panes (id, style, width, visible)",
        {{0, {0, SBPS_STRETCH, 465, true}},
         {1, {104, SBPS_STRETCH, 495, true}},
         {2, {105, SBPS_POPOUT, 96, true}},
         {3, {106, SBPS_POPOUT, 96, true}},
         {4, {107, SBPS_POPOUT, 96, true}},
         {5, {108, SBPS_STRETCH, 266, false}},
         {6, {109, SBPS_STRETCH, 266, false}},
         {7, {110, SBPS_STRETCH, 140, false}}},
        [&](int index) {
            CXTPStatusBarPane* pane = line->GetPane(index);
            return Layout{pane->GetID(), popout(pane->GetStyle()), pane->GetWidth(), pane->IsVisible() != FALSE};
        });
    EXPECT_EQ(Pane(0), L">");
    EXPECT_EQ(Pane(1), L"Ready");
    EXPECT_EQ(line->GetPane(5)->GetTextAlignment(), static_cast<int>(DT_RIGHT));
    EXPECT_NE(line->GetPane(6)->GetTextAlignment(), static_cast<int>(DT_RIGHT));
}

TEST_F(StatusLineTest, TextsGoToTheirPanesWithPrefixesCutAtTheFirstLineFeed) {
    EXPECT_TRUE(proxy->SetStatusText(L"Line one\nline two"));
    EXPECT_EQ(Pane(0), L"Line one");
    proxy->SetPromptText(L"  Pick a point \n more", true);
    EXPECT_EQ(Pane(1), L"Pick a point");
    EXPECT_EQ(std::wstring(proxy->GetPromptText()), L"Pick a point");
    proxy->SetXText(L"12.5", true);
    proxy->SetYText(L"7", false);
    proxy->SetIndicatorText(L"ORTHO");
    EXPECT_EQ(Pane(2), L"X=12.5");
    EXPECT_EQ(Pane(3), L"7");
    EXPECT_EQ(Pane(4), L"ORTHO");
    // An empty coordinate clears the pane instead of showing a bare prefix.
    proxy->SetXText(L"", true);
    EXPECT_EQ(Pane(2), L"");
}

TEST_F(StatusLineTest, NestedProgressSharesOneBarAndFreezesTheTextsUntilTheOuterEnd) {
    ASSERT_TRUE(proxy->BeginProgress());
    ASSERT_TRUE(proxy->IsProgressShown());
    CProgressCtrl* bar = line->GetProgressBar();
    EXPECT_TRUE(bar->IsMarqueeOn());
    EXPECT_EQ(Taskbar().state, TBPF_INDETERMINATE);
    // The bar sits in the right two fifths of pane 1, one pixel in.
    RECT pane{};
    line->GetItemRect(1, &pane);
    const RECT placed = Placed(bar);
    EXPECT_EQ(placed.right, pane.right - 1);
    EXPECT_EQ(placed.left, pane.right - static_cast<int>(2 * (pane.right - pane.left) / 5.0) + 1);

    // One progress leaves every text pane writable ...
    proxy->SetPromptText(L"Outer", false);
    proxy->SetXText(L"3", true);
    proxy->SetYText(L"4", true);
    proxy->SetIndicatorText(L"SNAP");
    proxy->SetBackgroundTaskText(L"1 task");
    EXPECT_EQ(Pane(2) + Pane(3) + Pane(4) + Pane(5), L"X=3Y=4SNAP1 task");
    EXPECT_FALSE(proxy->BeginProgress());  // an inner progress is not shown
    EXPECT_EQ(line->GetBusyLevel(), 2);
    // ... a second freezes panes 1 to 5.
    proxy->SetPromptText(L"Inner", false);
    proxy->SetXText(L"1", true);
    proxy->SetYText(L"2", true);
    proxy->SetIndicatorText(L"ORTHO");
    proxy->SetBackgroundTaskText(L"2 tasks");
    proxy->SetProgressPos(50);
    EXPECT_EQ(Pane(1), L"Outer");
    EXPECT_EQ(Pane(2) + Pane(3) + Pane(4) + Pane(5), L"X=3Y=4SNAP1 task");
    EXPECT_EQ(proxy->GetProgressPos(), 0);
    proxy->SetStatusText(L"still written");
    EXPECT_EQ(Pane(0), L"still written");

    EXPECT_FALSE(proxy->EndProgress());
    EXPECT_TRUE(proxy->IsProgressShown());
    proxy->SetProgressRange(40);
    proxy->SetProgressPos(55);  // beyond the bound: stored and drawn as the bound
    EXPECT_EQ(proxy->GetProgressPos(), 40);
    EXPECT_EQ(bar->GetPosValue(), 40);
    EXPECT_FALSE(bar->IsMarqueeOn());
    EXPECT_EQ(Taskbar().state, TBPF_NORMAL);
    EXPECT_EQ(Taskbar().completed, 40u);
    EXPECT_EQ(Taskbar().total, 40u);
    proxy->SetProgressPos(-1);  // unknown progress: a marquee
    EXPECT_TRUE(bar->IsMarqueeOn());
    proxy->SetProgressPos(0);  // nothing done yet is known progress
    EXPECT_FALSE(bar->IsMarqueeOn());
    EXPECT_EQ(bar->GetPosValue(), 0);

    EXPECT_TRUE(proxy->EndProgress());
    EXPECT_FALSE(proxy->IsProgressShown());
    EXPECT_EQ(Taskbar().state, TBPF_NOPROGRESS);
}

TEST_F(StatusLineTest, ProgressDrawsAtMostTwentyTimesInAWindowOfTheClock) {
    ASSERT_TRUE(proxy->BeginProgress());
    CProgressCtrl* bar = line->GetProgressBar();
    for (int pos = 1; pos <= 25; ++pos) {
        proxy->SetProgressPos(pos);
        if (pos % 5 == 0) s.advance(20);  // 100 ms for all 25 calls
    }
    EXPECT_EQ(proxy->GetProgressPos(), 25);  // every position is kept ...
    EXPECT_LE(bar->GetPositionDraws(), 20);  // ... but not every one drawn
    EXPECT_GE(bar->GetPositionDraws(), 19);
    s.advance(300);
    proxy->StepProgress();
    EXPECT_EQ(bar->GetPosValue(), 26);  // a new window draws again
    proxy->EndProgress();
}

TEST_F(StatusLineTest, SuspendingFreezesTextsAndResumingBelowTwoClearsTheLevel) {
    EXPECT_EQ(proxy->SuspendOutput(true), 2);
    proxy->SetIndicatorText(L"hidden");
    EXPECT_EQ(Pane(4), L"");
    EXPECT_EQ(proxy->SuspendOutput(false), 0);
    ASSERT_TRUE(proxy->BeginProgress());
    EXPECT_EQ(line->GetBusyLevel(), 1);
    // Resuming what was never suspended returns the old level and clears it.
    EXPECT_EQ(proxy->SuspendOutput(false), 1);
    EXPECT_EQ(line->GetBusyLevel(), 0);
    // The bar is still there; an unmatched end now drives the level below zero, as specified.
    EXPECT_TRUE(proxy->EndProgress());
    EXPECT_EQ(line->GetBusyLevel(), -1);
}

TEST_F(StatusLineTest, BackgroundTasksShowTheirPanesBarAndButtonsAndShareTheBusyLevel) {
    kvrt::StatusLineBkProcManager::Instance().setEnabled(true, false);
    ASSERT_TRUE(proxy->ShowBackgroundTasks(false));
    for (int index = 5; index < 8; ++index) EXPECT_TRUE(line->GetPane(index)->IsVisible());
    EXPECT_EQ(Taskbar().state, TBPF_INDETERMINATE);
    EXPECT_FALSE(line->GetBackgroundTaskBar()->IsMarqueeOn());
    EXPECT_FALSE(proxy->BeginProgress());  // one busy level for both
    EXPECT_FALSE(proxy->EndProgress());

    RECT buttons{};
    line->GetItemRect(7, &buttons);
    const UINT bySlot[4] = {822, 723, 887, 886};
    for (int slot = 0; slot < 4; ++slot) {
        CXTPButton* button = line->GetTaskButton(bySlot[slot]);
        ASSERT_NE(button, nullptr);
        const RECT placed = Placed(button);
        EXPECT_EQ(placed.right, buttons.right - 3 - 21 * slot) << "slot " << slot;
        EXPECT_EQ(placed.right - placed.left, 18);
        EXPECT_EQ(button->GetIconSize().cx, 16);
    }
    // Each icon is the program's image file of its button, read by the UI library's image manager.
    auto& images = Korvo::UI::ImageManager::GetInstance();
    const std::pair<UINT, const wchar_t*> files[] = {{886, L"PauseExplodeAnimation.svg"}, {887, L"EnableAnimation.svg"},
                                                      {723, L"BackgroundTasks.Interrupt.svg"},
                                                      {822, L"ShowBackgroundTasksWindow.svg"}};
    for (const auto& [command, file] : files) {
        const CXTPImageManagerIcon* icon = line->GetTaskButton(command)->GetIcon();
        ASSERT_NE(icon, nullptr) << file;
        EXPECT_TRUE(icon->IsVectorIcon());
        EXPECT_EQ(std::wstring(images.GetCustomIconPath(icon->GetID())),
                  std::wstring(Korvo::Images::ResourceManager::GetImagePath(file)));
    }
    EXPECT_EQ(std::wstring(line->GetTaskButton(822)->GetTooltip()), L"Фоновые задачи");

    CTextProgressCtrl* bar = line->GetBackgroundTaskBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetDlgCtrlID(), 8);
    const RECT placed = Placed(bar);
    const RECT slot3 = Placed(line->GetTaskButton(886));
    EXPECT_LE(placed.right, slot3.left - 5);
    proxy->SetBackgroundTaskProgress(150);
    EXPECT_EQ(bar->GetPos(), 100);
    EXPECT_EQ(std::wstring(bar->GetPaint().text), L"100%");

    // Painted: the done part green, the rest grey, the percentage centred in 10-point Tahoma,
    // black on the bar, clipped to it. Position 0 leaves the painting to the plain control.
    proxy->SetBackgroundTaskProgress(25);
    bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    bar->GetClientRect(&client);
    const int split = client.right * 25 / 100;
    auto rect = [](int l, int t, int r, int b) {
        return L"(" + std::to_wstring(l) + L"," + std::to_wstring(t) + L")-(" + std::to_wstring(r) + L"," +
               std::to_wstring(b) + L")";
    };
    const std::vector<std::wstring> expected{
        L"FillRect " + rect(0, 0, split, client.bottom) + L" 0x25B006",
        L"FillRect " + rect(split, 0, client.right, client.bottom) + L" 0xDCDCDC",
        L"DrawText " + rect(0, 0, client.right, client.bottom) +
            L" \"25%\" font \"Tahoma\" 13 colour 0x000000 transparent DT_CENTER DT_VCENTER DT_SINGLELINE clip " +
            rect(0, 0, client.right, client.bottom),
    };
    EXPECT_EQ(s.inspect().drawing(bar->GetSafeHwnd()), expected);
    proxy->SetBackgroundTaskProgress(0);
    bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(s.inspect().drawing(bar->GetSafeHwnd()).empty());

    // The idle update enables the buttons as the kernel's processes allow.
    IdleUpdate();
    EXPECT_TRUE(line->GetTaskButton(886)->IsWindowEnabled());
    EXPECT_FALSE(line->GetTaskButton(887)->IsWindowEnabled());

    EXPECT_TRUE(proxy->HideBackgroundTasks());
    EXPECT_EQ(Taskbar().state, TBPF_NOPROGRESS);
    EXPECT_EQ(line->GetBackgroundTaskBar(), nullptr);
    EXPECT_FALSE(line->GetTaskButton(886)->IsWindowVisible());
    for (int index = 5; index < 8; ++index) EXPECT_FALSE(line->GetPane(index)->IsVisible());
    // Shown again, the same buttons come back.
    CXTPButton* pause = line->GetTaskButton(886);
    ASSERT_TRUE(proxy->ShowBackgroundTasks(true));
    EXPECT_EQ(line->GetTaskButton(886), pause);
    EXPECT_TRUE(pause->IsWindowVisible());
    EXPECT_TRUE(line->GetBackgroundTaskBar()->IsMarqueeOn());
    proxy->HideBackgroundTasks();
}

// In a button pane too narrow for the four buttons, the bar gives way and keeps five pixels
// before the first button.
TEST_F(StatusLineTest, TheTaskBarEndsFivePixelsBeforeTheButtons) {
    kvrt::StatusLineBkProcManager::Instance().setEnabled(true, false);
    line->SetPaneStyle(7, line->GetPane(7)->GetStyle() & ~SBPS_STRETCH);
    line->SetPaneWidth(7, 30);
    ASSERT_TRUE(proxy->ShowBackgroundTasks(false));
    RECT barPane{};
    line->GetItemRect(6, &barPane);
    const RECT pause = Placed(line->GetTaskButton(886));
    ASSERT_GT(barPane.right, pause.left - 5);
    EXPECT_EQ(Placed(line->GetBackgroundTaskBar()).right, pause.left - 5);
    proxy->HideBackgroundTasks();
}

// A button whose image file is missing, or is no image the library reads, shows no icon; the
// others keep theirs.
TEST_F(StatusLineTest, ATaskButtonWithoutItsImageFileShowsNoIcon) {
    s.files().remove(s.files().programFile(L"Images\\EnableAnimation.svg"));
    s.files().write(s.files().programFile(L"Images\\BackgroundTasks.Interrupt.svg"), "not a picture");
    ASSERT_TRUE(proxy->ShowBackgroundTasks(false));
    EXPECT_EQ(line->GetTaskButton(887)->GetIcon(), nullptr);
    EXPECT_EQ(line->GetTaskButton(723)->GetIcon(), nullptr);
    EXPECT_NE(line->GetTaskButton(886)->GetIcon(), nullptr);
    const std::vector<std::wstring> warnings = s.journal().texts("warning");
    EXPECT_NE(indexOf(warnings, L"EnableAnimation.svg: cannot be read"), -1);
    EXPECT_NE(indexOf(warnings, L"BackgroundTasks.Interrupt.svg: no SVG image"), -1);
    // Shown again, the buttons keep what they were given.
    ASSERT_TRUE(proxy->HideBackgroundTasks());
    ASSERT_TRUE(proxy->ShowBackgroundTasks(true));
    EXPECT_NE(line->GetTaskButton(886)->GetIcon(), nullptr);
}

TEST_F(StatusLineTest, TaskButtonsDriveTheKernelsBackgroundProcesses) {
    kvrt::StatusLineBkProcManager::Instance().setEnabled(false, true);
    ASSERT_TRUE(proxy->ShowBackgroundTasks(false));
    IdleUpdate();
    // Each button follows its own answer of the kernel, both ways.
    EXPECT_FALSE(line->GetTaskButton(886)->IsWindowEnabled());
    EXPECT_TRUE(line->GetTaskButton(887)->IsWindowEnabled());
    kvrt::StatusLineBkProcManager::Instance().setEnabled(true, true);
    IdleUpdate();
    EXPECT_TRUE(line->GetTaskButton(886)->IsWindowEnabled());
    EXPECT_TRUE(line->GetTaskButton(887)->IsWindowEnabled());
    ASSERT_TRUE(line->GetTaskButton(886)->Click());
    ASSERT_TRUE(line->GetTaskButton(887)->Click());
    ASSERT_TRUE(line->GetTaskButton(723)->Click());
    const std::vector<std::wstring> seen = calls(s);
    EXPECT_GE(indexOf(seen, L"kvrt::StatusLineBkProcManager::Pause()"), 0);
    EXPECT_GE(indexOf(seen, L"kvrt::StatusLineBkProcManager::Resume()"), 0);
    EXPECT_GE(indexOf(seen, L"kvrt::StatusLineBkProcManager::Interrupt()"), 0);
    // The fourth button is the frame's: it opens the background-tasks pane.
    auto* main = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame));
    ASSERT_NE(main, nullptr);
    CXTPDockingPane* tasks = main->GetPaneManager().FindPane(1036);
    if (!tasks) tasks = main->GetPaneManager().CreatePane(1036, RECT{0, 0, 200, 120}, xtpPaneDockBottom);
    ASSERT_NE(tasks, nullptr);
    main->GetPaneManager().ClosePane(tasks);
    ASSERT_TRUE(tasks->IsClosed());
    ASSERT_TRUE(line->GetTaskButton(822)->Click());
    s.runUntilIdle();
    EXPECT_FALSE(tasks->IsClosed());
    proxy->HideBackgroundTasks();
}

// A wider or narrower frame moves the bar and the four buttons with the panes they stand in.
TEST_F(StatusLineTest, TheTaskControlsFollowTheirPanesWhenTheFrameIsResized) {
    kvrt::StatusLineBkProcManager::Instance().setEnabled(true, false);
    ASSERT_TRUE(proxy->ShowBackgroundTasks(false));
    RECT before{};
    line->GetItemRect(7, &before);
    RECT frameRect{};
    ::GetWindowRect(frame, &frameRect);
    ::SetWindowPos(frame, nullptr, 0, 0, frameRect.right - frameRect.left - 300, frameRect.bottom - frameRect.top,
                   SWP_NOZORDER | SWP_NOMOVE);
    s.runUntilIdle();
    RECT buttons{}, barPane{};
    line->GetItemRect(7, &buttons);
    line->GetItemRect(6, &barPane);
    ASSERT_NE(buttons.right, before.right);
    const UINT bySlot[4] = {822, 723, 887, 886};
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(Placed(line->GetTaskButton(bySlot[slot])).right, buttons.right - 3 - 21 * slot) << "slot " << slot;
    const RECT bar = Placed(line->GetBackgroundTaskBar());
    EXPECT_EQ(bar.left, barPane.left);
    EXPECT_EQ(bar.bottom, barPane.bottom - 2);
    proxy->HideBackgroundTasks();
}

}  // namespace
