// The parameter edit on its own (no frame, no document): what a typed text commits to and what
// the stored value shows; its edit window on a panel bar: the spin buttons, the value list, the
// clipboard commands, the window's lifetime and the spin-step dialog; and the kernel's parameter
// equality the panel relies on.
#include <gtest/gtest.h>

#include <cwchar>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "syspanel/syspanel_edit.h"
#include "syspanel/syspanel_edit_ctrl.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

const SysPanelValue& commit(CSyspanelEdit& edit, LPCWSTR text) {
    edit.SetEditText(text);
    return *static_cast<const SysPanelValue*>(edit.GetValue());
}

TEST(SyspanelEdit, CommittingATextFollowsTheStyleBits) {
    CSyspanelEdit fontSize("FontSize", 9, -1.0);  // default text, never negative
    EXPECT_EQ(commit(fontSize, L"-3").value, 0.0);
    EXPECT_EQ(commit(fontSize, L"-0.5").value, 0.0);
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
    EXPECT_EQ(commit(atLeastOne, L"0.000002").value, 0.000002);
}

TEST(SyspanelEdit, TheNumberBehindATextKeepsToTheStyleLimits) {
    // No document to name a variable: a text that is no number is read as far as it goes.
    CSyspanelEdit atLeastOne("Scale", 4, -1.0);
    atLeastOne.SetEditText(L"-5 mm");
    EXPECT_EQ(atLeastOne.GetNumericValue(), 1.0);
    CSyspanelEdit fontSize("FontSize", 9, -1.0);
    fontSize.SetEditText(L"-3 pt");
    EXPECT_EQ(fontSize.GetNumericValue(), 0.0);
    fontSize.SetEditText(L"2,5 pt");
    EXPECT_EQ(fontSize.GetNumericValue(), 2.5);
}

TEST(SyspanelEdit, HiddenSignsKeepTheStoredSign) {
    CSyspanelEdit edit(std::string_view(), 0, 0.1);
    edit.SetShowSign(false);
    const SysPanelValue negative{-2.5, -1, CString()};
    edit.SetValue(nullptr, &negative);
    EXPECT_EQ(edit.GetEditText(), CString(L"2.5"));
    EXPECT_EQ(commit(edit, L"4").value, -4.0);
    // A value within the noise of zero has no sign to keep.
    const SysPanelValue noise{-1e-11, -1, CString()};
    edit.SetValue(nullptr, &noise);
    EXPECT_EQ(commit(edit, L"4").value, 4.0);
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

// The edit windows on a panel bar: made when an edit is put on the bar, gone when it leaves.
class EditWindow : public syspaneltest::PanelTest {
protected:
    CSyspanelEdit& show(UINT id) {
        const UINT ids[] = {id};
        EXPECT_TRUE(bar->SetButtons(ids, 1));
        auto* edit = dynamic_cast<CSyspanelEdit*>(bar->GetControls()->FindControl(static_cast<int>(id)));
        EXPECT_NE(edit, nullptr);
        EXPECT_NE(edit->GetSyspanelEditCtrl(), nullptr);
        return *edit;
    }
};

namespace paints {
WNDPROC original = nullptr;
int count = 0;
LRESULT counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++count;
    return CallWindowProcW(original, window, message, wParam, lParam);
}
}  // namespace paints

TEST_F(EditWindow, TheBarsPaintDrawsTheEditWindowAtOnce) {
    site->ShowWindow(SW_SHOW);
    CSyspanelEdit& level = show(907);
    const HWND window = level.GetSyspanelEditCtrl()->GetSafeHwnd();
    ASSERT_TRUE(bar->IsWindowVisible());
    ASSERT_TRUE(IsWindowVisible(window));
    paints::count = 0;
    paints::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&paints::counting)));
    // Only the bar is redrawn, and at once: its paint draws the edit window inside it.
    bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(paints::original));
    EXPECT_EQ(paints::count, 1);
}

TEST_F(EditWindow, TheContextMenuLeavesTheEditItsKeyboardWhereOtherPopupsTakeIt) {
    site->ShowWindow(SW_SHOW);
    CSyspanelEdit& level = show(907);
    CSyspanelEditCtrl* window = level.GetSyspanelEditCtrl();
    window->SetFocus();
    ASSERT_EQ(GetFocus(), window->GetSafeHwnd());
    EXPECT_EQ(XTPMouseManager()->GetTrackingCount(), 1) << "the bar tracks while its edit has the keyboard";

    s.user().expectMenuDismiss();
    window->ShowContextMenu(POINT{10, 10});
    EXPECT_EQ(GetFocus(), window->GetSafeHwnd());
    EXPECT_EQ(XTPMouseManager()->GetTrackingCount(), 1);

    // Any other popup takes the mouse from the bar, and the keyboard from its edit.
    s.user().expectMenuDismiss();
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars.get());
    popup->GetControls()->Add(xtpControlButton, 1);
    bars->TrackPopupMenu(popup, TPM_RETURNCMD, 10, 10);
    popup->InternalRelease();
    EXPECT_EQ(GetFocus(), site->GetSafeHwnd());
    EXPECT_EQ(XTPMouseManager()->GetTrackingCount(), 0);
}

TEST_F(EditWindow, AnEntryWithoutADocumentIsSpentWithNothingWritten) {
    CSyspanelEdit& level = show(907);
    level.OnSetSelected(TRUE);
    level.SetModify(TRUE);
    level.OnSetSelected(FALSE);
    EXPECT_FALSE(level.GetModify());
}

TEST_F(EditWindow, SpinningStepsByNumberByStandardSizeOrThroughTheList) {
    CSyspanelEdit& level = show(907);
    level.SetEditText(L"3");
    EXPECT_FALSE(level.GetModify());
    level.NotifySpinChanged(2, 1);
    EXPECT_EQ(level.GetEditText(), CString(L"5"));
    EXPECT_TRUE(level.GetModify());
    // A spun text is an ordinary change: it can be undone.
    EXPECT_TRUE(level.GetSyspanelEditCtrl()->CanUndo());

    CSyspanelEdit& fontSize = show(915);
    // Font sizes step to the next standard size, not by the step.
    fontSize.SetEditText(L"12");
    fontSize.NotifySpinChanged(1, 1);
    EXPECT_EQ(fontSize.GetEditText(), CString(L"14"));
    fontSize.NotifySpinChanged(1, -1);
    EXPECT_EQ(fontSize.GetEditText(), CString(L"12"));
    // "FontSize" refuses a negative number (style bit 8) without a sound.
    fontSize.SetEditText(L"0.5");
    fontSize.GetSyspanelEditCtrl()->SetSpinAction(CSyspanelEditCtrl::kSpinByOwnStep, 1.0);
    fontSize.NotifySpinChanged(1, -1);
    EXPECT_EQ(fontSize.GetEditText(), CString(L"0.5"));
    EXPECT_FALSE(fontSize.GetModify());
    EXPECT_LT(platform::harness::indexOf(platform::harness::calls(s), L"MessageBeep(0xFFFFFFFF)"), 0);

    // "FontSize" may reach 0 itself: only a number below 0 is refused.
    fontSize.SetEditText(L"1");
    fontSize.NotifySpinChanged(1, -1);
    EXPECT_EQ(fontSize.GetEditText(), CString(L"0"));

    // An edit that must stay at least one (style bit 4) refuses 0 and anything below, and takes 1.
    auto* scale = new CSyspanelEdit("Scale", CSyspanelEdit::kAtLeastOne, -1.0);
    bar->RegisterControl(950, scale, -1);
    scale->InternalRelease();
    CSyspanelEdit& atLeastOne = show(950);
    atLeastOne.SetEditText(L"2");
    atLeastOne.NotifySpinChanged(1, -1);
    EXPECT_EQ(atLeastOne.GetEditText(), CString(L"1"));
    atLeastOne.SetModify(FALSE);
    atLeastOne.NotifySpinChanged(1, -1);
    EXPECT_EQ(atLeastOne.GetEditText(), CString(L"1")) << "spun down from 1 the edit would reach 0";
    EXPECT_FALSE(atLeastOne.GetModify());
    atLeastOne.GetSyspanelEditCtrl()->SetSpinAction(CSyspanelEditCtrl::kSpinByOwnStep, 0.5);
    atLeastOne.SetEditText(L"0.75");
    atLeastOne.NotifySpinChanged(1, -1);
    EXPECT_EQ(atLeastOne.GetEditText(), CString(L"0.25")) << "a small positive number is no zero";
    EXPECT_LT(platform::harness::indexOf(platform::harness::calls(s), L"MessageBeep(0xFFFFFFFF)"), 0);

    // A disabled edit does not spin.
    CSyspanelEdit& again = show(907);
    again.SetEnabled(FALSE);
    again.SetEditText(L"5");
    again.NotifySpinChanged(1, 1);
    EXPECT_EQ(again.GetEditText(), CString(L"5"));
}

// A spun number is written whole, as the shortest text that reads back as that very number: a
// text rounded to a few digits would commit another number.
TEST_F(EditWindow, SpinningWritesTheWholeNumber) {
    CSyspanelEdit& level = show(907);
    CSyspanelEditCtrl& ctrl = *level.GetSyspanelEditCtrl();
    const auto spun = [&](const wchar_t* text, double step, int count) {
        ctrl.SetSpinAction(CSyspanelEditCtrl::kSpinByOwnStep, step);
        level.SetEditText(text);
        level.NotifySpinChanged(count, 1);
        return level.GetEditText();
    };
    EXPECT_EQ(spun(L"2.123456789", 0.1, 1), CString(L"2.223456789"));
    EXPECT_EQ(spun(L"1234567.89", 1.0, 1), CString(L"1234568.89"));
    EXPECT_EQ(spun(L"1.5", 0.5, -3), CString(L"0"));
    EXPECT_EQ(spun(L"1e-05", 1e-05, 1), CString(L"2e-05"));
    EXPECT_EQ(spun(L"1e+20", 1e+20, 1), CString(L"2e+20"));
    EXPECT_EQ(spun(L"-2.5", 1.0, -1), CString(L"-3.5"));
    // Each text reads back as the number spun to.
    for (const double number : {2.123456789 + 0.1, 1234567.89 + 1.0, 1e-4, 9999999999999998.0, 1e16, -0.000123456789})
        EXPECT_EQ(std::wcstod(NumberText(number).GetString(), nullptr), number) << NumberText(number).GetString();
    EXPECT_EQ(NumberText(-0.0), CString(L"0"));
    EXPECT_EQ(NumberText(1e-4), CString(L"0.0001"));
    EXPECT_EQ(NumberText(1e16), CString(L"1e+16"));
}

TEST_F(EditWindow, ValueListStepsPicksOnlyItsEntriesAndBeepsAtItsEnds) {
    CSyspanelEdit& edit = show(915);
    CSyspanelEditCtrl& ctrl = *edit.GetSyspanelEditCtrl();
    ctrl.SetValueList(CMenuItemArray({L"2.5", L"3.5", L"5"}));
    ctrl.SetSpinAction(CSyspanelEditCtrl::kSpinThroughList, 0.0);
    edit.SetEditText(L"3.5");
    edit.NotifySpinChanged(1, 1);
    EXPECT_EQ(edit.GetEditText(), CString(L"5"));
    edit.NotifySpinChanged(1, 1);
    EXPECT_EQ(edit.GetEditText(), CString(L"5"));
    EXPECT_GE(platform::harness::indexOf(platform::harness::calls(s), L"MessageBeep(0xFFFFFFFF)"), 0);
    // Up and Down step through the list as well.
    ctrl.SendMessage(WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(edit.GetEditText(), CString(L"3.5"));

    // Commands 1..n pick entry n-1; a command id past the list is not an entry.
    ctrl.SendMessage(WM_COMMAND, 1, 0);
    EXPECT_EQ(edit.GetEditText(), CString(L"2.5"));
    EXPECT_FALSE(ctrl.IsCommandEnabled(4));
    ctrl.SendMessage(WM_COMMAND, 400, 0);
    EXPECT_EQ(edit.GetEditText(), CString(L"2.5"));
    // Keys whose commands are never enabled do nothing; the spin buttons toggle.
    EXPECT_FALSE(ctrl.IsCommandEnabled(2140));
    EXPECT_FALSE(ctrl.IsCommandEnabled(1960));
    EXPECT_TRUE(edit.IsSpinButtons());
    ctrl.SendMessage(WM_COMMAND, 2810, 0);
    EXPECT_FALSE(edit.IsSpinButtons());
    edit.SetReadOnly(TRUE);
    EXPECT_FALSE(ctrl.IsCommandEnabled(57637));  // paste
    EXPECT_TRUE(ctrl.IsCommandEnabled(57634));   // copy
}

TEST_F(EditWindow, ClipboardCommandsRoundTripAndUndo) {
    CSyspanelEdit& level = show(907);
    CSyspanelEditCtrl& ctrl = *level.GetSyspanelEditCtrl();
    level.SetEditText(L"12");
    ctrl.SendMessage(WM_COMMAND, 57642, 0);  // select all
    ctrl.SendMessage(WM_COMMAND, 57634, 0);  // copy
    ctrl.SendMessage(WM_COMMAND, 57632, 0);  // clear
    EXPECT_EQ(level.GetEditText(), CString(L""));
    EXPECT_TRUE(level.GetModify());
    ctrl.SendMessage(WM_COMMAND, 57637, 0);  // paste
    ctrl.SendMessage(WM_COMMAND, 57637, 0);
    EXPECT_EQ(level.GetEditText(), CString(L"1212"));
    ctrl.SendMessage(WM_COMMAND, 57643, 0);  // undo takes back the last paste
    EXPECT_EQ(level.GetEditText(), CString(L"12"));
    // Select all; the text stays with the control when the window goes, the modification does not.
    level.SetEditText(L"7");
    ctrl.SendMessage(WM_COMMAND, 57642, 0);
    int start = -1, end = -1;
    ctrl.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 1);
    const UINT none[] = {906};
    ASSERT_TRUE(bar->SetButtons(none, 1));
    EXPECT_EQ(level.GetSyspanelEditCtrl(), nullptr);
    EXPECT_EQ(level.GetEditText(), CString(L"7"));
    EXPECT_FALSE(level.GetModify());
}

TEST_F(EditWindow, EscShowsTheStoredValueAgainAndLeavesNothingToWrite) {
    CSyspanelEdit& level = show(907);
    const SysPanelValue stored{3.0, -1, CString()};
    level.SetValue(nullptr, &stored);
    CSyspanelEditCtrl& ctrl = *level.GetSyspanelEditCtrl();
    ctrl.SendMessage(EM_SETSEL, 0, -1);
    ctrl.SendMessage(WM_CHAR, L'9', 1);
    EXPECT_EQ(level.GetEditText(), CString(L"9"));
    EXPECT_TRUE(level.GetModify());
    ctrl.SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(level.GetEditText(), CString(L"3"));
    EXPECT_FALSE(level.GetModify());
}

TEST_F(EditWindow, ANewWindowStartsAgainInModeZeroWithTheControlsStep) {
    CSyspanelEdit& edit = show(907);
    edit.GetSyspanelEditCtrl()->SetSpinAction(CSyspanelEditCtrl::kSpinByOwnStep, 0.25);
    bar->SetVisible(FALSE);
    EXPECT_EQ(edit.GetSyspanelEditCtrl(), nullptr);
    bar->SetVisible(TRUE);
    ASSERT_NE(edit.GetSyspanelEditCtrl(), nullptr);
    EXPECT_EQ(edit.GetSyspanelEditCtrl()->GetSpinMode(), CSyspanelEditCtrl::kSpinByDefaultStep);
    EXPECT_EQ(edit.GetSyspanelEditCtrl()->GetSpinStep(), 1.0);
}

TEST_F(EditWindow, TheSpinStepNeverGoesBelowOne) {
    CSyspanelEdit& edit = show(907);
    CSyspanelEditCtrl& ctrl = *edit.GetSyspanelEditCtrl();
    ctrl.SetSpinAction(1, 0.0);
    EXPECT_EQ(ctrl.GetSpinStep(), 1.0);  // not 0: spinning would do nothing
    ctrl.SetSpinAction(1, -2.0);
    EXPECT_EQ(ctrl.GetSpinStep(), 1.0);  // not negative: spinning would turn round
    ctrl.SetSpinAction(1, 0.25);
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
