#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::app;
using mfctest::MfcTest;

std::vector<std::string>& activations() {
    static std::vector<std::string> entries;
    return entries;
}

// Records the WM_MDIACTIVATE each child hears: "+name" when activated, "-name" when deactivated.
class NamedChild : public CMDIChildWnd {
public:
    explicit NamedChild(std::string name) : name_(std::move(name)) {}
    afx_msg LRESULT OnMdiActivate(WPARAM, LPARAM activated) {
        activations().push_back((reinterpret_cast<HWND>(activated) == m_hWnd ? "+" : "-") + name_);
        return Default();
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string name_;
};
BEGIN_MESSAGE_MAP(NamedChild, CMDIChildWnd)
    ON_MESSAGE(WM_MDIACTIVATE, &NamedChild::OnMdiActivate)
END_MESSAGE_MAP()

class MfcMdi : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        activations().clear();
        frame_ = new CMDIFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        app().m_pMainWnd = frame_;
    }
    NamedChild* child(const char* name, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
        auto* created = new NamedChild(name);
        EXPECT_TRUE(created->Create(nullptr, CString(name), style, CFrameWnd::rectDefault, frame_));
        return created;
    }

    CMDIFrameWnd* frame_ = nullptr;
};

TEST_F(MfcMdi, ChildrenLiveInTheClientAndTheLastCreatedIsActive) {
    NamedChild* a = child("a");
    NamedChild* b = child("b");
    EXPECT_EQ(::GetParent(a->m_hWnd), frame_->m_hWndMDIClient);
    EXPECT_TRUE(::GetWindowLongPtrW(a->m_hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(a->GetMDIFrame(), frame_);
    EXPECT_EQ(frame_->MDIGetActive(), b);
    EXPECT_EQ(frame_->GetActiveFrame(), b);
    EXPECT_EQ(activations(), (std::vector<std::string>{"+a", "-a", "+b"}));

    frame_->MDINext();
    EXPECT_EQ(frame_->MDIGetActive(), a);
    frame_->MDIActivate(a);  // already active: nothing is sent
    EXPECT_EQ(activations().size(), 5u);

    // Destroying the active child activates the next one.
    a->DestroyWindow();
    EXPECT_EQ(frame_->MDIGetActive(), b);
    b->MDIDestroy();
    EXPECT_EQ(frame_->MDIGetActive(), nullptr);
}

TEST_F(MfcMdi, OneMaximisedStateHoldsForEveryChild) {
    NamedChild* a = child("a");
    BOOL maximized = TRUE;
    EXPECT_EQ(frame_->MDIGetActive(&maximized), a);
    EXPECT_FALSE(maximized);
    frame_->MDIMaximize(a);
    EXPECT_TRUE(a->IsZoomed());
    NamedChild* b = child("b");
    EXPECT_EQ(frame_->MDIGetActive(&maximized), b);
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(b->IsZoomed());
    b->MDIRestore();
    EXPECT_FALSE(b->IsZoomed());
    EXPECT_EQ(frame_->MDIGetActive(&maximized), b);
    EXPECT_FALSE(maximized);
}

TEST_F(MfcMdi, AChildNeedsAnMdiFrame) {
    auto* plain = new CFrameWnd;
    ASSERT_TRUE(plain->Create(nullptr, L"Plain"));
    auto* orphan = new NamedChild("orphan");
    EXPECT_FALSE(orphan->Create(nullptr, L"Orphan", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, plain));
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    plain->DestroyWindow();
}

// Cascading and tiling restore a maximised child and arrange the shown, not minimised children:
// the active one last (on top) in a cascade, equal shares side by side or stacked when tiled.
TEST_F(MfcMdi, CascadeAndTileArrangeTheShownChildren) {
    NamedChild* a = child("a");
    NamedChild* b = child("b");
    NamedChild* hidden = child("hidden", WS_OVERLAPPEDWINDOW);
    b->MDIMaximize();
    const HWND client = frame_->m_hWndMDIClient;
    RECT area{};
    ::GetClientRect(client, &area);
    auto rectOf = [client](CWnd* window) {
        RECT rect{};
        window->GetWindowRect(&rect);
        ::ScreenToClient(client, reinterpret_cast<POINT*>(&rect.left));
        ::ScreenToClient(client, reinterpret_cast<POINT*>(&rect.right));
        return rect;
    };
    const RECT hiddenBefore = rectOf(hidden);
    EXPECT_TRUE(::SendMessageW(client, WM_MDICASCADE, 0, 0));
    EXPECT_FALSE(b->IsZoomed());
    EXPECT_EQ(rectOf(a).left, 0);
    EXPECT_GT(rectOf(b).left, 0) << "the active child comes last";
    EXPECT_EQ(rectOf(a).right - rectOf(a).left, (area.right - area.left) * 3 / 4);
    ::SendMessageW(client, WM_MDITILE, MDITILE_VERTICAL, 0);
    EXPECT_EQ(rectOf(a).right, rectOf(b).left);
    EXPECT_EQ(rectOf(b).right, area.right);
    ::SendMessageW(client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
    EXPECT_EQ(rectOf(a).bottom, rectOf(b).top);
    EXPECT_EQ(rectOf(a).right, area.right);
    const RECT hiddenAfter = rectOf(hidden);
    EXPECT_EQ(hiddenAfter.left, hiddenBefore.left);
    EXPECT_EQ(hiddenAfter.top, hiddenBefore.top);
}

}  // namespace
