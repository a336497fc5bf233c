// Contextual tabs by GUID, tagged tabs by keyword, and tab changes by the program.
#include <memory>

#include "platform/korvoui/ribbon_tab_switch.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;

TEST_F(RibbonFrameTest, WithoutAnActiveViewOnlyTheDefaultContextIsTargeted) {
    ribbon->SelectTabSilently(4);
    GUID first, second, third;
    GetRibbonContextGuids(*frame, first, second, third);
    EXPECT_EQ(first, kDefaultRibbonContext);
    EXPECT_EQ(second, GUID{});
    EXPECT_EQ(third, GUID{});
    ribbon->UpdateTabsForDocument(first, second, third, true);
    // Null context GUIDs name no tab: the GUID-less contextual tab stays hidden.
    EXPECT_FALSE(plain->IsVisible());
    EXPECT_FALSE(sheet->IsVisible());
    EXPECT_EQ(ribbon->GetCurrentTab(), home);
    EXPECT_EQ(ribbon->GetTabChangeCounter(), 0);
    EXPECT_FALSE(ribbon->GetNullContextFlag());
}

TEST_F(RibbonFrameTest, AContextShowsItsTabAndHidesContextualTabsNoLongerWanted) {
    // A later tab of the same context shows as well, but the first one is the one selected.
    Korvo::UI::RibbonTab* twin = AddTab(L"Sheet again", kSheetGuid);
    twin->SetContextColor(xtpRibbonTabContextColorBlue);
    twin->SetVisible(FALSE);
    ribbon->UpdateTabsForDocument(kSheetGuid, GUID{}, GUID{}, false);
    EXPECT_TRUE(sheet->IsVisible());
    EXPECT_TRUE(twin->IsVisible());
    EXPECT_EQ(ribbon->GetCurrentTab(), sheet);  // it was hidden when chosen: selected
    // The sheet context goes while its tab is current: hidden, and the target selected at once.
    ribbon->UpdateTabsForDocument(kDefaultRibbonContext, GUID{}, GUID{}, false);
    EXPECT_FALSE(sheet->IsVisible());
    EXPECT_FALSE(twin->IsVisible());
    EXPECT_EQ(ribbon->GetCurrentTab(), home);
}

TEST_F(RibbonFrameTest, UserDisabledTabsAreSkippedUnlessTheUpdateIsFull) {
    sheet->SetDisabledByUser(true);
    ribbon->UpdateTabsForDocument(kSheetGuid, GUID{}, GUID{}, false);
    EXPECT_FALSE(sheet->IsVisible());
    EXPECT_TRUE(sheet->IsDisabledByUser());
    ribbon->UpdateTabsForDocument(kSheetGuid, GUID{}, GUID{}, true);
    EXPECT_TRUE(sheet->IsVisible());
    EXPECT_FALSE(sheet->IsDisabledByUser());
    EXPECT_EQ(ribbon->GetCurrentTab(), sheet);
}

TEST_F(RibbonFrameTest, NullFirstContextTargetsTheFirstTabOnceAndEmptyRibbonsIgnoreUpdates) {
    ribbon->UpdateTabsForDocument(kSheetGuid, GUID{}, GUID{}, false);
    ribbon->SelectTabSilently(4);
    ribbon->UpdateTabsForDocument(GUID{}, GUID{}, GUID{}, true);
    EXPECT_EQ(ribbon->GetCurrentTab(), home);
    EXPECT_TRUE(ribbon->GetNullContextFlag());
    // The second null update does nothing.
    ribbon->SelectTabSilently(4);
    ribbon->UpdateTabsForDocument(GUID{}, GUID{}, GUID{}, true);
    EXPECT_EQ(ribbon->GetCurrentTab(), tagged);

    ribbon->RemoveAllTabs();
    ribbon->UpdateTabsForDocument(kSheetGuid, GUID{}, GUID{}, true);
    ribbon->ShowTabsForDocumentKeywords(nullptr);
    EXPECT_EQ(ribbon->GetTabCount(), 0);
}

TEST_F(RibbonFrameTest, TaggedTabsShowOnlyForMatchingKeywordsAndNeverWithoutADocument) {
    CKvw32Doc document;
    document.GetProperties()->keywords = {L"Pipe"};
    ribbon->ShowTabsForDocumentKeywords(&document);
    EXPECT_TRUE(tagged->IsVisible());
    document.GetProperties()->keywords = {L"bolt"};
    ribbon->ShowTabsForDocumentKeywords(&document);
    EXPECT_FALSE(tagged->IsVisible());
    tagged->SetVisible(TRUE);
    ribbon->ShowTabsForDocumentKeywords(nullptr);
    EXPECT_FALSE(tagged->IsVisible());
    // Contextual updates leave tagged tabs to the keywords.
    ribbon->UpdateTabsForDocument(kDefaultRibbonContext, GUID{}, GUID{}, true);
    EXPECT_FALSE(tagged->IsVisible());
}

// A tab the user switches off leaves the tab row; switched on, a plain tab comes back at once
// and a tagged one when its keywords next match.
TEST_F(RibbonFrameTest, TabsSwitchedOffByTheUserLeaveTheTabRow) {
    Korvo::UI::SwitchTabByUser(*home, true);
    EXPECT_FALSE(home->IsVisible());
    EXPECT_NE(ribbon->GetCurrentTab(), home);
    Korvo::UI::SwitchTabByUser(*home, false);
    EXPECT_TRUE(home->IsVisible());

    CKvw32Doc document;
    document.GetProperties()->keywords = {L"weld"};
    Korvo::UI::SwitchTabByUser(*tagged, true);
    ribbon->ShowTabsForDocumentKeywords(&document);
    EXPECT_FALSE(tagged->IsVisible()) << "matching keywords do not bring back a tab switched off";
    Korvo::UI::SwitchTabByUser(*tagged, false);
    EXPECT_FALSE(tagged->IsVisible());
    ribbon->ShowTabsForDocumentKeywords(&document);
    EXPECT_TRUE(tagged->IsVisible());
}

TEST_F(RibbonFrameTest, ACloneIsARibbonOfTheSameClassWithTheSameTabs) {
    ribbon->SetCustomizationSwitch(FALSE);
    std::unique_ptr<CXTPCommandBar, void (*)(CXTPCommandBar*)> clone(ribbon->Clone(), [](CXTPCommandBar* bar) {
        bar->InternalRelease();
    });
    auto* copy = dynamic_cast<KVRibbonBar*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(ribbon->GetCustomizationSwitch());  // on for the copy only
    ASSERT_EQ(copy->GetTabCount(), ribbon->GetTabCount());
    EXPECT_EQ(copy->FindTabByGuid(kSheetGuid)->GetCaption(), CString(L"Sheet"));
    EXPECT_FALSE(copy->FindTabByGuid(kSheetGuid)->IsVisible());
    auto* copiedTags = dynamic_cast<Korvo::UI::RibbonTab*>(copy->GetTab(ribbon->GetTabCount() - 1));
    ASSERT_NE(copiedTags, nullptr);
    EXPECT_EQ(copiedTags->GetTagString(), tagged->GetTagString());
    ASSERT_EQ(copy->GetTab(0)->GetGroupCount(), 2);
    EXPECT_NE(copy->GetTab(0)->GetGroup(1)->FindControl(690), nullptr);
    EXPECT_NE(copy->GetTab(0)->GetGroup(1)->FindControl(690), home->GetGroup(1)->FindControl(690));
    // Copying into an existing ribbon replaces its tabs.
    copy->Copy(ribbon);
    EXPECT_EQ(copy->GetTabCount(), ribbon->GetTabCount());
}

TEST_F(RibbonFrameTest, TabChangeGuardRestoresTheCounterAndFindsTabsByGuid) {
    {
        KVRibbonBar::TabChangeGuard outer(*ribbon);
        KVRibbonBar::TabChangeGuard inner(*ribbon);
        EXPECT_EQ(ribbon->GetTabChangeCounter(), 2);
    }
    EXPECT_EQ(ribbon->GetTabChangeCounter(), 0);
    EXPECT_EQ(ribbon->FindTabByGuid(kSheetGuid), sheet);
    EXPECT_EQ(ribbon->FindTabByGuid(kOtherGuid), nullptr);
}

}  // namespace
