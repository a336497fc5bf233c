// Clipart panes and what else parks or ends them: the PDM connection's going and coming back, and
// the kernel's expanded forms floating in panes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mainframe/clipart/documents_menu_clipart.h"
#include "mainframe/clipart/expanded_form_clipart.h"
#include "mainframe/clipart/workmix_clipart.h"
#include "platform/mfc/ole.h"
#include "tests/mainframe/clipart_test_support.h"

namespace {

using namespace platform::harness;

const GUID kKey = *platform::mfc::parseGuid(L"{11111111-2222-3333-4444-555555555555}");

TEST_F(ClipartPanesTest, APdmDisconnectParksWorkMixViewsAndTheConnectionBringsThemBackWhereTheyWere) {
    s.kernel().work(L"ConnectPdm", {});
    s.runUntilIdle();
    WorkmixClipart* workmix = WorkmixClipart::Show(kKey);
    DocumentsMenuClipart* folder = DocumentsMenuClipart::ShowFolder(L"C:\\Users\\user\\Documents", 0, nullptr);
    ASSERT_TRUE(workmix && folder);
    CKVDockingPaneManager& panes = frame->GetPaneManager();
    ASSERT_NE(workmix->GetReferenceControl(), nullptr);

    s.kernel().work(L"DisconnectPdm", {});
    s.runUntilIdle();
    // The work-mix view waits without content; its pane is closed, not ended; others stay.
    CXTPDockingPane* pane = panes.FindPane(11000);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->IsClosed());
    EXPECT_EQ(Views(), 2);
    EXPECT_EQ(workmix->GetReferenceControl(), nullptr);
    EXPECT_EQ(s.kernel().pdmReferenceControlsAlive(), 0);
    EXPECT_TRUE(panes.FindPane(11001)->IsFloating());
    // The parked view keeps its id: a new pane takes the next one.
    DocumentsMenuClipart* other = DocumentsMenuClipart::ShowFolder(L"C:\\Users", 0, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->GetControlId(), 11002u);

    s.kernel().work(L"ConnectPdm", {});
    s.runUntilIdle();
    EXPECT_TRUE(pane->IsFloating());
    EXPECT_EQ(pane->GetFloatingRect().left, 100);
    EXPECT_TRUE(pane->HoldsChild());
    EXPECT_EQ(pane->GetChild(), workmix->GetSafeHwnd());
    EXPECT_NE(workmix->GetReferenceControl(), nullptr);
    EXPECT_EQ(s.kernel().pdmReferenceControlsAlive(), 1);

    // Closed by the user while connected, it ends as before; a disconnect then parks nothing.
    ASSERT_FALSE(s.user().paneAction(frame->GetSafeHwnd(), 11000, User::PaneAction::Close));
    EXPECT_EQ(WorkmixClipart::FindByReferenceKey(kKey), nullptr);
    s.kernel().work(L"DisconnectPdm", {});
    s.runUntilIdle();
    EXPECT_EQ(panes.FindPane(11000), nullptr);
    EXPECT_EQ(s.kernel().pdmReferenceControlsAlive(), 0);
}

TEST_F(ClipartPanesTest, AParkedWorkMixViewIsSavedAndComesBackClosedStateAndAll) {
    s.kernel().work(L"ConnectPdm", {});
    s.runUntilIdle();
    ASSERT_NE(WorkmixClipart::Show(kKey), nullptr);
    s.kernel().work(L"DisconnectPdm", {});
    s.runUntilIdle();
    const std::wstring xml = SaveLayoutAndEndViews();
    EXPECT_NE(xml.find(L"Type=\"Workmix\""), std::wstring::npos) << xml;
    LoadLayout(xml);
    auto* workmix = dynamic_cast<WorkmixClipart*>(CClipartView::FindByControlId(11000));
    ASSERT_NE(workmix, nullptr);
    EXPECT_EQ(workmix->GetKey(), kKey);
}

TEST_F(ClipartPanesTest, AnExpandedFormsPaneGoingResetsItsClassInTheKernelsFormView) {
    EXPECT_EQ(s.kernel().callback(L"ShowExpandedForm", {L"5", L"Hatching"}).rfind(L"window 0x", 0), 0u);
    EXPECT_EQ(s.kernel().callback(L"ShowExpandedForm", {L"6", L"Text"}).rfind(L"window 0x", 0), 0u);
    auto* forms = dynamic_cast<Korvo::UI::ExpandedFormView*>(UIModuleProxy::Instance().GetCurrentDockFormView());
    ASSERT_NE(forms, nullptr);
    EXPECT_TRUE(forms->IsFloatingUniquelyDlg(5));
    ExpandedFormClipart* hatching = ExpandedFormClipart::FindById(5);
    ASSERT_NE(hatching, nullptr);
    EXPECT_EQ(std::wstring(frame->GetPaneManager().FindPane(hatching->GetControlId())->GetTitle()), L"Hatching");

    // Taken back by the kernel, the form's pane closes and its class floats no more; the form
    // itself is the kernel's and lives on.
    const std::wstring taken = s.kernel().callback(L"DetachExpandedForm", {L"6"});
    EXPECT_EQ(taken.rfind(L"window 0x", 0), 0u);
    EXPECT_EQ(ExpandedFormClipart::FindById(6), nullptr);
    EXPECT_FALSE(forms->IsFloatingUniquelyDlg(6));
    EXPECT_EQ(s.kernel().callback(L"DetachExpandedForm", {L"9"}), L"null");

    // A new form of the class replaces the old one in the same view: the old one's floating is over.
    EXPECT_EQ(s.kernel().callback(L"ShowExpandedForm", {L"5", L"Hatching 2"}).rfind(L"window 0x", 0), 0u);
    EXPECT_EQ(ExpandedFormClipart::FindById(5), hatching);
    const std::vector<std::wstring> made = calls(s);
    EXPECT_EQ(std::count(made.begin(), made.end(), L"Korvo::UI::ExpandedFormView::ResetFloatingUniquelyDlg(5)"), 1);
    EXPECT_TRUE(forms->IsFloatingUniquelyDlg(5));

    ASSERT_FALSE(s.user().paneAction(frame->GetSafeHwnd(), hatching->GetControlId(), User::PaneAction::Close));
    EXPECT_EQ(ExpandedFormClipart::FindById(5), nullptr);
    EXPECT_FALSE(forms->IsFloatingUniquelyDlg(5));
}

}  // namespace
