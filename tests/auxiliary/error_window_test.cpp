// The diagnostics pane's window: the icon rule, which messages hiding blocks, the window keeping
// its dialog filling it, and a document closing while the pane shows its messages.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "auxiliary/error_window.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

TEST(ErrorPaneIcon, NewErrorsHiddenMessagesAndBlockedOnesEachHaveTheirIcon) {
    for (bool hidden : {false, true})
        for (bool blocked : {false, true}) {
            EXPECT_EQ(ChooseErrorPaneIcon(3, hidden, blocked), kErrorIconAttention);
            EXPECT_EQ(ChooseErrorPaneIcon(2, hidden, blocked), hidden ? kErrorIconAttention : kErrorIconShown);
            EXPECT_EQ(ChooseErrorPaneIcon(1, hidden, blocked),
                      hidden || blocked ? kErrorIconAttention : kErrorIconNone);
        }
}

class ErrorPane : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        s.user().expectFileChoose(L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb");
        s.user().command(Frame(), 57601);
        s.runUntilIdle();
        window = dynamic_cast<ErrorWindow*>(CKvw32App::Instance()->GetErrorWindow());
        ASSERT_NE(window, nullptr);
    }
    HWND Frame() { return s.inspect().mainFrames().front(); }
    CKvw32Doc* Document() { return Korvo::DocumentManager::Instance().GetDocuments().front(); }
    unsigned PaneIcon() {
        auto* main = UIModuleProxy::Instance().GetMainFrameOf(Frame());
        const CXTPImageManagerIcon* icon = main->GetDockingPaneManager()->GetImageManager()->Lookup(1005, 16);
        return icon ? icon->GetResourceID() : 0;
    }
    Session s;
    ErrorWindow* window = nullptr;
};

TEST_F(ErrorPane, YesBlocksOnlyTheFirstObjectOfMessagesThatNameOneAndAllBlockedTurnsTheIconToAttention) {
    s.kernel().work(L"SetErrors", {L"1", L"0"});
    ContainerErrors* errors = Document()->GetErrorContainer();
    ASSERT_NE(errors, nullptr);
    errors->SetRecords({{1, L"Open contour", {}}, {2, L"Broken link", {7, 8}}});
    s.runUntilIdle();
    ASSERT_FALSE(s.user().kvpfSelectRows(L"DiagnosticsDialog.List", {0, 1}));
    // Several messages: the question is the UI text, not the kernel's string for one.
    s.user().expectBox(L"Скрыть выбранные сообщения?*", Button::Yes);
    s.user().command(s.inspect().paneWindow(Frame(), 1005), 1496);
    s.runUntilIdle();
    EXPECT_EQ(errors->GetBlockedObjects(), (std::set<int>{7}));
    EXPECT_FALSE(errors->IsAllMessagesBlocked());
    EXPECT_EQ(window->GetActiveWnd()->GetErrorCount(), 1);

    // Every message blocked: no errors, yet the icon asks for attention.
    errors->SetRecords({{2, L"Broken link", {7}}});
    window->OnErrorsChanged(0, false);
    EXPECT_TRUE(errors->IsAllMessagesBlocked());
    EXPECT_EQ(PaneIcon(), kErrorIconAttention);
    EXPECT_TRUE(GetHiddenErrorCont()->IsEmpty());
}

TEST_F(ErrorPane, TheDrawingsOwnMarkAndAnUnchangedStateLeaveTheIconAsTheRuleSays) {
    s.kernel().work(L"SetErrors", {L"1", L"0"});
    s.runUntilIdle();
    ASSERT_NE(window->GetActiveWnd(), nullptr);
    // New errors that may not bring the pane forward only change its icon.
    window->OnErrorsChanged(1, false);
    s.runUntilIdle();
    EXPECT_EQ(window->GetLastAutoShown(), nullptr);
    EXPECT_EQ(PaneIcon(), kErrorIconAttention);
    s.kernel().work(L"SetErrors", {L"1", L"2"});
    s.runUntilIdle();
    EXPECT_EQ(window->GetIconState(), 2u);  // shown by itself, with errors
    EXPECT_EQ(PaneIcon(), kErrorIconShown);
    s.kernel().work(L"SetErrors", {L"1", L"0"});
    EXPECT_EQ(PaneIcon(), kErrorIconNone);
    // The same state again changes nothing, even where the rule would now say otherwise.
    Document()->Cont2D()->SetMessageFlag(true);
    window->OnErrorsChanged(0, true);
    EXPECT_EQ(PaneIcon(), kErrorIconNone);
    window->OnErrorsChanged(1, false);
    window->OnErrorsChanged(0, false);
    EXPECT_EQ(PaneIcon(), kErrorIconAttention);
    Document()->Cont2D()->SetMessageFlag(false);
    window->OnErrorsChanged(1, false);
    window->OnErrorsChanged(0, false);
    EXPECT_EQ(PaneIcon(), kErrorIconNone);
}

TEST_F(ErrorPane, ResizingKeepsTheDialogFillingTheWindow) {
    s.kernel().work(L"SetErrors", {L"1", L"1"});
    s.runUntilIdle();
    kvpf::CKVDiagnosticsDialog* dialog = window->GetActiveWnd();
    ASSERT_NE(dialog, nullptr);
    window->MoveWindow(0, 0, 310, 170);
    RECT inner{};
    dialog->GetWindowRect(&inner);
    RECT outer{};
    window->GetWindowRect(&outer);
    EXPECT_EQ(inner.right - inner.left, 310);
    EXPECT_EQ(inner.bottom - inner.top, 170);
    EXPECT_EQ(inner.left, outer.left);
    EXPECT_EQ(inner.top, outer.top);
}

TEST_F(ErrorPane, ClosingTheDocumentWhoseMessagesShowLeavesNoDialogBehind) {
    s.kernel().work(L"SetErrors", {L"1", L"2"});
    s.runUntilIdle();
    ASSERT_NE(window->GetActiveWnd(), nullptr);
    const HWND dialog = window->GetActiveWnd()->GetSafeHwnd();
    s.user().command(Frame(), 1200);  // closes the active document
    s.runUntilIdle();
    EXPECT_TRUE(Korvo::DocumentManager::Instance().GetDocuments().empty());
    EXPECT_EQ(window->GetActiveWnd(), nullptr);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(Korvo::UI::DiagnosticsWindow::Instance()->GetErrorContainer(), nullptr);
    // The commands of a dialog now do nothing.
    s.user().command(s.inspect().paneWindow(Frame(), 1005), 1493);
    s.runUntilIdle();
    EXPECT_LT(indexOf(calls(s), L"kvpf::CKVDiagnosticsDialog::Update("), 0);
}

TEST_F(ErrorPane, HiddenMessagesAreKeptInTheUsersProfile) {
    s.kernel().work(L"SetErrors", {L"1", L"2"});
    s.runUntilIdle();
    ASSERT_FALSE(s.user().kvpfSelectRows(L"DiagnosticsDialog.List", {1}));
    s.user().expectBox(L"Hide the selected message?*", Button::No);
    s.user().command(s.inspect().paneWindow(Frame(), 1005), 1496);
    s.runUntilIdle();
    CWinApp* app = AfxGetApp();
    EXPECT_EQ(app->GetProfileInt(L"HiddenErrors", L"Count", 0), 1u);
    EXPECT_EQ(app->GetProfileString(L"HiddenErrors", L"Message1"), CString(L"Message 2"));
    // No Update after No: the list still shows the message until the kernel reports again.
    EXPECT_EQ(window->GetActiveWnd()->GetErrorCount(), 2);
    // Shown again with its errors, the pane's icon now says messages are hidden.
    window->ShowWindow(SW_HIDE);
    window->ShowWindow(SW_SHOW);
    EXPECT_EQ(window->GetIconState(), 2u);
    EXPECT_EQ(PaneIcon(), kErrorIconAttention);
    s.kernel().work(L"SetErrors", {L"1", L"2"});
    EXPECT_EQ(window->GetActiveWnd()->GetErrorCount(), 1);
}

}  // namespace

namespace {

TEST(ErrorContainer, OnlyMessagesNamingABlockedFirstObjectCountAsBlocked) {
    ContainerErrors errors;
    EXPECT_FALSE(errors.IsAllMessagesBlocked()) << "no messages are not all blocked";
    errors.SetRecords({{1, L"Open contour", {}}, {2, L"Broken link", {7, 8}}});
    errors.BlockError(8);
    EXPECT_FALSE(errors.IsBlocked(errors.GetRecords()[1])) << "only the first object decides";
    errors.BlockError(7);
    EXPECT_TRUE(errors.IsBlocked(errors.GetRecords()[1]));
    EXPECT_FALSE(errors.IsAllMessagesBlocked()) << "a message naming no object can never be blocked";
    errors.SetRecords({{2, L"Broken link", {7}}});
    EXPECT_TRUE(errors.IsAllMessagesBlocked());
}

TEST_F(ErrorPane, TheToolBarSwitchesGroupingAutomaticShowingAndWarningsAndShowsTheirState) {
    s.kernel().work(L"SetErrors", {L"1", L"1"});
    s.runUntilIdle();
    const HWND pane = s.inspect().paneWindow(Frame(), 1005);
    kvpf::CKVDiagnosticsDialog* dialog = window->GetActiveWnd();
    ASSERT_NE(dialog, nullptr);
    const bool grouped = dialog->IsGroupFragmentMessages();
    const bool warnings = GetSettings().diagnosticsWarnings;
    s.user().click(pane, 1482);
    s.user().click(pane, 1603);
    s.user().click(pane, 1505);
    s.runUntilIdle();
    EXPECT_NE(dialog->IsGroupFragmentMessages(), grouped);
    EXPECT_GE(indexOf(calls(s), L"kvpf::CKVDiagnosticsDialog::Update(\"Cover plate.grb\")"), 0);
    EXPECT_FALSE(window->IsAutoShow());
    EXPECT_NE(GetSettings().diagnosticsWarnings, warnings);
    // The update pass shows the switches as they are now.
    CXTPToolBar* bar = dialog->GetToolBar();
    bar->OnIdleUpdateCmdUI();
    EXPECT_FALSE(bar->GetControls()->FindControl(1603)->GetChecked());
    EXPECT_TRUE(bar->GetControls()->FindControl(1496)->GetEnabled());
    s.user().click(pane, 1603);
    s.runUntilIdle();
    bar->OnIdleUpdateCmdUI();
    EXPECT_TRUE(bar->GetControls()->FindControl(1603)->GetChecked());
}

TEST_F(ErrorPane, TheHiddenListTakesEachTextOnceAndRefusesIndexesItDoesNotHave) {
    errorHiddenData* hidden = GetHiddenErrorCont();
    hidden->Add({1, L"Open contour", {}});
    hidden->Add({2, L"Open contour", {5}});
    hidden->Add({3, L"", {}});
    EXPECT_EQ(hidden->GetTexts(), (std::vector<CString>{L"Open contour"}));
    EXPECT_FALSE(hidden->Remove(1));
    EXPECT_FALSE(hidden->Remove(-1));
    EXPECT_TRUE(hidden->Remove(0));
    EXPECT_TRUE(hidden->IsEmpty());
    EXPECT_EQ(AfxGetApp()->GetProfileInt(L"HiddenErrors", L"Count", 7), 0u);
    // An emptied entry does not come back as a message.
    EXPECT_EQ(AfxGetApp()->GetProfileString(L"HiddenErrors", L"Message1", L"gone"), CString(L""));
}

TEST_F(ErrorPane, AnotherDocumentsMessagesDoNotReachThePaneOfTheActiveOne) {
    s.kernel().work(L"SetErrors", {L"1", L"0"});
    s.user().expectFileChoose(L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb");
    s.user().command(Frame(), 57601);
    s.runUntilIdle();
    s.kernel().work(L"SetErrors", {L"2", L"0"});
    ASSERT_EQ(window->GetShownContainer(), Korvo::DocumentManager::Instance().GetDocuments()[1]->GetErrorContainer());
    // The first document is no longer active: its new errors neither show the pane nor change the icon.
    const UINT state = window->GetIconState();
    s.kernel().work(L"SetErrors", {L"1", L"4"});
    s.runUntilIdle();
    EXPECT_EQ(window->GetIconState(), state);
    EXPECT_TRUE(UIModuleProxy::Instance().GetMainFrameOf(Frame())->GetDockingPaneManager()->IsPaneClosed(1005));
}

}  // namespace
