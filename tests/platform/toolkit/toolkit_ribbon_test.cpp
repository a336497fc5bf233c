// The ribbon as the shell walks and drives it: tabs and groups with their selection rules, which
// controls a user can reach, the context menu through the user agent, and the notifications the
// site and the ribbon hear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/useragent.h"
#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

// A ribbon that records its virtuals and may refuse a tab change.
class RecordingRibbon : public CXTPRibbonBar {
    DECLARE_DYNCREATE(RecordingRibbon)
public:
    std::vector<std::wstring> changed;
    std::vector<int> executed;
    CXTPRibbonTab* refuse = nullptr;

    BOOL OnTabChanging(CXTPRibbonTab* tab) override { return tab == refuse; }
    void OnTabChanged(CXTPRibbonTab* tab) override { changed.push_back(std::wstring(tab->GetCaption())); }
    void OnHookMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message == XTP_HOOK_CONTROLEXECUTED) executed.push_back(reinterpret_cast<CXTPControl*>(lParam)->GetID());
    }
};
IMPLEMENT_DYNCREATE(RecordingRibbon, CXTPRibbonBar)

class RibbonSite : public CFrameWnd {
public:
    std::vector<WPARAM> minimized;
    int systemMenus = 0;

    afx_msg LRESULT OnRibbonMinimize(WPARAM minimize, LPARAM) {
        minimized.push_back(minimize);
        return 0;
    }
    afx_msg LRESULT OnSystemMenu(WPARAM, LPARAM) {
        ++systemMenus;
        return 0;
    }
    afx_msg void OnCommandRange(UINT) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RibbonSite, CFrameWnd)
    ON_MESSAGE(XTPWM_RIBBONMINIMIZE, &RibbonSite::OnRibbonMinimize)
    ON_MESSAGE(WM_POPUPSYSTEMMENU, &RibbonSite::OnSystemMenu)
    ON_COMMAND_RANGE(800, 899, &RibbonSite::OnCommandRange)
END_MESSAGE_MAP()

class ToolkitRibbon : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        site_ = new RibbonSite;
        ASSERT_TRUE(site_->Create(nullptr, L"Site"));
        bars_.reset(CXTPCommandBars::CreateCommandBars(nullptr, site_));
        ribbon_ = static_cast<RecordingRibbon*>(bars_->Add(L"Ribbon", xtpBarTop, RUNTIME_CLASS(RecordingRibbon)));
        ASSERT_NE(ribbon_, nullptr);
    }
    void TearDown() override {
        bars_.reset();
        site_->DestroyWindow();
        MfcTest::TearDown();
    }
    static platform::core::MenuAnswer choose(int id) { return {platform::core::MenuAnswer::Kind::ChooseId, id, {}}; }
    void rightClick(POINT point) {
        ribbon_->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    }

    RibbonSite* site_ = nullptr;
    std::unique_ptr<CXTPCommandBars> bars_;
    RecordingRibbon* ribbon_ = nullptr;
};

TEST_F(ToolkitRibbon, TheFirstTabIsCurrentAndRemovingOrHidingItMovesTheSelectionToAVisibleTab) {
    EXPECT_EQ(ribbon_->GetCurrentTab(), nullptr);
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home", 1);
    CXTPRibbonTab* view = ribbon_->AddTab(L"View", 2);
    CXTPRibbonTab* first = ribbon_->AddTab(L"Start", 3, 0);  // before Home
    EXPECT_EQ(ribbon_->GetCurrentTab(), home);
    EXPECT_EQ(first->GetIndex(), 0);
    EXPECT_EQ(ribbon_->FindTab(2), view);
    EXPECT_EQ(ribbon_->FindTab(99), nullptr);
    EXPECT_EQ(ribbon_->GetTab(3), nullptr);
    EXPECT_EQ(ribbon_->GetTab(-1), nullptr);

    // Hiding the current tab selects the next visible one, else the one before it.
    first->SetVisible(FALSE);
    home->SetVisible(FALSE);
    EXPECT_EQ(ribbon_->GetCurrentTab(), view);
    view->SetVisible(FALSE);
    EXPECT_EQ(ribbon_->GetCurrentTab(), view) << "with no visible tab left the selection stays";
    view->SetVisible(TRUE);
    home->SetVisible(TRUE);
    EXPECT_EQ(ribbon_->changed, (std::vector<std::wstring>{L"View"}));

    // Removing the current tab falls back to the first visible one; removing outside the list
    // and removing the last tab leave nothing dangling.
    ribbon_->RemoveTab(7);
    ribbon_->RemoveTab(-1);
    ribbon_->RemoveTab(view->GetIndex());
    EXPECT_EQ(ribbon_->GetCurrentTab(), home);
    ribbon_->RemoveAllTabs();
    EXPECT_EQ(ribbon_->GetCurrentTab(), nullptr);
    EXPECT_EQ(ribbon_->GetTabCount(), 0);
}

TEST_F(ToolkitRibbon, OnlyVisibleTabsOfThisRibbonCanBeSelectedAndTheRibbonMayRefuse) {
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home");
    CXTPRibbonTab* view = ribbon_->AddTab(L"View");
    CXTPRibbonTab* hidden = ribbon_->AddTab(L"Hidden");
    hidden->SetVisible(FALSE);
    EXPECT_FALSE(ribbon_->SetCurrentTab(hidden));
    EXPECT_FALSE(ribbon_->SetCurrentTab(nullptr));
    CXTPRibbonBar stranger;
    CXTPRibbonTab* foreign = stranger.AddTab(L"Foreign");
    EXPECT_FALSE(ribbon_->SetCurrentTab(foreign));
    EXPECT_TRUE(ribbon_->SetCurrentTab(home)) << "the current tab again is no change";
    EXPECT_TRUE(ribbon_->changed.empty());

    ribbon_->refuse = view;
    EXPECT_FALSE(ribbon_->SetCurrentTab(view));
    EXPECT_EQ(ribbon_->GetCurrentTab(), home);
    ribbon_->refuse = nullptr;
    EXPECT_TRUE(ribbon_->SetCurrentTab(view));
    EXPECT_TRUE(view->IsSelected());
    EXPECT_FALSE(home->IsSelected());
    EXPECT_EQ(ribbon_->changed, (std::vector<std::wstring>{L"View"}));
}

TEST_F(ToolkitRibbon, GroupsHoldTheirControlsForTheRibbonAndLetGoOfItWhenRemoved) {
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home");
    CXTPRibbonGroup* draw = home->AddGroup(L"Draw", 10);
    CXTPRibbonGroup* edit = home->AddGroup(L"Edit", 11);
    CXTPControl* line = draw->Add(xtpControlButton, 801);
    EXPECT_EQ(line->GetParent(), ribbon_) << "group controls belong to the ribbon's bar";
    EXPECT_EQ(draw->GetRibbonBar(), ribbon_);
    EXPECT_EQ(edit->GetIndex(), 1);
    EXPECT_EQ(ribbon_->FindGroupOf(line), draw);
    EXPECT_EQ(home->GetGroup(2), nullptr);
    home->RemoveGroup(5);
    EXPECT_EQ(home->GetGroupCount(), 2);

    // A group somebody still holds after its removal no longer claims the ribbon or its tab.
    draw->InternalAddRef();
    home->RemoveGroup(0);
    EXPECT_EQ(edit->GetIndex(), 0);
    EXPECT_EQ(draw->GetParentTab(), nullptr);
    EXPECT_EQ(draw->GetIndex(), -1);
    EXPECT_EQ(draw->GetRibbonBar(), nullptr);
    EXPECT_EQ(line->GetParent(), nullptr);
    EXPECT_EQ(ribbon_->FindGroupOf(line), nullptr);
    EXPECT_FALSE(ribbon_->IsControlReachable(line));
    bars_.reset();  // the ribbon goes while the group lives on
    EXPECT_EQ(line->GetParent(), nullptr);
    line->OnExecute();  // nowhere to go, and no ribbon to reach
    draw->InternalRelease();
}

TEST_F(ToolkitRibbon, ReachableControlsAreThoseOfTheCurrentTabsVisibleGroupsTheQuickAccessBarAndTheRibbonItself) {
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home");
    CXTPRibbonTab* view = ribbon_->AddTab(L"View");
    CXTPRibbonGroup* draw = home->AddGroup(L"Draw");
    CXTPControl* line = draw->Add(xtpControlButton, 801);
    CXTPControl* zoom = view->AddGroup(L"Zoom")->Add(xtpControlButton, 802);
    CXTPControl* save = ribbon_->GetQuickAccessControls()->Add(xtpControlButton, 803);
    EXPECT_TRUE(ribbon_->IsControlReachable(line));
    EXPECT_FALSE(ribbon_->IsControlReachable(zoom)) << "another tab's control";
    EXPECT_TRUE(ribbon_->IsControlReachable(save));
    EXPECT_TRUE(ribbon_->IsControlReachable(ribbon_->GetSystemButton()));
    EXPECT_TRUE(ribbon_->IsControlReachable(ribbon_->GetControlTab()));
    EXPECT_FALSE(ribbon_->IsControlReachable(nullptr));

    draw->SetVisible(FALSE);
    EXPECT_FALSE(ribbon_->IsControlReachable(line));
    EXPECT_EQ(ribbon_->GetControlRect(line).right, 0);
    draw->SetVisible(TRUE);
    ribbon_->SetRibbonMinimized(TRUE);
    ribbon_->SetRibbonMinimized(TRUE);
    EXPECT_FALSE(ribbon_->IsControlReachable(line)) << "a minimised ribbon shows no groups";
    EXPECT_TRUE(ribbon_->IsControlReachable(save));
    ribbon_->SetRibbonMinimized(FALSE);
    EXPECT_EQ(site_->minimized, (std::vector<WPARAM>{TRUE, FALSE})) << "one notification per change";
    ribbon_->ShowQuickAccess(FALSE);
    EXPECT_FALSE(ribbon_->IsControlReachable(save));
    ribbon_->SetVisible(FALSE);
    EXPECT_FALSE(ribbon_->IsControlReachable(line));
}

TEST_F(ToolkitRibbon, HitTestsFollowTheLayoutOfVisibleGroupsAndControls) {
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home");
    CXTPRibbonGroup* empty = home->AddGroup(L"Empty");
    CXTPRibbonGroup* draw = home->AddGroup(L"Draw");
    CXTPControl* hidden = draw->Add(xtpControlButton, 801);
    hidden->SetVisible(FALSE);
    CXTPControl* circle = draw->Add(xtpControlButton, 802);
    const int top = CXTPRibbonBar::kCaptionHeight + CXTPRibbonBar::kTabRowHeight;
    const int emptyWidth = 2 * CXTPRibbonBar::kGroupPadding + CXTPRibbonBar::kControlWidth;
    EXPECT_EQ(ribbon_->GetGroupRect(empty).right, emptyWidth) << "an empty group is as wide as one control";
    const RECT rect = ribbon_->GetControlRect(circle);
    EXPECT_EQ(rect.left, emptyWidth + CXTPRibbonBar::kGroupPadding) << "hidden controls take no room";
    EXPECT_EQ(rect.top, top);

    XTPRibbonHitTest hit = ribbon_->HitTest(POINT{rect.left + 1, rect.top + 1});
    EXPECT_EQ(hit.code, xtpRibbonHitGroup);
    EXPECT_EQ(hit.group, draw);
    EXPECT_EQ(hit.control, circle);
    hit = ribbon_->HitTest(POINT{CXTPRibbonBar::kControlWidth + 5, CXTPRibbonBar::kCaptionHeight + 5});
    EXPECT_EQ(hit.code, xtpRibbonHitTabRow);
    EXPECT_EQ(hit.tab, home);
    hit = ribbon_->HitTest(POINT{5, CXTPRibbonBar::kCaptionHeight + 5});
    EXPECT_EQ(hit.control, ribbon_->GetSystemButton());
    hit = ribbon_->HitTest(POINT{1000, top + 5});
    EXPECT_EQ(hit.code, xtpRibbonHitGroupsArea);
    EXPECT_EQ(ribbon_->HitTest(POINT{-1, 5}).code, xtpRibbonHitNone);
    EXPECT_EQ(ribbon_->HitTest(POINT{ribbon_->GetRibbonWidth(), 5}).code, xtpRibbonHitNone);
    EXPECT_EQ(ribbon_->HitTest(POINT{5, top + CXTPRibbonBar::kGroupHeight}).code, xtpRibbonHitNone);
    ribbon_->RemoveAllTabs();
    EXPECT_EQ(ribbon_->HitTest(POINT{5, top + 5}).code, xtpRibbonHitNone) << "no tab, no groups";
}

TEST_F(ToolkitRibbon, TheContextMenuAddsAControlToQuickAccessOnceAndMinimisesTheRibbon) {
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home");
    CXTPControl* line = home->AddGroup(L"Draw")->Add(xtpControlButton, 801);
    line->SetCaption(L"Line");
    const RECT rect = ribbon_->GetControlRect(line);
    const POINT onLine{rect.left + 2, rect.top + 2};

    platform::core::userAgent().expectPopupMenu(choose(9606));
    rightClick(onLine);
    CXTPControls* quick = ribbon_->GetQuickAccessControls();
    ASSERT_EQ(quick->GetCount(), 1);
    EXPECT_NE(quick->GetAt(0), line) << "quick access gets a copy";
    EXPECT_EQ(quick->GetAt(0)->GetCaption(), CString(L"Line"));
    platform::core::userAgent().expectPopupMenu(choose(9606));
    rightClick(onLine);
    EXPECT_EQ(quick->GetCount(), 1) << "a command is on the quick-access bar once";

    // The copy's own menu has no "add" item; the tab row's neither.
    const RECT copyRect = ribbon_->GetControlRect(quick->GetAt(0));
    platform::core::userAgent().expectPopupMenu(choose(9606));
    rightClick(POINT{copyRect.left + 1, copyRect.top + 1});
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);

    platform::core::userAgent().expectPopupMenu(choose(9607));
    rightClick(POINT{CXTPRibbonBar::kControlWidth + 5, CXTPRibbonBar::kCaptionHeight + 5});
    EXPECT_TRUE(ribbon_->IsRibbonMinimized());
    EXPECT_EQ(site_->minimized, (std::vector<WPARAM>{TRUE}));

    // The caption row gets the frame's system menu, no menu of the ribbon's.
    const int closed = bars_->GetClosePopupsCount();
    rightClick(POINT{ribbon_->GetRibbonWidth() - 1, 5});
    EXPECT_EQ(site_->systemMenus, 1);
    EXPECT_EQ(bars_->GetClosePopupsCount(), closed + 1);
    bars_->SetCustomizeMode(TRUE);
    rightClick(onLine);  // no menu while customising: an unexpected menu would fail
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_EQ(line->GetRefCount(), 1) << "the menu's item let go of the control";
}

TEST_F(ToolkitRibbon, ExecutedControlsOfTheCommandBarsReachEveryRibbonAndTheBackstageOpensOnItsButton) {
    CXTPToolBar* standard = bars_->Add(L"Standard", xtpBarTop);
    ASSERT_NE(standard, nullptr);
    standard->GetControls()->Add(xtpControlButton, 810)->OnExecute();
    ribbon_->AddTab(L"Home")->AddGroup(L"Draw")->Add(xtpControlButton, 811)->OnExecute();
    EXPECT_EQ(ribbon_->executed, (std::vector<int>{810, 811}));

    auto* backstage = new CXTPRibbonBackstageView;
    backstage->AddTab(50, L"Info", nullptr);
    backstage->AddTab(51, L"Print", nullptr);
    ribbon_->GetSystemButton()->SetCommandBar(backstage);
    backstage->InternalRelease();
    EXPECT_FALSE(backstage->SetActiveTab(99));
    ribbon_->GetSystemButton()->OnExecute();
    EXPECT_TRUE(backstage->IsOpen());
    EXPECT_EQ(backstage->GetActiveTab(), 50) << "opens on its first tab";
    backstage->Close();
    backstage->Close();
    EXPECT_FALSE(backstage->IsOpen());
    EXPECT_TRUE(backstage->SetActiveTab(51));
    ribbon_->GetSystemButton()->SetEnabled(FALSE);
    ribbon_->GetSystemButton()->OnExecute();
    EXPECT_FALSE(backstage->IsOpen());
    backstage->RemoveAllTabs();
    EXPECT_EQ(backstage->GetDefaultItem(), -1);
}

TEST_F(ToolkitRibbon, TheMinimisedTabPopupCopiesTheGroupsWithoutTakingTheirControls) {
    CXTPRibbonTab* home = ribbon_->AddTab(L"Home");
    CXTPRibbonGroup* draw = home->AddGroup(L"Draw", 20);
    CXTPControl* line = draw->Add(xtpControlButton, 801);
    draw->Add(xtpControlButton, 802);
    home->AddGroup(L"Empty", 21);
    CXTPRibbonTabPopupToolBar* popup = ribbon_->CreateTabPopupToolBar(home);
    CXTPControls* groups = popup->GetControls();
    ASSERT_EQ(groups->GetCount(), 2);
    EXPECT_EQ(groups->GetAt(0)->GetCaption(), CString(L"Draw"));
    CXTPCommandBar* inner = groups->GetAt(0)->GetCommandBar();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->GetControls()->GetCount(), 2);
    EXPECT_NE(inner->GetControls()->GetAt(0), line);
    EXPECT_EQ(groups->GetAt(1)->GetCommandBar()->GetControls()->GetCount(), 0);
    EXPECT_EQ(line->GetControls(), draw->GetControls());
    popup->InternalRelease();
    ribbon_->CreateTabPopupToolBar(nullptr)->InternalRelease();
}

}  // namespace
