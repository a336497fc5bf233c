// A form shown in the framework's modal dialog, as the command chooser shows its search: the user
// types into its text box and picks a row, the dialog closes with the button pressed, and the
// form outlives the dialog. What a user could not do there is a strict failure naming it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/harness.h"
#include "platform/korvoui.h"
#include "tests/platform/maker/kvpf_test_forms.h"
#include "tests/support/session_test.h"

namespace {

using Action = platform::core::DialogAction;
using Kind = platform::core::DialogAction::Kind;

class KvpfModal : public platform::harness::SessionTest {
protected:
    INT_PTR run() { return kvpf::ModalDialog::RunForm(nullptr, L"Choose a command", *c.form); }

    platform::harness::Session s;
    kvpftest::Chooser c{L"Chooser"};
};

TEST_F(KvpfModal, TheUserWorksTheFormInsideTheDialogWhichGivesTheFormBackWhenItCloses) {
    HWND formWindow = c.form->GetWindow().GetSafeHwnd();
    HWND seenParent = nullptr;
    bool seenVisible = false;
    s.user().expectDialog(L"Choose a command", [&](HWND dialog) {
        seenParent = GetParent(formWindow);
        seenVisible = c.form->IsWindowVisible();
        EXPECT_EQ(platform::core::performDialogAction(dialog, Action{Kind::Text, 0, L"nin", L"Chooser.Filter"}),
                  std::nullopt);
        EXPECT_EQ(platform::core::performDialogAction(dialog, Action{Kind::Select, 0, L"Nine", L"Chooser.Rows"}),
                  std::nullopt);
        EXPECT_EQ(platform::core::performDialogAction(dialog, Action{Kind::Ok, 0, {}, {}}), std::nullopt);
        EXPECT_NE(seenParent, nullptr);
        EXPECT_EQ(seenParent, dialog);
    });
    EXPECT_EQ(run(), IDOK);
    EXPECT_TRUE(seenVisible);
    EXPECT_EQ(c.text->GetText(), CString(L"nin"));
    EXPECT_EQ(c.typed, 1);
    EXPECT_EQ(c.list->GetSelectedRow(), 1);
    // The form is a window of its own again, hidden until its next host shows it.
    EXPECT_TRUE(IsWindow(formWindow));
    EXPECT_EQ(GetParent(formWindow), nullptr);
    EXPECT_FALSE(c.form->IsWindowVisible());
    EXPECT_TRUE(s.takeFailures().empty());

    s.user().expectDialog(L"Choose a command", {Action{Kind::Cancel, 0, {}, {}}});
    EXPECT_EQ(run(), IDCANCEL);
}

TEST_F(KvpfModal, WhatAUserCouldNotDoAtAControlIsRefusedWithItsReason) {
    kvpftest::Chooser other(L"Other");  // a live form that is not in the dialog
        std::vector<std::wstring> reasons;
    s.user().expectDialog(L"Choose a command", [&](HWND dialog) {
        for (const Action& action : {Action{Kind::Text, 0, L"x", L"Chooser.Rows"},
                                     Action{Kind::Select, 0, L"Nine", L"Chooser.Filter"},
                                     Action{Kind::Select, 0, L"Eight", L"Chooser.Rows"},
                                     Action{Kind::Text, 0, L"x", L"Chooser.Missing"},
                                     Action{Kind::Text, 0, L"x", L"Other.Filter"}})
            reasons.push_back(platform::core::performDialogAction(dialog, action).value_or(L"done"));
        platform::core::performDialogAction(dialog, Action{Kind::Cancel, 0, {}, {}});
    });
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_EQ(reasons, (std::vector<std::wstring>{L"control \"Chooser.Rows\" takes no text",
                                                   L"control \"Chooser.Filter\" is not a list",
                                                   L"list \"Chooser.Rows\" has no row \"Eight\"",
                                                   L"the dialog has no control \"Chooser.Missing\"",
                                                   L"the dialog has no control \"Other.Filter\""}));
    EXPECT_EQ(c.text->GetText(), CString(L""));
    EXPECT_EQ(c.list->GetSelectedRow(), -1);
    s.takeFailures();
}

}  // namespace
