// Stand-in pieces around frames and panes whose semantics the application relies on: per-frame
// command-bar icon settings, shared pane windows, toolkit controls, menus and DPI scaling.
#include <gtest/gtest.h>

#include "platform/core/config.h"
#include "platform/core/control.h"
#include "platform/korvoui.h"

namespace {

class TestMainFrame : public Korvo::UI::MdiMainFrame {};

TEST(MakerUiServices, IconSettingsBelongToRegisteredFramesAndGoWithThem) {
    auto* frame = new TestMainFrame;  // deletes itself with its window
    auto& ui = UIModuleProxy::Instance();
    ui.SetCommandBarsIconSize(frame, {32, 32}, true);  // no window yet: not a main frame
    EXPECT_FALSE(ui.GetCommandBarsIconSize(frame).has_value());

    ASSERT_TRUE(frame->Create(nullptr, L"Frame"));
    ui.SetCommandBarsIconSize(frame, {16, 16}, false);
    ASSERT_TRUE(ui.GetCommandBarsIconSize(frame).has_value());
    EXPECT_EQ(ui.GetCommandBarsIconSize(frame)->size, (SIZE{16, 16}));

    // Settings do not carry over to another frame.
    frame->DestroyWindow();
    auto* next = new TestMainFrame;
    ASSERT_TRUE(next->Create(nullptr, L"Next"));
    EXPECT_FALSE(ui.GetCommandBarsIconSize(next).has_value());
    next->DestroyWindow();
}

TEST(MakerUiServices, SharedPaneWindowsLiveUntilTheirLastReference) {
    auto* host = new TestMainFrame;
    ASSERT_TRUE(host->Create(nullptr, L"Host"));
    Korvo::UI::PropertiesWindow* first = Korvo::UI::PropertiesWindow::Instance(host);
    Korvo::UI::PropertiesWindow* second = Korvo::UI::PropertiesWindow::Instance(host);
    ASSERT_EQ(first, second);
    const HWND window = first->GetSafeHwnd();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetDlgCtrlID(window), 1007);

    first->InternalRelease();
    EXPECT_TRUE(IsWindow(window));
    second->InternalRelease();
    EXPECT_FALSE(IsWindow(window));
    // The next instance is a new window.
    Korvo::UI::PropertiesWindow* again = Korvo::UI::PropertiesWindow::Instance(host);
    EXPECT_NE(again->GetSafeHwnd(), window);
    again->InternalRelease();
    host->DestroyWindow();
}

TEST(MakerUiServices, AControlOutlivesItsCollectionWhileSomeoneHoldsIt) {
    CXTPControl* kept = nullptr;
    {
        CXTPControls controls;
        controls.Add(xtpControlButton, 1);
        controls.Add(xtpControlButton, 3);
        kept = controls.Add(xtpControlButton, 2, nullptr, 1);
        kept->InternalAddRef();
        EXPECT_EQ(controls.GetAt(1), kept);
        EXPECT_EQ(controls.GetAt(3), nullptr);
        EXPECT_EQ(kept->GetControls(), &controls);
    }
    EXPECT_EQ(kept->GetRefCount(), 1);
    EXPECT_EQ(kept->GetControls(), nullptr);
    kept->InternalRelease();
}

TEST(MakerUiServices, MenusKeepTheirItemsAndAnswerByCommandOrPosition) {
    CMenu menu;
    EXPECT_FALSE(menu.AppendMenu(MF_STRING, 10, L"Lost"));  // not created yet
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, L"Ten");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_CHECKED, 11, L"Eleven");
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetMenuItemID(1), 0u);
    EXPECT_EQ(menu.GetMenuItemID(3), static_cast<UINT>(-1));
    CString text;
    EXPECT_EQ(menu.GetMenuString(11, text, MF_BYCOMMAND), 6);
    EXPECT_EQ(text, L"Eleven");
    EXPECT_EQ(menu.GetMenuString(0, text, MF_BYPOSITION), 3);
    EXPECT_EQ(menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(12, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST(MakerUiServices, DpiScalingRoundsToTheNearestPixel) {
    platform::core::Config config;
    config.dpi = 120;
    platform::core::control::configure(config);
    EXPECT_EQ(XTPDpiHelper()->Scale(SIZE{24, 16}), (SIZE{30, 20}));
    EXPECT_EQ(XTPDpiHelper()->ScaleX(1), 1);  // 1.25
    EXPECT_EQ(XTPDpiHelper()->ScaleX(2), 3);  // 2.5 rounds up
}

}  // namespace
