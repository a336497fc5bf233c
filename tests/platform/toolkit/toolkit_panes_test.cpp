// Docking panes and their saved layouts, status-bar panes and the tab client: the states the
// shell saves and restores, the notifications it answers, and the edges of each list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

// A frame that answers pane notifications and may refuse actions.
class PanesSite : public CXTPMDIFrameWnd {
public:
    std::vector<std::pair<WPARAM, UINT>> notified;  // code, pane id
    int refuse = -1;                                 // an action to refuse

    afx_msg LRESULT OnPaneNotify(WPARAM code, LPARAM lParam) {
        if (code == XTP_DPN_ACTION) {
            auto* action = reinterpret_cast<XTP_DOCKINGPANE_ACTION*>(lParam);
            notified.emplace_back(code, action->pPane->GetID());
            if (static_cast<int>(action->action) == refuse) action->bCancel = TRUE;
        } else {
            notified.emplace_back(code, reinterpret_cast<CXTPDockingPane*>(lParam)->GetID());
        }
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PanesSite, CXTPMDIFrameWnd)
    ON_MESSAGE(XTPWM_DOCKINGPANE_NOTIFY, &PanesSite::OnPaneNotify)
END_MESSAGE_MAP()

// A manager whose panes are of the program's class and may refuse their saved values.
class ProgramPane : public CXTPDockingPane {
public:
    explicit ProgramPane(CXTPDockingPaneManager* manager) : CXTPDockingPane(manager) {}
    BOOL DoPropExchange(CXTPPropExchange* px) override {
        CXTPDockingPane::DoPropExchange(px);
        return !refuse;
    }
    bool refuse = false;
};

class ProgramPanes : public CXTPDockingPaneManager {
public:
    std::vector<int> created;  // types asked for
    CXTPDockingPane* OnCreatePane(int type, CXTPDockingPaneLayout* layout) override {
        created.push_back(type);
        (void)layout;
        return new ProgramPane(this);
    }
};

class ToolkitPanes : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame_ = new PanesSite;
        ASSERT_TRUE(frame_->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 800, 600}));
        mfctest::app().m_pMainWnd = frame_;
        ASSERT_TRUE(manager_.InstallDockingPanes(frame_));
    }
    void TearDown() override {
        frame_->DestroyWindow();
        MfcTest::TearDown();
    }
    // The layout a saved section holds, written the way a file holds it.
    struct Entry {
        int id;
        int state;
        int group;
    };
    static CString layoutXml(const std::vector<Entry>& entries) {
        CXTPPropExchangeXMLNode saved(FALSE, L"Layout");
        CXTPPropExchangeEnumeratorPtr items = saved.GetEnumerator(L"Pane");
        POSITION position = items->GetPosition(static_cast<DWORD>(entries.size()));
        for (Entry entry : entries) {
            CXTPPropExchange* item = items->GetNext(position);
            PX_Int(item, L"ID", entry.id);
            PX_Int(item, L"State", entry.state);
            PX_Int(item, L"Group", entry.group);
            int right = 150, bottom = 100;
            PX_Int(item, L"Right", right);
            PX_Int(item, L"Bottom", bottom);
        }
        return saved.SaveToString();
    }
    BOOL load(const CString& xml) {
        CXTPPropExchangeXMLNode loaded(TRUE, L"Layout");
        EXPECT_TRUE(loaded.LoadFromString(xml.view(), L"layout"));
        return manager_.DoPropExchange(&loaded);
    }

    PanesSite* frame_ = nullptr;
    ProgramPanes manager_;
};

TEST_F(ToolkitPanes, ALayoutRestoresStatesGroupsSelectionAndTheirOwnValuesMakingMissingPanes) {
    CXTPDockingPane* props = manager_.CreatePane(1, RECT{0, 0, 200, 300}, xtpPaneDockLeft);
    CXTPDockingPane* layers = manager_.CreatePane(2, RECT{0, 0, 200, 300}, xtpPaneDockLeft, props);
    CXTPDockingPane* output = manager_.CreatePane(3, RECT{0, 0, 400, 100}, xtpPaneDockBottom);
    CXTPDockingPane* tools = manager_.CreatePane(4, RECT{0, 0, 100, 100}, xtpPaneDockRight);
    props->SetTitle(L"Properties");
    output->SetTabCaption(L"Out");
    manager_.ShowPane(props, FALSE);  // selected in its group again
    manager_.ClosePane(output);
    manager_.HidePane(tools);
    manager_.FloatPane(layers, RECT{300, 300, 500, 500});

    CXTPPropExchangeXMLNode saved(FALSE, L"Layout");
    ASSERT_TRUE(manager_.DoPropExchange(&saved));
    const CString xml = saved.SaveToString();

    // Everything changes, one pane goes, another appears that the layout does not know.
    manager_.ShowPane(output, FALSE);
    manager_.ShowPane(tools, FALSE);
    manager_.DestroyPane(props);
    props = nullptr;
    manager_.CreatePane(9, RECT{}, xtpPaneDockTop);
    manager_.created.clear();
    ASSERT_TRUE(load(xml));

    EXPECT_EQ(manager_.created, (std::vector<int>{0})) << "only the missing pane is made";
    ASSERT_EQ(manager_.GetPaneList().size(), 4u);
    EXPECT_EQ(manager_.FindPane(9), nullptr) << "a pane the layout does not name goes";
    props = manager_.FindPane(1);
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(manager_.GetPaneList()[0], props) << "the layout's order";
    EXPECT_EQ(props->GetTitle(), CString(L"Properties"));
    EXPECT_EQ(props->GetState(), xtpPaneDocked);
    EXPECT_TRUE(props->IsSelected());
    EXPECT_EQ(layers->GetNeighbour(), nullptr) << "a floating pane has left its tab group";
    EXPECT_TRUE(layers->IsFloating());
    EXPECT_EQ(layers->GetFloatingRect().left, 300);
    EXPECT_TRUE(manager_.IsPaneClosed(3));
    EXPECT_EQ(output->GetTabCaption(), CString(L"Out"));
    EXPECT_TRUE(manager_.IsPaneHidden(4));
    EXPECT_EQ(tools->GetContainer(), nullptr);
    EXPECT_NE(props->GetContainer(), nullptr);
}

TEST_F(ToolkitPanes, AFileNamingAPaneTwiceOrGroupingPanesInALoopIsReadSafely) {
    // Pane 5 twice, 6 and 7 each in the other's group, 8 in its own, an entry without an id.
    ASSERT_TRUE(load(layoutXml({{5, xtpPaneDocked, 0},
                                {5, xtpPaneFloating, 0},
                                {6, xtpPaneDocked, 7},
                                {7, xtpPaneDocked, 6},
                                {8, xtpPaneDocked, 8},
                                {0, xtpPaneDocked, 0}})));
    ASSERT_EQ(manager_.GetPaneList().size(), 4u) << "one pane per id";
    EXPECT_EQ(manager_.FindPane(5)->GetState(), xtpPaneDocked) << "the first entry of an id counts";
    CXTPDockingPane* six = manager_.FindPane(6);
    CXTPDockingPane* seven = manager_.FindPane(7);
    EXPECT_TRUE(six->GetNeighbour() == nullptr || seven->GetNeighbour() == nullptr) << "no loop of groups";
    EXPECT_EQ(manager_.FindPane(8)->GetNeighbour(), nullptr);
    manager_.ShowPane(7, FALSE);  // walks the group: must end
    manager_.ShowPane(6, FALSE);
    EXPECT_TRUE(six->IsSelected());

    // A section that names no pane leaves the panes as they are; states outside the known ones
    // are clamped rather than trusted.
    ASSERT_TRUE(load(layoutXml({})));
    EXPECT_EQ(manager_.GetPaneList().size(), 4u);
    ASSERT_TRUE(load(layoutXml({{5, 42, 0}})));
    ASSERT_EQ(manager_.GetPaneList().size(), 1u);
    EXPECT_EQ(manager_.FindPane(5)->GetState(), xtpPaneFloating);
}

TEST_F(ToolkitPanes, APaneThatRefusesItsSavedValuesIsLeftOutOfTheLayout) {
    auto* refusing = static_cast<ProgramPane*>(manager_.CreatePane(11, RECT{}, xtpPaneDockLeft));
    manager_.CreatePane(12, RECT{}, xtpPaneDockLeft);
    refusing->SetTitle(L"Refusing");
    refusing->refuse = true;
    CXTPPropExchangeXMLNode saved(FALSE, L"Layout");
    ASSERT_TRUE(manager_.DoPropExchange(&saved));
    EXPECT_EQ(saved.SaveToString().Find(L"Refusing"), -1) << "its own values are not stored";
    EXPECT_NE(saved.SaveToString().Find(L"11"), -1) << "its place is";

    refusing->refuse = true;
    CXTPPropExchangeXMLNode reloaded(TRUE, L"Layout");
    ASSERT_TRUE(reloaded.LoadFromString(saved.SaveToString().view(), L"layout"));
    ASSERT_TRUE(manager_.DoPropExchange(&reloaded));
    EXPECT_NE(manager_.FindPane(12), nullptr);
}

TEST_F(ToolkitPanes, DestroyingAPaneKeepsTheOthersOfItsTabGroupTogether) {
    CXTPDockingPane* head = manager_.CreatePane(21, RECT{}, xtpPaneDockLeft);
    CXTPDockingPane* second = manager_.CreatePane(22, RECT{}, xtpPaneDockLeft, head);
    CXTPDockingPane* third = manager_.CreatePane(23, RECT{}, xtpPaneDockLeft, second);
    EXPECT_EQ(third->GetNeighbour(), head) << "joining a member joins its group";
    manager_.DestroyPane(head);
    EXPECT_EQ(second->GetNeighbour(), nullptr);
    EXPECT_EQ(third->GetNeighbour(), second);
    manager_.DestroyPane(head = nullptr);  // not a pane of the manager: nothing happens
    EXPECT_EQ(manager_.GetPaneList().size(), 2u);

    // Attaching follows the group to its head; a pane is never its own neighbour.
    CXTPDockingPane* lone = manager_.CreatePane(24, RECT{}, xtpPaneDockBottom);
    manager_.AttachPane(lone, third);
    EXPECT_EQ(lone->GetNeighbour(), second);
    EXPECT_EQ(lone->GetDirection(), xtpPaneDockLeft);
    manager_.AttachPane(second, lone);
    EXPECT_EQ(second->GetNeighbour(), nullptr) << "a head joined to its own member stays the head";
    manager_.AttachPane(lone, lone);
    EXPECT_EQ(lone->GetNeighbour(), second);
}

TEST_F(ToolkitPanes, AFloatedPaneLeavesItsGroupAndClosingTheSelectedPaneSelectsAnother) {
    CXTPDockingPane* head = manager_.CreatePane(41, RECT{}, xtpPaneDockLeft);
    CXTPDockingPane* second = manager_.CreatePane(42, RECT{}, xtpPaneDockLeft, head);
    CXTPDockingPane* third = manager_.CreatePane(43, RECT{}, xtpPaneDockLeft, head);
    CXTPDockingPane* fourth = manager_.CreatePane(44, RECT{}, xtpPaneDockLeft, head);
    EXPECT_TRUE(fourth->IsSelected());

    // Floating the head: it has a frame of its own; the others stay one group, one of them shown.
    manager_.ShowPane(head, FALSE);
    manager_.FloatPane(head, RECT{10, 10, 200, 200});
    EXPECT_EQ(head->GetNeighbour(), nullptr);
    EXPECT_TRUE(head->IsSelected());
    EXPECT_EQ(second->GetNeighbour(), nullptr) << "the next pane heads the group now";
    EXPECT_EQ(third->GetNeighbour(), second);
    EXPECT_EQ(fourth->GetNeighbour(), second);
    EXPECT_TRUE(second->IsSelected()) << "the tab after the floated one";

    // Closing the selected pane selects the next shown one, or the one before the last.
    manager_.ClosePane(second);
    EXPECT_FALSE(second->IsSelected());
    EXPECT_TRUE(third->IsSelected());
    manager_.ClosePane(fourth);
    EXPECT_TRUE(third->IsSelected()) << "closing a pane that was not selected changes nothing";
    manager_.ShowPane(fourth, FALSE);
    manager_.ClosePane(fourth);
    EXPECT_TRUE(third->IsSelected()) << "the one before the closed last tab";
    manager_.ClosePane(third);
    EXPECT_FALSE(third->IsSelected());
    int selected = 0;
    for (CXTPDockingPane* pane : manager_.GetPaneList()) selected += pane->IsSelected() ? 1 : 0;
    EXPECT_EQ(selected, 1) << "only the floating pane still shows";
}

// A floating pane is no part of its frame's window: it has a top-level window of its own, which
// the frame owns, on the screen where it was dropped; docked again, it is the frame's child.
TEST_F(ToolkitPanes, AFloatingPaneHasATopLevelWindowOfItsOwnThatTheFrameOwns) {
    CXTPDockingPane* pane = manager_.CreatePane(51, RECT{0, 0, 150, 100}, xtpPaneDockLeft);
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_CHILD, RECT{0, 0, 10, 10}, frame_, 5100));
    pane->Attach(&child);
    manager_.FloatPane(pane, RECT{300, 200, 600, 450});
    const HWND floating = pane->GetContainer();
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(::GetAncestor(floating, GA_ROOT), floating) << "a window of its own, not one of the frame's";
    EXPECT_EQ(::GetWindow(floating, GW_OWNER), frame_->GetSafeHwnd());
    EXPECT_TRUE(::IsWindowVisible(floating));
    EXPECT_EQ(::GetParent(child.GetSafeHwnd()), floating);
    EXPECT_EQ(::GetActiveWindow(), frame_->GetSafeHwnd()) << "floating leaves the frame active";
    RECT rect{};
    ::GetWindowRect(floating, &rect);
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.right, 600);
    EXPECT_EQ(rect.bottom, 450);

    manager_.ToggleDocking(pane);
    EXPECT_FALSE(::IsWindow(floating)) << "the floating window goes when the pane docks";
    ASSERT_NE(pane->GetContainer(), nullptr);
    EXPECT_EQ(::GetAncestor(pane->GetContainer(), GA_ROOT), frame_->GetSafeHwnd());
    EXPECT_EQ(::GetParent(child.GetSafeHwnd()), pane->GetContainer());
}

TEST_F(ToolkitPanes, AChildSharedByTwoManagersStaysWithThePaneThatShowsIt) {
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, RECT{}, frame_, 500));
    CXTPDockingPane* mine = manager_.CreatePane(51, RECT{}, xtpPaneDockLeft);
    mine->Attach(&child);
    EXPECT_TRUE(mine->HoldsChild());

    // Another frame's pane shows the same window, then closes: it takes the window while shown
    // and, closing, leaves alone what it no longer holds.
    auto* other = new PanesSite;
    ASSERT_TRUE(other->Create(nullptr, L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300}));
    ProgramPanes otherPanes;
    ASSERT_TRUE(otherPanes.InstallDockingPanes(other));
    CXTPDockingPane* theirs = otherPanes.CreatePane(51, RECT{}, xtpPaneDockLeft);
    theirs->Attach(&child);
    EXPECT_TRUE(theirs->HoldsChild());
    EXPECT_FALSE(mine->HoldsChild());
    mine->Attach(&child);  // shown here again
    otherPanes.ClosePane(theirs);
    EXPECT_TRUE(mine->HoldsChild()) << "closing a pane that does not hold the window leaves it shown";
    EXPECT_TRUE(child.IsWindowVisible());

    // Destroying a pane that holds the window keeps the window alive.
    manager_.DestroyPane(mine);
    EXPECT_TRUE(::IsWindow(child.GetSafeHwnd()));
    EXPECT_EQ(::GetParent(child.GetSafeHwnd()), manager_.GetSafeHwnd());
    child.DestroyWindow();
    other->DestroyWindow();
}

TEST_F(ToolkitPanes, TheSiteHearsEachActionOnceAndMayRefuseIt) {
    CXTPDockingPane* pane = manager_.CreatePane(31, RECT{}, xtpPaneDockLeft);
    frame_->notified.clear();
    // Shown already but still without a window: the site is asked for one again, as its owner
    // may have had none to give before. Once it holds a window, showing it again is no news.
    manager_.ShowPane(31, FALSE);
    ASSERT_EQ(frame_->notified.size(), 1u);
    EXPECT_EQ(frame_->notified.back(), (std::pair<WPARAM, UINT>{XTP_DPN_SHOWWINDOW, 31}));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, RECT{}, frame_, 501));
    pane->Attach(&child);
    frame_->notified.clear();
    manager_.ShowPane(31, FALSE);
    manager_.ShowPane(99, FALSE);  // no such pane
    EXPECT_TRUE(frame_->notified.empty());

    frame_->refuse = xtpPaneActionFloating;
    manager_.FloatPane(pane, RECT{10, 10, 100, 100});
    EXPECT_FALSE(pane->IsFloating());
    frame_->refuse = -1;
    manager_.ClosePane(pane);
    manager_.ClosePane(pane);  // closed already: not asked again
    manager_.HidePane(pane);   // a closed pane cannot be hidden
    EXPECT_EQ(frame_->notified.size(), 2u);
    manager_.FloatPane(pane, RECT{10, 10, 100, 100});
    EXPECT_TRUE(pane->IsFloating());
    EXPECT_NE(pane->GetContainer(), nullptr);
    EXPECT_EQ(frame_->notified.back(), (std::pair<WPARAM, UINT>{XTP_DPN_SHOWWINDOW, 31})) << "floating shows it";
    manager_.HidePane(pane);
    EXPECT_TRUE(pane->IsHidden());
    child.DestroyWindow();

    // A manager without a window makes and shows nothing.
    ProgramPanes idle;
    EXPECT_EQ(idle.CreatePane(1, RECT{}, xtpPaneDockLeft), nullptr);
    EXPECT_TRUE(idle.IsPaneClosed(1)) << "an unknown pane counts as closed";
    EXPECT_FALSE(idle.IsPaneHidden(1));
    EXPECT_FALSE(idle.InstallDockingPanes(nullptr));
}

// ---- Status bar ---------------------------------------------------------------------------------

class StatusSite : public CFrameWnd {
public:
    CXTPStatusBar* bar = nullptr;
    UINT removeOnUpdate = 0;
    afx_msg void OnUpdateFirst(CCmdUI* cmdUI) {
        if (removeOnUpdate) bar->RemoveIndicator(removeOnUpdate);
        cmdUI->SetText(L"first");
    }
    afx_msg void OnUpdateSecond(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(StatusSite, CFrameWnd)
    ON_UPDATE_COMMAND_UI(901, &StatusSite::OnUpdateFirst)
    ON_UPDATE_COMMAND_UI(902, &StatusSite::OnUpdateSecond)
END_MESSAGE_MAP()

TEST_F(ToolkitPanes, StatusPanesAreFoundByIdAndOutOfRangeIndexesDoNothing) {
    CXTPStatusBar status;
    ASSERT_TRUE(status.Create(frame_));
    EXPECT_FALSE(CXTPStatusBar().Create(nullptr));
    const UINT ids[] = {0, 901, 902};
    ASSERT_TRUE(status.SetIndicators(ids, 3));
    EXPECT_EQ(status.CommandToIndex(902), 2);
    EXPECT_EQ(status.CommandToIndex(903), -1);
    EXPECT_EQ(status.FindPane(903), nullptr);
    EXPECT_FALSE(status.SetPaneText(3, L"x"));
    EXPECT_FALSE(status.SetPaneText(-1, L"x"));
    EXPECT_EQ(status.GetPaneText(7), CString());
    status.SetPaneWidth(9, 10);
    status.SetPaneStyle(-2, SBPS_STRETCH);
    RECT rect{1, 1, 1, 1};
    status.GetItemRect(5, &rect);
    EXPECT_EQ(rect.right, 0);

    EXPECT_EQ(status.AddIndicator(904, 1)->GetID(), 904u);
    EXPECT_EQ(status.GetPane(1)->GetID(), 904u);
    EXPECT_EQ(status.AddIndicator(0, 99)->GetID(), 0u) << "separators may repeat";
    EXPECT_EQ(status.GetPaneCount(), 5);
    EXPECT_TRUE(status.RemoveIndicator(904));
    EXPECT_FALSE(status.RemoveIndicator(904));
    EXPECT_EQ(status.CommandToIndex(902), 2);
    status.FindPane(902)->SetWidth(-5);
    EXPECT_EQ(status.FindPane(902)->GetWidth(), 0);
    ASSERT_TRUE(status.SetIndicators(nullptr, 2));
    EXPECT_EQ(status.GetPaneCount(), 2);
    EXPECT_EQ(status.GetPane(1)->GetID(), 0u);
    status.RemoveAll();
    EXPECT_EQ(status.GetPaneCount(), 0);
    status.DestroyWindow();
}

TEST_F(ToolkitPanes, StretchingPanesShareTheRestEvenlyAndHiddenPanesTakeNoRoom) {
    CXTPStatusBar status;
    ASSERT_TRUE(status.Create(frame_));
    RECT client{};
    status.GetClientRect(&client);
    const int width = client.right - client.left;
    const UINT ids[] = {1, 2, 3, 4};
    status.SetIndicators(ids, 4);
    status.SetPaneStyle(0, SBPS_STRETCH);
    status.SetPaneStyle(2, SBPS_STRETCH);
    status.SetPaneWidth(1, 101);
    status.SetPaneWidth(3, 50);
    status.GetPane(3)->SetVisible(FALSE);
    RECT first{}, second{}, third{}, hidden{1, 1, 1, 1};
    status.GetItemRect(0, &first);
    status.GetItemRect(1, &second);
    status.GetItemRect(2, &third);
    status.GetItemRect(3, &hidden);
    const int spare = width - 101;
    EXPECT_EQ(first.right - first.left, spare / 2 + spare % 2) << "the first stretching pane takes the odd pixel";
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(third.left, second.right);
    EXPECT_EQ(third.right, width);
    EXPECT_EQ(hidden.right - hidden.left, 0);

    // Fixed panes wider than the bar leave the stretching ones nothing, not a negative width.
    status.SetPaneWidth(1, width + 300);
    status.GetItemRect(0, &first);
    EXPECT_EQ(first.right - first.left, 0);
    status.DestroyWindow();
}

TEST_F(ToolkitPanes, PaneTextsFollowTheRouteEvenWhenAHandlerRemovesAnIndicator) {
    auto* site = new StatusSite;
    ASSERT_TRUE(site->Create(nullptr, L"Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CXTPStatusBar status;
    site->bar = &status;
    ASSERT_TRUE(status.Create(site));
    const UINT ids[] = {901, 902, 903};
    status.SetIndicators(ids, 3);
    status.SetPaneText(2, L"kept");
    status.SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(status.GetPaneText(0), CString(L"first"));
    EXPECT_TRUE(status.GetPane(1)->GetStyle() & SBPS_DISABLED);
    EXPECT_EQ(status.GetPaneText(2), CString(L"kept")) << "nobody updates 903: its text stays";

    site->removeOnUpdate = 901;  // the handler removes the very pane it updates
    status.SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(status.CommandToIndex(901), -1);
    EXPECT_EQ(status.GetPaneCount(), 2);
    status.DestroyWindow();
    site->DestroyWindow();
}

// ---- Tab client ------------------------------------------------------------------------------------

// A workspace that refuses clicks on one window's tab and records closes.
class GuardedWorkspace : public CXTPTabManagerAtom {
public:
    using CXTPTabManagerAtom::CXTPTabManagerAtom;
    static inline HWND refused = nullptr;
    BOOL OnBeforeItemClick(CXTPTabManagerItem* item) override {
        return item && item->GetHandle() != refused ? TRUE : FALSE;
    }
};

class GuardedTabs : public CXTPTabClientWnd {
public:
    CWorkspace* CreateWorkspace() override { return new GuardedWorkspace(this); }
    CString GetItemText(CWnd* child) const override { return CString(L"[") + CXTPTabClientWnd::GetItemText(child) + CString(L"]"); }
};

TEST_F(ToolkitPanes, TabsFollowTheChildrenTheirActivationAndTheUsersClicks) {
    GuardedTabs tabs;
    tabs.ShowNewWindowItem(TRUE);
    ASSERT_TRUE(tabs.Attach(frame_));
    EXPECT_EQ(tabs.GetItemCount(), 0);
    EXPECT_EQ(tabs.GetSelectedItem(), -1);
    EXPECT_EQ(tabs.GetWorkspaceCount(), 0) << "no group without a tab";
    EXPECT_EQ(tabs.GetItemWindow(0), nullptr);

    auto* a = new CMDIChildWnd;
    ASSERT_TRUE(a->Create(nullptr, L"a.grb", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, frame_));
    auto* b = new CMDIChildWnd;
    ASSERT_TRUE(b->Create(nullptr, L"b.grb", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, frame_));
    ASSERT_EQ(tabs.GetWorkspaceCount(), 1);
    CXTPTabManagerAtom* group = tabs.GetWorkspace(0);
    ASSERT_EQ(group->GetItemCount(), 3);
    EXPECT_TRUE(group->GetItem(2)->IsNewWindowItem()) << "the new-window item stays last";
    EXPECT_EQ(group->GetItem(0)->GetCaption(), CString(L"[a.grb]"));
    EXPECT_EQ(group->GetSelectedItem()->GetHandle(), b->GetSafeHwnd());

    // The next tab goes right after the selected one when asked.
    a->MDIActivate();
    tabs.SetNextItemNextToActive();
    auto* c = new CMDIChildWnd;
    ASSERT_TRUE(c->Create(nullptr, L"c.grb", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, frame_));
    EXPECT_EQ(tabs.GetItemWindow(1), c->GetSafeHwnd());
    EXPECT_EQ(tabs.GetItemCount(), 3);

    // A refused click changes nothing; an accepted one activates the tab's window.
    a->MDIActivate();
    GuardedWorkspace::refused = b->GetSafeHwnd();
    group->ClickItem(group->FindItem(b->GetSafeHwnd()));
    EXPECT_EQ(frame_->MDIGetActive(), a);
    group->ClickItem(group->FindItem(c->GetSafeHwnd()));
    EXPECT_EQ(frame_->MDIGetActive(), c);
    group->ClickItem(nullptr);
    group->SetSelectedItem(group->GetItem(3));  // the new-window item is never selected
    EXPECT_EQ(frame_->MDIGetActive(), c);
    GuardedWorkspace::refused = nullptr;

    // Hit tests find the tab under the point; the close button closes the tab's window.
    tabs.Reposition();
    const RECT rect = group->FindItem(a->GetSafeHwnd())->GetRect();
    EXPECT_EQ(tabs.HitTest(POINT{rect.left + 1, rect.top + 1}), group->FindItem(a->GetSafeHwnd()));
    EXPECT_EQ(tabs.HitTest(POINT{-5, -5}), nullptr);
    auto& buttons = group->FindItem(a->GetSafeHwnd())->GetNavigateButtons();
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_LE(buttons[0].GetRect().right, rect.right);
    const HWND closing = a->GetSafeHwnd();
    group->OnNavigateButtonClick(&buttons[0]);
    runUntilIdle();
    EXPECT_FALSE(::IsWindow(closing));
    // The child went through its MDI client, so its tab is gone at once.
    EXPECT_EQ(tabs.GetItemCount(), 2) << "the closed window's tab went";
    b->MDIActivate();
    EXPECT_EQ(group->FindItem(b->GetSafeHwnd())->GetIndex(), 1) << "indexes follow";
    tabs.ShowNewWindowItem(FALSE);
    tabs.UpdateContents();
    EXPECT_EQ(group->GetItemCount(), 2);
    tabs.Detach();
    tabs.Detach();
}

TEST_F(ToolkitPanes, TabSettingsRoundTripAndBadValuesFallBack) {
    CXTPTabClientWnd tabs;
    tabs.SetTabPosition(xtpTabPositionBottom);
    tabs.SetFixedTabWidth(120);
    tabs.ShowNewWindowItem(TRUE);
    CXTPPropExchangeXMLNode saved(FALSE, L"Tabs");
    tabs.DoPropExchange(&saved);

    CXTPTabClientWnd restored;
    CXTPPropExchangeXMLNode loaded(TRUE, L"Tabs");
    ASSERT_TRUE(loaded.LoadFromString(saved.SaveToString().view(), L"tabs"));
    restored.DoPropExchange(&loaded);
    EXPECT_EQ(restored.GetTabPosition(), xtpTabPositionBottom);
    EXPECT_EQ(restored.GetFixedTabWidth(), 120);
    EXPECT_TRUE(restored.IsNewWindowItemShown());

    CXTPPropExchangeXMLNode wrong(FALSE, L"Tabs");
    int position = 9;
    PX_Int(&wrong, L"TabPosition", position);
    CXTPPropExchangeXMLNode wrongLoaded(TRUE, L"Tabs");
    ASSERT_TRUE(wrongLoaded.LoadFromString(wrong.SaveToString().view(), L"tabs"));
    restored.DoPropExchange(&wrongLoaded);
    EXPECT_EQ(restored.GetTabPosition(), xtpTabPositionTop);
    restored.DoPropExchange(nullptr);
}

}  // namespace

namespace {

RECT WindowRectIn(HWND window, HWND parent) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    POINT corner{0, 0};
    ::ClientToScreen(parent, &corner);
    return RECT{rect.left - corner.x, rect.top - corner.y, rect.right - corner.x, rect.bottom - corner.y};
}

bool Visible(HWND window) { return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

TEST_F(ToolkitPanes, DockedGroupsTakeTheirSidesAndShowTheSelectedPaneWithItsWindowBetweenCaptionAndTabs) {
    CXTPDockingPane* tree = manager_.CreatePane(1, RECT{0, 0, 200, 300}, xtpPaneDockLeft);
    CXTPDockingPane* props = manager_.CreatePane(2, RECT{0, 0, 200, 300}, xtpPaneDockLeft, tree);
    CXTPDockingPane* output = manager_.CreatePane(3, RECT{0, 0, 400, 100}, xtpPaneDockBottom);
    CXTPDockingPane* tools = manager_.CreatePane(4, RECT{0, 0, 100, 100}, xtpPaneDockRight);
    CXTPDockingPane* huge = manager_.CreatePane(5, RECT{0, 0, 5000, 100}, xtpPaneDockRight);
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame_->GetSafeHwnd(),
                                          nullptr, nullptr, nullptr);
    props->Attach(CWnd::FromHandle(window));
    frame_->RecalcLayout();
    RECT client{};
    frame_->GetClientRect(&client);
    const HWND site = frame_->GetSafeHwnd();

    // The left group: its selected pane (the last shown) over the group's room, the other hidden.
    const RECT left = WindowRectIn(props->GetContainer(), site);
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.right, 200);
    EXPECT_EQ(left.bottom, client.bottom);
    EXPECT_TRUE(Visible(props->GetContainer()));
    EXPECT_FALSE(Visible(tree->GetContainer()));
    EXPECT_EQ(WindowRectIn(tree->GetContainer(), site).right, 200);
    // Two groups on the right share its height; a side takes at most 40% of the width left.
    const RECT top = WindowRectIn(tools->GetContainer(), site), bottom = WindowRectIn(huge->GetContainer(), site);
    EXPECT_EQ(top.right, client.right);
    EXPECT_EQ(top.right - top.left, (client.right - 200) * 2 / 5);
    EXPECT_EQ(top.bottom, bottom.top);
    EXPECT_EQ(bottom.bottom, client.bottom);
    // The bottom group lies between the sides; the documents take what is left.
    const RECT low = WindowRectIn(output->GetContainer(), site);
    EXPECT_EQ(low.left, 200);
    EXPECT_EQ(low.right, top.left);
    EXPECT_EQ(low.bottom - low.top, 100);
    const RECT documents = WindowRectIn(frame_->m_hWndMDIClient, site);
    EXPECT_EQ(documents.left, 200);
    EXPECT_EQ(documents.right, top.left);
    EXPECT_EQ(documents.bottom, low.top);

    // The pane's window between the caption and the group's tabs, the tabs side by side.
    const RECT inner = WindowRectIn(window, props->GetContainer());
    EXPECT_EQ(inner.top, CXTPDockingPaneManager::kCaptionHeight);
    EXPECT_EQ(inner.bottom, left.bottom - left.top - CXTPDockingPaneManager::kTabHeight);
    const RECT first = manager_.GetTabRect(tree), second = manager_.GetTabRect(props);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(second.right, 200);
    EXPECT_EQ(second.top, inner.bottom);
    EXPECT_EQ(manager_.GetTabRect(output).right, 0) << "a group of one has no tabs";

    // Showing the other pane of the group swaps which container shows.
    manager_.ShowPane(tree, FALSE);
    EXPECT_TRUE(Visible(tree->GetContainer()));
    EXPECT_FALSE(Visible(props->GetContainer()));
    props->Detach();
    ::DestroyWindow(window);
}

// Counts its layouts.
class CountingSite : public PanesSite {
public:
    int layouts = 0;
    void RecalcLayout(BOOL notify = TRUE) override {
        ++layouts;
        PanesSite::RecalcLayout(notify);
    }
};

TEST_F(ToolkitPanes, PanesMadeInAHiddenFrameAreLaidOutOnceBeforeItShows) {
    auto* hidden = new CountingSite;
    ASSERT_TRUE(hidden->Create(nullptr, L"Hidden", WS_OVERLAPPEDWINDOW, RECT{0, 0, 800, 600}));
    CXTPDockingPaneManager panes;
    ASSERT_TRUE(panes.InstallDockingPanes(hidden));
    const int before = hidden->layouts;
    CXTPDockingPane* tree = panes.CreatePane(1, RECT{0, 0, 200, 300}, xtpPaneDockLeft);
    CXTPDockingPane* output = panes.CreatePane(2, RECT{0, 0, 400, 100}, xtpPaneDockBottom);
    panes.ShowPane(tree, FALSE);
    EXPECT_EQ(hidden->layouts, before) << "no layout per pane while nobody sees the frame";

    hidden->ShowWindow(SW_SHOW);
    EXPECT_EQ(hidden->layouts, before + 1);
    const HWND site = hidden->GetSafeHwnd();
    RECT client{};
    hidden->GetClientRect(&client);
    EXPECT_EQ(WindowRectIn(tree->GetContainer(), site).right, 200);
    EXPECT_EQ(WindowRectIn(tree->GetContainer(), site).bottom, client.bottom);
    EXPECT_EQ(WindowRectIn(output->GetContainer(), site).left, 200);
    EXPECT_EQ(WindowRectIn(output->GetContainer(), site).bottom, client.bottom);

    // Once shown, each change lays out at once.
    panes.ClosePane(output);
    EXPECT_EQ(hidden->layouts, before + 2);
    EXPECT_EQ(WindowRectIn(hidden->m_hWndMDIClient, site).bottom, client.bottom);
    hidden->DestroyWindow();
}
