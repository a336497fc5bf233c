// The slider control: its position is held to its range whoever sets it, and a user's drag tells
// the parent as the thumb moves and when it is let go, which a hidden or disabled slider never does.
#include "tests/platform/win32/win32_test_support.h"
#include "platform/win32/controls/trackbar.h"

namespace {

using namespace win32test;

TEST(Win32Slider, ThePositionStaysInItsRangeAndADragTellsTheParentInOrder) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    std::vector<std::pair<WORD, int>> told;
    const auto scrolls = onMessage(WM_HSCROLL, [&](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        told.emplace_back(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    });
    HWND slider = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(9)), nullptr, nullptr);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 100);
    SendMessageW(slider, TBM_SETPOS, TRUE, 250);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 100);
    // A narrower range pulls the position in with it.
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(10, 50));
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 50);
    SendMessageW(slider, TBM_SETPOS, TRUE, -3);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 10);
    EXPECT_TRUE(told.empty()) << "a program's own setting is no drag";

    EXPECT_EQ(SendMessageW(slider, TBM_USERDRAG, 37, 0), TRUE);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 37);
    const std::vector<std::pair<WORD, int>> expected{{TB_THUMBTRACK, 37}, {TB_THUMBPOSITION, 37}, {TB_ENDTRACK, 37}};
    EXPECT_EQ(told, expected);
    SendMessageW(slider, TBM_USERDRAG, 99, 0);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 50);

    told.clear();
    EnableWindow(slider, FALSE);
    EXPECT_EQ(SendMessageW(slider, TBM_USERDRAG, 20, 0), FALSE);
    EnableWindow(slider, TRUE);
    ShowWindow(slider, SW_HIDE);
    EXPECT_EQ(SendMessageW(slider, TBM_USERDRAG, 20, 0), FALSE);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 50);
    DestroyWindow(parent);
    expectNoFailures();
}

}  // namespace
