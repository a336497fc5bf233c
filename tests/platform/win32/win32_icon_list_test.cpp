// The list view as an icon list whose owner keeps the items: rows sorted by the owner's
// comparison, rows deleted one by one or all at once with the owner told of each after the row
// is gone, images asked of the owner only for rows in view, a label edited in place (kept only
// when the owner agrees), and a press that becomes a drag once the mouse moves far enough.
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

constexpr WPARAM kLeftButton = 0x0001;

struct Notices {
    std::vector<std::string> seen;
    std::vector<LPARAM> deleted;
    int imagesAsked = 0;
    LRESULT keepLabel = FALSE;
};

HWND createList(HWND parent, DWORD style = 0) {
    return CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON | style, 0, 0, 100, 57 * 3, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(9)), nullptr, nullptr);
}

void addRow(HWND list, const wchar_t* text, LPARAM value) {
    LVITEMW item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(text);
    item.iImage = I_IMAGECALLBACK;
    item.lParam = value;
    ASSERT_GE(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
}

std::wstring texts(HWND list) {
    std::wstring all;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        wchar_t buffer[64]{};
        LVITEMW item;
        item.pszText = buffer;
        item.cchTextMax = 64;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        all += std::wstring(buffer) + L";";
    }
    return all;
}

void pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

int byValueDescending(LPARAM first, LPARAM second, LPARAM) { return first > second ? -1 : first < second ? 1 : 0; }

TEST(Win32IconList, SortsByTheOwnersComparisonAndTellsOfEachDeletedRowOnceItIsGone) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    Notices notices;
    HWND list = nullptr;
    const auto notify = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == LVN_DELETEITEM) {
            const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
            notices.deleted.push_back(notice->lParam);
            // The row is already gone when its owner hears of it.
            notices.seen.push_back(std::to_string(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
        }
        return 0;
    });
    list = createList(parent);
    addRow(list, L"one", 1);
    addRow(list, L"three", 3);
    addRow(list, L"two", 2);
    ASSERT_TRUE(SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&byValueDescending)));
    EXPECT_EQ(texts(list), L"three;two;one;");

    LVFINDINFOW find;
    find.flags = LVFI_PARAM;
    find.lParam = 2;
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 1);
    find.lParam = 7;
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), -1);

    EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
    EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 5, 0));
    EXPECT_EQ(notices.deleted, (std::vector<LPARAM>{2}));
    EXPECT_EQ(notices.seen, (std::vector<std::string>{"2"}));
    EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(notices.deleted, (std::vector<LPARAM>{2, 3, 1}));
    EXPECT_EQ(notices.seen, (std::vector<std::string>{"2", "0", "0"}));
    DestroyWindow(parent);
}

TEST(Win32IconList, ImagesLeftToTheOwnerAreAskedOnlyForRowsInView) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    int asked = 0;
    const auto notify = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code != LVN_GETDISPINFOW) return 0;
        ++asked;
        info->item.iImage = static_cast<int>(info->item.lParam) * 10;
        return 0;
    });
    HWND list = createList(parent);
    for (int row = 0; row < 1000; ++row) addRow(list, L"row", row);
    EXPECT_EQ(platform::win32::listViewShownImage(list, 0), std::nullopt) << "never drawn";
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    pump();
    EXPECT_GT(asked, 0);
    EXPECT_LE(asked, 4) << "three rows are in view";
    EXPECT_EQ(platform::win32::listViewShownImage(list, 2), 20);
    EXPECT_EQ(platform::win32::listViewShownImage(list, 500), std::nullopt);
    EXPECT_EQ(platform::win32::listViewShownImage(list, 5000), std::nullopt);
    DestroyWindow(parent);
}

TEST(Win32IconList, ALabelEditEndsWhenItsBoxLosesTheFocusAndIsKeptOnlyWhenTheOwnerAgrees) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    std::vector<std::wstring> typed;
    LRESULT keep = FALSE;
    const auto notify = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
        if (info->hdr.code != LVN_ENDLABELEDITW) return 0;
        typed.push_back(info->item.pszText ? info->item.pszText : L"(cancelled)");
        return keep;
    });
    HWND plain = createList(parent);
    addRow(plain, L"fixed", 1);
    EXPECT_EQ(SendMessageW(plain, LVM_EDITLABELW, 0, 0), 0) << "labels of this list cannot be edited";

    HWND list = createList(parent, LVS_EDITLABELS);
    addRow(list, L"old", 1);
    EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, 4, 0), 0) << "no such row";
    auto edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0)), edit);
    SetWindowTextW(edit, L"new");
    SetFocus(list);
    pump();
    EXPECT_EQ(typed, (std::vector<std::wstring>{L"new"}));
    EXPECT_EQ(texts(list), L"old;") << "the owner did not agree";
    EXPECT_FALSE(IsWindow(edit));

    keep = TRUE;
    edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
    SetWindowTextW(edit, L"kept");
    SetFocus(list);
    pump();
    EXPECT_EQ(texts(list), L"kept;");
    DestroyWindow(parent);
}

TEST(Win32IconList, APressBecomesADragOnlyOnceTheMouseMovesFarEnough) {
    HWND parent = create("parent", WS_POPUP | WS_VISIBLE);
    std::vector<int> dragged;
    const auto notify = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (notice->hdr.code == LVN_BEGINDRAG) dragged.push_back(notice->iItem);
        return 0;
    });
    HWND list = createList(parent);
    addRow(list, L"a", 1);
    addRow(list, L"b", 2);
    SendMessageW(list, WM_LBUTTONDOWN, kLeftButton, MAKELPARAM(10, 60));
    SendMessageW(list, WM_MOUSEMOVE, kLeftButton, MAKELPARAM(12, 61));
    EXPECT_TRUE(dragged.empty()) << "a tremble of the hand";
    SendMessageW(list, WM_MOUSEMOVE, kLeftButton, MAKELPARAM(20, 61));
    SendMessageW(list, WM_MOUSEMOVE, kLeftButton, MAKELPARAM(30, 61));
    EXPECT_EQ(dragged, (std::vector<int>{1})) << "one drag per press";
    SendMessageW(list, WM_LBUTTONDOWN, kLeftButton, MAKELPARAM(10, 5));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));
    EXPECT_EQ(dragged, (std::vector<int>{1})) << "released before moving";
    DestroyWindow(parent);
}

}  // namespace
