// The list view as a report list a chooser shows: the row under the resting mouse is told to the
// owner once per change (never while a button is held, and again after the rows went), column
// titles are kept for reading back, extended styles change only the bits asked for, and a
// window keeps the visual theme it was given.
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

constexpr WPARAM kLeftButton = 0x0001;

HWND createReport(HWND parent) {
    return CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 200, 200,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
}

void addRow(HWND list, const wchar_t* text) {
    LVITEMW item;
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(text);
    ASSERT_GE(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
}

// The middle of row `row`, in the list's client coordinates.
LPARAM rowPoint(HWND list, int row) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    EXPECT_TRUE(SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)));
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

TEST(Win32ReportList, TheRestingMouseTellsTheOwnerOfEachNewRowUnderIt) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    std::vector<int> hot;
    const auto notify = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (notice->hdr.code == LVN_HOTTRACK) hot.push_back(notice->iItem);
        return 0;
    });
    HWND list = createReport(parent);
    addRow(list, L"first");
    addRow(list, L"second");
    SendMessageW(list, WM_MOUSEMOVE, 0, rowPoint(list, 1));
    SendMessageW(list, WM_MOUSEMOVE, 0, rowPoint(list, 1));  // the same row: no second notice
    SendMessageW(list, WM_MOUSEMOVE, 0, rowPoint(list, 0));
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(100, 190));  // below the rows
    EXPECT_EQ(hot, (std::vector<int>{1, 0, -1}));

    // A press held and moved is a drag, not a rest.
    SendMessageW(list, WM_LBUTTONDOWN, kLeftButton, rowPoint(list, 0));
    SendMessageW(list, WM_MOUSEMOVE, kLeftButton, rowPoint(list, 1));
    EXPECT_EQ(hot, (std::vector<int>{1, 0, -1}));
    SendMessageW(list, WM_LBUTTONUP, 0, rowPoint(list, 1));

    // The rows went: the row under the mouse is news again.
    SendMessageW(list, WM_MOUSEMOVE, 0, rowPoint(list, 0));
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    addRow(list, L"again");
    SendMessageW(list, WM_MOUSEMOVE, 0, rowPoint(list, 0));
    EXPECT_EQ(hot, (std::vector<int>{1, 0, -1, 0, 0}));
    DestroyWindow(parent);
}

TEST(Win32ReportList, ColumnTitlesExtendedStylesAndThemeAreKept) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    HWND list = createReport(parent);
    wchar_t title[] = L"Systems";
    LVCOLUMNW column;
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = title;
    EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)), 0);
    wchar_t read[4]{};
    LVCOLUMNW back;
    back.mask = LVCF_TEXT | LVCF_WIDTH;
    back.pszText = read;
    back.cchTextMax = 4;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&back)));
    EXPECT_EQ(std::wstring(read), L"Sys") << "cut to the buffer, terminated";
    EXPECT_EQ(back.cx, 150);
    EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&back))) << "no second column";

    EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER), 0);
    // Only the bits of the mask change.
    EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, 0),
              static_cast<LRESULT>(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER));
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), static_cast<LRESULT>(LVS_EX_FULLROWSELECT));

    // The theme is the window's, whatever its class; the window hears of each change.
    HWND themed = create("themed", WS_CHILD | WS_VISIBLE, parent);
    int themeNotices = 0;
    const auto changed = onMessage(WM_THEMECHANGED, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        ++themeNotices;
        return 0;
    });
    EXPECT_EQ(platform::win32::windowTheme(list), L"");
    EXPECT_EQ(SetWindowTheme(list, L"Explorer", nullptr), S_OK);
    EXPECT_EQ(platform::win32::windowTheme(list), L"Explorer");
    EXPECT_EQ(SetWindowTheme(themed, L"Explorer", nullptr), S_OK);
    EXPECT_EQ(SetWindowTheme(themed, nullptr, nullptr), S_OK);
    EXPECT_EQ(platform::win32::windowTheme(themed), L"");
    EXPECT_EQ(themeNotices, 2);
    EXPECT_EQ(SetWindowTheme(nullptr, L"Explorer", nullptr), E_FAIL);
    DestroyWindow(parent);
}

}  // namespace
