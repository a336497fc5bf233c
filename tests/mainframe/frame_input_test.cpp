// Input the frame looks at before any window has it: the wheel over a kernel window that takes it
// wherever the focus is, and the 3D mouse giving way to the user's buttons and keys.
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

// A kernel window in the frame: it may take the wheel and counts the 3D mouse's input it hears.
class KernelWindow : public CWnd, public IMouseWheelHandler {
public:
    bool OnMouseWheel(const MSG& message) override {
        wheels.push_back(static_cast<short>(HIWORD(message.wParam)));
        return takesWheel;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CKVSpaceballDeviceManager::GetMessageID()) ++deviceInput;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<int> wheels;
    bool takesWheel = true;
    int deviceInput = 0;
};

class FrameInput : public mainframetest::RunningFrameTest {
protected:
    void SetUp() override {
        mainframetest::RunningFrameTest::SetUp();
        ASSERT_TRUE(kernelWindow.Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 110},
                                        CWnd::FromHandle(window), 4711, nullptr));
        ::SetWindowPos(kernelWindow.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    void TearDown() override {
        if (kernelWindow.GetSafeHwnd()) kernelWindow.DestroyWindow();
    }
    KernelWindow kernelWindow;
};

TEST_F(FrameInput, TheWheelGoesToTheKernelWindowUnderTheCursorFirst) {
    ::SetFocus(window);
    ASSERT_FALSE(s.user().wheel(kernelWindow.GetSafeHwnd(), POINT{50, 50}, 120));
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.wheels, std::vector<int>{120}) << "the focus is the frame's, the cursor over the window";

    // The cursor elsewhere: the window under it takes no wheel, so nothing asks the kernel window.
    RECT client{};
    ::GetClientRect(window, &client);
    ASSERT_FALSE(s.user().wheel(window, POINT{client.right - 5, client.bottom - 5}, -120));
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.wheels.size(), 1u);

    // A window that leaves the wheel alone lets it go on to the focus.
    kernelWindow.takesWheel = false;
    ASSERT_FALSE(s.user().wheel(kernelWindow.GetSafeHwnd(), POINT{5, 5}, -240));
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.wheels, (std::vector<int>{120, -240}));
}

TEST_F(FrameInput, TheThreeDMouseGivesWayToWaitingButtonsAndKeys) {
    const UINT device = CKVSpaceballDeviceManager::GetMessageID();
    ASSERT_NE(device, 0u);
    ::PostMessageW(kernelWindow.GetSafeHwnd(), device, 0, 0);
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.deviceInput, 1) << "nothing waits: the device's input arrives";

    // A key waits behind it: the device's input is dropped, the key is not.
    ::PostMessageW(kernelWindow.GetSafeHwnd(), device, 0, 0);
    ::PostMessageW(kernelWindow.GetSafeHwnd(), WM_KEYUP, VK_SHIFT, 0);
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.deviceInput, 1);

    // So does a mouse button or the wheel.
    ::PostMessageW(kernelWindow.GetSafeHwnd(), device, 0, 0);
    ::PostMessageW(kernelWindow.GetSafeHwnd(), WM_LBUTTONUP, 0, 0);
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.deviceInput, 1);

    // A mouse move is no reason to drop it.
    ::PostMessageW(kernelWindow.GetSafeHwnd(), device, 0, 0);
    ::PostMessageW(kernelWindow.GetSafeHwnd(), WM_MOUSEMOVE, 0, 0);
    s.runUntilIdle();
    EXPECT_EQ(kernelWindow.deviceInput, 2);
}

}  // namespace
