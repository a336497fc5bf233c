// Modal dialogs from templates: the owner disabled only while the dialog runs, a real loop that
// dispatches what is queued before the simulated user acts, controls that send their real
// notifications, data transfer in and out, and strict failures for what a user could not do, a
// dialog nobody expected and a template that is missing or broken.
#include <gtest/gtest.h>

#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/kernel/ui/options_dialog.h"
#include "platform/mfc/dialogs/dialog_templates.h"
#include "tests/support/session_test.h"

namespace {

using Action = platform::core::DialogAction;
using Kind = platform::core::DialogAction::Kind;

constexpr char kTemplates[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Dialogs>
  <Dialog id="3001" caption="Choose" size="300,200">
    <Radio id="11" text="A" rect="10,10,100,16" group="true"/>
    <Radio id="12" text="B" rect="10,30,100,16"/>
    <Edit id="20" rect="10,50,100,20"/>
    <CheckBox id="30" text="C" rect="10,80,100,16" group="true" disabled="true"/>
    <Button id="1" text="OK" rect="10,120,80,24" default="true" group="true"/>
    <Button id="2" text="Cancel" rect="100,120,80,24"/>
  </Dialog>
  <Dialog id="3002" caption="Broken" size="100,100">
    <Edit id="20" rect="1,2,3"/>
  </Dialog>
</Dialogs>
)";

constexpr UINT kPosted = WM_APP + 1;

class ChoiceDialog : public CDialog {
public:
    ChoiceDialog(UINT id, CWnd* parent) : CDialog(id, parent) {}
    int choice = 0;
    CString text = L"start";
    int clicksOnB = 0;
    int textChanges = 0;
    bool postedSeen = false;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        textChanges = 0;  // the program's own text does not count
        PostMessage(kPosted);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Radio(pDX, 11, choice);
        DDX_Text(pDX, 20, text);
    }
    afx_msg void OnB() { ++clicksOnB; }
    afx_msg void OnTextChanged() { ++textChanges; }
    afx_msg LRESULT OnPosted(WPARAM, LPARAM) {
        postedSeen = true;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChoiceDialog, CDialog)
    ON_BN_CLICKED(12, &ChoiceDialog::OnB)
    ON_CONTROL(EN_CHANGE, 20, &ChoiceDialog::OnTextChanged)
    ON_MESSAGE(kPosted, &ChoiceDialog::OnPosted)
END_MESSAGE_MAP()

class MfcDialog : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.files().write(s.files().programFile(L"dialogs.xml"), kTemplates);
        platform::mfc::reloadDialogTemplates();
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        if (IsWindow(owner)) DestroyWindow(owner);
    }
    bool failedWith(const std::wstring& needle) {
        for (const std::wstring& failure : s.takeFailures())
            if (failure.find(needle) != std::wstring::npos) return true;
        return false;
    }

    platform::harness::Session s;
    HWND owner = nullptr;
};

TEST_F(MfcDialog, RunsModallyOverItsDisabledOwnerAndTransfersWhatTheUserChose) {
    ChoiceDialog dialog(3001, CWnd::FromHandle(owner));
    dialog.text = L"2.5";
    bool sawOpen = false;
    s.user().expectDialog(3001, [&](HWND hwnd) {
        sawOpen = true;
        EXPECT_TRUE(dialog.postedSeen) << "what was queued runs before the user acts";
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_TRUE(IsWindowVisible(hwnd));
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner);
        wchar_t text[16] = {};
        GetWindowTextW(GetDlgItem(hwnd, 20), text, 16);
        EXPECT_STREQ(text, L"2.5") << "members go into the controls at the start";
        EXPECT_EQ(SendMessageW(GetDlgItem(hwnd, 11), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));

        EXPECT_EQ(s.user().act(hwnd, Action{Kind::Click, 12, {}}), std::nullopt);
        EXPECT_EQ(SendMessageW(GetDlgItem(hwnd, 11), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED))
            << "the radio group passes the check on";
        EXPECT_EQ(dialog.clicksOnB, 1);
        // A disabled check box cannot be clicked; the refusal names it and nothing happens.
        const auto refusal = s.user().act(hwnd, Action{Kind::Click, 30, {}});
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(*refusal, L"control 30 is disabled");
        EXPECT_EQ(s.user().act(hwnd, Action{Kind::Text, 12, L"x"}), std::optional<std::wstring>(L"control 12 is not an edit"));
        EXPECT_EQ(s.user().act(hwnd, Action{Kind::Text, 20, L"abc"}), std::nullopt);
        EXPECT_EQ(dialog.textChanges, 1);
        EXPECT_EQ(s.user().act(hwnd, Action{Kind::Ok, 0, {}}), std::nullopt);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(sawOpen);
    EXPECT_EQ(dialog.choice, 1);
    EXPECT_EQ(dialog.text, CString(L"abc"));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(s.takeFailures().empty());
}

TEST_F(MfcDialog, ScriptedAnswersActOneStepAtATimeAndCancelKeepsTheMembers) {
    ChoiceDialog dialog(3001, CWnd::FromHandle(owner));
    s.user().expectDialog(3001, {Action{Kind::Click, 12, {}}, Action{Kind::Text, 20, L"typed"}, Action{Kind::Cancel, 0, {}}});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.clicksOnB, 1);
    EXPECT_EQ(dialog.choice, 0);
    EXPECT_EQ(dialog.text, CString(L"start"));
    EXPECT_TRUE(IsWindowEnabled(owner));
    const auto entries = s.journal().texts("dialog");
    ASSERT_GE(entries.size(), 5u);
    EXPECT_EQ(entries[0].rfind(L"3001 \"Choose\" window ", 0), 0u);
    EXPECT_EQ(entries[1], L"click 12");
    EXPECT_EQ(entries[2], L"text 20 \"typed\"");
    EXPECT_EQ(entries.back(), L"ended 2");
}

TEST_F(MfcDialog, TheOptionsDialogWritesItsRadioGroupsBackOnlyOnOk) {
    int choice = 1;
    s.user().expectDialog(3001, {Action{Kind::Click, 11, {}}, Action{Kind::Cancel, 0, {}}});
    EXPECT_EQ(RunOptionsDialog(3001, {{11, &choice}}, CWnd::FromHandle(owner)), IDCANCEL);
    EXPECT_EQ(choice, 1);
    s.user().expectDialog(3001, [&](HWND dialog) {
        EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 12), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED))
            << "the value shows";
        EXPECT_EQ(s.user().act(dialog, Action{Kind::Click, 11, {}}), std::nullopt);
        EXPECT_EQ(s.user().act(dialog, Action{Kind::Ok, 0, {}}), std::nullopt);
    });
    EXPECT_EQ(RunOptionsDialog(3001, {{11, &choice}}, CWnd::FromHandle(owner)), IDOK);
    EXPECT_EQ(choice, 0);
    EXPECT_TRUE(s.takeFailures().empty());
}

TEST_F(MfcDialog, WhatAUserCouldNotDoOrDidNotFinishCancelsTheDialogAsAFailure) {
    ChoiceDialog refused(3001, CWnd::FromHandle(owner));
    s.user().expectDialog(3001, {Action{Kind::Click, 30, {}}, Action{Kind::Ok, 0, {}}});
    EXPECT_EQ(refused.DoModal(), IDCANCEL);
    EXPECT_TRUE(failedWith(L": click 30: control 30 is disabled; the dialog is cancelled"));
    EXPECT_TRUE(IsWindowEnabled(owner));

    ChoiceDialog unfinished(3001, CWnd::FromHandle(owner));
    s.user().expectDialog(3001, {Action{Kind::Click, 12, {}}});
    EXPECT_EQ(unfinished.DoModal(), IDCANCEL);
    EXPECT_TRUE(failedWith(L"is still open after its answer"));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MfcDialog, ADialogNobodyExpectedIsCancelledAndFailsNamingIt) {
    ChoiceDialog dialog(3001, CWnd::FromHandle(owner));
    dialog.text = L"kept";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.text, CString(L"kept"));
    EXPECT_TRUE(failedWith(L"unexpected dialog 3001 \"Choose\""));
    EXPECT_TRUE(IsWindowEnabled(owner));
    // An expectation for another template stays unused.
    s.user().expectDialog(4000, {Action{Kind::Ok, 0, {}}});
    EXPECT_EQ(s.user().pendingExpectations(), std::vector<std::wstring>{L"dialog 4000"});
    platform::core::userAgent().clearExpectations();
}

TEST_F(MfcDialog, AQuitMessageEndsTheDialogAndStaysQueued) {
    ChoiceDialog dialog(3001, CWnd::FromHandle(owner));
    PostQuitMessage(3);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MfcDialog, BrokenOrMissingTemplatesDoNotOpenAndNameTheFileAndLine) {
    ChoiceDialog broken(3002, CWnd::FromHandle(owner));
    EXPECT_EQ(broken.DoModal(), -1);
    EXPECT_TRUE(failedWith(L"dialogs.xml(12): rect \"1,2,3\" is not \"left,top,width,height\""));
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner comes back although nothing opened";
    ChoiceDialog missing(3999, CWnd::FromHandle(owner));
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(failedWith(L"CDialog::DoModal(3999): the dialog templates hold no dialog 3999"));
}

TEST(DialogTemplates, EveryBadLineIsRejectedWithFileAndLine) {
    const auto parse = [](const char* text) { return platform::mfc::parseDialogTemplates(text, L"d.xml"); };
    auto result = parse("<Dialogs>\n<Dialog id=\"5\" size=\"10,10\">\n<Spinner id=\"1\" rect=\"0,0,1,1\"/>\n</Dialog>\n</Dialogs>");
    EXPECT_TRUE(result.dialogs.empty());
    EXPECT_EQ(result.problems[5], L"d.xml(3): unknown control <Spinner> (Button, Radio, CheckBox, Edit, Static, ListBox, ListView, ComboBox, Slider, Tree)");
    result = parse("<Dialogs>\n<Dialog id=\"5\" size=\"10,10\">\n<Edit id=\"1\" rect=\"0,0,1,1\"/>\n"
                   "<Button id=\"1\" rect=\"0,0,1,1\" default=\"yes\"/>\n</Dialog>\n</Dialogs>");
    EXPECT_EQ(result.problems[5], L"d.xml(4): control id 1 is used twice in dialog 5");
    result = parse("<Dialogs>\n<Dialog id=\"5\" size=\"10,10\">\n<Edit id=\"1\" rect=\"0,0,1,1\" default=\"true\"/>\n"
                   "</Dialog>\n<Dialog id=\"0\" size=\"1,1\"/>\n<Dialog id=\"6\" size=\"1,1\"/><Dialog id=\"6\" size=\"2,2\"/>\n</Dialogs>");
    EXPECT_EQ(result.problems[5], L"d.xml(3): <Edit> has no attribute default");
    EXPECT_EQ(result.problems[0], L"d.xml(5): dialog id \"0\" is not a resource id (1 to 65535)");
    ASSERT_EQ(result.dialogs.count(6), 1u);
    EXPECT_EQ(result.dialogs[6].size.cx, 1) << "the first definition is kept";
    result = parse("<Dialogs>\n<Dialog id=\"5\"");
    EXPECT_EQ(result.problems[0].rfind(L"d.xml(2): malformed XML", 0), 0u);
}

}  // namespace
