// What the frameless tool bars take over from a frame's command bars: options with their icon
// size rules, and the keyboard shortcuts.
#include <gtest/gtest.h>

#include "mainframe/toolsengine/frame_tools_options.h"

namespace {

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

TEST(FrameToolsOptions, AutoMenuLargeIconsAreAtLeast24AndFollowTheToolBarIconSize) {
    CXTPCommandBarsOptions frame;
    frame.keyboardCuesShow = xtpKeyboardCuesShowWindowsDefault;
    frame.szIcons = {20, 20};
    frame.szLargeIcons = {16, 16};
    frame.szPopupIcons = {18, 18};
    frame.bDpiScaling = FALSE;
    frame.bToolBarAccelTips = TRUE;
    CXTPCommandBarsOptions autoMenu;
    frame_tools::CopyAutoMenuOptions(frame, autoMenu, {16, 16});
    EXPECT_EQ(autoMenu.keyboardCuesShow, xtpKeyboardCuesShowWindowsDefault);
    EXPECT_TRUE(SameSize(autoMenu.szIcons, {20, 20}));
    EXPECT_TRUE(SameSize(autoMenu.szLargeIcons, {24, 24}));
    EXPECT_TRUE(SameSize(autoMenu.szPopupIcons, {18, 18}));
    EXPECT_FALSE(autoMenu.bLargeIcons);
    EXPECT_FALSE(autoMenu.bDpiScaling);
    EXPECT_TRUE(autoMenu.bToolBarAccelTips);

    // Larger in one direction: kept as it is.
    frame.szLargeIcons = {16, 40};
    frame_tools::CopyAutoMenuOptions(frame, autoMenu, {24, 24});
    EXPECT_TRUE(SameSize(autoMenu.szLargeIcons, {16, 40}));
    EXPECT_TRUE(autoMenu.bLargeIcons);
    frame_tools::CopyAutoMenuOptions(frame, autoMenu, {24, 23});
    EXPECT_FALSE(autoMenu.bLargeIcons);

    CXTPCommandBarsOptions frameless;
    frame_tools::CopyFramelessOptions(autoMenu, frameless, {24, 24});
    EXPECT_FALSE(frameless.bLargeIcons);  // frameless bars want 32
    EXPECT_TRUE(SameSize(frameless.szLargeIcons, {16, 40}));
    frame_tools::CopyFramelessOptions(autoMenu, frameless, {32, 32});
    EXPECT_TRUE(frameless.bLargeIcons);
}

TEST(FrameToolsOptions, FramelessIconsAreTheLargeOrSmallSizeScaledWhenScaling) {
    CXTPCommandBarsOptions autoMenu;
    autoMenu.szIcons = {16, 16};
    autoMenu.szLargeIcons = {32, 32};
    autoMenu.bDpiScaling = FALSE;
    EXPECT_TRUE(SameSize(frame_tools::FramelessIconSize(autoMenu), {16, 16}));
    autoMenu.bLargeIcons = TRUE;
    EXPECT_TRUE(SameSize(frame_tools::FramelessIconSize(autoMenu), {32, 32}));
    autoMenu.bDpiScaling = TRUE;
    EXPECT_TRUE(SameSize(frame_tools::FramelessIconSize(autoMenu), XTPDpiHelper()->Scale({32, 32})));
}

TEST(FrameToolsOptions, ShortcutsAreCopiedWholeAndReplaceTheOldOnes) {
    CXTPShortcutManager from, to;
    from.AddShortcut({FVIRTKEY | FCONTROL, 'S', 57603});
    from.AddShortcut({FVIRTKEY | FSHIFT | FALT, 0x70, 900});
    to.AddShortcut({FVIRTKEY, 'Q', 1});
    frame_tools::CopyShortcuts(from, to);
    ASSERT_EQ(to.GetAccelerators().size(), 2u);
    EXPECT_EQ(to.GetAccelerators()[0].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(to.GetAccelerators()[0].key, 'S');
    EXPECT_EQ(to.GetAccelerators()[0].cmd, 57603);
    EXPECT_EQ(to.FindShortcutText(900), from.FindShortcutText(900));

    CXTPShortcutManager empty;
    frame_tools::CopyShortcuts(empty, to);
    EXPECT_TRUE(to.GetAccelerators().empty());
}

}  // namespace
