// The application's pane windows and the docking panes of main frames: windows made on demand
// under the hidden host and shared by the frames, the panes a new frame starts with, and saved
// layouts that bring the panes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/kvw32_app.h"
#include "mainframe/panes/docking_pane_manager.h"
#include "mainframe/panes/docking_panes_init.h"
#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace {

bool IsPdmExplorerPane(UINT id) {
    return id == 1012 || id == 1013 || id == 1014 || id == 1015 || id == 1027 || id == 1033 || id == 1040;
}

using namespace platform::harness;

class DockingPanesTest : public SessionTest {
protected:
    void SetUp() override { Start(); }
    // Tests that set the program up first start it themselves.
    virtual void Start() {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        app = CKvw32App::Instance();
    }
    // A pane manager of its own on main frame `index` (the frames have none yet).
    CKVDockingPaneManager* Manager(std::size_t index) {
        auto manager = std::make_unique<CKVDockingPaneManager>();
        EXPECT_TRUE(manager->InstallDockingPanes(CWnd::FromHandlePermanent(s.inspect().mainFrames().at(index))));
        managers.push_back(std::move(manager));
        return managers.back().get();
    }
    static std::vector<UINT> OpenPanes(const CXTPDockingPaneManager* manager) {
        std::vector<UINT> open;
        for (const CXTPDockingPane* pane : manager->GetPaneList())
            if (!pane->IsClosed()) open.push_back(pane->GetID());
        return open;
    }
    static std::vector<UINT> AllPanes(const CXTPDockingPaneManager* manager) {
        std::vector<UINT> ids;
        for (const CXTPDockingPane* pane : manager->GetPaneList()) ids.push_back(pane->GetID());
        return ids;
    }

    Session s;
    CKvw32App* app = nullptr;
    std::vector<std::unique_ptr<CKVDockingPaneManager>> managers;
};

TEST_F(DockingPanesTest, PaneWindowsAreMadeOnceUnderTheHiddenHostWithThePaneIdAsControlId) {
    CWnd* tree = app->GetDockingPaneWindow(1006, true);
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(tree->GetSafeHwnd(), nullptr);
    EXPECT_EQ(tree->GetDlgCtrlID(), 1006);
    EXPECT_FALSE(app->GetDockingPaneDummyWindow()->IsWindowVisible());
    // The first frame's pane has taken it from the hidden host.
    auto* frame = platform::harness::mainFrameAt(s);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetPaneManager().FindPane(1006)->GetChild(), tree->GetSafeHwnd());
    EXPECT_EQ(app->GetDockingPaneWindow(1006, true), tree);

    const std::vector<std::wstring> logged = logs(s);
    const auto created = std::count_if(logged.begin(), logged.end(), [](const std::wstring& line) {
        return line.find(L"3 Created model tree window 0x") == 0;
    });
    EXPECT_EQ(created, 1);
    // The 3D part gets its window back once it exists.
    EXPECT_GE(indexOf(calls(s), L"CKVCom_Is3D::RegisterPaneWindow(ModelTree, 0x"), 0);

    // Counted windows: one reference kept, the same window on every request.
    CWnd* properties = app->GetDockingPaneWindow(1007, true);
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(app->GetDockingPaneWindow(1007, true), properties);
}

TEST_F(DockingPanesTest, IdsWithoutAWindowAndUnavailablePdmWindowsGiveNull) {
    for (UINT id : {1002u, 1010u, 1017u, 1041u, 1036u}) EXPECT_EQ(app->GetDockingPaneWindow(id, true), nullptr) << id;
    // The PDM assembly window exists but has no contents: not available.
    EXPECT_EQ(app->GetDockingPaneWindow(1019, true), nullptr);
    EXPECT_NE(app->GetVarnelAssemblyWindow(false, false), nullptr);
    EXPECT_FALSE(app->EnableDockingPaneWindow(L"ModelElements", false));  // names are exact
}

class UnstartedDockingPanesTest : public DockingPanesTest {
protected:
    void Start() override {}
    CMainFrame* FirstFrame() {
        return platform::harness::mainFrameAt(s);
    }
};

TEST_F(UnstartedDockingPanesTest, PanesTheIniLeavesOutGetNoWindowAndNoPane) {
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nDockingPanes=modelTree,tasks\n");
    DockingPanesTest::Start();
    EXPECT_EQ(app->GetDockingPaneWindow(1022, true), nullptr);
    EXPECT_GE(indexOf(logs(s), L"3 Created model tree window"), 0);
    EXPECT_LT(indexOf(logs(s), L"Created model elements window"), 0);
    CMainFrame* frame = FirstFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetPaneManager().FindPane(1022), nullptr);
    EXPECT_NE(frame->GetPaneManager().FindPane(1006), nullptr);
    EXPECT_NE(frame->GetPaneManager().FindPane(1007), nullptr);  // unnamed panes are not affected
}

TEST_F(UnstartedDockingPanesTest, WindowsTheKernelDoesNotOfferGetNoPane) {
    s.kernel().setPaneWindowsOffered(false);
    DockingPanesTest::Start();
    EXPECT_EQ(app->GetDockingPaneWindow(1006, true), nullptr);
    EXPECT_EQ(app->GetDockingPaneWindow(1011, true), nullptr);
    CMainFrame* frame = FirstFrame();
    ASSERT_NE(frame, nullptr);
    const std::vector<UINT> ids = AllPanes(&frame->GetPaneManager());
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 1006u), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 1009u), 0);
    EXPECT_EQ(OpenPanes(&frame->GetPaneManager()), (std::vector<UINT>{1022, 1004, 1007}));
}

TEST_F(DockingPanesTest, TheFirstFrameKeepsItsMainPanesOpenInGroupsAndLaterFramesStartClosed) {
    CXTPDockingPaneManager* first = Manager(0);
    ASSERT_TRUE(CreateInitialDockingPanes(first, true));
    // Every pane whose window exists, in table order; no edition-only pane. The PDM explorer
    // panes wait for the PDM system's connection.
    EXPECT_EQ(AllPanes(first), (std::vector<UINT>{1030, 1006, 1022, 1004, 1007, 1008, 1009, 1011, 1029, 1031, 1039,
                                                  1003, 1005, 1023, 1035, 1028}));
    EXPECT_EQ(OpenPanes(first), (std::vector<UINT>{1006, 1022, 1004, 1007}));
    // One tab stack per group, headed by its first pane; the documents menu is selected in its
    // group (else the group's first open pane would be).
    EXPECT_EQ(first->FindPane(1039)->GetNeighbour(), first->FindPane(1006));
    EXPECT_EQ(first->FindPane(1035)->GetNeighbour(), first->FindPane(1030));
    EXPECT_TRUE(first->FindPane(1004)->IsSelected());
    EXPECT_FALSE(first->FindPane(1006)->IsSelected());
    EXPECT_FALSE(first->FindPane(1022)->IsSelected());
    EXPECT_EQ(std::wstring(first->FindPane(1006)->GetTitle()), L"Model tree");
    EXPECT_EQ(first->FindPane(1006)->GetIconID(), 785);
    EXPECT_GE(indexOf(logs(s), L"2 Initialized docking panes in "), 0);

    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    CXTPDockingPaneManager* second = Manager(1);
    ASSERT_TRUE(CreateInitialDockingPanes(second, false));
    EXPECT_EQ(AllPanes(second).size(), AllPanes(first).size());
    EXPECT_TRUE(OpenPanes(second).empty());
}

TEST_F(DockingPanesTest, FindDockingPaneNamesTheFrameWhosePaneHostsTheWindow) {
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const std::vector<HWND> frames = s.inspect().mainFrames();
    auto* first = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frames.at(0)));
    auto* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frames.at(1)));
    ASSERT_TRUE(first && second);
    CWnd* elements = app->GetDockingPaneWindow(1022, false);
    ASSERT_NE(elements, nullptr);
    // The window sits in one frame's pane at a time; the search goes in the frames' order.
    second->GetPaneManager().FindPane(1022)->Detach();
    first->GetPaneManager().FindPane(1022)->Attach(elements);
    CMainFrame* frame = nullptr;
    CWnd* window = nullptr;
    EXPECT_EQ(app->FindDockingPane(1022, frame, window), first->GetPaneManager().FindPane(1022));
    EXPECT_EQ(frame, first);
    EXPECT_EQ(window, elements);

    first->GetPaneManager().FindPane(1022)->Detach();
    second->GetPaneManager().FindPane(1022)->Attach(elements);
    EXPECT_EQ(app->FindDockingPane(1022, frame, window), second->GetPaneManager().FindPane(1022));
    EXPECT_EQ(frame, second);
    EXPECT_EQ(app->FindDockingPane(1010, frame, window), nullptr);
    EXPECT_EQ(frame, nullptr);
}

TEST_F(DockingPanesTest, ALayoutBringsBackPlacesStatesAndGroupsOnAnotherFrame) {
    CXTPDockingPaneManager* first = Manager(0);
    ASSERT_TRUE(CreateInitialDockingPanes(first, true));
    first->ShowPane(1029, FALSE);
    first->FloatPane(first->FindPane(1031), RECT{50, 60, 350, 260});
    first->ClosePane(1022);

    CXTPPropExchangeXMLNode stored(FALSE, L"DockingPaneLayout");
    auto layout = first->CreateLayout();
    first->GetLayout(layout.get());
    ASSERT_TRUE(layout->DoPropExchange(&stored));
    const CString xml = stored.SaveToString();

    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    CXTPDockingPaneManager* second = Manager(1);
    CXTPPropExchangeXMLNode loaded(TRUE, L"DockingPaneLayout");
    ASSERT_TRUE(loaded.LoadFromString(std::wstring_view(xml), L"layout"));
    auto restored = second->CreateLayout();
    ASSERT_TRUE(restored->DoPropExchange(&loaded));
    second->SetLayout(restored.get());

    EXPECT_EQ(AllPanes(second), AllPanes(first));
    EXPECT_EQ(OpenPanes(second), OpenPanes(first));
    for (const CXTPDockingPane* pane : second->GetPaneList()) {
        EXPECT_NE(dynamic_cast<const CKVDockingPane*>(pane), nullptr);
        const CXTPDockingPane* original = first->FindPane(pane->GetID());
        EXPECT_EQ(pane->GetState(), original->GetState()) << pane->GetID();
        // A PDM explorer pane takes its caption from the PDM system once connected.
        if (!IsPdmExplorerPane(pane->GetID())) {
            EXPECT_EQ(std::wstring(pane->GetTitle()), std::wstring(original->GetTitle()));
        }
        EXPECT_EQ(pane->GetNeighbour() ? pane->GetNeighbour()->GetID() : 0u,
                  original->GetNeighbour() ? original->GetNeighbour()->GetID() : 0u);
    }
    EXPECT_EQ(second->FindPane(1031)->GetFloatingRect().right, 350);
}

TEST_F(DockingPanesTest, APaneThatCannotStoreItsValuesKeepsItsPlaceInTheLayout) {
    CXTPDockingPaneManager* manager = Manager(0);
    ASSERT_TRUE(CreateInitialDockingPanes(manager, true));
    // Pane 1036 has no window in this edition: its own exchange fails.
    manager->CreatePane(1036, RECT{0, 0, 10, 10}, xtpPaneDockRight);
    CXTPPropExchangeXMLNode stored(FALSE, L"DockingPaneLayout");
    auto layout = manager->CreateLayout();
    manager->GetLayout(layout.get());
    ASSERT_TRUE(layout->DoPropExchange(&stored));
    const std::wstring xml(stored.SaveToString());
    EXPECT_NE(xml.find(L"ID=\"1036\""), std::wstring::npos);
    EXPECT_NE(xml.find(L"Title=\"Model tree\""), std::wstring::npos);  // the others keep their values
}

TEST_F(DockingPanesTest, APaneNamingAClipartThatCannotBeRebuiltIsLeftOutOnLoad) {
    CXTPDockingPaneManager* manager = Manager(0);
    CXTPPropExchangeXMLNode loaded(TRUE, L"DockingPaneLayout");
    ASSERT_TRUE(loaded.LoadFromString(
        L"<DockingPaneLayout>"
        L"<Pane ID=\"1006\" State=\"0\"><Values Title=\"Tree\"/></Pane>"
        L"<Pane ID=\"1090\" State=\"0\"><Values><Clipart Type=\"ModelTree\"/></Values></Pane>"
        L"</DockingPaneLayout>",
        L"layout"));
    auto layout = manager->CreateLayout();
    ASSERT_TRUE(layout->DoPropExchange(&loaded));
    manager->SetLayout(layout.get());
    EXPECT_EQ(AllPanes(manager), std::vector<UINT>{1006});
    EXPECT_EQ(std::wstring(manager->FindPane(1006)->GetTitle()), L"Tree");
    EXPECT_FALSE(manager->FindPane(1006)->IsClosed());
}

TEST_F(DockingPanesTest, AFrameStartsWithItsPanesAndItsPaneWindowsOutliveIt) {
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const std::vector<HWND> frames = s.inspect().mainFrames();
    auto* first = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frames.at(0)));
    auto* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frames.at(1)));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(OpenPanes(&first->GetPaneManager()), (std::vector<UINT>{1006, 1022, 1004, 1007}));
    EXPECT_TRUE(OpenPanes(&second->GetPaneManager()).empty());
    // Every pane of the first frame hosts its window, NC included; the PDM explorer panes stay
    // empty while the program is not connected.
    for (const CXTPDockingPane* pane : first->GetPaneManager().GetPaneList())
        EXPECT_EQ(pane->IsValid(), !IsPdmExplorerPane(pane->GetID())) << pane->GetID();

    CWnd* tree = app->GetDockingPaneWindow(1006, false);
    ASSERT_NE(tree, nullptr);
    const HWND treeWindow = tree->GetSafeHwnd();
    s.user().close(frames.at(1));
    s.runUntilIdle();
    EXPECT_TRUE(::IsWindow(treeWindow));
    // The last frame ends the program: its shutdown destroys the pane windows.
    s.user().close(frames.at(0));
    s.runUntilIdle();
    EXPECT_FALSE(s.running());
    EXPECT_FALSE(::IsWindow(treeWindow));
}

TEST_F(DockingPanesTest, ASecondFrameLeavesTheFirstFramesPanesShowingTheirWindows) {
    const std::vector<HWND> before = s.inspect().mainFrames();
    auto* first = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(before.at(0)));
    ASSERT_NE(first, nullptr);
    auto shownWindows = [&] {
        std::vector<UINT> shown;
        for (const CXTPDockingPane* pane : first->GetPaneManager().GetPaneList()) {
            if (pane->IsClosed()) continue;
            // The window is inside the pane's container, within this frame (only a tab group's
            // selected pane is visible, so visibility alone would not say whose pane holds it).
            if (pane->HoldsChild() && ::IsChild(first->GetSafeHwnd(), pane->GetChild())) shown.push_back(pane->GetID());
        }
        return shown;
    };
    const std::vector<UINT> open{1006, 1022, 1004, 1007};
    EXPECT_EQ(shownWindows(), open);

    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const HWND second = s.inspect().mainFrames().at(1) == before.at(0) ? s.inspect().mainFrames().at(0)
                                                                       : s.inspect().mainFrames().at(1);
    EXPECT_EQ(shownWindows(), open) << "the new frame's closed panes gave the windows back";
    const std::wstring panes = s.inspect().dumpPanes(second);
    EXPECT_EQ(panes.find(L"window 0x"), std::wstring::npos) << platform::core::toUtf8(panes);

    // Showing a pane in the second frame takes its window there; the first frame's dump says so.
    auto* other = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(second));
    ASSERT_NE(other, nullptr);
    other->GetPaneManager().ShowPane(1007, FALSE);
    s.runUntilIdle();
    EXPECT_TRUE(other->GetPaneManager().FindPane(1007)->HoldsChild());
    const std::wstring firstPanes = s.inspect().dumpPanes(before.at(0));
    EXPECT_NE(firstPanes.find(L"1007 docked \"Properties\" icon 811 group 1006 window none"), std::wstring::npos)
        << platform::core::toUtf8(firstPanes);
    // Closed there again, the window goes back to the first frame's pane, which still shows it.
    other->GetPaneManager().ClosePane(1007);
    s.runUntilIdle();
    EXPECT_EQ(shownWindows(), open);
    other->GetPaneManager().ShowPane(1007, FALSE);
    s.runUntilIdle();
    // The second frame goes: the window returns to the first frame's pane that shows it.
    s.user().close(second);
    s.runUntilIdle();
    EXPECT_EQ(shownWindows(), open);
}

}  // namespace
