// The parameter edit on its own (no frame, no document): what a typed text commits to, what the
// stored value shows, the spin buttons and the value list; and the kernel's
// parameter equality the panel relies on.
#include <gtest/gtest.h>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "syspanel/syspanel_edit.h"
#include "tests/support/session_test.h"

namespace {

const SysPanelValue& commit(CSyspanelEdit& edit, LPCWSTR text) {
    edit.SetEditText(text);
    return *static_cast<const SysPanelValue*>(edit.GetValue());
}

TEST(SyspanelEdit, CommittingATextFollowsTheStyleBits) {
    CSyspanelEdit fontSize("FontSize", 9, -1.0);  // default text, never negative
    EXPECT_EQ(commit(fontSize, L"-3").value, 0.0);
    EXPECT_EQ(commit(fontSize, L"0").value, 0.0);
    EXPECT_EQ(commit(fontSize, L"2,5").value, 2.5);
    // Without a document a word is read as a number: no digit "0", so the "default" sentinel.
    EXPECT_EQ(commit(fontSize, L"abc").value, 99999.0);
    fontSize.UpdateEditText();
    EXPECT_EQ(fontSize.GetEditText(), CString(L"Default"));
    // The default text itself commits to the sentinel again.
    EXPECT_EQ(commit(fontSize, L"Default").value, 99999.0);

    CSyspanelEdit level("Level", 2, -1.0);  // sentinel 255, no default-text handling
    EXPECT_EQ(commit(level, L"abc").value, 0.0);
    const SysPanelValue sentinel{255.0, -1, CString()};
    level.SetValue(nullptr, &sentinel);
    EXPECT_EQ(level.GetEditText(), CString(L"Default"));

    CSyspanelEdit atLeastOne("Scale", 4, -1.0);
    EXPECT_EQ(commit(atLeastOne, L"0.0000001").value, 1.0);
    EXPECT_EQ(commit(atLeastOne, L"-5").value, 1.0);
}

TEST(SyspanelEdit, HiddenSignsKeepTheStoredSign) {
    CSyspanelEdit edit(std::string_view(), 0, 0.1);
    edit.SetShowSign(false);
    const SysPanelValue negative{-2.5, -1, CString()};
    edit.SetValue(nullptr, &negative);
    EXPECT_EQ(edit.GetEditText(), CString(L"2.5"));
    EXPECT_EQ(commit(edit, L"4").value, -4.0);
}

TEST(SyspanelEdit, FocusClearsAndRestoresTheDefaultText) {
    CSyspanelEdit edit("FontSize", 9, -1.0);
    edit.SetEditText(L"Default");
    edit.OnSetFocus();
    EXPECT_TRUE(edit.GetEditText().IsEmpty());
    edit.OnKillFocus();
    EXPECT_EQ(edit.GetEditText(), CString(L"Default"));
    // A negative number is refused on leaving: the default text comes back.
    edit.OnSetFocus();
    edit.SetEditText(L"-1");
    edit.OnKillFocus();
    EXPECT_EQ(edit.GetEditText(), CString(L"Default"));
}

TEST(SyspanelEdit, SpinningStepsByNumberByStandardSizeOrThroughTheList) {
    CSyspanelEdit level("Level", 2, -1.0);
    level.SetEditText(L"3");
    level.NotifySpinChanged(2, 1);
    EXPECT_EQ(level.GetEditText(), CString(L"5"));
    EXPECT_TRUE(level.GetModify());

    CSyspanelEdit fontSize("FontSize", 9, -1.0);
    // Font sizes step to the next standard size, not by the step.
    fontSize.SetEditText(L"12");
    fontSize.NotifySpinChanged(1, 1);
    EXPECT_EQ(fontSize.GetEditText(), CString(L"14"));
    fontSize.NotifySpinChanged(1, -1);
    EXPECT_EQ(fontSize.GetEditText(), CString(L"12"));

    // A step to a value the style refuses changes nothing and makes no sound.
    CSyspanelEdit positive("Scale", 4, -1.0);
    positive.SetEditText(L"1");
    positive.NotifySpinChanged(1, -1);
    EXPECT_EQ(positive.GetEditText(), CString(L"1"));

    // A disabled edit does not spin.
    level.SetEnabled(FALSE);
    level.NotifySpinChanged(1, 1);
    EXPECT_EQ(level.GetEditText(), CString(L"5"));
}

TEST(SyspanelEdit, ValueListStepsPicksOnlyItsEntriesAndBeepsAtItsEnds) {
    platform::harness::Session s;  // the journal hears the beep
    CSyspanelEdit edit("FontSize", 9, -1.0, 1016, 1023);
    CSyspanelEditCtrl& ctrl = edit.GetEditCtrl();
    ctrl.SetValueList({L"2.5", L"3.5", L"5"});
    ctrl.SetSpinAction(CSyspanelEditCtrl::kSpinThroughList, 0.0);
    edit.SetEditText(L"3.5");
    edit.NotifySpinChanged(1, 1);
    EXPECT_EQ(edit.GetEditText(), CString(L"5"));
    edit.NotifySpinChanged(1, 1);
    EXPECT_EQ(edit.GetEditText(), CString(L"5"));
    EXPECT_GE(platform::harness::indexOf(platform::harness::calls(s), L"MessageBeep(0xFFFFFFFF)"), 0);

    // Commands 1..n pick entry n-1; a command id past the list is not an entry.
    EXPECT_TRUE(ctrl.OnCommand(1));
    EXPECT_EQ(edit.GetEditText(), CString(L"2.5"));
    EXPECT_FALSE(ctrl.IsCommandEnabled(4));
    EXPECT_FALSE(ctrl.OnCommand(400));
    EXPECT_EQ(edit.GetEditText(), CString(L"2.5"));
    // Keys whose commands are never enabled do nothing; the spin buttons toggle.
    EXPECT_FALSE(ctrl.IsCommandEnabled(2140));
    EXPECT_FALSE(ctrl.IsCommandEnabled(1960));
    EXPECT_TRUE(edit.IsSpinButtons());
    EXPECT_TRUE(ctrl.OnCommand(2810));
    EXPECT_FALSE(edit.IsSpinButtons());
    edit.SetReadOnly(TRUE);
    EXPECT_FALSE(ctrl.IsCommandEnabled(57637));  // paste
    EXPECT_TRUE(ctrl.IsCommandEnabled(57634));   // copy
}

TEST(SyspanelEdit, TheSpinStepNeverGoesBelowOne) {
    CSyspanelEdit edit("Level", 2, -1.0);
    edit.GetEditCtrl().SetSpinAction(1, 0.0);
    EXPECT_EQ(edit.GetEditCtrl().GetSpinStep(), 1.0);  // not 0: spinning would do nothing
    edit.GetEditCtrl().SetSpinAction(1, -2.0);
    EXPECT_EQ(edit.GetEditCtrl().GetSpinStep(), 1.0);  // not negative: spinning would turn round
    edit.GetEditCtrl().SetSpinAction(1, 0.25);
    edit.SetEditText(L"1");
    edit.NotifySpinChanged(1, 1);
    EXPECT_EQ(edit.GetEditText(), CString(L"1.25"));
}

TEST(VariantParameter, NumbersAgreeWithinATolerance) {
    using kveval::NumberParameter;
    using kveval::VariantParameter;
    EXPECT_EQ(VariantParameter(NumberParameter{1.0, -1, 0}), VariantParameter(NumberParameter{1.0 + 5e-9, -1, 0}));
    EXPECT_FALSE(VariantParameter(NumberParameter{1.0, -1, 0}) == VariantParameter(NumberParameter{1.0 + 2e-8, -1, 0}));
    EXPECT_FALSE(VariantParameter(NumberParameter{1.0, -1, 0}) == VariantParameter(NumberParameter{1.0, 2, 0}));
    // Lists compare their numbers exactly; another alternative is never equal; two empties are.
    const std::vector<kveval::NumberListItem> list{{1.0, 0, 0}};
    const std::vector<kveval::NumberListItem> near{{1.0 + 5e-9, 0, 0}};
    EXPECT_FALSE(VariantParameter(list) == VariantParameter(near));
    EXPECT_FALSE(VariantParameter(std::int32_t{1}) == VariantParameter(true));
    EXPECT_EQ(VariantParameter(), VariantParameter());
    VariantParameter flagged(std::int32_t{1});
    flagged.flags[1] = 1;
    EXPECT_FALSE(flagged == VariantParameter(std::int32_t{1}));
}

}  // namespace
