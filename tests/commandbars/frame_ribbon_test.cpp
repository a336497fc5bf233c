// The program's own frames: each gets the ribbon of the default layout, and the application's
// switch to classic mode shows the menu bar and tool bars in every frame.
#include "app/kvw32_app.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class FrameRibbon : public SessionTest {};

CMainFrame* frameOf(HWND window) { return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window)); }

TEST_F(FrameRibbon, ClassicModeShowsTheMenuBarAndToolBarsInEveryFrame) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const auto frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 2u);
    for (HWND window : frames) {
        CMainFrame* frame = frameOf(window);
        ASSERT_NE(frame->GetRibbonBar(), nullptr);
        EXPECT_GE(frame->GetRibbonBar()->GetTabCount(), 3);
        EXPECT_NE(frame->GetRibbonBar()->GetVarnelPopup(), nullptr);
    }
    CKvw32App::Instance()->SetRibbonMode(false);
    s.runUntilIdle();
    for (HWND window : frames) {
        CMainFrame* frame = frameOf(window);
        EXPECT_FALSE(frame->GetRibbonBar()->IsVisible());
        ASSERT_NE(frame->GetMenuBar(), nullptr);
        EXPECT_TRUE(frame->GetMenuBar()->IsVisible());
        EXPECT_TRUE(s.inspect().dumpRibbon(window).rfind(L"ribbon hidden", 0) == 0);
        int visibleToolBars = 0;
        CXTPCommandBars* bars = frame->GetCommandBars();
        for (int i = 0; i < bars->GetCount(); ++i)
            if (bars->GetAt(i)->GetType() == xtpBarTypeNormal && bars->GetAt(i)->IsVisible()) ++visibleToolBars;
        EXPECT_GT(visibleToolBars, 0);
    }
    // A ribbon control is out of reach now; the menu bar's controls are not.
    // (1243 is on no classic bar; 1029 would be, on the tabbed tool bar.)
    EXPECT_TRUE(s.user().clickControl(frames[0], 1243).has_value());
    CKvw32App::Instance()->SetRibbonMode(true);
    EXPECT_EQ(s.user().clickControl(frames[0], 1243), std::nullopt);
}

}  // namespace
