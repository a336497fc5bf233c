// The list view's colours: the labels' text and the colour behind them start as the window's,
// each is kept as set (no colour behind the labels too) apart from the list's background, and a
// list gone answers nothing.
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

TEST(Win32ListColours, TextAndTextBackgroundAreKeptApartFromTheBackground) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 200, 200, parent, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(RGB(0x44, 0x44, 0x44))));
    EXPECT_TRUE(SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE)));
    EXPECT_TRUE(SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(1, 2, 3))));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), RGB(0x44, 0x44, 0x44));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)), CLR_NONE);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), RGB(1, 2, 3));
    DestroyWindow(list);
    EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), 0);
    DestroyWindow(parent);
}

}  // namespace
