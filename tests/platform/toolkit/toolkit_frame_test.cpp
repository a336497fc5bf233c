#include <gtest/gtest.h>

#include <vector>

#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::app;
using mfctest::MfcTest;

// A toolkit MDI frame that records the docking-pane notifications and answers the status pane.
class PaneFrame : public CXTPMDIFrameWnd {
public:
    std::vector<std::pair<WPARAM, UINT>> notified;  // code, pane id
    bool refuseClose = false;

    afx_msg LRESULT OnPaneNotify(WPARAM code, LPARAM lParam) {
        if (code == XTP_DPN_ACTION) {
            auto* action = reinterpret_cast<XTP_DOCKINGPANE_ACTION*>(lParam);
            notified.emplace_back(code, action->pPane->GetID());
            if (action->action == xtpPaneActionClosed && refuseClose) action->bCancel = TRUE;
        } else {
            notified.emplace_back(code, reinterpret_cast<CXTPDockingPane*>(lParam)->GetID());
        }
        return TRUE;
    }
    afx_msg void OnUpdatePane(CCmdUI* cmdUI) { cmdUI->SetText(L"Ready"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaneFrame, CXTPMDIFrameWnd)
    ON_MESSAGE(XTPWM_DOCKINGPANE_NOTIFY, &PaneFrame::OnPaneNotify)
    ON_UPDATE_COMMAND_UI(59142, &PaneFrame::OnUpdatePane)
END_MESSAGE_MAP()

class ToolkitFrame : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame_ = new PaneFrame;
        ASSERT_TRUE(frame_->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 800, 600}));
        app().m_pMainWnd = frame_;
    }

    PaneFrame* frame_ = nullptr;
};

TEST_F(ToolkitFrame, TheLayoutStacksTopBarsAndKeepsTheStatusBarBelowTheClient) {
    ASSERT_TRUE(frame_->InitCommandBars());
    EXPECT_FALSE(frame_->InitCommandBars());  // one command bars per frame
    CXTPCommandBars* bars = frame_->GetCommandBars();
    CXTPMenuBar* menu = bars->SetMenu(L"Menu", 0);
    ASSERT_NE(menu, nullptr);
    menu->GetControls()->Add(xtpControlPopup, 57600)->SetCaption(L"&File");
    CXTPToolBar* standard = bars->Add(L"Standard", xtpBarTop);
    standard->GetControls()->Add(xtpControlButton, 100);
    CXTPToolBar* empty = bars->Add(L"Empty", xtpBarTop);  // no controls: no room
    CXTPToolBar* hidden = bars->Add(L"Hidden", xtpBarTop);
    hidden->GetControls()->Add(xtpControlButton, 101);
    hidden->SetVisible(FALSE);
    auto* status = new CXTPStatusBar;
    ASSERT_TRUE(status->Create(frame_));
    const UINT indicators[] = {0, 59142, 59137};
    status->SetIndicators(indicators, 3);
    status->SetPaneStyle(0, SBPS_STRETCH);
    status->SetPaneWidth(1, 100);
    status->SetPaneWidth(2, 50);
    frame_->RecalcLayout();

    RECT client{}, bar{}, mdi{}, statusRect{};
    frame_->GetClientRect(&client);
    ::GetWindowRect(standard->GetSafeHwnd(), &bar);
    ::GetWindowRect(frame_->m_hWndMDIClient, &mdi);
    ::GetWindowRect(status->GetSafeHwnd(), &statusRect);
    EXPECT_EQ(bar.bottom - bar.top, CXTPMDIFrameWnd::kBarHeight);
    EXPECT_EQ(bar.right - bar.left, standard->GetContentSize().cx) << "as wide as its controls";
    RECT emptyRect{};
    ::GetWindowRect(empty->GetSafeHwnd(), &emptyRect);
    EXPECT_EQ(emptyRect.right - emptyRect.left, 0);
    EXPECT_EQ(mdi.top, bar.bottom);  // two visible bars: menu, standard
    EXPECT_EQ(mdi.bottom, statusRect.top);
    EXPECT_EQ(mdi.bottom - mdi.top, client.bottom - 2 * CXTPMDIFrameWnd::kBarHeight - CXTPStatusBar::kHeight);
    // A control that comes later: the bar's next update pass has the frame place it again.
    const LONG width = bar.right - bar.left;
    standard->GetControls()->Add(xtpControlButton, 102);
    standard->OnIdleUpdateCmdUI();
    ::GetWindowRect(standard->GetSafeHwnd(), &bar);
    EXPECT_EQ(bar.right - bar.left, width + CXTPCommandBar::DefaultButtonSize().cx);

    // Stretching panes take what the fixed ones leave; the route gives pane texts.
    RECT first{}, second{};
    status->GetItemRect(0, &first);
    status->GetItemRect(1, &second);
    EXPECT_EQ(first.right - first.left, client.right - 150);
    EXPECT_EQ(second.left, first.right);
    status->SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(status->GetPaneText(1), CString(L"Ready"));
    EXPECT_EQ(status->AddIndicator(59137), nullptr);  // already there
    frame_->DestroyWindow();
    delete status;
}

TEST_F(ToolkitFrame, PanesMoveTheirChildIntoAContainerWhileShownAndTellTheSite) {
    CXTPDockingPaneManager manager;
    EXPECT_EQ(manager.CreatePane(1, RECT{0, 0, 200, 120}, xtpPaneDockLeft), nullptr);  // not installed
    ASSERT_TRUE(manager.InstallDockingPanes(frame_));
    CXTPDockingPane* first = manager.CreatePane(1007, RECT{0, 0, 200, 120}, xtpPaneDockLeft);
    ASSERT_NE(first, nullptr);
    first->SetTitle(L"Properties");
    CXTPDockingPane* second = manager.CreatePane(1004, RECT{0, 0, 200, 120}, xtpPaneDockLeft, first);
    EXPECT_EQ(manager.CreatePane(1004, RECT{}, xtpPaneDockLeft), nullptr);
    EXPECT_EQ(second->GetNeighbour(), first);
    EXPECT_TRUE(second->IsSelected());
    EXPECT_FALSE(first->IsSelected());

    CWnd child;
    ASSERT_TRUE(child.Create(L"STATIC", L"content", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, frame_, 77));
    first->Attach(&child);
    EXPECT_EQ(::GetParent(child.GetSafeHwnd()), first->GetContainer());
    CString title;
    ::GetWindowTextW(first->GetContainer(), title.GetBuffer(32), 32);
    title.ReleaseBuffer();
    EXPECT_EQ(title, CString(L"Properties"));

    frame_->refuseClose = true;
    manager.ClosePane(1007);
    EXPECT_FALSE(first->IsClosed());
    frame_->refuseClose = false;
    manager.ClosePane(1007);
    EXPECT_TRUE(manager.IsPaneClosed(1007));
    EXPECT_EQ(first->GetContainer(), nullptr);
    EXPECT_EQ(::GetParent(child.GetSafeHwnd()), manager.GetSafeHwnd());
    EXPECT_FALSE(::IsWindowVisible(child.GetSafeHwnd()));

    manager.ShowPane(1007, FALSE);
    EXPECT_EQ(::GetParent(child.GetSafeHwnd()), first->GetContainer());
    EXPECT_TRUE(first->IsSelected());
    EXPECT_EQ(frame_->notified, (std::vector<std::pair<WPARAM, UINT>>{{XTP_DPN_SHOWWINDOW, 1007},
                                                                       {XTP_DPN_SHOWWINDOW, 1004},
                                                                       {XTP_DPN_ACTION, 1007},
                                                                       {XTP_DPN_ACTION, 1007},
                                                                       {XTP_DPN_SHOWWINDOW, 1007}}));
    manager.DetachChildren();
    EXPECT_EQ(first->GetChild(), nullptr);
    frame_->DestroyWindow();
}

TEST_F(ToolkitFrame, TheTabClientMirrorsTheMdiChildren) {
    CXTPTabClientWnd tabs;
    ASSERT_TRUE(tabs.Attach(frame_));
    EXPECT_FALSE(tabs.Attach(frame_));
    EXPECT_EQ(tabs.GetSafeHwnd(), frame_->m_hWndMDIClient);
    auto* a = new CMDIChildWnd;
    ASSERT_TRUE(a->Create(nullptr, L"a.grb", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, frame_));
    auto* b = new CMDIChildWnd;
    ASSERT_TRUE(b->Create(nullptr, L"b.grb", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, frame_));
    EXPECT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.GetItemText(CWnd::FromHandle(tabs.GetItemWindow(0))), CString(L"a.grb"));
    EXPECT_EQ(tabs.GetSelectedItem(), 1);
    a->MDIActivate();
    EXPECT_EQ(tabs.GetSelectedItem(), 0);
    tabs.Detach();
    EXPECT_EQ(tabs.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(::IsWindow(frame_->m_hWndMDIClient));
    EXPECT_EQ(frame_->MDIGetActive(), a);  // the client still works on its own
    frame_->DestroyWindow();
}

}  // namespace
