#include <gtest/gtest.h>

#include <vector>

#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::app;
using mfctest::MfcTest;

// A toolkit frame that records the controls its bars say were selected.
class SelectionFrame : public CXTPMDIFrameWnd {
public:
    std::vector<int> selected;
    afx_msg LRESULT OnControlSelected(WPARAM, LPARAM lParam) {
        selected.push_back(reinterpret_cast<CXTPControl*>(lParam)->GetID());
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelectionFrame, CXTPMDIFrameWnd)
    ON_MESSAGE(WM_USER + 9302, &SelectionFrame::OnControlSelected)
END_MESSAGE_MAP()

class BarsOfFrame : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame_ = new SelectionFrame;
        ASSERT_TRUE(frame_->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 800, 600}));
        app().m_pMainWnd = frame_;
        ASSERT_TRUE(frame_->InitCommandBars());
        bars_ = frame_->GetCommandBars();
        menu_ = bars_->SetMenu(L"Menu", 0);
        for (const int id : {57600, 57632, 59392}) menu_->GetControls()->Add(xtpControlPopup, id);
    }

    // A key as the user's keyboard sends it to the frame.
    BOOL key(UINT message, UINT virtualKey) {
        MSG msg{frame_->GetSafeHwnd(), message, virtualKey, 1};
        return bars_->PreTranslateFrameMessage(&msg);
    }
    BOOL altAlone() {
        key(WM_SYSKEYDOWN, VK_MENU);
        return key(WM_SYSKEYUP, VK_MENU);
    }

    SelectionFrame* frame_ = nullptr;
    CXTPCommandBars* bars_ = nullptr;
    CXTPMenuBar* menu_ = nullptr;
};

TEST_F(BarsOfFrame, PreviewHidesTheShownBarsAndShowsBackOnlyThoseStillThere) {
    CXTPToolBar* shown = bars_->Add(L"Shown", xtpBarTop);
    CXTPToolBar* hidden = bars_->Add(L"Hidden", xtpBarTop);
    CXTPToolBar* removed = bars_->Add(L"Removed", xtpBarTop);
    hidden->SetVisible(FALSE);
    bars_->OnSetPreviewMode(TRUE);
    bars_->OnSetPreviewMode(TRUE);  // already previewing: what it hid stays recorded
    EXPECT_TRUE(bars_->IsInPreviewMode());
    EXPECT_FALSE(menu_->IsVisible());
    EXPECT_FALSE(shown->IsVisible());
    bars_->Remove(removed);
    bars_->OnSetPreviewMode(FALSE);
    EXPECT_TRUE(menu_->IsVisible());
    EXPECT_TRUE(shown->IsVisible());
    EXPECT_FALSE(hidden->IsVisible());
    EXPECT_EQ(bars_->GetCount(), 3);
}

TEST_F(BarsOfFrame, AltAloneWalksTheMenuBarRoundItsShownControls) {
    menu_->GetControls()->GetAt(1)->SetVisible(FALSE);
    EXPECT_TRUE(altAlone());
    EXPECT_EQ(bars_->GetKeyboardBar(), menu_);
    EXPECT_TRUE(menu_->IsTrackingMode());
    EXPECT_TRUE(key(WM_KEYDOWN, VK_LEFT));   // round the start to the last shown control
    EXPECT_TRUE(key(WM_KEYDOWN, VK_RIGHT));  // and back round the end
    EXPECT_TRUE(key(WM_KEYDOWN, VK_END));
    EXPECT_EQ(frame_->selected, (std::vector<int>{57600, 59392, 57600, 59392}));
    // Another key leaves the mode and goes on to the frame.
    EXPECT_FALSE(key(WM_KEYDOWN, 'A'));
    EXPECT_EQ(bars_->GetKeyboardBar(), nullptr);
    EXPECT_EQ(menu_->GetSelected(), nullptr);
    EXPECT_FALSE(menu_->IsTrackingMode());
}

TEST_F(BarsOfFrame, AltWithAnotherKeyOrABarGoneEndsNoWhereStrange) {
    key(WM_SYSKEYDOWN, VK_MENU);
    key(WM_SYSKEYDOWN, 'F');
    EXPECT_FALSE(key(WM_KEYUP, VK_MENU));  // Alt+F is no Alt alone
    EXPECT_EQ(bars_->GetKeyboardBar(), nullptr);
    ASSERT_TRUE(altAlone());
    bars_->Remove(menu_);
    EXPECT_EQ(bars_->GetKeyboardBar(), nullptr);
    EXPECT_FALSE(key(WM_KEYDOWN, VK_RIGHT));
    // Without a bar to walk Alt takes nothing.
    EXPECT_FALSE(altAlone());
}

}  // namespace
