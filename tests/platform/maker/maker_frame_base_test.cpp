#include <gtest/gtest.h>

#include <vector>

#include "platform/korvoui.h"

namespace {

class TestMainFrame : public Korvo::UI::MdiMainFrame {
public:
    TestMainFrame() = default;
};

std::vector<HWND> registeredHandles() {
    std::vector<HWND> handles;
    for (auto* frame : UIModuleProxy::Instance().GetMainFrames()) handles.push_back(frame->AsWindow()->GetSafeHwnd());
    return handles;
}

TEST(MakerFrameBase, MainFramesAreRegisteredFromCreationToDestruction) {
    auto* first = new TestMainFrame;  // frames delete themselves when their window goes
    auto* second = new TestMainFrame;
    EXPECT_TRUE(UIModuleProxy::Instance().GetMainFrames().empty());  // no window yet
    ASSERT_TRUE(second->Create(nullptr, L"Second"));
    ASSERT_TRUE(first->Create(nullptr, L"First"));
    const HWND secondHandle = second->GetSafeHwnd();
    const HWND firstHandle = first->GetSafeHwnd();
    EXPECT_EQ(registeredHandles(), (std::vector<HWND>{secondHandle, firstHandle}));
    EXPECT_EQ(UIModuleProxy::Instance().GetMainFrameOf(secondHandle), second);

    second->DestroyWindow();
    EXPECT_EQ(registeredHandles(), (std::vector<HWND>{firstHandle}));
    EXPECT_EQ(UIModuleProxy::Instance().GetActiveMainFrame(), nullptr);
    first->MakeActive();
    EXPECT_EQ(UIModuleProxy::Instance().GetActiveMainFrame(), first);
    first->DestroyWindow();
    EXPECT_TRUE(UIModuleProxy::Instance().GetMainFrames().empty());
}

TEST(MakerFrameBase, AFrameWhoseCreationFailsIsNeverRegistered) {
    class Refusing : public Korvo::UI::MdiMainFrame {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CREATE) return -1;
            return Korvo::UI::MdiMainFrame::WindowProc(message, wParam, lParam);
        }
    };
    auto* frame = new Refusing;
    EXPECT_FALSE(frame->Create(nullptr, L"Refused"));
    EXPECT_TRUE(UIModuleProxy::Instance().GetMainFrames().empty());
}

}  // namespace
