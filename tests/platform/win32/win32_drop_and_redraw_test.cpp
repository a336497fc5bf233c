#include <gtest/gtest.h>

#include "platform/faults.h"
#include "platform/mfc.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

class Win32DropAndRedraw : public MfcTest {};

TEST_F(Win32DropAndRedraw, AWindowHasOneDropTargetAndAcceptsFilesByItsStyle) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame"));
    COleDropTarget target;
    COleDropTarget other;
    EXPECT_TRUE(target.Register(frame));
    EXPECT_FALSE(other.Register(frame));  // one drop target per window
    EXPECT_EQ(::RegisterDragDrop(reinterpret_cast<HWND>(0x7fff0000), reinterpret_cast<IDropTarget*>(&other)),
              DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(::GetRegisteredDropTarget(frame->GetSafeHwnd()), reinterpret_cast<IDropTarget*>(&target));
    target.Revoke();
    EXPECT_EQ(::RevokeDragDrop(frame->GetSafeHwnd()), DRAGDROP_E_NOTREGISTERED);
    EXPECT_TRUE(other.Register(frame));

    ::DragAcceptFiles(frame->GetSafeHwnd(), TRUE);
    EXPECT_TRUE(frame->GetExStyle() & WS_EX_ACCEPTFILES);
    ::DragAcceptFiles(frame->GetSafeHwnd(), FALSE);
    EXPECT_FALSE(frame->GetExStyle() & WS_EX_ACCEPTFILES);
    const HWND window = frame->GetSafeHwnd();
    frame->DestroyWindow();
    EXPECT_EQ(::GetRegisteredDropTarget(window), nullptr);
}

TEST_F(Win32DropAndRedraw, RedrawingEverythingPaintsTheWindowAndItsChildrenAtOnce) {
    struct Painted : CWnd {
        int paints = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_PAINT) ++paints;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    };
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    Painted child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, frame, 1));
    runUntilIdle();
    child.paints = 0;
    EXPECT_TRUE(::RedrawWindow(frame->GetSafeHwnd(), nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME));
    EXPECT_EQ(child.paints, 1);
    // Regions are not built: asking for one is no quiet success.
    int region = 0;
    EXPECT_FALSE(::RedrawWindow(frame->GetSafeHwnd(), nullptr, &region, RDW_INVALIDATE));
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    child.DestroyWindow();
    frame->DestroyWindow();
}

TEST_F(Win32DropAndRedraw, AnArmedFaultFailsItsPointOnceAndOthersNever) {
    platform::faults::arm(L"Point 1");
    platform::faults::arm(L"Point 1");
    EXPECT_FALSE(platform::faultInjected(L"Point 2"));
    EXPECT_TRUE(platform::faultInjected(L"Point 1"));
    EXPECT_TRUE(platform::faultInjected(L"Point 1"));
    EXPECT_FALSE(platform::faultInjected(L"Point 1"));
}

}  // namespace
