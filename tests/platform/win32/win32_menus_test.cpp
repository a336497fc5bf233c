// Menus as handles (items, check and enable states, sub-menus) and tracking, which the user agent
// answers; the window's own scroll bars; the built-in "BUTTON" class.
#include "platform/core/useragent.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;
using Events = std::vector<std::string>;

constexpr DWORD kInvalidMenuHandle = 1401;
constexpr DWORD kResourceNameNotFound = 1814;

std::wstring menuText(HMENU menu, UINT item, UINT flags) {
    wchar_t buffer[64] = L"?";
    GetMenuStringW(menu, item, buffer, 64, flags);
    return buffer;
}

TEST(Win32Menus, ItemsByPositionAndByCommandSearchingSubMenus) {
    HMENU sub = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(sub, MF_STRING, 201, L"&Inner"));
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 101, L"&Open"));
    ASSERT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, L"ignored"));
    ASSERT_TRUE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&More"));
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(menu, 0), 101u);
    EXPECT_EQ(GetMenuItemID(menu, 1), 0u) << "a separator";
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(-1)) << "a sub-menu";
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(-1)) << "past the end";
    EXPECT_EQ(GetMenuItemID(menu, -1), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu, 2), sub);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    EXPECT_EQ(menuText(menu, 1, MF_BYPOSITION), L"") << "separators keep no text";
    EXPECT_EQ(menuText(menu, 201, MF_BYCOMMAND), L"&Inner") << "found in the sub-menu";
    EXPECT_EQ(GetMenuStringW(menu, 101, nullptr, 0, MF_BYCOMMAND), 5) << "the length without a buffer";
    wchar_t small[3];
    EXPECT_EQ(GetMenuStringW(menu, 101, small, 3, MF_BYCOMMAND), 2);
    EXPECT_STREQ(small, L"&O") << "cut and terminated";
    EXPECT_EQ(GetMenuState(menu, 999, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYCOMMAND), static_cast<UINT>(-1)) << "separators have no command";

    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(sub)) << "a menu takes its sub-menus with it";
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    SetLastError(0);
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetLastError(), kInvalidMenuHandle);
    SetLastError(0);
    EXPECT_FALSE(AppendMenuW(menu, MF_STRING, 1, L"x"));
    EXPECT_EQ(GetLastError(), kInvalidMenuHandle);
    expectNoFailures();
}

TEST(Win32Menus, AMenuCannotContainItselfOrItsAncestors) {
    HMENU root = CreatePopupMenu();
    HMENU middle = CreatePopupMenu();
    HMENU leaf = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(middle), L"middle"));
    ASSERT_TRUE(AppendMenuW(middle, MF_POPUP, reinterpret_cast<UINT_PTR>(leaf), L"leaf"));
    EXPECT_FALSE(AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(root), L"self"));
    EXPECT_FALSE(AppendMenuW(leaf, MF_POPUP, reinterpret_cast<UINT_PTR>(root), L"loop"));
    EXPECT_FALSE(AppendMenuW(leaf, MF_POPUP, reinterpret_cast<UINT_PTR>(middle), L"loop"));
    EXPECT_EQ(GetMenuItemCount(leaf), 0);
    // A search by command must end even when nothing matches.
    EXPECT_EQ(CheckMenuItem(root, 4711, MF_CHECKED | MF_BYCOMMAND), static_cast<DWORD>(-1));
    EXPECT_FALSE(AppendMenuW(root, MF_POPUP, 0x12345, L"no menu"));
    EXPECT_TRUE(DestroyMenu(root));
    EXPECT_FALSE(IsMenu(leaf));
    expectNoFailures();
}

TEST(Win32Menus, CheckAndEnableReturnThePreviousStateAndRadioChecksOneOfARange) {
    HMENU menu = CreatePopupMenu();
    for (UINT id : {301u, 302u, 303u, 304u}) AppendMenuW(menu, MF_STRING, id, L"item");
    EXPECT_EQ(CheckMenuItem(menu, 301, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 301, MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_UNCHECKED | MF_BYPOSITION), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 9, MF_CHECKED | MF_BYPOSITION), static_cast<DWORD>(-1));

    EXPECT_EQ(EnableMenuItem(menu, 302, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 302, MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(menu, 999, MF_GRAYED), -1);
    EXPECT_EQ(GetMenuState(menu, 302, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);

    EXPECT_TRUE(CheckMenuRadioItem(menu, 302, 304, 303, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, 301, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED))
        << "outside the range: untouched";
    EXPECT_EQ(GetMenuState(menu, 303, MF_BYCOMMAND) & (MF_CHECKED | MFT_RADIOCHECK),
              static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK));
    EXPECT_TRUE(CheckMenuRadioItem(menu, 1, 3, 1, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(menu, 303, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(menu, 302, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_FALSE(CheckMenuRadioItem(menu, 302, 304, 999, MF_BYCOMMAND)) << "the item to check is not in the range";
    DestroyMenu(menu);
    expectNoFailures();
}

TEST(Win32Menus, TrackingAsksTheUserAgentAndOnlyWhatTheMenuOffersCanBeChosen) {
    HWND owner = createNamed("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 501, L"&Copy");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 502, L"&Paste");
    CheckMenuItem(menu, 501, MF_CHECKED);
    auto& agent = platform::core::userAgent();

    platform::core::TrackedMenuRequest seen;
    agent.expectTrackedMenu([&](const platform::core::TrackedMenuRequest& request) {
        seen = request;
        return 501u;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 501);
    EXPECT_EQ(seen.owner, owner);
    ASSERT_EQ(seen.items.size(), 2u);
    EXPECT_TRUE(seen.items[0].checked);
    EXPECT_TRUE(seen.items[1].greyed);
    takeEvents();
    EXPECT_TRUE(pumpAll().empty()) << "with TPM_RETURNCMD nothing is posted";

    // What the user cannot choose dismisses the menu and is a failure naming it, as for every menu.
    agent.expectTrackedMenu([](const platform::core::TrackedMenuRequest&) { return 502u; });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "greyed: dismissed";
    agent.expectTrackedMenu([](const platform::core::TrackedMenuRequest&) { return 777u; });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "not in the menu";
    EXPECT_EQ(platform::core::takeFailures().size(), 2u);

    // One queue of menu expectations: an answer given for any menu serves a Windows menu too.
    agent.expectPopupMenu(platform::core::MenuAnswer{platform::core::MenuAnswer::Kind::ChooseCaption, 0, L"Copy"});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 501);
    agent.expectPopupMenu(platform::core::MenuAnswer{});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "dismissed";

    const auto command = onMessage(WM_COMMAND, [](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        EXPECT_EQ(wParam, 501u);
        return 0;
    });
    agent.expectTrackedMenu([](const platform::core::TrackedMenuRequest&) { return 501u; });
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 0, 0, 0, owner, nullptr));
    EXPECT_TRUE(takeEvents().empty()) << "posted, not sent";
    pumpAll();
    EXPECT_EQ(takeEvents(), Events{"owner WM_COMMAND"});
    expectNoFailures();

    // Nobody expected this one: dismissed, and a failure naming it.
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
}

TEST(Win32Menus, ATrackedMenuTakesTheUsersNextMenuAnswerByIdOrCaptionInSubMenusToo) {
    HWND owner = createNamed("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 3450, L"&First frame");
    AppendMenuW(menu, MF_STRING, 600, L"&Close");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 606, L"Open containing &folder");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&Move");
    auto& agent = platform::core::userAgent();
    using Answer = platform::core::MenuAnswer;

    agent.expectPopupMenu(Answer{Answer::Kind::ChooseCaption, 0, L"First frame"});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 3450) << "a sub-menu's item by caption";
    agent.expectPopupMenu(Answer{Answer::Kind::ChooseId, 600, {}});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 600);
    agent.expectPopupMenu(Answer{Answer::Kind::Dismiss, 0, {}});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    expectNoFailures();
    // A greyed item or one the menu lacks is no choice a user has: dismissed, and a failure.
    agent.expectPopupMenu(Answer{Answer::Kind::ChooseId, 606, {}});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    agent.expectPopupMenu(Answer{Answer::Kind::ChooseCaption, 0, L"Move"});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "a sub-menu is not an item";
    EXPECT_EQ(platform::core::takeFailures().size(), 2u);
    // Every menu answer waits in one queue, whichever call registered it: the first given is the
    // first used.
    agent.expectPopupMenu(Answer{Answer::Kind::ChooseId, 600, {}});
    agent.expectTrackedMenu([](const platform::core::TrackedMenuRequest&) { return 3450u; });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 600);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 3450);
    expectNoFailures();
}

TEST(Win32Menus, TrackingABadMenuOrOwnerFailsBeforeAskingAnybody) {
    HWND owner = createNamed("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"One");
    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x4711), TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), kInvalidMenuHandle);
    DestroyWindow(owner);
    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(LoadMenuW(nullptr, 1), nullptr);
    EXPECT_EQ(GetLastError(), kResourceNameNotFound);
    expectNoFailures();  // nothing reached the user agent
}

TEST(Win32Menus, TheDocumentTabTemplateLoadsAsOnePopupWithSeparators) {
    HMENU menu = LoadMenuW(nullptr, 4014);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    HMENU tab = GetSubMenu(menu, 0);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(GetMenuItemID(tab, 0), 600u);
    EXPECT_EQ(GetMenuItemID(tab, 1), 0u);
    EXPECT_EQ(GetMenuItemID(tab, GetMenuItemCount(tab) - 1), 61217u);
    EXPECT_NE(LoadMenuW(nullptr, 4014), menu) << "every load is a menu of its own";
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(tab));
    expectNoFailures();
}

TEST(Win32ScrollBars, RangesPagesAndPositionsAreKeptConsistent) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW);
    HWND view = createNamed("view", WS_CHILD | WS_VISIBLE, top, 1, 0, RECT{0, 0, 200, 100});
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = -5;
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 0) << "below the range";
    info.fMask = SIF_POS;
    info.nPos = 95;
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 90) << "the last page still fits";

    // An inverted range is no range at all.
    info.fMask = SIF_RANGE;
    info.nMin = 50;
    info.nMax = 10;
    SetScrollInfo(view, SB_VERT, &info, TRUE);
    SCROLLINFO out;
    out.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(view, SB_VERT, &out));
    EXPECT_EQ(out.nMin, 0);
    EXPECT_EQ(out.nMax, 0);
    EXPECT_EQ(out.nPos, 0);
    EXPECT_EQ(GetWindowLongPtrW(view, GWL_STYLE) & WS_VSCROLL, 0) << "nothing to scroll: the bar goes";

    // The extremes of int do not overflow.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = INT_MIN;
    info.nMax = INT_MAX;
    info.nPage = 0xFFFFFFFFu;
    info.nPos = INT_MAX;
    SetScrollInfo(view, SB_HORZ, &info, TRUE);
    ASSERT_TRUE(GetScrollInfo(view, SB_HORZ, &out));
    EXPECT_LE(out.nPos, out.nMax);
    EXPECT_GE(out.nPos, out.nMin);

    platform::win32::setScrollTrackPosition(view, SB_VERT, 33);
    out.fMask = SIF_TRACKPOS;
    ASSERT_TRUE(GetScrollInfo(view, SB_VERT, &out));
    EXPECT_EQ(out.nTrackPos, 33);

    EXPECT_FALSE(GetScrollInfo(view, SB_VERT, nullptr));
    DestroyWindow(view);
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &info, TRUE), 0);
    EXPECT_FALSE(GetScrollInfo(view, SB_VERT, &out));
    EXPECT_FALSE(ShowScrollBar(view, SB_BOTH, TRUE));
    expectNoFailures();
}

TEST(Win32ScrollBars, ShowingABarShrinksTheClientAreaOnceAndSendsASize) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW);
    HWND view = createNamed("view", WS_CHILD | WS_VISIBLE, top, 1, 0, RECT{0, 0, 200, 100});
    takeEvents();
    EXPECT_TRUE(ShowScrollBar(view, SB_VERT, TRUE));
    EXPECT_EQ(takeEvents(), (Events{"view WM_NCCALCSIZE", "view WM_WINDOWPOSCHANGED", "view WM_SIZE"}));
    EXPECT_TRUE(ShowScrollBar(view, SB_VERT, TRUE));
    EXPECT_TRUE(takeEvents().empty()) << "already shown";
    RECT client;
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(ShowScrollBar(view, SB_BOTH, FALSE));
    GetClientRect(view, &client);
    EXPECT_EQ(client, (RECT{0, 0, 200, 100}));
    expectNoFailures();
}

HWND createButton(HWND parent, DWORD style, int id, const wchar_t* text = L"b") {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
}

TEST(Win32Buttons, AutomaticRadioButtonsShareTheCheckWithinTheirGroupOnly) {
    HWND dialog = createNamed("dialog", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND r1 = createButton(dialog, BS_AUTORADIOBUTTON | WS_GROUP, 1);
    HWND r2 = createButton(dialog, BS_AUTORADIOBUTTON, 2);
    HWND plain = createButton(dialog, BS_RADIOBUTTON, 3);
    HWND r4 = createButton(dialog, BS_AUTORADIOBUTTON | WS_GROUP, 4);  // the next group
    ASSERT_TRUE(r1 && r2 && plain && r4);
    SendMessageW(r4, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(plain, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(r1, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    SendMessageW(r2, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(SendMessageW(r2, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(SendMessageW(plain, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED))
        << "a radio button that is not automatic keeps its own check";
    EXPECT_EQ(SendMessageW(r4, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED)) << "another group";
    SendMessageW(r1, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(r2, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED))
        << "setting the check programmatically leaves the group alone";
    expectNoFailures();
}

TEST(Win32Buttons, ClicksNotifyTheParentOnlyWhenAUserCouldClick) {
    HWND dialog = createNamed("dialog", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND push = createButton(dialog, BS_PUSHBUTTON, 10, L"&OK");
    HWND box = createButton(dialog, BS_AUTOCHECKBOX, 11);
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    const auto command = onMessage(WM_COMMAND, [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        commands.emplace_back(wParam, lParam);
        return 0;
    });
    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(push, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED)) << "push buttons have no check";
    SendMessageW(push, BM_CLICK, 0, 0);
    SendMessageW(box, BM_CLICK, 0, 0);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED)) << "toggled twice";
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0], std::make_pair(MAKEWPARAM(10, BN_CLICKED), reinterpret_cast<LPARAM>(push)));
    EXPECT_EQ(commands[2].first, MAKEWPARAM(11, BN_CLICKED));

    commands.clear();
    EnableWindow(box, FALSE);
    SendMessageW(box, BM_CLICK, 0, 0);
    ShowWindow(push, SW_HIDE);
    SendMessageW(push, BM_CLICK, 0, 0);
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED)) << "nor toggled";
    wchar_t text[8];
    GetWindowTextW(push, text, 8);
    EXPECT_STREQ(text, L"&OK");
    expectNoFailures();
}

}  // namespace
