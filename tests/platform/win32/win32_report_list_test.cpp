// The controls the add-on and support dialogs are made of: a report list keeps a text a column
// and tells its parent of every row whose state changes, check boxes included; a combo box keeps
// a value an item; a link tells its parent its address; a URL needs a scheme; the calendar
// writes the asctime form.
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

// Every WM_NOTIFY the test's windows hear goes to `handle`.
template <class Notice, class Handle>
auto onNotice(Handle handle) {
    return onMessage(WM_NOTIFY, [handle](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        handle(*reinterpret_cast<const Notice*>(lParam));
        return 0;
    });
}

HWND createList(HWND parent) {
    return CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
}

std::wstring cell(HWND list, int row, int column) {
    wchar_t buffer[64]{};
    LVITEMW item;
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void setCell(HWND list, int row, int column, const wchar_t* text) {
    LVITEMW item;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void setState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item;
    item.state = state;
    item.stateMask = mask;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

TEST(Win32ReportList, ColumnsKeepTheirOwnTextsAndWidths) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    HWND list = createList(parent);
    // Inserted out of order: a column placed before another moves it along.
    for (const auto& [at, width] : {std::pair{0, 40}, std::pair{1, 60}, std::pair{0, 120}}) {
        LVCOLUMNW column;
        column.mask = LVCF_WIDTH;
        column.cx = width;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&column));
    }
    LVITEMW row;
    row.mask = LVIF_TEXT;
    row.pszText = const_cast<wchar_t*>(L"Name");
    ASSERT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)), 0);
    setCell(list, 0, 2, L"Started");
    setCell(list, 0, 1, L"tool.dll");
    // Setting a later column never touches the first one's text.
    EXPECT_EQ(cell(list, 0, 0), L"Name");
    EXPECT_EQ(cell(list, 0, 1), L"tool.dll");
    EXPECT_EQ(cell(list, 0, 2), L"Started");
    EXPECT_EQ(cell(list, 0, 3), L"");
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 120);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 40);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), 60);
    DestroyWindow(parent);
}

TEST(Win32ReportList, EveryRowWhoseStateChangesIsToldAndARowLeftAsItWasIsNot) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    std::vector<std::string> changes;
    const auto notify = onNotice<NMLISTVIEW>([&](const NMLISTVIEW& notice) {
        if (notice.hdr.code == LVN_ITEMCHANGED)
            changes.push_back(std::to_string(notice.iItem) + ":" + std::to_string(notice.uOldState) + ">" +
                              std::to_string(notice.uNewState));
    });
    HWND list = createList(parent);
    for (int index = 0; index < 3; ++index) {
        LVITEMW row;
        row.iItem = index;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
    }
    setState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    setState(list, -1, 0, LVIS_SELECTED);  // only row 1 was selected
    setState(list, 2, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    EXPECT_EQ(changes, (std::vector<std::string>{"1:0>2", "1:2>0", "2:0>8192"}));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 2, LVIS_STATEIMAGEMASK), static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(2)));
    DestroyWindow(parent);
}

TEST(Win32ComboBox, EachItemKeepsItsValueAcrossDeletions) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 100, parent, nullptr, nullptr, nullptr);
    for (const wchar_t* text : {L"a", L"b", L"c"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    for (WPARAM index = 0; index < 3; ++index) SendMessageW(combo, CB_SETITEMDATA, index, static_cast<LPARAM>(100 + index));
    SendMessageW(combo, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 0, 0), 101);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 102);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 2, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 5, 1), CB_ERR);
    DestroyWindow(parent);
}

TEST(Win32Link, AClickAndEnterTellTheParentTheFirstLinksAddress) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    std::vector<std::wstring> told;
    const auto notify = onNotice<NMLINK>([&](const NMLINK& link) {
        told.push_back(std::to_wstring(static_cast<int>(link.hdr.code)) + L" " + link.item.szUrl);
    });
    HWND link = CreateWindowExW(0, WC_LINK, L"Write to <A HREF=\"mailto:a@b.c\">a@b.c</A> or <a href=\"x\">x</a>",
                                WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(5)),
                                nullptr, nullptr);
    SendMessageW(link, WM_LBUTTONUP, 0, 0);
    SendMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(link, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(told, (std::vector<std::wstring>{L"-2 mailto:a@b.c", L"-4 mailto:a@b.c"}));
    DestroyWindow(parent);
}

TEST(Win32Shell, OnlyASchemeOfTwoCharactersOrMoreMakesAUrl) {
    EXPECT_TRUE(PathIsURLW(L"https://www.velmora.example/support"));
    EXPECT_TRUE(PathIsURLW(L"mailto:a@b.c"));
    EXPECT_FALSE(PathIsURLW(L"C:\\Program Files"));  // a drive letter is no scheme
    EXPECT_FALSE(PathIsURLW(L"see https://x"));
    EXPECT_FALSE(PathIsURLW(L"www.velmora.example"));
    EXPECT_FALSE(PathIsURLW(nullptr));
}

TEST(Win32Calendar, TheAsctimeFormPadsTheDayAndRefusesASmallBuffer) {
    const __time64_t time = 1780304400 + 86400 * 3 + 5;  // Thursday 4 June 2026 09:00:05
    std::tm parts{};
    ASSERT_EQ(_localtime64_s(&parts, &time), 0);
    wchar_t text[32]{};
    ASSERT_EQ(_wasctime_s(text, 32, &parts), 0);
    EXPECT_STREQ(text, L"Thu Jun  4 09:00:05 2026\n");
    EXPECT_NE(_wasctime_s(text, 25, &parts), 0);
    EXPECT_GE(_time64(nullptr), 1780304400);
}

}  // namespace
