// Setters by command id reach every control with the id, nested ones too; the split button
// takes over the command run from it.
#include "services/system_panel.h"
#include "tests/commandbars/ribbon_frame.h"
#include "tests/support/table_check.h"

namespace {

using namespace ribbontest;

// A button that answers a value of its own through the value protocol.
class ValueButton : public CXTPControlButton, public IDataExchange {
public:
    explicit ValueButton(int value) : value_(value) {}
    void Reset() override {}
    void SetValue(KVDocument*, const void*) override {}
    const void* GetValue() override { return &value_; }
    void CopyFrom(IDataExchange*) override {}
    bool TakesValue(PanelValueKind) const override { return true; }

private:
    int value_;
};

class RibbonControlsTest : public RibbonFrameTest {
protected:
    // A split button (follows the command run from it) holding a popup with 690 inside.
    Korvo::UI::AutoPopup* AddSplit(bool takeCaption) {
        auto* split = new Korvo::UI::AutoPopup;
        split->SetTakeCaptionFlag(takeCaption);
        split->SetCaption(L"Split");
        home->GetGroup(1)->Add(split, 5000);
        CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
        popup->GetControls()->Add(xtpControlButton, 690)->SetCaption(L"Deep 690");
        popup->GetControls()->Add(xtpControlButton, 912)->SetCaption(L"Panel 912");
        popup->GetControls()->Add(xtpControlButton, 950)->SetCaption(L"Panel 950");
        split->SetCommandBar(popup);
        popup->InternalRelease();
        return split;
    }
};

TEST_F(RibbonControlsTest, SettersReachNestedDuplicatesAndLeaveTheRedrawLockAsFound) {
    auto* split = AddSplit(false);
    CXTPControls* inner = split->GetCommandBar()->GetControls();
    ribbon->EnableControl(690, false);
    EXPECT_FALSE(home->GetGroup(1)->FindControl(690)->GetEnabled());
    EXPECT_FALSE(inner->FindControl(690)->GetEnabled());
    EXPECT_TRUE(inner->FindControl(690)->GetFlags() & xtpFlagManualUpdate);
    ribbon->SetControlState(690, true, false);
    EXPECT_TRUE(inner->FindControl(690)->GetChecked());
    EXPECT_TRUE(inner->FindControl(690)->GetEnabled());
    EXPECT_EQ(ribbon->GetRedrawLockCount(), 0);

    // The system panel's ids run from 904 to 999; 912 among them is left alone.
    for (int id : {903, 904, 999, 1000}) inner->Add(xtpControlButton, id);
    ribbon->DisableSystemPanelControls();
    tablecheck::ExpectMembers<int>("controls the system-panel reset disables", {904, 950, 999}, {903, 912, 1000, 690},
                                   [&](int id) { return !inner->FindControl(id)->GetEnabled(); });
    EXPECT_EQ(ribbon->GetRedrawLockCount(), 0);
    EXPECT_EQ(ribbon->GetControlData(690), nullptr);  // no value protocol on plain buttons

    // A value comes from a visible group of the selected tab; a hidden group is passed over.
    home->GetGroup(0)->Add(new ValueButton(1), 7000);
    home->GetGroup(1)->Add(new ValueButton(2), 7000);
    home->GetGroup(0)->SetVisible(FALSE);
    ribbon->SelectTabSilently(0);
    const auto* value = static_cast<const int*>(ribbon->GetControlData(7000));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, 2);
}

TEST_F(RibbonControlsTest, DeepWalkPassesTheParentChainAndAnEmptyFunctionDoesNothing) {
    auto* split = AddSplit(false);
    std::vector<CXTPControl*> chain;
    ribbon->ForEachControl(
        [&](CXTPControl* control, const std::vector<CXTPControl*>& parents) {
            if (control->GetID() == 950) chain = parents;
        },
        true);
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_EQ(chain[0], split);
    int shallow = 0;
    ribbon->ForEachControl([&](CXTPControl*) { ++shallow; }, false);
    EXPECT_EQ(shallow, 5);  // 681, 4242, 690, 5000, 691
    ribbon->ForEachControl(KVRibbonBar::ControlFunction{}, true);
}

TEST_F(RibbonControlsTest, SplitButtonTakesTheFaceOfTheCommandRunFromIt) {
    auto* split = AddSplit(false);
    CXTPControl* deep = split->GetCommandBar()->GetControls()->FindControl(690);
    deep->SetTooltip(L"Make a configuration");
    deep->SetChecked(TRUE);
    bars->NotifyControlExecuted(deep);
    EXPECT_EQ(split->GetID(), 690);
    EXPECT_EQ(split->GetTooltip(), CString(L"Make a configuration"));
    EXPECT_TRUE(split->GetChecked());
    EXPECT_EQ(split->GetCaption(), CString(L"Split"));  // keeps its caption without the flag
    // The shortcut and the key tip come along; a control bound to an action shows the action's
    // check mark.
    CXTPControl* panel = split->GetCommandBar()->GetControls()->FindControl(912);
    panel->SetShortcutText(L"Ctrl+L");
    panel->SetKeyboardTip(L"L");
    panel->SetChecked(TRUE);
    auto* action = new CXTPControlAction(912);
    panel->SetAction(action);
    action->InternalRelease();
    bars->NotifyControlExecuted(panel);
    EXPECT_EQ(split->GetShortcutText(), CString(L"Ctrl+L"));
    EXPECT_EQ(split->GetKeyboardTip(), CString(L"L"));
    EXPECT_FALSE(split->GetChecked());
    action->SetChecked(TRUE);
    panel->SetChecked(FALSE);
    bars->NotifyControlExecuted(panel);
    EXPECT_TRUE(split->GetChecked());

    auto* taking = AddSplit(true);
    bars->NotifyControlExecuted(taking->GetCommandBar()->GetControls()->FindControl(950));
    EXPECT_EQ(taking->GetCaption(), CString(L"Panel 950"));
    taking->SetFollowFlag(false);
    bars->NotifyControlExecuted(taking->GetCommandBar()->GetControls()->FindControl(912));
    EXPECT_EQ(taking->GetID(), 950);
}

}  // namespace
