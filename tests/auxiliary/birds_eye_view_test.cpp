// The bird's-eye view's XOR drawing: whatever the user does with the mouse, the keys and the
// modes, every outline it drew is drawn a second time unless it is meant to stay, and the mouse
// is never left captured.
#include <gtest/gtest.h>

#include <map>

#include "app/kvw32_app.h"
#include "auxiliary/birdseye/birds_eye_pane.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using Mouse = User::MouseAction;

class BirdsEyeView : public SessionTest {
protected:
    // Frame 1 with the pane floating, as a user makes it show.
    KVBEV& Shown(Session& s) {
        s.start();
        s.runUntilIdle();
        const HWND frame = CKvw32App::Instance()->GetActiveMainFrame()->GetSafeHwnd();
        s.user().command(frame, 782);
        s.runUntilIdle();
        EXPECT_FALSE(s.user().paneAction(frame, KVBEV::kPaneId, User::PaneAction::Float));
        s.runUntilIdle();
        auto* pane = dynamic_cast<KVBEV*>(CKvw32App::Instance()->GetBirdsEyeViewWindow(false));
        EXPECT_NE(pane, nullptr);
        return *pane;
    }

    // Each XOR outline drawn since the view's last paint, with how often it was drawn.
    static std::map<std::wstring, int> XorLines(Session& s, HWND view) {
        std::map<std::wstring, int> counts;
        for (const std::wstring& line : s.inspect().drawing(view))
            if (line.find(L"XORPEN") != std::wstring::npos) ++counts[line];
        return counts;
    }

    static void Act(Session& s, HWND window, POINT point, Mouse action) {
        EXPECT_FALSE(s.user().mouse(window, point, action));
        s.runUntilIdle();
    }
};

TEST_F(BirdsEyeView, EveryErasedOutlineIsDrawnTwiceAndTheMouseIsReleased) {
    Session s;
    KVBEV& pane = Shown(s);
    const HWND window = pane.GetSafeHwnd();
    const HWND view = pane.GetView().GetSafeHwnd();
    pane.GetView().Repaint();
    s.runUntilIdle();

    // A band drawn and dragged about, then released: nothing stays.
    Act(s, window, {100, 50}, Mouse::Down);
    EXPECT_EQ(::GetCapture(), view);
    Act(s, window, {60, 30}, Mouse::Move);
    ASSERT_EQ(XorLines(s, view).size(), 4u);  // the band's four sides, drawn once so far
    Act(s, window, {150, 120}, Mouse::Move);
    Act(s, window, {150, 120}, Mouse::Up);
    for (const auto& [line, count] : XorLines(s, view)) EXPECT_EQ(count % 2, 0) << line;
    EXPECT_EQ(::GetCapture(), nullptr);

    // The frame mode: the frame follows, grows and shrinks; the rectangle mode takes it away.
    s.user().command(window, 2180);
    s.runUntilIdle();
    Act(s, window, {80, 80}, Mouse::Move);
    EXPECT_EQ(::GetCapture(), view);
    s.user().pressKeyAt(nullptr, window, User::Key{VK_UP});
    s.runUntilIdle();
    Act(s, window, {90, 70}, Mouse::Move);
    s.user().pressKeyAt(nullptr, window, User::Key{VK_DOWN});
    s.runUntilIdle();
    s.user().command(window, 2181);
    s.runUntilIdle();
    for (const auto& [line, count] : XorLines(s, view)) EXPECT_EQ(count % 2, 0) << line;
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_NE(pane.Outline().find(L"frame hidden"), std::wstring::npos);
}

TEST_F(BirdsEyeView, AClientOfOnePixelHeightPaintsNothing) {
    Session s;
    KVBEV& pane = Shown(s);
    KVBEView& view = pane.GetView();
    view.SetWindowPos(nullptr, 0, 0, 200, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    view.Repaint();
    s.runUntilIdle();
    EXPECT_TRUE(s.inspect().drawing(view.GetSafeHwnd()).empty());
    view.SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    view.Repaint();
    s.runUntilIdle();
    EXPECT_FALSE(s.inspect().drawing(view.GetSafeHwnd()).empty());
}

TEST_F(BirdsEyeView, TheFrameLeavesWithTheMouseAndWithoutAViewTheOverviewIsTheThemesBackground) {
    Session s;
    KVBEV& pane = Shown(s);
    const HWND window = pane.GetSafeHwnd();
    const HWND view = pane.GetView().GetSafeHwnd();
    s.user().command(window, 2180);
    s.runUntilIdle();
    Act(s, window, {80, 80}, Mouse::Move);
    ASSERT_EQ(::GetCapture(), view);
    // While captured the view hears the mouse outside its client area too.
    ::PostMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-5)));
    s.runUntilIdle();
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_NE(pane.Outline().find(L"frame hidden"), std::wstring::npos);
    for (const auto& [line, count] : XorLines(s, view)) EXPECT_EQ(count % 2, 0) << line;

    // No view: the overview is the background, in the theme's colour once a theme is applied.
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.SetBirdsEyeViewView(nullptr); });
    s.runUntilIdle();
    const std::vector<std::wstring> before = s.inspect().drawing(view);
    ASSERT_FALSE(before.empty());
    EXPECT_NE(before.front().find(L"FillRect"), std::wstring::npos);
    Korvo::UI::Theme dark;
    dark.paneBackground = RGB(45, 45, 48);
    pane.SetTheme(dark);
    s.runUntilIdle();
    EXPECT_NE(s.inspect().drawing(view).front().find(L"0x302D2D"), std::wstring::npos);
    EXPECT_NE(pane.Outline().find(L"view none"), std::wstring::npos);
}

TEST_F(BirdsEyeView, AWindowOnItsOwnFollowsNoViewAndZoomsNothing) {
    Session s;
    KVBEV& pane = Shown(s);
    const HWND window = pane.GetSafeHwnd();
    Act(s, window, {100, 50}, Mouse::Down);
    Act(s, window, {40, 30}, Mouse::Up);
    EXPECT_NE(pane.Outline().find(L"last zoom none"), std::wstring::npos) << "no sheet to zoom in";
    // Without a view the band's size is the frame's as it is.
    EXPECT_NE(pane.Outline().find(L"half 60x20"), std::wstring::npos) << pane.Outline();
}

}  // namespace
