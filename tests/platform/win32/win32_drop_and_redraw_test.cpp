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

// The shell's drop block: the count, each path's length and text (cut to the buffer with its
// NUL), the point; an index past the end or a handle that is no block gives 0.
TEST_F(Win32DropAndRedraw, AShellDropCarriesItsPathsAndPointUntilFinished) {
    HDROP drop = ::CreateShellDrop({L"C:\\Work\\a.grb", L"C:\\Долгий путь\\b.grb"}, POINT{12, -3});
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(::DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0), 2u);
    EXPECT_EQ(::DragQueryFileW(drop, 1, nullptr, 0), 20u);
    wchar_t path[64] = {};
    EXPECT_EQ(::DragQueryFileW(drop, 0, path, 64), 13u);
    EXPECT_STREQ(path, L"C:\\Work\\a.grb");
    EXPECT_EQ(::DragQueryFileW(drop, 0, path, 5), 4u);
    EXPECT_STREQ(path, L"C:\\W");
    EXPECT_EQ(::DragQueryFileW(drop, 2, path, 64), 0u);
    POINT point{};
    EXPECT_TRUE(::DragQueryPoint(drop, &point));
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, -3);
    ::DragFinish(drop);
    EXPECT_EQ(::DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0), 0u);
    HDROP empty = ::CreateShellDrop({}, POINT{});
    EXPECT_EQ(::DragQueryFileW(empty, 0xFFFFFFFFu, nullptr, 0), 0u);
    ::DragFinish(empty);
}

// A block reason belongs to its window: replaced by a new one, gone with Destroy, refused for a
// window that is not there; the query says the size it needs first.
TEST_F(Win32DropAndRedraw, AShutdownBlockReasonIsKeptPerWindow) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame"));
    const HWND window = frame->GetSafeHwnd();
    DWORD size = 0;
    EXPECT_FALSE(::ShutdownBlockReasonQuery(window, nullptr, &size));
    EXPECT_TRUE(::ShutdownBlockReasonCreate(window, L"first"));
    EXPECT_TRUE(::ShutdownBlockReasonCreate(window, L"unsaved_changes"));
    ASSERT_TRUE(::ShutdownBlockReasonQuery(window, nullptr, &size));
    EXPECT_EQ(size, 16u);
    std::wstring reason(size, L'\0');
    DWORD small = 4;
    EXPECT_FALSE(::ShutdownBlockReasonQuery(window, reason.data(), &small));
    ASSERT_TRUE(::ShutdownBlockReasonQuery(window, reason.data(), &size));
    EXPECT_STREQ(reason.c_str(), L"unsaved_changes");
    EXPECT_TRUE(::ShutdownBlockReasonDestroy(window));
    EXPECT_FALSE(::ShutdownBlockReasonDestroy(window));
    EXPECT_FALSE(::ShutdownBlockReasonCreate(reinterpret_cast<HWND>(0x7fff0000), L"none"));
    EXPECT_EQ(::GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    frame->DestroyWindow();
}

// The window at a point is the deepest visible, enabled child there; a disabled child leaves
// its parent; outside every window there is none.
TEST_F(Win32DropAndRedraw, WindowFromPointFindsTheDeepestEnabledWindowThere) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 500, 400}));
    const HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, frame->GetSafeHwnd(),
                                         nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    EXPECT_EQ(::WindowFromPoint(POINT{rect.left + 5, rect.top + 5}), child);
    ::EnableWindow(child, FALSE);
    EXPECT_EQ(::WindowFromPoint(POINT{rect.left + 5, rect.top + 5}), frame->GetSafeHwnd());
    EXPECT_EQ(::WindowFromPoint(POINT{rect.right + 50, rect.bottom + 50}), frame->GetSafeHwnd());
    EXPECT_EQ(::WindowFromPoint(POINT{-5000, -5000}), nullptr);
    frame->DestroyWindow();
}

// The list box keeps its rows and one selection; a selection out of range clears it.
TEST_F(Win32DropAndRedraw, AListBoxKeepsItsRowsAndOneSelection) {
    const HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a.grb")), 0);
    EXPECT_EQ(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Gear.png")), 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(list, LB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETTEXTLEN, 1, 0), 8);
    wchar_t text[16] = {};
    ::SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Gear.png");
    EXPECT_EQ(::SendMessageW(list, LB_SETCURSEL, 5, 0), LB_ERR);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(::SendMessageW(list, LB_GETTEXT, 7, reinterpret_cast<LPARAM>(text)), LB_ERR);
    ::DestroyWindow(list);
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
