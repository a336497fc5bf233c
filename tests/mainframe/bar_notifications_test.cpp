// What the frame does when the toolkit tells it a tool bar was shown or hidden, and which view a
// control's fragment goes to.
#include "commandbars/file_button.h"
#include "commandbars/kv_ribbon_bar.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr UINT kInsertFragmentControl = 1026;

class BarNotifications : public mainframetest::RunningFrameTest {
protected:
    // The first tool bar of the frame's own that is neither the ribbon nor the menu bar, or null.
    CXTPToolBar* FirstPlainToolBar(bool visible) {
        CXTPCommandBars* bars = frame->GetCommandBars();
        for (int i = 0; bars && i < bars->GetCount(); ++i) {
            CXTPToolBar* bar = bars->GetAt(i);
            if (!dynamic_cast<CXTPRibbonBar*>(bar) && bar != frame->GetMenuBar() && (bar->IsVisible() != FALSE) == visible)
                return bar;
        }
        return nullptr;
    }
    RECT WorkArea() {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        return monitor.rcWork;
    }
};

// A floating bar left off the screen comes back whole when it is shown; hiding it leaves it be.
TEST_F(BarNotifications, AFloatingBarShownAgainComesBackOntoTheScreen) {
    CXTPToolBar* bar = FirstPlainToolBar(false);
    ASSERT_NE(bar, nullptr);
    bar->SetPosition(xtpBarFloating);
    const RECT work = WorkArea();
    POINT away{work.right + 300, work.bottom + 200};
    ::ScreenToClient(window, &away);
    bar->MoveWindow(away.x, away.y, 120, 26, FALSE);

    bar->SetVisible(TRUE);
    s.runUntilIdle();
    const RECT shown = mainframetest::screenRect(bar->GetSafeHwnd());
    EXPECT_LE(shown.right, work.right);
    EXPECT_LE(shown.bottom, work.bottom);
    EXPECT_GE(shown.left, work.left);
    EXPECT_GE(shown.top, work.top);
    EXPECT_EQ(shown.right - shown.left, 120) << "moved, not resized";

    bar->SetVisible(FALSE);
    s.runUntilIdle();
    EXPECT_EQ(mainframetest::screenRect(bar->GetSafeHwnd()).left, shown.left);
}

// In ribbon mode the classic menu bar, shown again, would hide under the ribbon: it floats just
// below the ribbon's left edge instead, as wide as its items.
TEST_F(BarNotifications, TheMenuBarShownInRibbonModeFloatsBelowTheRibbon) {
    if (!frame->IsRibbonMode()) {
        frame->SetRibbonMode(true);
        s.runUntilIdle();
    }
    CXTPMenuBar* menu = frame->GetMenuBar();
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(ribbon, nullptr);
    if (menu->IsVisible()) {
        menu->SetVisible(FALSE);
        s.runUntilIdle();
    }
    ASSERT_NE(menu->GetPosition(), xtpBarFloating);
    menu->MoveWindow(0, 0, 300, 26, FALSE);  // docked at the top, where the ribbon is

    menu->SetVisible(TRUE);
    s.runUntilIdle();
    EXPECT_EQ(menu->GetPosition(), xtpBarFloating);
    const RECT below = mainframetest::screenRect(ribbon->GetSafeHwnd());
    const RECT at = mainframetest::screenRect(menu->GetSafeHwnd());
    EXPECT_EQ(at.left, below.left);
    EXPECT_EQ(at.top, below.bottom);
    EXPECT_EQ(at.right - at.left, menu->GetContentSize().cx);
}

// A fragment control inserts into the view of the active document window, which the frame's own
// active view never is.
TEST_F(BarNotifications, AFragmentGoesToTheActiveDocumentsView) {
    const std::wstring fragment = s.files().programFolder() + L"\\Parts\\bolt.grb";
    s.files().write(fragment, "part");
    s.user().dde(std::wstring(L"[open(\"") + kBracket + L"\")]");
    s.runUntilIdle();
    ASSERT_FALSE(s.user().activateDocument(kBracket).has_value());
    s.runUntilIdle();
    ASSERT_NE(frame->GetActiveKorvoView(), nullptr);
    auto* button = new Korvo::UI::FileButton;
    button->SetParameter(fragment.c_str());
    button->SetFlags(xtpFlagManualUpdate);  // enabled whatever the update pass finds
    CXTPToolBar* bar = FirstPlainToolBar(false);
    ASSERT_NE(bar, nullptr);
    bar->SetVisible(TRUE);
    bar->GetControls()->Add(button, kInsertFragmentControl);
    frame->PostMessage(WM_IDLEUPDATECMDUI);
    s.runUntilIdle();
    const std::size_t from = s.journal().entries().size();

    s.user().click(window, kInsertFragmentControl);
    s.runUntilIdle();
    bool inserted = false;
    const auto& entries = s.journal().entries();
    for (std::size_t i = from; i < entries.size(); ++i)
        inserted = inserted || entries[i].line().find(L"CKVView::InsertFragment(\"" + fragment) != std::wstring::npos;
    EXPECT_TRUE(inserted);
}

}  // namespace
