// The system-panel bar: its registry hands the same control objects (with their values) back
// whenever the toolkit rebuilds the bar, and the kernel's requests set, read and reset them.
#include <cmath>
#include <limits>
#include <vector>

#include "platform/kernel/ui/control.h"
#include "syspanel/parameter_controls.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using syspaneltest::PanelTest;

KVDocument* const kDocument = nullptr;

TEST_F(PanelTest, RebuildingTheBarBringsBackTheRegisteredControlsWithTheirValues) {
    bar->set_syspanel_doublevar(kDocument, 907, 2.5, -1);
    CXTPControl* level = bar->FindRegisteredControl(907);
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(level->IsKindOf(RUNTIME_CLASS(CSyspanelEdit)));

    const UINT ids[] = {907, 0, 1869, 2705, 5000};
    ASSERT_TRUE(bar->SetButtons(ids, 5));
    CXTPControls* controls = bar->GetControls();
    ASSERT_EQ(controls->GetCount(), 4);
    EXPECT_EQ(controls->GetAt(0), level);
    EXPECT_EQ(controls->GetAt(1)->GetType(), xtpControlButtonPopup);  // 1869: icon-style button popup
    EXPECT_EQ(controls->GetAt(1)->GetStyle(), xtpButtonIcon);
    EXPECT_TRUE(controls->GetAt(1)->GetBeginGroup());
    EXPECT_EQ(controls->GetAt(2)->GetID(), 2705);  // an unregistered filter button is made
    EXPECT_EQ(controls->GetAt(3)->GetType(), xtpControlButton);  // the toolkit's default

    // Dropping the control from the bar and bringing it back keeps the object and its value.
    const UINT others[] = {904};
    ASSERT_TRUE(bar->SetButtons(others, 1));
    ASSERT_TRUE(bar->SetButtons(ids, 1));
    EXPECT_EQ(controls->GetAt(0), level);
    // A control that began a group in one list begins none in a list without a separator.
    const UINT grouped[] = {904, 0, 907};
    ASSERT_TRUE(bar->SetButtons(grouped, 3));
    EXPECT_TRUE(level->GetBeginGroup());
    ASSERT_TRUE(bar->SetButtons(ids, 1));
    EXPECT_FALSE(level->GetBeginGroup());
    const auto* value = static_cast<const SysPanelValue*>(bar->GetControlValue(907));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->value, 2.5);
    EXPECT_EQ(value->variable, -1);
    EXPECT_EQ(bar->FindRegisteredControl(5000), nullptr);
}

TEST_F(PanelTest, TheFirstRegistrationOfAnIdStaysAndTheCallerKeepsItsReference) {
    auto* second = new CColorPopupControl();
    bar->RegisterControl(907, second, xtpButtonCaption);
    EXPECT_NE(bar->FindRegisteredControl(907), second);
    EXPECT_EQ(second->GetID(), 907);  // it was made ready all the same
    EXPECT_EQ(second->GetFlags(), xtpFlagManualUpdate);
    EXPECT_EQ(second->GetRefCount(), 1);
    second->InternalRelease();

    auto* fresh = new CColorPopupControl();
    bar->RegisterControl(3000, fresh, -1);
    EXPECT_EQ(bar->FindRegisteredControl(3000), fresh);
    EXPECT_EQ(fresh->GetRefCount(), 2);  // the registry's and ours
    fresh->InternalRelease();
    bar->RegisterControl(3001, nullptr, -1);
    EXPECT_EQ(bar->FindRegisteredControl(3001), nullptr);

    // A second registration pass changes nothing.
    CXTPControl* level = bar->FindRegisteredControl(907);
    const auto* g1 = bar->GetG1Button();
    bar->RegisterSyspanelControls();
    EXPECT_EQ(bar->FindRegisteredControl(907), level);
    EXPECT_EQ(bar->GetG1Button(), g1);
}

TEST_F(PanelTest, SettersReachOnlyRegisteredControlsAndWorkWhileTheyAreOffTheBar) {
    CXTPControl* layer = bar->FindRegisteredControl(911);
    layer->SetEnabled(FALSE);
    layer->SetVisible(FALSE);
    bar->set_syspanel_int(kDocument, 911, 7);
    EXPECT_EQ(*static_cast<const std::int32_t*>(bar->GetControlValue(911)), 7);
    EXPECT_TRUE(layer->GetEnabled());

    // Unregistered ids do nothing; a registered control without a value is still enabled.
    bar->set_syspanel_int(kDocument, 6000, 1);
    EXPECT_EQ(bar->GetControlValue(6000), nullptr);
    CXTPControl* icon = bar->FindRegisteredControl(910);
    icon->SetEnabled(FALSE);
    bar->set_syspanel_int(kDocument, 910, 1);
    EXPECT_TRUE(icon->GetEnabled());
    EXPECT_EQ(bar->GetControlValue(910), nullptr);

    bar->set_syspanel_intvar(kDocument, 909, 4, -1);
    const auto* priority = static_cast<const SysPanelValue*>(bar->GetControlValue(909));
    EXPECT_EQ(priority->value, 4.0);
    EXPECT_EQ(priority->variable, -1);
    EXPECT_EQ(static_cast<CSyspanelEdit*>(bar->FindRegisteredControl(909))->GetEditText(), CString(L"4"));

    const CString material = L"Steel";
    bar->set_syspanel_cstr(kDocument, 905, material);
    EXPECT_EQ(static_cast<const MaterialRecord*>(bar->GetControlValue(905))->name, material);

    auto* font = static_cast<CFontComboBox*>(bar->FindRegisteredControl(914));
    font->AddString(L"Arial");
    font->AddString(L"GOST");
    const int gost = font->GetCount() - 1;  // after the list the combo filled itself
    font->SetEnabled(FALSE);
    bar->set_syspanel_font(kDocument, 914, L"GOST", 0);
    EXPECT_EQ(font->GetCurSel(), gost);
    EXPECT_EQ(font->GetLBText(font->GetCurSel()), CString(L"GOST"));
    // For a document the frame does not show the selection stays, but the combo is enabled.
    font->SetEnabled(FALSE);
    KVDocument other;
    EXPECT_FALSE(bar->set_syspanel_font(&other, 914, L"Arial", 0)) << "nothing was selected";
    EXPECT_EQ(font->GetCurSel(), gost);
    EXPECT_TRUE(font->GetEnabled());
    // The font request is for the font combo only: another control is not even enabled.
    CXTPControl* colour = bar->FindRegisteredControl(904);
    colour->SetEnabled(FALSE);
    bar->set_syspanel_font(kDocument, 904, L"Arial", 0);
    EXPECT_FALSE(colour->GetEnabled());
}

TEST_F(PanelTest, ABarOnAWindowThatIsNoMainFramesServesThatWindowsDocument) {
    CKvw32Doc own;
    CKvw32Doc other;
    site->document = &own;
    const UINT ids[] = {907, 911};
    ASSERT_TRUE(bar->SetButtons(ids, 2));
    EXPECT_TRUE(bar->set_syspanel_doublevar(own.Cont2D(), 907, 3.0, -1));
    // A value for another document is not kept, and the answer says so; the request still
    // enables the control.
    bar->FindRegisteredControl(907)->SetEnabled(FALSE);
    EXPECT_FALSE(bar->set_syspanel_doublevar(other.Cont2D(), 907, 8.0, -1));
    EXPECT_TRUE(bar->FindRegisteredControl(907)->GetEnabled());
    const auto* level = static_cast<const SysPanelValue*>(bar->GetControlValue(907));
    EXPECT_EQ(level->value, 3.0);
    // The same holds for the layer: only the window's document sets it.
    EXPECT_TRUE(bar->set_syspanel_int(own.Cont2D(), 911, 4));
    EXPECT_FALSE(bar->set_syspanel_int(nullptr, 911, 6));
    EXPECT_EQ(*static_cast<const std::int32_t*>(bar->GetControlValue(911)), 4);
}

TEST_F(PanelTest, IntegerReadsGiveWordsAndClampedMeasuresButNothingForOtherValues) {
    int out = -99;
    bar->set_syspanel_int(kDocument, 904, 0x00FF00);
    EXPECT_NE(bar->GetControlIntValue(904, &out), nullptr);
    EXPECT_EQ(out, 0x00FF00);

    bar->set_syspanel_doublevar(kDocument, 907, -7.9, -1);
    EXPECT_NE(bar->GetControlIntValue(907, &out), nullptr);
    EXPECT_EQ(out, -7);
    bar->set_syspanel_doublevar(kDocument, 907, 1e12, -1);
    bar->GetControlIntValue(907, &out);
    EXPECT_EQ(out, std::numeric_limits<int>::max());

    out = -99;
    const CString name = L"Arial";
    bar->set_syspanel_cstr(kDocument, 914, name);
    EXPECT_EQ(bar->GetControlIntValue(914, &out), nullptr);  // a name is no number
    EXPECT_EQ(bar->GetControlIntValue(905, &out), nullptr);
    EXPECT_EQ(bar->GetControlIntValue(6000, &out), nullptr);
    EXPECT_EQ(out, -99);

    int number = 5, variable = 5;
    SysPanelValue nan{std::nan(""), 2, CString()};
    CSysPanelToolbar::UnpackIntVar(&nan, &number, &variable);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(variable, 2);
    SysPanelValue low{-1e300, -1, CString()};
    CSysPanelToolbar::UnpackIntVar(&low, &number, nullptr);
    EXPECT_EQ(number, std::numeric_limits<int>::min());
    double measure = 0.0;
    CSysPanelToolbar::UnpackDoubleVar(&low, &measure, &variable);
    EXPECT_EQ(measure, -1e300);
    EXPECT_EQ(variable, -1);
}

TEST_F(PanelTest, ButtonStatusTakesCheckedThenDisabledAndStateReadsItBack) {
    const UINT ids[] = {907, 2710};
    ASSERT_TRUE(bar->SetButtons(ids, 2));
    bar->SetSyspanelButtonStatus(2710, true, false);
    bool checked = false, disabled = true;
    ASSERT_TRUE(bar->GetControlState(2710, &checked, &disabled));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(disabled);
    bar->SetSyspanelButtonStatus(2710, false, true);
    ASSERT_TRUE(bar->GetControlState(2710, &checked, nullptr));
    EXPECT_FALSE(checked);
    ASSERT_TRUE(bar->GetControlState(2710, nullptr, &disabled));
    EXPECT_TRUE(disabled);
    bar->GetControls()->FindControl(2710)->SetChecked(2);  // indeterminate: not checked
    ASSERT_TRUE(bar->GetControlState(2710, &checked, nullptr));
    EXPECT_FALSE(checked);
    EXPECT_EQ(bar->GetControls()->FindControl(2710)->GetFlags(), xtpFlagManualUpdate);

    // Registered but not on the bar: no state.
    EXPECT_FALSE(bar->GetControlState(909, &checked, &disabled));
    bar->EnableSyspanelControl(907, false);
    EXPECT_FALSE(bar->FindRegisteredControl(907)->GetEnabled());
    bar->EnableSyspanelControl(907, true);
    EXPECT_TRUE(bar->FindRegisteredControl(907)->GetEnabled());
}

TEST_F(PanelTest, DisablingResetsTheValuesOfTheControlsOnTheBarAndDisablesThemAll) {
    bar->set_syspanel_doublevar(kDocument, 907, 3.0, -1);
    bar->set_syspanel_int(kDocument, 911, 4);
    bar->set_syspanel_doublevar(kDocument, 909, 9.0, -1);
    const UINT ids[] = {907, 911, 2701};
    ASSERT_TRUE(bar->SetButtons(ids, 3));
    bar->DisableSyspanelControls();

    EXPECT_EQ(static_cast<const SysPanelValue*>(bar->GetControlValue(907))->value, 0.0);
    EXPECT_EQ(*static_cast<const std::int32_t*>(bar->GetControlValue(911)), -1);
    EXPECT_EQ(static_cast<const SysPanelValue*>(bar->GetControlValue(909))->value, 9.0);  // not on the bar
    for (int index = 0; index < bar->GetControls()->GetCount(); ++index)
        EXPECT_FALSE(bar->GetControls()->GetAt(index)->GetEnabled());
    EXPECT_EQ(bar->GetRedrawLockCount(), 0);
}

TEST_F(PanelTest, CommandControlsAreLimitedToThirtyAndComeManualEnabledAndExplained) {
    platform::kernel::overrideString(10050, L"Pick lines");
    stlControlsIDs records;
    for (int id = 3100; id < 3140; ++id) records.push_back({id, 0, 0});
    records[1] = {907, 0, 0};
    records[2] = {2730, 400, 50};  // a filter button with its tooltip
    records[35] = {2731, 400, 50};  // past the 30th: no button
    bar->set_syspanel_doublevar(kDocument, 907, 8.0, -1);
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(5));
    ASSERT_TRUE(bar->SetSyspanelControls(records));

    // The filter button brings the selection area (G1, lazy geometry, mode, 1870, 1871) with it.
    CXTPControls* controls = bar->GetControls();
    EXPECT_EQ(controls->GetCount(), 30 + 5);
    EXPECT_EQ(controls->GetAt(1), bar->FindRegisteredControl(907));
    EXPECT_EQ(static_cast<const SysPanelValue*>(bar->GetControlValue(907))->value, 8.0);
    CXTPControl* filter = controls->FindControl(2730);
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->GetTooltip(), CString(L"Pick lines"));
    EXPECT_EQ(filter->GetIconId(), 400);
    EXPECT_EQ(controls->FindControl(2731), nullptr);
    for (const auto& record : records) {
        CXTPControl* control = controls->FindControl(record.id);
        if (!control) continue;
        EXPECT_EQ(control->GetFlags(), xtpFlagManualUpdate);
        EXPECT_TRUE(control->GetEnabled());
    }
    // Commands without a tooltip get an icon unless they have one.
    EXPECT_NE(bars->GetImageManager()->GetIconSet(3100), nullptr);
    EXPECT_EQ(bar->GetCurrentFilterSet(), -1);
    EXPECT_EQ(bar->GetLayoutLockCount(), 0u);
    EXPECT_EQ(bar->GetRedrawLockCount(), 0);

    EXPECT_TRUE(bar->SetSyspanelControls({}));
    EXPECT_EQ(controls->GetCount(), 0);
    // The set the list replaced is no longer current: switching back to it rebuilds the bar.
    EXPECT_TRUE(bar->SwitchSelectionFilterSet(5));
    EXPECT_NE(controls->FindControl(2701), nullptr);
}

TEST_F(PanelTest, TextFormattingControlsOnTheBarMirrorTheirCommands) {
    auto& states = platform::kernel::control().commandStates;
    states[1289] = {true, true};    // 922
    states[1327] = {false, true};   // 952
    states[1290] = {true, false};   // 923: not on the bar
    stlControlsIDs records = {{922, 0, 0}, {952, 0, 0}, {931, 0, 0}};
    ASSERT_TRUE(bar->SetSyspanelControls(records));
    CXTPControls* controls = bar->GetControls();
    controls->FindControl(931)->SetChecked(TRUE);
    controls->FindControl(922)->SetFlags(0);
    bar->SyspanelStatusChanged();

    EXPECT_TRUE(controls->FindControl(922)->GetEnabled());
    EXPECT_TRUE(controls->FindControl(922)->GetChecked());
    EXPECT_EQ(controls->FindControl(922)->GetFlags(), xtpFlagManualUpdate);
    EXPECT_FALSE(controls->FindControl(952)->GetEnabled());
    EXPECT_TRUE(controls->FindControl(952)->GetChecked());
    EXPECT_TRUE(controls->FindControl(931)->GetChecked());  // the module has no state for 1298
    EXPECT_EQ(controls->GetCount(), 3);

    // Each command reaches its own control: one command checked at a time, all controls shown.
    const std::pair<UINT, int> pairs[] = {{1289, 922}, {1290, 923}, {1291, 924}, {1292, 925},
                                          {1293, 926}, {1294, 927}, {1295, 928}, {1296, 929},
                                          {1297, 930}, {1298, 931}, {1320, 951}, {1327, 952}};
    stlControlsIDs all;
    for (const auto& [command, control] : pairs) all.push_back({control, 0, 0});
    ASSERT_TRUE(bar->SetSyspanelControls(all));
    for (const auto& [command, control] : pairs) {
        states.clear();
        for (const auto& [other, unused] : pairs) states[other] = {true, other == command};
        bar->SyspanelStatusChanged();
        for (const auto& [other, otherControl] : pairs)
            EXPECT_EQ(controls->FindControl(otherControl)->GetChecked() != FALSE, other == command)
                << "command " << command << ", control " << otherControl;
    }
}

TEST_F(PanelTest, CommandGroupsGrowAtTheirEndAndLeaveEachOtherAlone) {
    CXTPControls* controls = bar->GetControls();
    controls->Add(xtpControlButton, 2701);  // a filter button before the groups
    auto add = [this](int id, int group) {
        CXTPControl* control = new CXTPControlButton();
        control->SetID(id);
        bar->InsertCommandControl(control, group);
        return control;
    };
    CXTPControl* p = add(1, 1);
    CXTPControl* only = add(10, 2);
    CXTPControl* q = add(2, 1);
    CXTPControl* r = add(3, 1);
    EXPECT_EQ(p->GetTag(), 0x201u);
    EXPECT_EQ(q->GetTag(), 0u);
    EXPECT_EQ(r->GetTag(), 0x202u);
    EXPECT_EQ(only->GetTag(), 0x203u);
    // Q joins the then-single P right behind it, although group 2 followed P: groups stay whole.
    EXPECT_EQ(controls->IndexOf(p) + 1, controls->IndexOf(q));
    EXPECT_EQ(controls->IndexOf(q) + 1, controls->IndexOf(r));
    EXPECT_EQ(bar->FindGroupMarker(0x201, 0), 1);
    EXPECT_EQ(bar->FindGroupMarker(0x203, 0), controls->IndexOf(only));
    EXPECT_EQ(bar->FindGroupMarker(0x201, 2), -1);  // group 2's first marker is no group 1 marker

    CXTPControl* s2 = add(11, 2);
    EXPECT_EQ(s2->GetTag(), 0x204u);
    bar->RemoveCommandControls();
    EXPECT_EQ(controls->GetCount(), 3);
    EXPECT_EQ(controls->GetAt(0)->GetID(), 2701);
    EXPECT_EQ(controls->GetAt(1)->GetID(), 10);
    EXPECT_EQ(controls->GetAt(1)->GetTag(), 0x203u);
    EXPECT_EQ(controls->GetAt(2)->GetTag(), 0x204u);
    bar->RemoveCommandControls();  // no group 1: nothing happens
    EXPECT_EQ(controls->GetCount(), 3);
    bar->RemoveManipControls();
    EXPECT_EQ(controls->GetCount(), 1);

    bar->InsertCommandControl(nullptr, 1);
    CXTPControlButton stray;
    bar->InsertCommandControl(&stray, 3);  // no such group
    EXPECT_EQ(controls->GetCount(), 1);
}

TEST_F(PanelTest, TwinControlsPassTheirValueToTheRegisteredControlOfTheirId) {
    CSyspanelEdit twin("Level", 2, -1.0);
    twin.SetID(907);
    const SysPanelValue value{12.0, -1, CString()};
    twin.SetValue(kDocument, &value);
    bar->CopyControlValue(&twin);
    const auto* copied = static_cast<const SysPanelValue*>(bar->GetControlValue(907));
    EXPECT_EQ(copied->value, 12.0);
    EXPECT_EQ(copied->variable, -1);
    EXPECT_EQ(copied->text, CString(L"12"));  // reading commits the shown text

    // A control of another class under the same id, or one without a value, changes nothing.
    CColorPopupControl stranger;
    stranger.SetID(907);
    const std::int32_t colour = 5;
    stranger.SetValue(kDocument, &colour);
    bar->CopyControlValue(&stranger);
    CXTPControlButton plain;
    plain.SetID(907);
    bar->CopyControlValue(&plain);
    EXPECT_EQ(static_cast<const SysPanelValue*>(bar->GetControlValue(907))->value, 12.0);
}

TEST_F(PanelTest, LayoutLocksNestAndHoldTheRedrawLockUntilTheOutermostUnlock) {
    EXPECT_EQ(bar->LockLayout(), 1u);
    EXPECT_EQ(bar->LockLayout(), 2u);
    EXPECT_EQ(bar->LockLayout(), 3u);
    EXPECT_EQ(bar->GetRedrawLockCount(), 1);
    bar->UnlockLayout();
    bar->UnlockLayout();
    EXPECT_EQ(bar->GetRedrawLockCount(), 1);
    bar->UnlockLayout();
    EXPECT_EQ(bar->GetRedrawLockCount(), 0);
    bar->UnlockLayout();  // at 0 nothing happens
    EXPECT_EQ(bar->GetLayoutLockCount(), 0u);
    EXPECT_EQ(bar->GetRedrawLockCount(), 0);
}

TEST_F(PanelTest, FilterButtonsAreAddedUpdatedAndRemovedOnlyInTheirIdRange) {
    CXTPControls* controls = bar->GetControls();
    bar->SetFilterButtonText(2720, 300, L"Lines");
    CXTPControl* button = controls->FindControl(2720);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetIconId(), 300);
    EXPECT_EQ(button->GetTooltip(), CString(L"Lines"));

    button->SetVisible(FALSE);
    bar->SetFilterButtonText(2720, 301, L"Arcs");
    EXPECT_TRUE(button->IsVisible());
    EXPECT_EQ(button->GetIconId(), 301);

    bar->SetFilterButtonText(2720, 0, L"Arcs");
    EXPECT_EQ(controls->FindControl(2720), nullptr);
    bar->SetFilterButtonText(2800, 300, L"Outside");
    bar->SetFilterButtonText(2721, 300, nullptr);
    EXPECT_EQ(controls->GetCount(), 0);

    bar->ShowRegisteredControl(912, true);
    ASSERT_EQ(controls->GetCount(), 1);
    EXPECT_EQ(controls->GetAt(0), bar->FindRegisteredControl(912));
    bar->ShowRegisteredControl(912, false);
    bar->ShowRegisteredControl(912, true);
    EXPECT_EQ(controls->GetCount(), 1);  // put on the bar once
    EXPECT_TRUE(controls->GetAt(0)->IsVisible());
}

}  // namespace
