// A main frame's life after creation: its message map, activation, cloning, taking over another
// frame's document window, and its destruction.
#include "mainframe/main_frame_state.h"
#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;
using mainframetest::frameOf;

class MainFrameLifetime : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        s.runUntilIdle();
        first = frameOf(s.inspect().mainFrames().at(0));
        ASSERT_NE(first, nullptr);
    }
    int count(const std::wstring& needle) {
        int found = 0;
        for (const std::wstring& call : calls(s)) found += call.find(needle) != std::wstring::npos ? 1 : 0;
        return found;
    }

    Session s;
    CMainFrame* first = nullptr;
};

TEST_F(MainFrameLifetime, TheMessageMapHasItsNinetyTwoEntriesWithTheLateOnesActive) {
    const AFX_MSGMAP* map = first->GetMessageMap();
    int entries = 0;
    while (map->lpEntries[entries].pfn) ++entries;
    EXPECT_EQ(entries, 92);
    // The 78th entry is the registered tab-changing message, filled in at the first request.
    EXPECT_EQ(map->lpEntries[77].nMessage, AFX_REGISTERED_MESSAGE);
    const UINT changing = ::RegisterWindowMessageW(L"AFX_WM_CHANGING_ACTIVE_TAB");
    EXPECT_EQ(*map->lpEntries[77].pRegisteredMessage, changing);
    EXPECT_NE(first->FindMessageEntry(changing), nullptr);
    EXPECT_EQ(first->SendMessage(changing, 0, 0), 0);
    // A late command entry answers on the command route: 2045 is handled and does nothing.
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(first->OnCmdMsg(2045, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(first->OnCmdMsg(3499, CN_COMMAND, nullptr, &info));
    EXPECT_FALSE(first->OnCmdMsg(3500, CN_COMMAND, nullptr, &info) && info.pTarget == first);
}

TEST_F(MainFrameLifetime, ApplicationActivationFlagsTheDocumentAndDrivesThe3DMouse) {
    first->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(CKVSpaceballDeviceManager::Instance().IsActive());
    EXPECT_EQ(UIModuleProxy::Instance().GetApplicationDeactivationCount(), 0);
    first->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(CKVSpaceballDeviceManager::Instance().IsActive());
    EXPECT_EQ(UIModuleProxy::Instance().GetApplicationDeactivationCount(), 1);
}

TEST_F(MainFrameLifetime, AClonedFrameSharesThePaneIconsAndTheTabLayoutAndIsLogged) {
    first->GetPaneManager().GetTabPaintManager()->SetLayout(xtpTabLayoutCompressed);
    const HWND other = s.kernel().newMainFrame();
    ASSERT_NE(other, nullptr);
    CMainFrame* clone = frameOf(other);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetPaneManager().GetImageManager(), first->GetPaneManager().GetImageManager());
    EXPECT_EQ(clone->GetPaneManager().GetTabPaintManager()->GetLayout(), xtpTabLayoutCompressed);
    EXPECT_GE(indexOf(logs(s), L"2 Cloned main frame in "), 0);
    EXPECT_EQ(clone->GetMenuBar()->GetControls()->GetCount(), first->GetMenuBar()->GetControls()->GetCount());

    // Closing the clone leaves the first frame's icons alive.
    s.user().close(other);
    s.runUntilIdle();
    first->GetPaneManager().GetImageManager()->SetIcon(811, 16);
    EXPECT_NE(first->GetPaneManager().GetImageManager()->Lookup(811, 16), nullptr);
}

// Without a document window a clone opens its documents as the kernel session says; with one, as
// that window is.
TEST_F(MainFrameLifetime, AClonesMaximisedDocumentsFollowTheSessionWithoutADocumentWindow) {
    for (const bool maximize : {false, true}) {
        GlobalContainer::SetMaximizeMdi(maximize);
        const auto state = first->SaveStateForClone();
        EXPECT_EQ(state->maximizeMdi, maximize);
        EXPECT_TRUE(state->workbook);
        ASSERT_NE(state->menuBar, nullptr);
        EXPECT_EQ(state->menuBar->children().size(), static_cast<std::size_t>(first->GetMenuBar()->GetControls()->GetCount()));
    }
    GlobalContainer::SetMaximizeMdi(false);
    s.kernel().writeDocumentFile(L"C:\\Work\\first.grb");
    s.user().dde(L"[open(\"C:\\Work\\first.grb\")]");
    s.runUntilIdle();
    BOOL maximized = FALSE;
    ASSERT_NE(first->MDIGetActive(&maximized), nullptr);
    EXPECT_EQ(first->SaveStateForClone()->maximizeMdi, maximized != FALSE);
}

TEST_F(MainFrameLifetime, ActivatingAnotherFrameShowsItsPropertiesPaneAgainUnlessClosed) {
    CMainFrame* second = frameOf(s.kernel().newMainFrame());
    ASSERT_NE(second, nullptr);
    CKVDockingPaneManager& panes = first->GetPaneManager();
    CXTPDockingPane* properties = panes.FindPane(1007);  // the first frame starts with it open
    ASSERT_NE(properties, nullptr);
    panes.HidePane(properties);
    first->ActivateFrame();
    s.runUntilIdle();
    EXPECT_EQ(UIModuleProxy::Instance().GetActiveMainFrame(), first);
    EXPECT_EQ(properties->GetState(), xtpPaneDocked);
    EXPECT_EQ(first->GetLayoutLockCount(), 0);
    EXPECT_EQ(second->GetLayoutLockCount(), 0);

    panes.ClosePane(properties);
    second->ActivateFrame();
    first->ActivateFrame();
    s.runUntilIdle();
    EXPECT_TRUE(properties->IsClosed());
}

TEST_F(MainFrameLifetime, ADocumentWindowMovesToAnotherFrameWithItsContents) {
    CMainFrame* second = frameOf(s.kernel().newMainFrame());
    ASSERT_NE(second, nullptr);
    auto* child = new CMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, L"a.grb", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, first));
    CWnd content;
    ASSERT_TRUE(content.Create(L"STATIC", L"view", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, child, AFX_IDW_PANE_FIRST));
    const HWND oldWindow = child->GetSafeHwnd();
    EXPECT_EQ(first->MDIGetActive(), child);

    ASSERT_TRUE(second->AttachChildFrame(child));
    EXPECT_FALSE(::IsWindow(oldWindow));
    EXPECT_EQ(child->GetMDIFrame(), second);
    EXPECT_EQ(::GetParent(content.GetSafeHwnd()), child->GetSafeHwnd());
    EXPECT_EQ(second->MDIGetActive(), child);
    EXPECT_EQ(first->MDIGetActive(), nullptr);
    CString title;
    child->GetWindowText(title);
    EXPECT_EQ(title, CString(L"a.grb"));
    // Moving it to the frame it is in changes nothing.
    const HWND now = child->GetSafeHwnd();
    ASSERT_TRUE(second->AttachChildFrame(child));
    EXPECT_EQ(child->GetSafeHwnd(), now);
    content.DestroyWindow();
}

TEST_F(MainFrameLifetime, DestructionRunsItsStepsOnceAndClosingBothFramesEndsTheProgram) {
    const HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    s.user().close(second);
    s.runUntilIdle();
    EXPECT_EQ(count(L"KVResetDialogCache()"), 1);
    EXPECT_EQ(count(L"KVNotifyMainFrameDestroyed(" + platform::core::handleText(second) + L")"), 1);
    EXPECT_EQ(s.inspect().mainFrames().size(), 1u);
    EXPECT_EQ(s.quit(), 0);
    EXPECT_EQ(count(L"KVResetDialogCache()"), 2);
    EXPECT_TRUE(s.inspect().mainFrames().empty());
}

}  // namespace
