// The spin-step dialog of a parameter edit, opened by the edit window's command 2145 on a running
// program and answered as a user would: the mode and step it hands back, the step edit following
// the radio buttons, cancel, and a dialog nobody expected.
#include <gtest/gtest.h>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "syspanel/sys_panel_toolbar.h"
#include "syspanel/syspanel_edit.h"
#include "syspanel/syspanel_edit_ctrl.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using Action = platform::core::DialogAction;
using Kind = platform::core::DialogAction::Kind;

constexpr unsigned kLevel = 907;
constexpr unsigned kSpinDialog = 2145;
constexpr unsigned kTemplate = 1598;

Action click(int id) { return Action{Kind::Click, id, {}}; }
Action text(int id, const wchar_t* value) { return Action{Kind::Text, id, value}; }
const Action ok{Kind::Ok, 0, {}};
const Action cancel{Kind::Cancel, 0, {}};

class SpinActionDialog : public syspaneltest::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_TRUE(frame->SetSyspanelControls({{kLevel, 0, 0}}));
        frame->EnableSyspanelControl(kLevel, true);
    }

    // The spin settings of the level edit's windows: on the panel and in the ribbon, whichever
    // the user reached.
    std::vector<CSyspanelEditCtrl*> windows() {
        std::vector<CSyspanelEditCtrl*> found;
        if (auto* edit = dynamic_cast<CSyspanelEdit*>(frame->GetSysPanelToolbar()->GetControls()->FindControl(kLevel)))
            if (CSyspanelEditCtrl* window = edit->GetSyspanelEditCtrl()) found.push_back(window);
        frame->GetRibbonBar()->ForEachControl(
            [&](CXTPControl* control) {
                if (auto* edit = dynamic_cast<CSyspanelEdit*>(control); edit && control->GetID() == static_cast<int>(kLevel))
                    if (CSyspanelEditCtrl* window = edit->GetSyspanelEditCtrl()) found.push_back(window);
            },
            true);
        return found;
    }
    // The window the user's command reached: the one whose mode is not the initial one, or the
    // first when none changed.
    CSyspanelEditCtrl& reached(unsigned mode) {
        for (CSyspanelEditCtrl* ctrl : windows())
            if (ctrl->GetSpinMode() == mode) return *ctrl;
        return *windows().front();
    }
    void answer(std::vector<Action> actions) {
        s.user().expectDialog(kTemplate, std::move(actions));
        ASSERT_EQ(s.user().editCommand(window, kLevel, kSpinDialog), std::nullopt);
    }

};

TEST_F(SpinActionDialog, TheChosenModeIsTakenOverAndAStepThatIsNoPositiveNumberBecomesOne) {
    answer({click(1491), text(102, L"2.5"), ok});
    EXPECT_EQ(reached(1).GetSpinMode(), 1u);
    EXPECT_EQ(reached(1).GetSpinStep(), 2.5);
    // Mode 2 keeps the step; mode 0 goes back to the default step.
    answer({click(1492), ok});
    CSyspanelEditCtrl& used = reached(2);
    EXPECT_EQ(used.GetSpinStep(), 2.5);
    answer({click(1490), ok});
    EXPECT_EQ(used.GetSpinMode(), 0u);
    EXPECT_EQ(used.GetSpinStep(), 1.0);
    // A word reads as 0, which would stop the spinning; a negative step would turn it round.
    for (const wchar_t* typed : {L"abc", L"-2", L"0"}) {
        answer({click(1491), text(102, typed), ok});
        EXPECT_EQ(reached(1).GetSpinMode(), 1u);
        EXPECT_EQ(reached(1).GetSpinStep(), 1.0) << platform::core::toUtf8(typed);
    }
    // The step is written whole: reopened and accepted, it is the very number typed, however
    // many digits it has or however large or small it is.
    for (const wchar_t* typed : {L"0.123456789", L"1234567.89", L"1e-05", L"2.5e+20"}) {
        answer({click(1491), text(102, typed), ok});
        const double step = reached(1).GetSpinStep();
        bool shown = false;
        s.user().expectDialog(kTemplate, [&](HWND dialog) {
            wchar_t text[32] = {};
            GetWindowTextW(GetDlgItem(dialog, 102), text, 32);
            EXPECT_STREQ(text, typed);
            shown = true;
            s.user().act(dialog, ok);
        });
        ASSERT_EQ(s.user().editCommand(window, kLevel, kSpinDialog), std::nullopt);
        EXPECT_TRUE(shown);
        EXPECT_EQ(reached(1).GetSpinStep(), step) << platform::core::toUtf8(typed);
    }
    EXPECT_TRUE(s.takeFailures().empty());
}

TEST_F(SpinActionDialog, TheStepEditFollowsTheRadiosAndCancelChangesNothing) {
    answer({click(1491), text(102, L"0.25"), ok});
    bool sawOpen = false;
    s.user().expectDialog(kTemplate, [&](HWND dialog) {
        sawOpen = true;
        EXPECT_FALSE(IsWindowEnabled(window)) << "the main frame waits for the dialog";
        HWND step = GetDlgItem(dialog, 102);
        wchar_t shown[16] = {};
        GetWindowTextW(step, shown, 16);
        EXPECT_STREQ(shown, L"0.25") << "the window's step";
        EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 1491), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
        EXPECT_TRUE(IsWindowEnabled(step)) << "mode 1 at the start";
        EXPECT_EQ(s.user().act(dialog, click(1492)), std::nullopt);
        EXPECT_FALSE(IsWindowEnabled(step));
        EXPECT_EQ(s.user().act(dialog, text(102, L"9")), std::optional<std::wstring>(L"control 102 is disabled"));
        EXPECT_EQ(s.user().act(dialog, click(1490)), std::nullopt);
        EXPECT_FALSE(IsWindowEnabled(step));
        EXPECT_EQ(s.user().act(dialog, click(1491)), std::nullopt);
        EXPECT_TRUE(IsWindowEnabled(step));
        EXPECT_EQ(s.user().act(dialog, text(102, L"9")), std::nullopt);
        EXPECT_EQ(s.user().act(dialog, cancel), std::nullopt);
    });
    ASSERT_EQ(s.user().editCommand(window, kLevel, kSpinDialog), std::nullopt);
    EXPECT_TRUE(sawOpen);
    EXPECT_EQ(reached(1).GetSpinMode(), 1u);
    EXPECT_EQ(reached(1).GetSpinStep(), 0.25);
    EXPECT_TRUE(IsWindowEnabled(window)) << "the main frame is back after the dialog";

    // Opened in mode 0 the step edit starts disabled.
    answer({click(1490), ok});
    s.user().expectDialog(kTemplate, [&](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 102)));
        s.user().act(dialog, cancel);
    });
    ASSERT_EQ(s.user().editCommand(window, kLevel, kSpinDialog), std::nullopt);
    EXPECT_TRUE(s.takeFailures().empty());
}

TEST_F(SpinActionDialog, ADialogNobodyExpectedFailsStrictlyAndChangesNothing) {
    ASSERT_EQ(s.user().editCommand(window, kLevel, kSpinDialog), std::nullopt);
    const auto failures = s.takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"unexpected dialog 1598 \"Spin buttons\""), std::wstring::npos)
        << platform::core::toUtf8(failures[0]);
    for (CSyspanelEditCtrl* ctrl : windows()) {
        EXPECT_EQ(ctrl->GetSpinMode(), 0u);
        EXPECT_EQ(ctrl->GetSpinStep(), 1.0);
    }
    EXPECT_TRUE(IsWindowEnabled(window));
}

}  // namespace
