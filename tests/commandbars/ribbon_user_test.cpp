// What a user does on the ribbon: select tabs, click controls the update pass left enabled, read
// the ribbon.
#include "platform/core/text.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;
using platform::core::toUtf8;

TEST_F(RibbonFrameTest, ClickRunsTheKernelCommandAndRefusesWhatAUserCannotReach) {
    HWND window = frame->GetSafeHwnd();
    EXPECT_EQ(s.user().clickControl(window, kKernelCommand), std::nullopt);
    s.runUntilIdle();
    const auto calls = platform::harness::calls(s);
    EXPECT_GE(platform::harness::indexOf(calls, L"681"), 0);

    // No handler anywhere: the update pass disabled it.
    const auto disabled = s.user().clickControl(window, kUnhandledCommand);
    ASSERT_TRUE(disabled.has_value());
    EXPECT_NE(disabled->find(L"disabled"), std::wstring::npos);
    // On a tab that is hidden or not selected.
    const auto hidden = s.user().clickControl(window, 691);
    ASSERT_TRUE(hidden.has_value());
    EXPECT_NE(hidden->find(L"Sheet"), std::wstring::npos);
    EXPECT_TRUE(s.user().clickControl(window, 99999).has_value());
}

TEST_F(RibbonFrameTest, TabSelectionFollowsTheUserAndHonoursTheUserDisabledMark) {
    HWND window = frame->GetSafeHwnd();
    EXPECT_EQ(s.user().selectTab(window, L"Tagged"), std::nullopt);
    EXPECT_EQ(ribbon->GetCurrentTab(), tagged);
    EXPECT_TRUE(s.user().selectTab(window, L"Sheet").has_value());  // hidden
    home->SetDisabledByUser(true);
    EXPECT_TRUE(s.user().selectTab(window, L"Home").has_value());
    EXPECT_EQ(ribbon->GetCurrentTab(), tagged);
    EXPECT_TRUE(s.user().selectTab(window, L"Nope").has_value());
}

TEST_F(RibbonFrameTest, DumpListsTabsGroupsAndControlStates) {
    const std::string dump = toUtf8(s.inspect().dumpRibbon(frame->GetSafeHwnd()));
    EXPECT_NE(dump.find("tab 0 \"Home\" selected {84F3EAA9-60FB-4DF4-AE1D-3F08A30223AE}"), std::string::npos) << dump;
    EXPECT_NE(dump.find("    4242 button \"Nothing\" disabled"), std::string::npos) << dump;
    EXPECT_NE(dump.find("tab 1 \"Sheet\" hidden contextual"), std::string::npos) << dump;
    EXPECT_NE(dump.find("tags \"weld, pipe\""), std::string::npos) << dump;
}

}  // namespace
