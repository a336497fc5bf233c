// The PDM explorer panes and the start-up pages: captions and their fallbacks, explorers made
// only while connected and never twice at once, their release on disconnect, and which pages the
// start-page mode opens.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "auxiliary/start_page.h"
#include "auxiliary/varnel_frame.h"
#include "mainframe/main_frame.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/managedui/start_page_control.h"
#include "platform/core/record.h"
#include "platform/win32/icons.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class PdmPagesAndPanes : public SessionTest {
protected:
    void Start() {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
    }
    // The pane window shown in the active main frame, as a shown docking pane holds it.
    CVarnelFrame* Pane(int kind) {
        auto* window = dynamic_cast<CVarnelFrame*>(CKvw32App::Instance()->GetVarnelWindow(kind, false, true));
        if (window) window->SetParent(CKvw32App::Instance()->GetActiveMainFrame());
        return window;
    }
    Session s;
};

TEST_F(PdmPagesAndPanes, CaptionsFallBackToTheKernelsStringsAndTakeTheAcceleratorOnlyWhenNotEmpty) {
    Start();
    auto& pdm = platform::kernel::pdmControl();
    s.kernel().setPdmConnected(true);
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(CVarnelFrame::kArchives, false), CString(L"Archives"));
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(CVarnelFrame::kFavorites, true), CString(L"&Favorites"));
    pdm.objectNames[2] = L"Main archive";
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(CVarnelFrame::kArchives, true), CString(L"&Main archive"));
    // A name that cannot be had falls back quietly: no box to answer.
    pdm.failingCalls.insert(L"GetObjectName");
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(CVarnelFrame::kArchives, false), CString(L"Archives"));
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(CVarnelFrame::kSearch, true), CString());
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(CVarnelFrame::kDesktop, false), CString(L"Desktop"));
    EXPECT_EQ(CVarnelFrame::BuildPaneTitle(7, true), CString());
}

TEST_F(PdmPagesAndPanes, AnExplorerComesOnlyWhileConnectedAndGoesWithTheConnection) {
    Start();
    CVarnelFrame* archives = Pane(CVarnelFrame::kArchives);
    ASSERT_NE(archives, nullptr);
    archives->ShowWindow(SW_SHOW);
    s.runUntilIdle();
    EXPECT_EQ(archives->GetExplorerWindow(), nullptr);
    EXPECT_FALSE(archives->IsAvailable());

    s.kernel().setPdmConnected(true);
    archives->OnActivatePane();
    const HWND explorer = archives->GetExplorerWindow();
    ASSERT_NE(explorer, nullptr);
    EXPECT_EQ(::GetParent(explorer), archives->GetSafeHwnd());
    EXPECT_GE(indexOf(calls(s), L"KVPDMPaneObject::CreateExplorerEx(2, 0)"), 0);
    const auto explorers = platform::kernel::liveExplorers();
    ASSERT_EQ(explorers.size(), 1u);
    EXPECT_NE(explorers.front()->GetCommand(), nullptr);  // only the archives get a select command
    // The pane and its command show the explorer's own picture at 16 pixels.
    const UINT picture = platform::win32::iconResource(explorers.front()->GetIcon());
    ASSERT_NE(picture, 0u);
    CMainFrame* frame = CKvw32App::Instance()->GetActiveMainFrame();
    const CXTPImageManagerIcon* paneIcon = frame->GetPaneManager().GetImageManager()->Lookup(1012, 16);
    const CXTPImageManagerIcon* commandIcon = frame->GetCommandBars()->GetImageManager()->Lookup(787, 16);
    ASSERT_TRUE(paneIcon && commandIcon);
    EXPECT_EQ(paneIcon->GetResourceID(), picture);
    EXPECT_EQ(commandIcon->GetResourceID(), picture);
    archives->OnActivatePane();
    EXPECT_EQ(platform::kernel::liveExplorers().size(), 1u);
    // A pane that holds its explorer stays available while the work mix says it is away.
    s.kernel().setPdmConnected(false);
    EXPECT_TRUE(archives->IsAvailable());
    EXPECT_FALSE(Pane(CVarnelFrame::kDesktop)->IsAvailable());
    s.kernel().setPdmConnected(true);

    archives->RefreshExplorer();
    EXPECT_EQ(platform::kernel::liveExplorers().front()->GetRefreshCount(), 1);

    // Selecting in the archives opens a working copy the work mix lets open, and nothing else.
    KVPDMExplorerCommand* select = platform::kernel::liveExplorers().front()->GetCommand();
    ASSERT_NE(select, nullptr);
    s.files().write(L"C:\\Pdm\\part.grb", "part");
    auto* copy = new KVPDMWorkingCopy(L"C:\\Pdm\\part.grb");
    EXPECT_TRUE(select->Execute(copy));
    platform::kernel::pdmControl().heldBack.insert(L"C:\\Pdm\\part.grb");
    EXPECT_FALSE(select->Execute(copy));
    copy->Release();
    EXPECT_FALSE(select->Execute(platform::kernel::liveExplorers().front()));  // no working copy
    // The favorites' explorer gets no select command.
    CVarnelFrame* favorites = Pane(CVarnelFrame::kFavorites);
    ASSERT_NE(favorites, nullptr);
    favorites->ShowWindow(SW_SHOW);
    favorites->OnActivatePane();
    ASSERT_EQ(platform::kernel::liveExplorers().size(), 2u);
    for (KVPDMExplorer* made : platform::kernel::liveExplorers())
        EXPECT_EQ(made->GetCommand() != nullptr, made->GetKind() == CVarnelFrame::kArchives) << made->GetKind();
    favorites->DestroyExplorer();

    archives->DestroyExplorer();
    EXPECT_EQ(archives->GetExplorerWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(explorer));
    EXPECT_TRUE(platform::kernel::liveExplorers().empty());
}

// The pane's background: the window colour framed by a sunken edge, reported as erased.
TEST_F(PdmPagesAndPanes, ThePaneBackgroundIsTheWindowColourInASunkenEdge) {
    Start();
    CVarnelFrame* desktop = Pane(CVarnelFrame::kDesktop);
    ASSERT_NE(desktop, nullptr);
    desktop->SetWindowPos(nullptr, 0, 0, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    desktop->GetClientRect(&client);
    ASSERT_GT(client.bottom, 0);
    const HDC dc = ::GetDC(desktop->GetSafeHwnd());
    EXPECT_EQ(::SendMessageW(desktop->GetSafeHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), TRUE);
    ::ReleaseDC(desktop->GetSafeHwnd(), dc);
    const std::vector<std::wstring> lines = platform::win32::windowDrawing(desktop->GetSafeHwnd());
    const std::wstring rect = platform::core::rectText(client.left, client.top, client.right, client.bottom);
    const auto at = [&](const std::wstring& start) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i);
        return -1;
    };
    const int fill = at(L"FillRect " + rect), edge = at(L"DrawEdge " + rect + L" EDGE_SUNKEN BF_RECT");
    ASSERT_GE(fill, 0);
    EXPECT_GT(edge, fill) << "the edge is drawn over the window colour";
}

TEST_F(PdmPagesAndPanes, AFailedCreationIsReportedAndDoesNotBlockTheNextOne) {
    Start();
    // A window made before the connection: its showing makes the explorer.
    CVarnelFrame* desktop = Pane(CVarnelFrame::kDesktop);
    ASSERT_NE(desktop, nullptr);
    s.kernel().setPdmConnected(true);
    platform::kernel::pdmControl().failingCalls.insert(L"CreateExplorer");
    s.user().expectBox(L"*CreateExplorer*", Button::Ok);
    desktop->ShowWindow(SW_SHOW);
    EXPECT_EQ(desktop->GetExplorerWindow(), nullptr);
    platform::kernel::pdmControl().failingCalls.clear();
    desktop->OnActivatePane();
    EXPECT_NE(desktop->GetExplorerWindow(), nullptr);
}

TEST_F(PdmPagesAndPanes, TheStartPageModeChoosesThePagesStartPageFirst) {
    Start();
    GetSettings().startPage.workmixUrl = L"http://pdm/workmix";
    GetSettings().startPage.mode = 1;
    ShowStartPageOnStartup();  // disconnected: the start page only
    s.runUntilIdle();
    EXPECT_EQ(platform::managedui::startPageControls().size(), 1u);
    EXPECT_TRUE(platform::kernel::livePages().empty());

    s.kernel().setPdmConnected(true);
    EXPECT_TRUE(IsWorkmixPageAvailable());
    GetSettings().startPage.mode = 2;
    ShowStartPageOnStartup();  // the start page is there already: activated, not made again
    s.runUntilIdle();
    EXPECT_EQ(platform::managedui::startPageControls().size(), 1u);
    ASSERT_EQ(platform::kernel::livePages().size(), 1u);

    platform::kernel::pdmControl().pageFactory = false;
    EXPECT_FALSE(IsWorkmixPageAvailable());

    // Each new main frame shows its own pages: mode 0 only the start page even while connected,
    // mode 1 connected only the work-mix page.
    platform::kernel::pdmControl().pageFactory = true;
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    GetSettings().startPage.mode = 0;
    ShowStartPageOnStartup();
    s.runUntilIdle();
    EXPECT_EQ(platform::managedui::startPageControls().size(), 2u);
    EXPECT_EQ(platform::kernel::livePages().size(), 1u);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    GetSettings().startPage.mode = 1;
    ShowStartPageOnStartup();
    s.runUntilIdle();
    EXPECT_EQ(platform::managedui::startPageControls().size(), 2u);
    EXPECT_EQ(platform::kernel::livePages().size(), 2u);
}

// A page that is already the active child follows the kernel's maximised-MDI flag when shown
// again, not the state it happens to be in.
TEST_F(PdmPagesAndPanes, AStartPageShownAgainTakesTheKernelsMaximisedFlag) {
    Start();
    CMainFrame* frame = CKvw32App::Instance()->GetActiveMainFrame();
    ASSERT_NE(frame, nullptr);
    for (const bool maximise : {false, true, false}) {
        GlobalContainer::SetMaximizeMdi(maximise);
        OpenStartPage();
        s.runUntilIdle();
        BOOL maximised = !maximise;
        ASSERT_NE(frame->MDIGetActive(&maximised), nullptr);
        EXPECT_EQ(maximised != FALSE, maximise);
    }
    EXPECT_EQ(platform::managedui::startPageControls().size(), 1u);
}

TEST_F(PdmPagesAndPanes, APageWithoutAnIconShowsTheViewsOwnAndAFailedPageLeavesTheViewEmpty) {
    Start();
    s.kernel().setPdmConnected(true);
    GetSettings().startPage.workmixUrl = L"http://pdm/workmix";
    platform::kernel::pdmControl().pageIcon = false;
    OpenWorkmixPage();
    s.runUntilIdle();
    ASSERT_EQ(platform::kernel::livePages().size(), 1u);
    const HWND view = ::GetParent(platform::kernel::livePages().front()->PeekWindow());
    const HWND child = ::GetParent(view);
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(child, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(platform::win32::iconResource(icon), 610u);

    CloseWorkmixPagesOf(CKvw32App::Instance()->GetActiveMainFrame());
    EXPECT_TRUE(platform::kernel::livePages().empty());
    const auto after = reinterpret_cast<HICON>(::SendMessageW(child, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(platform::win32::iconResource(after), 610u);  // never a destroyed icon

    platform::kernel::pdmControl().failingCalls.insert(L"CreatePage");
    s.user().expectBox(L"*CreatePage*", Button::Ok);
    RefreshAllWorkmixPages();
    EXPECT_TRUE(platform::kernel::livePages().empty());
    EXPECT_EQ(platform::kernel::pdmControl().handlesAlive, 0);

    // Another main frame losing its PDM windows leaves this frame's page alone.
    platform::kernel::pdmControl().failingCalls.clear();
    RefreshAllWorkmixPages();
    ASSERT_EQ(platform::kernel::livePages().size(), 1u);
    CMainFrame* first = CKvw32App::Instance()->GetActiveMainFrame();
    auto* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.kernel().newMainFrame()));
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    CloseWorkmixPagesOf(second);
    EXPECT_EQ(platform::kernel::livePages().size(), 1u);
    CloseWorkmixPagesOf(first);
    EXPECT_TRUE(platform::kernel::livePages().empty());
}

// While the PDM system is away there is no explorer to show: neither the seven explorer windows
// nor their panes are made. The connection makes them, closed, in the PDM tab group, in every
// frame; a frame made while connected has them from the start.
TEST_F(PdmPagesAndPanes, ExplorerPanesAreMadeWhenTheConnectionComes) {
    Start();
    constexpr UINT kExplorerPanes[] = {1012, 1013, 1014, 1015, 1027, 1033, 1040};
    CMainFrame* first = CKvw32App::Instance()->GetActiveMainFrame();
    ASSERT_NE(first, nullptr);
    for (const UINT id : kExplorerPanes) EXPECT_EQ(first->GetPaneManager().FindPane(id), nullptr) << id;
    for (int kind = CVarnelFrame::kDesktop; kind <= CVarnelFrame::kLibraryElements; ++kind)
        EXPECT_EQ(CKvw32App::Instance()->GetVarnelWindow(kind, false, false), nullptr) << kind;
    EXPECT_EQ(CKvw32App::Instance()->GetDockingPaneWindow(1012, true), nullptr);
    EXPECT_EQ(CKvw32App::Instance()->GetVarnelWindow(CVarnelFrame::kArchives, false, false), nullptr)
        << "asking for an available window makes none";

    std::wstring answer;
    ASSERT_TRUE(Kernel::pdmWork(L"ConnectPdm", {}, answer));
    s.runUntilIdle();
    for (const UINT id : kExplorerPanes) {
        const CXTPDockingPane* pane = first->GetPaneManager().FindPane(id);
        ASSERT_NE(pane, nullptr) << id;
        EXPECT_FALSE(pane->GetTitle().IsEmpty()) << id;
    }
    EXPECT_EQ(CKvw32App::Instance()->GetVarnelArchivesWindow(true, false),
              CKvw32App::Instance()->GetDockingPaneWindow(1012, false));
    EXPECT_NE(CKvw32App::Instance()->GetVarnelArchivesWindow(true, false), nullptr);

    // A pane that takes its explorer window is named after what the explorer shows.
    platform::kernel::pdmControl().objectNames[2] = L"Main archive";
    CXTPDockingPane* archives = first->GetPaneManager().FindPane(1012);
    archives->Detach();
    first->AttachPaneWindow(archives);
    EXPECT_EQ(archives->GetTitle(), CString(L"Main archive"));

    CMainFrame* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.kernel().newMainFrame()));
    ASSERT_NE(second, nullptr);
    for (const UINT id : kExplorerPanes) EXPECT_NE(second->GetPaneManager().FindPane(id), nullptr) << id;
}

}  // namespace
