// Finding a command's control: the selected tab before the others, a group's own controls before
// the pop-ups they open (breadth-first), hidden tabs never; the tab is selected, the chain opens
// and the cursor moves onto the control; a miss only closes the open pop-ups.
#include "commandbars/search/find_in_tool_bars.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;

// A pop-up control with the id, holding controls of `ids` (the caller keeps no reference).
CXTPControl* AddPopup(CXTPControls* controls, int id, std::initializer_list<int> ids, CXTPCommandBars* bars) {
    CXTPControl* popup = controls->Add(xtpControlPopup, id);
    CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(bars);
    for (int inner : ids) bar->GetControls()->Add(xtpControlButton, inner);
    popup->SetCommandBar(bar);
    bar->InternalRelease();
    return popup;
}

class FindInToolBarsTest : public RibbonFrameTest {
protected:
    bool Find(UINT id) {
        FindInToolBarsTarget target;
        target.bars = bars;
        return FindInToolBars(target, id);
    }
};

TEST_F(FindInToolBarsTest, TheSearchOrderAndWhatAHitShows) {
    CXTPRibbonGroup* file = home->GetGroup(0);
    CXTPRibbonGroup* edit = home->GetGroup(1);
    // 5001 > 5002 > 777 in "File"; 777 also on "Tagged" and in a hidden tab.
    CXTPControl* outer = AddPopup(file->GetControls(), 5001, {4711}, bars);
    AddPopup(outer->GetCommandBar()->GetControls(), 5002, {777}, bars);
    tagged->AddGroup(L"Tags")->Add(xtpControlButton, 777);
    sheet->GetGroup(0)->Add(xtpControlButton, 778);
    // 888 in a pop-up of "File" and straight in "Edit": the group searched first wins.
    AddPopup(file->GetControls(), 5003, {888}, bars);
    edit->Add(xtpControlButton, 888);

    ASSERT_TRUE(Find(777));
    EXPECT_TRUE(home->IsSelected());
    EXPECT_EQ(ribbon->GetPopuped(), outer);
    EXPECT_EQ(outer->GetCommandBar()->GetPopuped()->GetID(), 5002);
    CXTPCommandBar* innermost = outer->GetCommandBar()->GetPopuped()->GetCommandBar();
    EXPECT_EQ(innermost->GetSelected()->GetID(), 777);
    const std::vector<std::wstring> log = platform::harness::logs(s);
    EXPECT_NE(platform::harness::indexOf(log, L"5 Command 777 found on ribbon tab \"Home\", group \"File\", pop-up chain 5001 5002"), -1);
    EXPECT_NE(platform::harness::indexOf(platform::harness::calls(s), L"SetCursorPos("), -1);

    ASSERT_TRUE(Find(888));
    EXPECT_EQ(ribbon->GetPopuped()->GetID(), 5003);
    // The chain of the earlier hit closed.
    EXPECT_EQ(outer->GetCommandBar()->GetPopuped(), nullptr);

    // A control on another tab only: that tab is selected.
    tagged->GetGroup(0)->Add(xtpControlButton, 999);
    ASSERT_TRUE(Find(999));
    EXPECT_TRUE(tagged->IsSelected());
    EXPECT_EQ(ribbon->GetSelected()->GetID(), 999);

    // A hidden tab's control is nobody's to find; the open pop-ups close.
    EXPECT_FALSE(Find(778));
    EXPECT_EQ(ribbon->GetPopuped(), nullptr);
    EXPECT_NE(platform::harness::indexOf(platform::harness::logs(s), L"5 Command 778 is on no tool bar"), -1);
}

TEST_F(FindInToolBarsTest, TheTabbedBarIsSearchedByModeTheCurrentFirst) {
    bars->SetRibbonMode(false);
    auto* tabs = dynamic_cast<CXTPTabToolBar*>(bars->Add(L"Modes", xtpBarTop, RUNTIME_CLASS(CXTPTabToolBar)));
    ASSERT_NE(tabs, nullptr);
    const UINT first[] = {1001, 1029};
    const UINT second[] = {1029, 2882};
    tabs->InsertCategory(L"One", first, 2);
    tabs->InsertCategory(L"Two", second, 2);
    ASSERT_TRUE(tabs->SetCurSel(1));
    // 1029 is in both: the current mode's control is the hit and the mode stays.
    ASSERT_TRUE(Find(1029));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(tabs->GetSelected()->GetCategory(), CString(L"Two"));
    // 1001 only in the other mode: that mode comes forward.
    ASSERT_TRUE(Find(1001));
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_TRUE(tabs->GetSelected()->IsVisible());
}

}  // namespace
