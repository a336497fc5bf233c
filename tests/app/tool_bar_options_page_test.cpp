// The customise sheet's tool-bar options page, driven as a user would: the menu check boxes and
// their dependency, the screen tips and what they switch off, the icon size of every frame, the
// animation, and the usage data reset after its question.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "app/toolbars/tool_bar_property_page.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "tests/support/sheet_page_test.h"

namespace {

using Kind = platform::core::DialogAction::Kind;
using Page = ToolBarPropertyPage;

class ToolBarOptionsPage : public platform::harness::SheetPageTest {
protected:
    void SetUp() override {
        SheetPageTest::SetUp();
        options = frame->GetCommandBars()->GetCommandBarsOptions();
    }
    void OnPage(const std::function<void(HWND page)>& steps) { SheetPageTest::OnPage(Page::kTemplateId, steps); }
    static bool Checked(HWND page, int id) { return ::SendMessageW(::GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    CXTPCommandBarsOptions* options = nullptr;
};

TEST_F(ToolBarOptionsPage, FullMenusHoldTheDelayAndScreenTipsHoldTheirDetails) {
    options->bAlwaysShowFullMenus = FALSE;
    options->bShowFullAfterDelay = TRUE;
    GetKVOptions().screenTipsSet = false;
    OnPage([&](HWND page) {
        EXPECT_TRUE(Enabled(page, Page::kFullMenusAfterDelay));
        Act(page, {Kind::Check, Page::kAlwaysFullMenus, L"on"});
        EXPECT_FALSE(Enabled(page, Page::kFullMenusAfterDelay));
        EXPECT_TRUE(Checked(page, Page::kFullMenusAfterDelay)) << "the delay keeps its value while it waits";
        EXPECT_TRUE(Enabled(page, Page::kResetUsage)) << "the page sits in the customise sheet";
        for (const int detail : {Page::kShortcutsInTips, Page::kCommandNames, Page::kExtendedTips}) EXPECT_TRUE(Enabled(page, detail));
        Act(page, {Kind::Check, Page::kShortcutsInTips, L"on"});
        Act(page, {Kind::Check, Page::kCommandNames, L"on"});
        Act(page, {Kind::Check, Page::kExtendedTips, L"off"});
        Act(page, {Kind::Check, Page::kScreenTips, L"off"});
        for (const int detail : {Page::kShortcutsInTips, Page::kCommandNames, Page::kExtendedTips})
            EXPECT_FALSE(Enabled(page, detail)) << detail;
    });
    EXPECT_TRUE(options->bAlwaysShowFullMenus);
    EXPECT_TRUE(options->bShowFullAfterDelay);
    EXPECT_FALSE(options->bToolBarScreenTips);
    EXPECT_TRUE(options->bToolBarAccelTips);
    EXPECT_TRUE(GetSettings().showCommandNames);
    EXPECT_FALSE(GetKVOptions().extendedTooltips);
    EXPECT_TRUE(GetKVOptions().screenTipsSet) << "the tips now follow the user's choice";
    EXPECT_FALSE(GetKVOptions().screenTips);
}

TEST_F(ToolBarOptionsPage, AnIconSizeReachesEveryFrameAndTurnsTheTabbedBarsOwnLargeIconsOff) {
    ASSERT_TRUE(s.kernel().newMainFrame());
    s.runUntilIdle();
    CMainFrame* second = platform::harness::mainFrameAt(s, 1);
    ASSERT_NE(second, nullptr);
    for (CMainFrame* each : {frame, second})
        if (CKVTabToolBar* tabs = each->GetTabToolBar()) tabs->SetLargeIcons(true);
    OnPage([&](HWND page) {
        Act(page, {Kind::Select, Page::kIconSize, L"#1"});
        Act(page, {Kind::Select, Page::kAnimation, L"#5"});
    });
    EXPECT_EQ(CKvw32App::Instance()->GetToolBarIconSize().cx, 24);
    for (CMainFrame* each : {frame, second}) {
        const CXTPCommandBarsOptions* own = each->GetCommandBars()->GetCommandBarsOptions();
        EXPECT_EQ(own->szLargeIcons.cx, 24);
        EXPECT_TRUE(own->bLargeIcons);
        ASSERT_NE(each->GetTabToolBar(), nullptr);
        EXPECT_FALSE(each->GetTabToolBar()->IsLargeIcons());
    }
    EXPECT_EQ(options->animationType, xtpAnimateNone);
    // The page opens on what is in force.
    OnPage([&](HWND page) {
        EXPECT_EQ(::SendMessageW(::GetDlgItem(page, Page::kIconSize), CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(::SendMessageW(::GetDlgItem(page, Page::kAnimation), CB_GETCURSEL, 0, 0), 5);
    });
}

TEST_F(ToolBarOptionsPage, UsageDataGoesOnlyOnYes) {
    frame->GetCommandBars()->SetCommandUsed(1001);
    s.user().expectBox(L"The record of the commands*", platform::harness::Button::No);
    OnPage([&](HWND page) { Act(page, {Kind::Click, Page::kResetUsage, {}}); });
    EXPECT_TRUE(frame->GetCommandBars()->IsCommandUsed(1001));
    unsigned type = 0;
    s.user().expectBox(L"The record of the commands*", [&](const platform::harness::BoxRequest& box) {
        type = box.type;
        return platform::harness::Button::Yes;
    });
    OnPage([&](HWND page) { Act(page, {Kind::Click, Page::kResetUsage, {}}); });
    EXPECT_FALSE(frame->GetCommandBars()->IsCommandUsed(1001));
    EXPECT_EQ(type & (MB_ICONWARNING | MB_DEFBUTTON2), static_cast<unsigned>(MB_ICONWARNING | MB_DEFBUTTON2)) << "a warning, No first";
}

TEST_F(ToolBarOptionsPage, TheRibbonBoxSwitchesEveryFrameAtOnce) {
    const bool ribbon = CKvw32App::Instance()->IsRibbonMode();
    OnPage([&](HWND page) {
        EXPECT_EQ(Checked(page, Page::kRibbonMode), ribbon);
        Act(page, {Kind::Check, Page::kRibbonMode, ribbon ? L"off" : L"on"});
        EXPECT_EQ(CKvw32App::Instance()->IsRibbonMode(), !ribbon) << "before the sheet closes";
        EXPECT_EQ(Checked(page, Page::kRibbonMode), !ribbon);
    });
    EXPECT_EQ(frame->GetTabToolBar()->IsVisible() != FALSE, ribbon) << "the classic main bar shows exactly outside ribbon mode";
}

}  // namespace
