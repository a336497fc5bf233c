// Relations and z-order, show and enable state with their messages, placement and window longs:
// the return values and last errors callers branch on, including for stale handles.
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;
using Events = std::vector<std::string>;

// The children of `parent` from the top of the z-order down.
std::vector<HWND> zOrder(HWND parent) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
    return out;
}

TEST(Win32ZOrder, InsertAfterPlacesAWindowAndItselfOrNoZOrderLeavesItWhereItIs) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND a = createNamed("a", WS_CHILD | WS_VISIBLE, top, 1);
    HWND b = createNamed("b", WS_CHILD | WS_VISIBLE, top, 2);
    HWND c = createNamed("c", WS_CHILD | WS_VISIBLE, top, 3);
    ASSERT_EQ(zOrder(top), (std::vector<HWND>{a, b, c}));
    EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), nullptr);

    EXPECT_TRUE(SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(zOrder(top), (std::vector<HWND>{b, c, a}));
    EXPECT_TRUE(SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(zOrder(top), (std::vector<HWND>{b, a, c})) << "right below the window named";
    EXPECT_TRUE(SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(zOrder(top), (std::vector<HWND>{c, b, a}));

    EXPECT_TRUE(SetWindowPos(b, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE)) << "after itself: no move at all";
    EXPECT_EQ(zOrder(top), (std::vector<HWND>{c, b, a}));
    EXPECT_TRUE(SetWindowPos(a, HWND_TOP, 5, 5, 10, 10, SWP_NOZORDER));
    EXPECT_EQ(zOrder(top), (std::vector<HWND>{c, b, a}));
    EXPECT_TRUE(BringWindowToTop(a)) << "a child comes to the top of its siblings";
    EXPECT_EQ(zOrder(top), (std::vector<HWND>{a, c, b}));
    EXPECT_EQ(GetTopWindow(top), a);
    expectNoFailures();
}

TEST(Win32ZOrder, ReparentingPutsTheChildOnTopAndRefusesLoopsAndStaleParents) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND other = createNamed("other", WS_OVERLAPPEDWINDOW);
    HWND a = createNamed("a", WS_CHILD, top, 1);
    HWND a1 = createNamed("a1", WS_CHILD, a, 11);
    HWND b = createNamed("b", WS_CHILD, other, 2);

    EXPECT_EQ(SetParent(a, other), top) << "the old parent comes back";
    EXPECT_EQ(zOrder(other), (std::vector<HWND>{a, b}));
    EXPECT_EQ(GetParent(a1), a);
    EXPECT_TRUE(IsChild(other, a1)) << "grandchildren move with their parent";
    EXPECT_FALSE(IsChild(top, a1));

    SetLastError(0);
    EXPECT_EQ(SetParent(a, a1), nullptr) << "a window cannot go below its own child";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(SetParent(a, a), nullptr);
    EXPECT_EQ(GetParent(a), other);

    ASSERT_TRUE(DestroyWindow(b));
    SetLastError(0);
    EXPECT_EQ(SetParent(a, b), nullptr) << "a destroyed parent";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_EQ(SetParent(b, top), nullptr) << "a destroyed child";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(zOrder(other), (std::vector<HWND>{a}));
    expectNoFailures();
}

TEST(Win32Relations, OwnersAreNotParentsAndStaleHandlesFailWithTheWindowError) {
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND view = createNamed("view", WS_CHILD | WS_VISIBLE, frame, 1);
    HWND popup = createNamed("popup", WS_POPUP, view);  // owned by the view's top-level window
    HWND tool = createNamed("tool", WS_OVERLAPPED, frame);

    EXPECT_EQ(GetParent(popup), frame) << "a popup's parent is its owner";
    EXPECT_EQ(GetParent(tool), nullptr) << "an owned overlapped window has no parent";
    EXPECT_EQ(GetWindow(tool, GW_OWNER), frame);
    EXPECT_FALSE(IsChild(frame, popup)) << "ownership is not the child chain";
    EXPECT_EQ(GetAncestor(popup, GA_PARENT), nullptr);
    EXPECT_EQ(GetAncestor(popup, GA_ROOT), popup);
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), frame);
    EXPECT_EQ(GetAncestor(view, GA_ROOT), frame);
    EXPECT_EQ(GetDlgCtrlID(frame), 0) << "top-level windows have no control id";
    EXPECT_EQ(GetDlgItem(frame, 2), nullptr);

    ASSERT_TRUE(DestroyWindow(view));
    for (auto query : {+[](HWND h) { return GetParent(h); }, +[](HWND h) { return GetWindow(h, GW_HWNDNEXT); }}) {
        SetLastError(0);
        EXPECT_EQ(query(view), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
    SetLastError(0);
    EXPECT_EQ(GetWindowThreadProcessId(view, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(IsChild(frame, view));
    EXPECT_EQ(GetAncestor(view, GA_ROOT), nullptr);
    EXPECT_EQ(GetWindow(frame, GW_CHILD), nullptr);
    EXPECT_TRUE(IsWindow(popup)) << "the owned popup belongs to the frame, not the view";
    expectNoFailures();
}

BOOL countAndStopAt(HWND hwnd, LPARAM lParam) {
    auto* seen = reinterpret_cast<std::vector<HWND>*>(lParam);
    seen->push_back(hwnd);
    return seen->size() < 2 ? TRUE : FALSE;
}

BOOL destroyNextSibling(HWND hwnd, LPARAM lParam) {
    auto* seen = reinterpret_cast<std::vector<HWND>*>(lParam);
    seen->push_back(hwnd);
    if (HWND next = GetWindow(hwnd, GW_HWNDNEXT)) DestroyWindow(next);
    return TRUE;
}

TEST(Win32Relations, EnumerationStopsWhenAskedAndSkipsWindowsDestroyedOnTheWay) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW);
    HWND a = createNamed("a", WS_CHILD, top, 1);
    HWND a1 = createNamed("a1", WS_CHILD, a, 11);
    HWND b = createNamed("b", WS_CHILD, top, 2);
    HWND c = createNamed("c", WS_CHILD, top, 3);

    std::vector<HWND> seen;
    EXPECT_TRUE(EnumChildWindows(top, [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, (std::vector<HWND>{a, a1, b, c})) << "descendants depth first";

    seen.clear();
    EXPECT_FALSE(EnumChildWindows(top, &countAndStopAt, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen.size(), 2u);

    seen.clear();
    EXPECT_TRUE(EnumChildWindows(a, &destroyNextSibling, reinterpret_cast<LPARAM>(&seen)));
    seen.clear();
    EXPECT_TRUE(EnumChildWindows(top, &destroyNextSibling, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, (std::vector<HWND>{a, a1, c})) << "b went while a was visited";
    EXPECT_FALSE(IsWindow(b));

    seen.clear();
    EXPECT_FALSE(EnumThreadWindows(GetCurrentThreadId() + 1000, &countAndStopAt, reinterpret_cast<LPARAM>(&seen)))
        << "a thread without windows";
    EXPECT_TRUE(seen.empty());
    expectNoFailures();
}

TEST(Win32ShowState, ShowWindowReturnsThePreviousVisibilityAndOnlyChangesNotify) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW);
    HWND child = createNamed("child", WS_CHILD, top, 1);
    takeEvents();
    EXPECT_FALSE(ShowWindow(child, SW_HIDE)) << "was hidden";
    EXPECT_TRUE(takeEvents().empty()) << "hiding a hidden window sends nothing";

    EXPECT_FALSE(ShowWindow(child, SW_SHOW));
    EXPECT_EQ(takeEvents(), (Events{"child WM_SHOWWINDOW", "child WM_WINDOWPOSCHANGED"}))
        << "a child is not activated";
    EXPECT_TRUE(ShowWindow(child, SW_SHOW));
    EXPECT_TRUE(takeEvents().empty()) << "showing a shown window sends nothing";
    EXPECT_FALSE(IsWindowVisible(child)) << "its parent is still hidden";
    EXPECT_EQ(GetActiveWindow(), nullptr);

    EXPECT_FALSE(ShowWindow(top, SW_SHOWNOACTIVATE));
    EXPECT_EQ(GetActiveWindow(), nullptr) << "shown without activation";
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));
    EXPECT_EQ(GetActiveWindow(), top);
    expectNoFailures();
}

TEST(Win32ShowState, HidingOrDestroyingTheActiveWindowActivatesItsOwner) {
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND box = createNamed("box", WS_POPUP | WS_VISIBLE, frame);
    EXPECT_EQ(GetActiveWindow(), box);
    EXPECT_EQ(GetForegroundWindow(), box);
    takeEvents();
    ShowWindow(box, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(takeEvents(), (Events{"box WM_SHOWWINDOW", "box WM_WINDOWPOSCHANGED", "box WM_KILLFOCUS", "box WM_ACTIVATE",
                                    "frame WM_ACTIVATE", "frame WM_SETFOCUS"}))
        << "the thread keeps the foreground: no WM_ACTIVATEAPP";

    ShowWindow(box, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), box);
    EXPECT_FALSE(EnableWindow(frame, FALSE));
    DestroyWindow(box);
    EXPECT_EQ(GetActiveWindow(), nullptr) << "a disabled owner cannot take the activation";
    EnableWindow(frame, TRUE);
    EXPECT_EQ(SetActiveWindow(frame), nullptr);
    EXPECT_EQ(GetActiveWindow(), frame);
    expectNoFailures();
}

TEST(Win32ShowState, DisablingTheFocusWindowTakesItsFocusAfterCancelMode) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND edit = createNamed("edit", WS_CHILD | WS_VISIBLE, top, 1);
    SetFocus(edit);
    auto& r = recorder();
    {
        std::lock_guard lock(r.mutex);
        r.ignored.erase(std::remove(r.ignored.begin(), r.ignored.end(), WM_CANCELMODE), r.ignored.end());
    }
    takeEvents();
    EXPECT_FALSE(EnableWindow(edit, FALSE));
    EXPECT_EQ(takeEvents(), (Events{"edit 0x31", "edit WM_KILLFOCUS", "edit WM_ENABLE"}));
    EXPECT_EQ(GetFocus(), nullptr) << "a disabled window cannot hold the focus";
    EXPECT_FALSE(IsWindowEnabled(edit));

    // Disabling a parent does not touch the children's own flags or the focus inside it.
    EXPECT_TRUE(EnableWindow(edit, TRUE));
    SetFocus(edit);
    takeEvents();
    EnableWindow(top, FALSE);
    EXPECT_EQ(takeEvents(), (Events{"top 0x31", "top WM_ENABLE"}));
    EXPECT_TRUE(IsWindowEnabled(edit));
    EXPECT_EQ(GetFocus(), edit);
    expectNoFailures();
}

TEST(Win32Placement, TheNormalRectangleSurvivesMaximisingAndCanBeSetWhileMaximised) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 0, RECT{10, 20, 410, 320});
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(GetWindowPlacement(top, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(placement.rcNormalPosition, (RECT{10, 20, 410, 320}));

    ShowWindow(top, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(GetWindowPlacement(top, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(placement.rcNormalPosition, (RECT{10, 20, 410, 320}));

    // A saved placement applied while maximised: still maximised, restoring goes to the new place.
    placement.rcNormalPosition = RECT{100, 100, 300, 250};
    ASSERT_TRUE(SetWindowPlacement(top, &placement));
    EXPECT_TRUE(IsZoomed(top));
    ShowWindow(top, SW_RESTORE);
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r, (RECT{100, 100, 300, 250}));

    ShowWindow(top, SW_MINIMIZE);
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(client, (RECT{0, 0, 0, 0})) << "a minimised window has no client area";
    placement.showCmd = SW_SHOWNORMAL;
    ASSERT_TRUE(SetWindowPlacement(top, &placement));
    EXPECT_FALSE(IsIconic(top));
    GetWindowRect(top, &r);
    EXPECT_EQ(r, (RECT{100, 100, 300, 250}));

    EXPECT_FALSE(GetWindowPlacement(top, nullptr));
    EXPECT_FALSE(SetWindowPlacement(top, nullptr));
    DestroyWindow(top);
    EXPECT_FALSE(GetWindowPlacement(top, &placement));
    expectNoFailures();
}

TEST(Win32WindowLongs, IdsUserDataAndExtraBytesWithTheirErrors) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW);
    HWND child = createNamed("child", WS_CHILD, top, 7);
    EXPECT_EQ(SetWindowLongPtrW(child, GWLP_ID, 8), 7);
    EXPECT_EQ(GetDlgItem(top, 8), child);
    EXPECT_EQ(GetDlgItem(top, 7), nullptr);
    EXPECT_EQ(SetWindowLongPtrW(child, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_USERDATA), 42);
    EXPECT_EQ(GetWindowLongPtrW(top, GWLP_HWNDPARENT), 0);
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(child, GWLP_HWNDPARENT)), top);

    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(child, 0), 0) << "the class has no extra bytes";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    SetLastError(0);
    EXPECT_EQ(SetWindowLongPtrW(child, 16, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    DestroyWindow(top);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_USERDATA), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(SetWindowLongPtrW(child, GWLP_USERDATA, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    wchar_t text[8] = L"x";
    EXPECT_EQ(GetWindowTextW(child, text, 8), 0);
    EXPECT_STREQ(text, L"") << "the buffer is emptied for a stale handle";
    EXPECT_FALSE(SetWindowTextW(child, L"y"));
    expectNoFailures();
}

}  // namespace
