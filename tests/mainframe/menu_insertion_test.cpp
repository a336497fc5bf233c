// Add-on menu insertion: each placement mode, the "APISamples" pop-up made once, the help pop-up
// counted twice, keyed pop-ups replacing themselves, and indexes from outside clamped.
#include "mainframe/menu_insertion.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

class MenuInsertion : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        s.runUntilIdle();
        bars = mainframetest::frameOf(s.inspect().mainFrames().at(0))->GetCommandBars();
        // File (1001: 1790 inside), Help (1002, help anchor: 57670 inside).
        file = AddPopup(menu, 1001);
        file->Add(xtpControlButton, 57600);
        file->Add(xtpControlButton, 1790);
        CXTPControl* help = menu.Add(xtpControlPopup, 1002);
        CXTPPopupBar* helpBar = CXTPPopupBar::CreatePopupBar(bars);
        help->SetCommandBar(helpBar);
        helpBar->InternalRelease();
        help->SetFlags(kHelpAnchorFlag);
        helpBar->GetControls()->Add(xtpControlButton, 57670);
        helpControls = helpBar->GetControls();
        target = UserMenuTarget{&menu, &ribbonHelp, bars, &userItems};
    }
    CXTPControls* AddPopup(CXTPControls& list, int id) {
        CXTPControl* popup = list.Add(xtpControlPopup, id);
        CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(bars);
        popup->SetCommandBar(bar);
        bar->InternalRelease();
        return bar->GetControls();
    }
    static std::vector<int> Ids(CXTPControls* list) {
        std::vector<int> ids;
        for (int i = 0; i < list->GetCount(); ++i) ids.push_back(list->GetAt(i)->GetID());
        return ids;
    }

    Session s;
    CXTPCommandBars* bars = nullptr;
    CXTPControls menu, ribbonHelp;
    CXTPControls* file = nullptr;
    CXTPControls* helpControls = nullptr;
    UINT userItems = 0;
    UserMenuTarget target;
};

TEST_F(MenuInsertion, ItemsGoBeforeAfterFirstOrLastAroundTheirReference) {
    EXPECT_TRUE(InsertUserMenuItem(target, L"Before", 20001, 1790, {1, 0x100 | 0x200}));
    EXPECT_TRUE(InsertUserMenuItem(target, L"After", 20002, 1790, {2}));
    EXPECT_TRUE(InsertUserMenuItem(target, L"First", 20003, 1790, {3}));
    EXPECT_TRUE(InsertUserMenuItem(target, L"Last", 20004, 1790, {4}));
    EXPECT_EQ(Ids(file), (std::vector<int>{20003, 57600, 20001, 1790, 20002, 20004}));
    EXPECT_TRUE(file->GetAt(2)->GetBeginGroup());   // 0x100: the new control
    EXPECT_TRUE(file->GetAt(3)->GetBeginGroup());   // 0x200: the one after the new control
    EXPECT_FALSE(file->GetAt(4)->GetBeginGroup());
    EXPECT_EQ(file->GetAt(0)->GetTooltip(), CString(L"First"));
    EXPECT_FALSE(InsertUserMenuItem(target, L"Lost", 20005, 4242, {1}));

    // Outside indexes are clamped: negative to the front, too large to the end.
    EXPECT_TRUE(InsertUserMenuItem(target, L"Front", 20006, 0, {0, 0, L"", -7}));
    EXPECT_TRUE(InsertUserMenuItem(target, L"End", 20007, 0, {9, 0, L"", 99}));
    EXPECT_EQ(Ids(&menu).front(), 20006);
    EXPECT_EQ(Ids(&menu).back(), 20007);
}

TEST_F(MenuInsertion, TheSamplesPopupIsMadeOnceBesideItsAnchorAndTheHelpPopupCountsBothBars) {
    EXPECT_TRUE(InsertUserMenuItem(target, L"Sample 1", 20010, 0, {5}));
    EXPECT_TRUE(InsertUserMenuItem(target, L"Sample 2", 20011, 0, {5, 0, L"", 1}));
    CXTPControl* samples = FindControlByParameter(&menu, L"apisamples");
    ASSERT_NE(samples, nullptr);
    EXPECT_EQ(samples->GetCaption(), CString(L"API Samples"));
    EXPECT_EQ(file->GetAt(file->GetCount() - 1), samples);
    EXPECT_EQ(Ids(samples->GetCommandBar()->GetControls()), (std::vector<int>{20010, 20011}));

    EXPECT_TRUE(InsertUserMenuItem(target, L"Help item", 20012, 0, {6, 0, L"", 0}));
    EXPECT_EQ(Ids(helpControls), (std::vector<int>{20012, 57670}));
    EXPECT_EQ(Ids(&ribbonHelp), (std::vector<int>{20012}));
    EXPECT_EQ(userItems, 2u);
}

TEST_F(MenuInsertion, WithoutItsAnchorTheSamplesPopupCannotBeMade) {
    file->Remove(file->FindControl(1790));
    EXPECT_FALSE(InsertUserMenuItem(target, L"Sample", 20010, 0, {5}));
}

TEST_F(MenuInsertion, AKeyedPopupInsertedAgainReplacesTheFirst) {
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, 21001, L"One");
    ::AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(sub, MF_STRING, 21002, L"Two");
    EXPECT_TRUE(InsertUserPopupMenu(target, L"Tools", sub, 0, {0, 0, L"ADDON.TOOLS", 1}));
    EXPECT_TRUE(InsertUserPopupMenu(target, L"Tools again", sub, 0, {0, 0, L"addon.tools", 0}));
    CXTPControl* popup = FindControlByParameter(&menu, L"Addon.Tools");
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetCaption(), CString(L"Tools again"));
    EXPECT_EQ(menu.GetAt(0), popup);
    EXPECT_EQ(menu.GetCount(), 3);
    CXTPControls* items = popup->GetCommandBar()->GetControls();
    EXPECT_EQ(Ids(items), (std::vector<int>{21001, 21002}));
    EXPECT_TRUE(items->GetAt(1)->GetBeginGroup());
    ::DestroyMenu(sub);
    EXPECT_FALSE(InsertUserPopupMenu(target, L"Gone", sub, 0, {0}));
}

// In the ribbon only a visible control standing free beside the tabs counts, whether it carries
// the anchor itself or holds it in its pop-up.
TEST_F(MenuInsertion, TheRibbonsHelpPopupIsThatOfTheFirstVisibleFreeControlHoldingTheAnchor) {
    CXTPControls ribbon;
    CXTPControls* grouped = AddPopup(ribbon, 3001);  // in a group: not free
    grouped->Add(xtpControlPopup, 3002)->SetFlags(kHelpAnchorFlag);
    CXTPControls* hidden = AddPopup(ribbon, 3003);
    ribbon.GetAt(1)->SetFlags(1);
    ribbon.GetAt(1)->SetVisible(FALSE);
    AddPopup(*hidden, 3004);
    hidden->GetAt(0)->SetFlags(kHelpAnchorFlag);
    EXPECT_EQ(FindRibbonHelpPopup(&ribbon), nullptr);

    CXTPControls* free = AddPopup(ribbon, 3005);
    ribbon.GetAt(2)->SetFlags(1);
    CXTPControls* anchored = AddPopup(*free, 3006);
    free->GetAt(0)->SetFlags(kHelpAnchorFlag);
    EXPECT_EQ(FindRibbonHelpPopup(&ribbon), anchored);
    ribbon.GetAt(2)->SetFlags(1 | kHelpAnchorFlag);
    EXPECT_EQ(FindRibbonHelpPopup(&ribbon), free);
}

}  // namespace
