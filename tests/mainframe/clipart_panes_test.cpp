// Clipart panes: ids, placement, the kinds' lives with their panes and frames, the PDM
// connection, and saved layouts that bring the views back.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/drag_formats.h"
#include "mainframe/clipart/application_clipart.h"
#include "mainframe/clipart/documents_menu_clipart.h"
#include "mainframe/clipart/expanded_form_clipart.h"
#include "mainframe/clipart/model_tree_clipart.h"
#include "mainframe/clipart/workmix_clipart.h"
#include "mainframe/main_frame.h"
#include "platform/mfc/ole.h"
#include "tests/mainframe/clipart_test_support.h"

namespace {

using namespace platform::harness;

const GUID kKey = *platform::mfc::parseGuid(L"{11111111-2222-3333-4444-555555555555}");


TEST_F(ClipartPanesTest, IdsAreTheSmallestFreeOnesAndAClosedPaneGivesItsIdBack) {
    DocumentsMenuClipart* first = DocumentsMenuClipart::ShowFolder(L"C:\\Users\\user\\Documents", 0, nullptr);
    DocumentsMenuClipart* second = DocumentsMenuClipart::ShowFolder(L"C:\\Users\\user", 0, nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetControlId(), 11000u);
    EXPECT_EQ(second->GetControlId(), 11001u);
    CXTPDockingPane* pane = frame->GetPaneManager().FindPane(11000);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->IsFloating());
    EXPECT_EQ(pane->GetFloatingRect().left, 100);
    EXPECT_EQ(pane->GetFloatingRect().right - pane->GetFloatingRect().left, 320);
    EXPECT_EQ(pane->GetFloatingRect().bottom - pane->GetFloatingRect().top, 240);

    frame->GetPaneManager().ClosePane(pane);  // as the user's close button does
    EXPECT_EQ(frame->GetPaneManager().FindPane(11000), nullptr);
    EXPECT_EQ(Views(), 1);
    DocumentsMenuClipart* third = DocumentsMenuClipart::ShowFolder(L"C:\\Users", 0, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->GetControlId(), 11000u);
}

TEST_F(ClipartPanesTest, WithEveryIdTakenAFactoryAnswersNullAndKeepsNothing) {
    std::vector<std::unique_ptr<ExpandedFormClipart>> holders;
    for (UINT id = CClipartView::kFirstId; id < CClipartView::kLastId; ++id) {
        holders.push_back(std::make_unique<ExpandedFormClipart>(id));
        ASSERT_TRUE(holders.back()->CreateViewWindow(frame, id));
    }
    // The last id is the one left: a new view takes it.
    const DocumentsMenuClipart* last = DocumentsMenuClipart::ShowFolder(L"C:\\Users", 0, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetControlId(), CClipartView::kLastId);
    const int before = Views();
    EXPECT_EQ(WorkmixClipart::Show(kKey), nullptr);
    EXPECT_EQ(ModelTreeClipart::Show({}, 0, L""), nullptr);
    EXPECT_EQ(DocumentsMenuClipart::ShowFolder(L"C:\\Users", 0, nullptr), nullptr);
    EXPECT_EQ(Views(), before);
    EXPECT_EQ(s.kernel().hostedModelTrees(), 0);
    for (auto& holder : holders) holder->DestroyWindow();
}

TEST_F(ClipartPanesTest, AnAddOnPaneKeepsItsViewWhenClosedAndComesBackOnRequest) {
    s.kernel().runApplication(L"Drafter", true);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        EXPECT_EQ(kernel.ShowApplicationClipart(L"Absent", 1, L"Nothing"), nullptr);
        const HWND first = kernel.ShowApplicationClipart(L"Drafter", 7, L"Sketches");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(kernel.ShowApplicationClipart(L"Drafter", 7, L"Sketches"), first);  // the same view
        EXPECT_TRUE(kernel.IsClipartControlId(11000));
        EXPECT_TRUE(kernel.IsClipartWindowVisible(L"Drafter", 7));
        kernel.ShowClipartWindow(L"Drafter", 7, false);
        EXPECT_FALSE(kernel.IsClipartWindowVisible(L"Drafter", 7));
        kernel.ShowClipartWindow(L"Drafter", 7, true);
        EXPECT_TRUE(kernel.IsClipartWindowVisible(L"Drafter", 7));
    });
    EXPECT_TRUE(Logged(L"4 Ignoring the request to create a docking pane for the non-existent application \"Absent\""));
    EXPECT_TRUE(Logged(L"2 Created a docking pane for the window 7 \"Sketches\" of the application \"Drafter\""));
    CXTPDockingPane* pane = frame->GetPaneManager().FindPane(11000);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(std::wstring(pane->GetTitle()), L"Drafter #7");  // the content window's own text
    frame->GetPaneManager().ClosePane(pane);
    EXPECT_EQ(Views(), 1);
    EXPECT_NE(frame->GetPaneManager().FindPane(11000), nullptr);

    s.kernel().runApplication(L"Drafter", false);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        EXPECT_EQ(kernel.ShowApplicationClipart(L"Drafter", 8, L"Other"), nullptr);
    });
    EXPECT_TRUE(Logged(L"4 Ignoring the request to create a docking pane for the not-running application \"Drafter\""));
    // A stopped application loses its pane when the panes are brought in line.
    ApplicationClipart::SyncPanes(frame);
    EXPECT_EQ(frame->GetPaneManager().FindPane(11000), nullptr);
    EXPECT_EQ(Views(), 1);
}

TEST_F(ClipartPanesTest, AClosingFrameTakesOnlyItsOwnNonApplicationViews) {
    s.kernel().runApplication(L"Drafter", true);
    ASSERT_NE(ApplicationClipart::Show(L"Drafter", 1, L"A", nullptr, 0, -1, nullptr), nullptr);
    ASSERT_NE(DocumentsMenuClipart::ShowFolder(L"C:\\Users", 0, nullptr), nullptr);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    auto* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.inspect().mainFrames().at(1)));
    ASSERT_NE(second, nullptr);
    UIModuleProxy::Instance().SetActiveMainFrame(second);
    DocumentsMenuClipart* other = DocumentsMenuClipart::ShowFolder(L"C:\\Users\\user", 0, nullptr);
    ASSERT_NE(other, nullptr);
    CClipartView::MarkFrameViews(second);
    int marked = 0;
    for (CClipartView* view = CClipartView::GetHead(); view; view = view->GetNext()) marked += view->IsMarked() ? 1 : 0;
    EXPECT_EQ(marked, 1);
    EXPECT_TRUE(other->IsMarked());
    CClipartView::DestroyMarkedViews();
    EXPECT_EQ(Views(), 2);
    CClipartView::CloseFramePanes(frame);  // the add-on's view stays without its pane
    EXPECT_EQ(Views(), 1);
    EXPECT_TRUE(CClipartView::GetHead()->IsApplicationClipart());
}

TEST_F(ClipartPanesTest, WorkMixViewsFollowThePdmConnectionAndNeverLeakTheirControls) {
    EXPECT_EQ(WorkmixClipart::Show(GUID{}), nullptr);
    EXPECT_EQ(Views(), 0);
    // Without a connection the pane exists without content.
    WorkmixClipart* view = WorkmixClipart::Show(kKey);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetReferenceControl(), nullptr);
    EXPECT_EQ(WorkmixClipart::Show(kKey), view);

    s.kernel().work(L"ConnectPdm", {});
    s.runUntilIdle();
    ASSERT_NE(view->GetReferenceControl(), nullptr);
    EXPECT_EQ(s.kernel().pdmReferenceControlsAlive(), 1);
    EXPECT_EQ(std::wstring(frame->GetPaneManager().FindPane(11000)->GetTitle()),
              L"PDM object {11111111-2222-3333-4444-555555555555}");

    s.kernel().pdmReferenceControlsLeaveWindows(true);
    const HWND left = view->GetReferenceControl()->GetWindow();
    s.kernel().work(L"DisconnectPdm", {});
    s.runUntilIdle();
    EXPECT_EQ(view->GetReferenceControl(), nullptr);
    EXPECT_EQ(s.kernel().pdmReferenceControlsAlive(), 0);
    EXPECT_FALSE(::IsWindow(left));
    EXPECT_TRUE(Logged(L"6 A Varnel reference control has not destroyed its window 0x"));

    s.kernel().pdmFailCall(L"CreateReferenceControl");
    s.user().expectBox(L"*CreateReferenceControl*", Button::Ok);
    s.kernel().work(L"ConnectPdm", {});
    s.runUntilIdle();
    EXPECT_EQ(view->GetReferenceControl(), nullptr);  // reported and swallowed
    CClipartView::DestroyAll();
    EXPECT_EQ(s.kernel().pdmReferenceControlsAlive(), 0);
}

TEST_F(ClipartPanesTest, EachKindComesBackFromASavedLayoutWithItsKeys) {
    s.kernel().work(L"ConnectPdm", {});
    s.runUntilIdle();
    ASSERT_NE(DocumentsMenuClipart::ShowFolder(L"C:\\Users\\user\\Documents", 0, nullptr), nullptr);
    ASSERT_NE(ModelTreeClipart::Show({1, 2, 3, 250}, 4, L"Parts"), nullptr);
    ASSERT_NE(WorkmixClipart::Show(kKey), nullptr);
    ASSERT_NE(ExpandedFormClipart::Show(77), nullptr);
    const std::wstring xml = SaveLayoutAndEndViews();
    EXPECT_EQ(Views(), 0);
    EXPECT_NE(xml.find(L"Type=\"DocumentsMenu\""), std::wstring::npos) << xml;
    EXPECT_NE(xml.find(L"ModelTreeWndState=\"010203FA\""), std::wstring::npos) << xml;

    LoadLayout(xml);
    auto* folder = dynamic_cast<DocumentsMenuClipart*>(CClipartView::FindByControlId(11000));
    auto* tree = dynamic_cast<ModelTreeClipart*>(CClipartView::FindByControlId(11001));
    auto* workmix = dynamic_cast<WorkmixClipart*>(CClipartView::FindByControlId(11002));
    auto* form = dynamic_cast<ExpandedFormClipart*>(CClipartView::FindByControlId(11003));
    ASSERT_TRUE(folder && tree && workmix && form);
    EXPECT_NE(folder->DescribeKeys().find(L"FolderPath=\"C:\\Users\\user\\Documents\""), std::wstring::npos);
    EXPECT_NE(folder->GetContentWindow(), nullptr);
    EXPECT_EQ(tree->GetWindowState(), (std::vector<BYTE>{1, 2, 3, 250}));
    EXPECT_NE(tree->DescribeKeys().find(L"ModelTreeGroupType=4 ModelTreeSpecType=\"Parts\""), std::wstring::npos);
    EXPECT_EQ(workmix->GetKey(), kKey);
    EXPECT_NE(workmix->GetReferenceControl(), nullptr);
    EXPECT_EQ(form->GetClassId(), 77u);
    EXPECT_EQ(frame->GetPaneManager().FindPane(11000)->GetChild(), folder->GetSafeHwnd());
}

TEST_F(ClipartPanesTest, AModelTreeStateThatDisagreesWithItsSizeIsNoState) {
    ASSERT_NE(ModelTreeClipart::Show({9, 8, 7}, 0, L""), nullptr);
    std::wstring xml = SaveLayoutAndEndViews();
    const auto at = xml.find(L"ModelTreeWndStateSize=\"3\"");
    ASSERT_NE(at, std::wstring::npos) << xml;
    for (const wchar_t* size : {L"ModelTreeWndStateSize=\"4\"", L"ModelTreeWndStateSize=\"2000000\""}) {
        std::wstring edited = xml;
        edited.replace(at, std::wstring(L"ModelTreeWndStateSize=\"3\"").size(), size);
        LoadLayout(edited);
        auto* tree = dynamic_cast<ModelTreeClipart*>(CClipartView::FindByControlId(11000));
        ASSERT_NE(tree, nullptr) << size;
        EXPECT_TRUE(tree->GetWindowState().empty()) << size;
        CClipartView::DestroyAll();
    }
    // An empty state is neither written nor read.
    ASSERT_NE(ModelTreeClipart::Show({}, 0, L""), nullptr);
    EXPECT_EQ(SaveLayoutAndEndViews().find(L"ModelTreeWndState="), std::wstring::npos);
}

TEST_F(ClipartPanesTest, ALayoutNamingAnUnknownKindLeavesThatPaneOut) {
    LoadLayout(L"<DockingPaneLayout><Pane ID=\"11005\" State=\"3\"><Values><Clipart Type=\"Gadget\"/></Values></Pane>"
               L"</DockingPaneLayout>");
    EXPECT_EQ(frame->GetPaneManager().FindPane(11005), nullptr);
    EXPECT_EQ(Views(), 0);
}

TEST_F(ClipartPanesTest, AnExpandedFormStaysOutOfThePaneListsAndGivesItsFormBack) {
    CWnd form;
    ASSERT_TRUE(form.Create(L"STATIC", L"Bolt table", WS_CHILD, RECT{0, 0, 10, 10}, frame, 4000, nullptr));
    s.kernel().callback([&form](KorvoServerAppProxy& kernel) { kernel.ShowExpandedForm(31, &form, L"Bolts"); });
    EXPECT_TRUE(Logged(L"2 Created a docking pane for the ExpandedFormClipart #31"));
    auto* pane = dynamic_cast<Korvo::UI::DockingPane*>(frame->GetPaneManager().FindPane(11000));
    ASSERT_NE(pane, nullptr);
    EXPECT_FALSE(pane->IsShownInPaneLists());
    EXPECT_EQ(std::wstring(pane->GetTitle()), L"Bolts");
    CWnd* back = nullptr;
    s.kernel().callback([&back](KorvoServerAppProxy& kernel) { back = kernel.DetachExpandedForm(31); });
    EXPECT_EQ(back, &form);
    EXPECT_TRUE(::IsWindow(form.GetSafeHwnd()));  // the view went with its pane, the form did not
    EXPECT_EQ(Views(), 0);
    form.DestroyWindow();
}

}  // namespace

namespace {

class ClipartDocumentsMenuTest : public ClipartPanesTest {
protected:
    DocumentsMenu::IConfiguration* standard =
        s.kernel().documentsMenu().addConfiguration(L"C:\\Users\\user\\Libraries\\Standard.tws", L"Standard");
    DocumentsMenu::ILibrary* m6 = s.kernel().documentsMenu().addLibrary(standard, L"M6", L"C:\\Users\\user\\Libraries\\M6");
    DocumentsMenu::ILibrariesGroup* bolts = s.kernel().documentsMenu().addGroup(standard, L"Bolts");

    ~ClipartDocumentsMenuTest() override {
        CClipartView::DestroyAll();
        DocumentsMenu::CloseAllConfigurations(DocumentsMenu::GlobalCfgGroup());
    }
    std::wstring Keys(UINT id) {
        const CClipartView* view = CClipartView::FindByControlId(id);
        return view ? view->DescribeKeys() : L"(none)";
    }
};

TEST_F(ClipartDocumentsMenuTest, LibrariesAndGroupsDroppedOnTheMainWindowOpenWhereTheyWereDropped) {
    COleDataObject data;
    data.Attach(platform::mfc::makeDataObject({{DocumentsMenu::LibraryFormat(), DocumentsMenu::MakeIdentifierList({m6->GetId()})},
                                               {DocumentsMenu::LibrariesGroupFormat(),
                                                DocumentsMenu::MakeIdentifierList({bolts->GetId(), standard->GetId()})}}));
    EXPECT_TRUE(frame->OnDrop(frame, &data, DROPEFFECT_MOVE, POINT{30, 40}));
    EXPECT_NE(Keys(11000).find(L"ContentType=2 LibID=" + platform::mfc::formatGuid(m6->GetId())), std::wstring::npos);
    EXPECT_NE(Keys(11001).find(L"ContentType=1 GroupID=" + platform::mfc::formatGuid(bolts->GetId())), std::wstring::npos);
    EXPECT_NE(Keys(11002).find(L"ContentType=0 CfgPath=\"C:\\Users\\user\\Libraries\\Standard.tws\""), std::wstring::npos);
    POINT screen{30, 40};
    ::ClientToScreen(frame->GetSafeHwnd(), &screen);
    const RECT place = frame->GetPaneManager().FindPane(11000)->GetFloatingRect();
    EXPECT_EQ(place.left, screen.x);
    EXPECT_EQ(place.top, screen.y);
}

TEST_F(ClipartDocumentsMenuTest, TheOpenWindowItemsOpenTheirObjectsAndAGoneLibraryShowsNothing) {
    DocumentsMenu::LibraryMenuItems::OpenClipart(m6, false).Execute();
    DocumentsMenu::LibrariesGroupMenuItems::OpenClipart(bolts, false).Execute();
    EXPECT_EQ(Views(), 2);
    const std::wstring xml = SaveLayoutAndEndViews();
    s.kernel().documentsMenu().removeLibrary(m6);
    LoadLayout(xml);
    // The library's pane cannot show what is gone; the group's still can.
    auto* library = dynamic_cast<DocumentsMenuClipart*>(CClipartView::FindByControlId(11000));
    auto* group = dynamic_cast<DocumentsMenuClipart*>(CClipartView::FindByControlId(11001));
    ASSERT_TRUE(library && group);
    EXPECT_EQ(library->GetContentWindow(), nullptr);
    EXPECT_NE(group->GetContentWindow(), nullptr);
}

TEST_F(ClipartPanesTest, AnAddOnMovesItsFloatingPaneAndAskingForADockedOneGetsNothing) {
    s.kernel().runApplication(L"Drafter", true);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        ASSERT_NE(kernel.ShowApplicationClipart(L"Drafter", 1, L"A"), nullptr);
        RECT rect{};
        ASSERT_TRUE(kernel.GetClipartWindowRect(L"Drafter", 1, rect));
        EXPECT_EQ(rect.left, 100);
        kernel.MoveClipartWindow(L"Drafter", 1, RECT{10, 20, 210, 320});
        ASSERT_TRUE(kernel.GetClipartWindowRect(L"Drafter", 1, rect));
        EXPECT_EQ(rect.top, 20);
        EXPECT_EQ(rect.right, 210);
        EXPECT_FALSE(kernel.GetClipartWindowRect(L"Drafter", 2, rect));
    });
    CXTPDockingPane* pane = frame->GetPaneManager().FindPane(11000);
    frame->GetPaneManager().ToggleDocking(pane);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        RECT rect{};
        EXPECT_FALSE(kernel.GetClipartWindowRect(L"Drafter", 1, rect));
    });
}

TEST_F(ClipartPanesTest, APaneDocksBesideTheFirstNeighbourShownAndFloatsWhenThatOneFloats) {
    CXTPDockingPane* tree = frame->FindPaneByCommand(785);
    ASSERT_NE(tree, nullptr);
    frame->GetPaneManager().ShowPane(tree, FALSE);
    auto view = std::make_unique<ExpandedFormClipart>(5);
    CXTPDockingPane* pane = CClipartView::CreateClipartPane(view.get(), frame, CClipartView::kDockBesideNeighbour);
    ASSERT_NE(pane, nullptr);
    EXPECT_FALSE(pane->IsFloating());
    const std::vector<CXTPDockingPane*> group = frame->GetPaneManager().GetDockedGroup(tree);
    EXPECT_NE(std::find(group.begin(), group.end(), pane), group.end());
    EXPECT_TRUE(tree->IsSelected());  // the group keeps showing the pane it showed

    frame->GetPaneManager().FloatPane(tree, RECT{0, 0, 100, 100});
    auto second = std::make_unique<ExpandedFormClipart>(6);
    CXTPDockingPane* floating =
        CClipartView::CreateClipartPane(second.get(), frame, CClipartView::kDockBesideNeighbour | CClipartView::kCloseAfterCreation);
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->IsClosed());
    EXPECT_NE(CClipartView::FindByControlId(floating->GetID()), nullptr);  // made closed, not ended
    // A floating neighbour is none: the pane floats on its own at the default place.
    auto third = std::make_unique<ExpandedFormClipart>(7);
    CXTPDockingPane* alone = CClipartView::CreateClipartPane(third.get(), frame, CClipartView::kDockBesideNeighbour);
    ASSERT_NE(alone, nullptr);
    const std::vector<CXTPDockingPane*> withTree = frame->GetPaneManager().GetDockedGroup(tree);
    EXPECT_EQ(std::find(withTree.begin(), withTree.end(), alone), withTree.end());
    EXPECT_EQ(alone->GetFloatingRect().left, 100);
    EXPECT_EQ(alone->GetFloatingRect().top, 100);
    CClipartView::Destroy(view.release());
    CClipartView::Destroy(second.release());
    CClipartView::Destroy(third.release());
}

TEST_F(ClipartPanesTest, ModelTreesFollowTheCurrentDocumentAndLetGoOfAClosedOne) {
    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_TRUE(kernel.ShowModelTreeClipart(nullptr, 2)); });
    EXPECT_EQ(s.kernel().hostedModelTrees(), 1);
    EXPECT_EQ(std::wstring(frame->GetPaneManager().FindPane(11000)->GetTitle()), L"Model tree");
    // The kernel reaches its tree through the pane's window; other windows host none of its objects.
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        EXPECT_NE(kernel.GetWindowPaneObject(CClipartView::FindByControlId(11000)), nullptr);
        EXPECT_EQ(kernel.GetWindowPaneObject(frame), nullptr);
        EXPECT_EQ(kernel.GetWindowPaneObject(nullptr), nullptr);
    });
    s.user().expectFileChoose(L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb");
    s.user().command(frame->GetSafeHwnd(), ID_FILE_OPEN);
    s.runUntilIdle();
    EXPECT_EQ(std::wstring(frame->GetPaneManager().FindPane(11000)->GetTitle()), L"Model tree: \"Bracket.grb\"");
    EXPECT_GE(indexOf(calls(s), L"CKVCom_Is3D::SetModelTreeDocument(\"Bracket.grb\")"), 0);
    s.user().command(frame->GetSafeHwnd(), 1200);
    s.runUntilIdle();
    EXPECT_GE(indexOf(calls(s), L"CKVCom_Is3D::ModelTreeDocumentClosed(\"Bracket.grb\")"), 0);
    frame->GetPaneManager().ClosePane(frame->GetPaneManager().FindPane(11000));
    EXPECT_EQ(s.kernel().hostedModelTrees(), 0);
}

}  // namespace

namespace {

TEST_F(ClipartPanesTest, ClosingASecondFrameEndsTheViewsItHeldAndLeavesTheOthers) {
    s.kernel().runApplication(L"Drafter", true);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const HWND secondWindow = s.inspect().mainFrames().at(1);
    auto* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(secondWindow));
    ASSERT_NE(second, nullptr);
    UIModuleProxy::Instance().SetActiveMainFrame(second);
    ASSERT_NE(DocumentsMenuClipart::ShowFolder(L"C:\\Users\\user", 0, nullptr), nullptr);
    ASSERT_NE(ApplicationClipart::Show(L"Drafter", 3, L"Kept", nullptr, 0, -1, nullptr), nullptr);
    UIModuleProxy::Instance().SetActiveMainFrame(frame);
    ASSERT_NE(DocumentsMenuClipart::ShowFolder(L"C:\\Users", 0, nullptr), nullptr);
    EXPECT_EQ(Views(), 3);

    s.user().close(secondWindow);
    s.runUntilIdle();
    ASSERT_EQ(s.inspect().mainFrames().size(), 1u);
    // The first frame's folder pane and the add-on's view (which outlives its frame) remain.
    EXPECT_EQ(Views(), 2);
    EXPECT_NE(dynamic_cast<ApplicationClipart*>(CClipartView::FindByKey(L"Drafter", 3)), nullptr);
    EXPECT_NE(frame->GetPaneManager().FindPane(11002), nullptr);
}

TEST_F(ClipartPanesTest, TheProgramsEndTakesEveryViewWithIt) {
    ASSERT_NE(ModelTreeClipart::Show({1}, 0, L""), nullptr);
    ASSERT_NE(WorkmixClipart::Show(kKey), nullptr);
    EXPECT_EQ(s.kernel().hostedModelTrees(), 1);
    s.user().close(frame->GetSafeHwnd());
    s.runUntilIdle();
    EXPECT_EQ(Views(), 0);
    EXPECT_EQ(s.kernel().hostedModelTrees(), 0);
}

}  // namespace
