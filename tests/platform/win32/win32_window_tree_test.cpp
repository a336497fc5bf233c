// Window creation and destruction protocols, the tree, handles, visibility, geometry and thread
// affinity.
#include <thread>

#include "platform/win32/control.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;
using Events = std::vector<std::string>;

std::vector<std::string>& hookLog() {
    static std::vector<std::string> log;
    return log;
}
HHOOK g_hook = nullptr;

LRESULT cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        hookLog().push_back("create " + utf8(cbt->lpcs->lpszName) + (IsWindow(reinterpret_cast<HWND>(wParam)) ? " live" : ""));
        takeEvents();  // nothing was sent before the hook
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST(Win32WindowTree, CreationSendsTheHookThenTheMessagesInOrder) {
    g_hook = SetWindowsHookExW(WH_CBT, &cbtHook, nullptr, GetCurrentThreadId());
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(hookLog(), Events{"create top live"});
    EXPECT_EQ(takeEvents(), (Events{"top WM_GETMINMAXINFO", "top WM_NCCREATE", "top WM_NCCALCSIZE", "top WM_CREATE",
                                    "top WM_SIZE", "top WM_MOVE", "top WM_SHOWWINDOW", "top WM_WINDOWPOSCHANGED",
                                    "top WM_ACTIVATEAPP", "top WM_ACTIVATE", "top WM_SETFOCUS"}));
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    const auto notifying = onMessage(WM_PARENTNOTIFY, [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        notices.emplace_back(wParam, lParam);
        return 0;
    });
    HWND child = createNamed("child", WS_CHILD, top, 57);
    EXPECT_EQ(takeEvents(), (Events{"child WM_NCCREATE", "child WM_NCCALCSIZE", "child WM_CREATE", "child WM_SIZE",
                                    "child WM_MOVE", "top WM_PARENTNOTIFY"}))
        << "children get no WM_GETMINMAXINFO; hidden windows no WM_SHOWWINDOW; the parent hears of the new child";
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], std::make_pair(MAKEWPARAM(WM_CREATE, 57), reinterpret_cast<LPARAM>(child)));
    createNamed("grandchild", WS_CHILD | WS_VISIBLE, child, 58);
    const auto events = takeEvents();
    const auto notified = std::find(events.begin(), events.end(), "child WM_PARENTNOTIFY");
    ASSERT_NE(notified, events.end());
    EXPECT_EQ(*(notified + 1), "top WM_PARENTNOTIFY") << "every ancestor hears of it";
    EXPECT_GT(std::find(events.begin(), events.end(), "grandchild WM_SHOWWINDOW"), notified)
        << "a visible child is shown after its parents heard of it";
    createNamed("quiet", WS_CHILD, top, 59, WS_EX_NOPARENTNOTIFY);
    EXPECT_EQ(notices.size(), 3u) << "a child that opts out tells no one";
    EXPECT_EQ(GetDlgCtrlID(child), 57);
    EXPECT_EQ(GetDlgItem(top, 57), child);
    wchar_t text[16];
    EXPECT_EQ(GetWindowTextW(top, text, 16), 3);
    EXPECT_STREQ(text, L"top") << "the default WM_NCCREATE stores the window name";
    EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
    createNamed("later", WS_POPUP);
    EXPECT_EQ(hookLog(), (Events{"create top live", "create child live", "create grandchild live", "create quiet live"}))
        << "unhooked before \"later\"";
    expectNoFailures();
}

TEST(Win32WindowTree, CreateReturningMinusOneFailsAndCleansUp) {
    const auto refusing =
        onMessage(WM_CREATE, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return -1; });
    takeEvents();
    EXPECT_EQ(createNamed("bad", WS_OVERLAPPEDWINDOW | WS_VISIBLE), nullptr);
    const auto events = takeEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 3], "bad WM_CREATE");
    EXPECT_EQ(events[events.size() - 2], "bad WM_DESTROY");
    EXPECT_EQ(events.back(), "bad WM_NCDESTROY");
    EXPECT_TRUE(platform::core::control::topLevelWindows().empty());
    expectNoFailures();
}

TEST(Win32WindowTree, DestructionGoesDownWithDestroyAndUpWithNcDestroyOwnedWindowsFirst) {
    HWND parent = createNamed("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND a = createNamed("a", WS_CHILD | WS_VISIBLE, parent, 1);
    createNamed("a1", WS_CHILD | WS_VISIBLE, a, 11);
    createNamed("b", WS_CHILD, parent, 2);
    HWND owned = createNamed("owned", WS_POPUP | WS_VISIBLE, a);  // owner is a's top-level window
    EXPECT_EQ(GetWindow(owned, GW_OWNER), parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), GetDlgItem(parent, 2)) << "children in creation order, first on top";
    const auto checking = onMessage(WM_DESTROY, [&](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        EXPECT_TRUE(IsWindow(hwnd)) << "still a window during WM_DESTROY";
        return std::nullopt;
    });
    takeEvents();
    EXPECT_TRUE(DestroyWindow(parent));
    Events relevant;
    for (const auto& e : takeEvents())
        if (e.find("DESTROY") != std::string::npos) relevant.push_back(e);
    EXPECT_EQ(relevant, (Events{"owned WM_DESTROY", "owned WM_NCDESTROY", "parent WM_DESTROY", "a WM_DESTROY",
                                "a1 WM_DESTROY", "b WM_DESTROY", "a1 WM_NCDESTROY", "a WM_NCDESTROY",
                                "b WM_NCDESTROY", "parent WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    const auto windowJournal = platform::core::journal().texts("window");
    EXPECT_EQ(windowJournal.back(),
              L"destroyed " + platform::core::control::formatHandle(parent) + L" \"Test.Recording\" \"parent\"");
    expectNoFailures();
}

TEST(Win32WindowTree, DestroyingAChildNotifiesItsAncestorsFirstUnlessItOptsOut) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND pane = createNamed("pane", WS_CHILD | WS_VISIBLE, top, 3);
    HWND button = createNamed("button", WS_CHILD | WS_VISIBLE, pane, 0x1234);
    HWND quiet = createNamed("quiet", WS_CHILD | WS_VISIBLE, pane, 5, WS_EX_NOPARENTNOTIFY);
    HWND inner = createNamed("inner", WS_CHILD | WS_VISIBLE, quiet, 6);
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    const auto notifying = onMessage(WM_PARENTNOTIFY, [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(lParam))) << "the child is still whole";
        notices.emplace_back(wParam, lParam);
        return 0;
    });
    takeEvents();
    EXPECT_TRUE(DestroyWindow(button));
    const auto events = takeEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ((Events{events[0], events[1], events[2]}),
              (Events{"pane WM_PARENTNOTIFY", "top WM_PARENTNOTIFY", "button WM_DESTROY"}))
        << "every ancestor up to the top-level window hears of it before the child's WM_DESTROY";
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], notices[1]) << "both name the child that goes";
    EXPECT_EQ(LOWORD(notices[0].first), WM_DESTROY);
    EXPECT_EQ(HIWORD(notices[0].first), 0x1234);
    EXPECT_EQ(notices[0].second, reinterpret_cast<LPARAM>(button));

    notices.clear();
    DestroyWindow(quiet);
    EXPECT_TRUE(notices.empty()) << "WS_EX_NOPARENTNOTIFY: its parent is not told";
    HWND inner2 = createNamed("inner2", WS_CHILD, createNamed("quiet2", WS_CHILD, pane, 7, WS_EX_NOPARENTNOTIFY), 8);
    notices.clear();
    DestroyWindow(inner2);
    ASSERT_EQ(notices.size(), 1u) << "the chain stops at a window that opted out";
    EXPECT_EQ(notices[0].second, reinterpret_cast<LPARAM>(inner2));
    EXPECT_FALSE(IsWindow(inner));

    notices.clear();
    DestroyWindow(top);
    EXPECT_TRUE(notices.empty()) << "a top-level window has no one to tell, and its children go with it silently";
    expectNoFailures();
}

TEST(Win32WindowTree, AChildsParentHandleReparentsItAndPlacingAfterAStrangerKeepsTheOrder) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND other = createNamed("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND first = createNamed("first", WS_CHILD | WS_VISIBLE, top, 1);
    HWND second = createNamed("second", WS_CHILD | WS_VISIBLE, top, 2);
    HWND stranger = createNamed("stranger", WS_CHILD | WS_VISIBLE, other, 3);

    EXPECT_TRUE(SetWindowPos(second, stranger, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_EQ(GetWindow(top, GW_CHILD), first) << "not a sibling: the order stays";
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_TRUE(SetWindowPos(first, second, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_EQ(GetWindow(top, GW_CHILD), second) << "after a sibling it goes behind it";

    EXPECT_EQ(SetWindowLongPtrW(first, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(other)),
              reinterpret_cast<LONG_PTR>(top));
    EXPECT_EQ(GetParent(first), other);
    EXPECT_EQ(GetWindow(other, GW_CHILD), first);
    EXPECT_EQ(GetWindow(top, GW_CHILD), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(first, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(other));
    expectNoFailures();
}

TEST(Win32WindowTree, DestroyingAWindowDropsItsAndItsChildrensPostedMessages) {
    HWND top = createNamed("top", WS_POPUP);
    HWND child = createNamed("child", WS_CHILD, top, 1);
    HWND other = createNamed("other", WS_POPUP);
    PostMessageW(child, WM_USER + 1, 0, 0);
    PostMessageW(other, WM_USER + 2, 0, 0);
    PostMessageW(top, WM_USER + 3, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 4, 0, 0);
    const auto posting = onMessage(WM_DESTROY, [](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PostMessageW(hwnd, WM_USER + 5, 0, 0);  // posted while going: dropped as well
        return 0;
    });
    DestroyWindow(top);
    std::vector<std::pair<HWND, UINT>> left;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) left.emplace_back(msg.hwnd, msg.message);
    EXPECT_EQ(left, (std::vector<std::pair<HWND, UINT>>{{other, WM_USER + 2}, {nullptr, WM_USER + 4}}));
    expectNoFailures();
}

TEST(Win32WindowTree, HandlesAreDeterministicAndNeverReused) {
    HWND first = createNamed("first", WS_POPUP);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first), 0x00010010u);
    EXPECT_EQ(platform::core::control::formatHandle(first), L"0x00010010");
    DestroyWindow(first);
    HWND second = createNamed("second", WS_POPUP);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(second), 0x00010014u);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(ShowWindow(first, SW_SHOW));
    EXPECT_EQ(GetWindowLongPtrW(first, GWL_STYLE), 0);
    expectNoFailures();
}

TEST(Win32WindowTree, VisibilityNeedsEveryAncestorAndShowStatesKeepTheNormalRectangle) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW, nullptr, 0, 0, RECT{10, 20, 410, 320});
    HWND child = createNamed("child", WS_CHILD | WS_VISIBLE, top, 1);
    EXPECT_FALSE(IsWindowVisible(child)) << "the parent is hidden";
    EXPECT_FALSE(ShowWindow(top, SW_SHOWMAXIMIZED));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(IsZoomed(top));
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r, (RECT{-4, -4, 1924, 1044})) << "the work area plus the frame";
    EXPECT_TRUE(ShowWindow(top, SW_MINIMIZE));
    EXPECT_TRUE(IsIconic(top));
    EXPECT_FALSE(IsZoomed(top));
    ShowWindow(top, SW_RESTORE);
    GetWindowRect(top, &r);
    EXPECT_EQ(r, (RECT{10, 20, 410, 320}));
    takeEvents();
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_EQ(takeEvents(), (Events{"top WM_SHOWWINDOW", "top WM_WINDOWPOSCHANGED", "top WM_KILLFOCUS", "top WM_ACTIVATE",
                                    "top WM_ACTIVATEAPP"}))
        << "hiding the active window takes focus and activation away";
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_NE(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE, 0) << "the child keeps its own flag";
    expectNoFailures();
}

TEST(Win32WindowTree, ClientAreaFollowsTheStyleAndCanBeOverridden) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW, nullptr, 0, 0, RECT{0, 0, 400, 300});
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(client, (RECT{0, 0, 400 - 8, 300 - 8 - 23})) << "thick frame 4, caption 23";
    RECT adjusted{0, 0, 392, 269};
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(adjusted, (RECT{-4, -27, 396, 273}));
    HWND edge = createNamed("edge", WS_CHILD | WS_VISIBLE, top, 1, WS_EX_CLIENTEDGE, RECT{10, 10, 110, 60});
    GetClientRect(edge, &client);
    EXPECT_EQ(client, (RECT{0, 0, 96, 46}));
    POINT p{0, 0};
    ClientToScreen(edge, &p);
    EXPECT_EQ(p, (POINT{4 + 10 + 2, 27 + 10 + 2}));

    // A window that enlarges its client area through WM_NCCALCSIZE: answering 0 without changing
    // the proposed rectangle makes the whole window client.
    const auto wholeClient =
        onMessage(WM_NCCALCSIZE, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return 0; });
    SetWindowLongPtrW(top, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    takeEvents();
    SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    GetClientRect(top, &client);
    EXPECT_EQ(client, (RECT{0, 0, 400, 300}));
    EXPECT_EQ(takeEvents(), (Events{"top WM_NCCALCSIZE", "top WM_WINDOWPOSCHANGED", "top WM_SIZE", "top WM_MOVE"}))
        << "the client area changed size and place";
    MoveWindow(top, 50, 60, 400, 300, TRUE);
    EXPECT_EQ(takeEvents(), (Events{"top WM_WINDOWPOSCHANGED", "top WM_MOVE"})) << "a move alone does not resize";
    expectNoFailures();
}

TEST(Win32WindowTree, DestroyingAnotherThreadsWindowFailsWhileReadsAndPostsWork) {
    HWND w = createNamed("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    BOOL shown = TRUE, posted = FALSE, visible = FALSE;
    DWORD owner = 0, worker = 0;
    std::thread other([&] {
        worker = GetCurrentThreadId();
        shown = DestroyWindow(w);
        visible = IsWindowVisible(w);
        owner = GetWindowThreadProcessId(w, nullptr);
        posted = PostMessageW(w, WM_USER + 9, 0, 0);
    });
    other.join();
    EXPECT_FALSE(shown);
    EXPECT_TRUE(visible);
    EXPECT_EQ(owner, 1u);
    EXPECT_TRUE(posted);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(platform::core::journal().texts("warning").back(),
              L"DestroyWindow on window 0x00010010 \"Test.Recording\" \"w\" of thread 1 called from thread " +
                  std::to_wstring(worker) + L": refused, as Windows refuses it");
    expectNoFailures();
    takeEvents();
    pumpAll();
    EXPECT_EQ(takeEvents(), Events{"w WM_USER+9"});
}

TEST(Win32WindowTree, FocusMovesWithKillThenSetAndEnablingSendsEnable) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND a = createNamed("a", WS_CHILD | WS_VISIBLE, top, 1);
    HWND b = createNamed("b", WS_CHILD | WS_VISIBLE, top, 2);
    SetFocus(a);
    takeEvents();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(takeEvents(), (Events{"a WM_KILLFOCUS", "b WM_SETFOCUS"}));
    EXPECT_FALSE(EnableWindow(top, FALSE)) << "was enabled";
    EXPECT_TRUE(EnableWindow(top, FALSE)) << "was disabled";
    EXPECT_EQ(takeEvents(), Events{"top WM_ENABLE"}) << "only a change notifies";
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(IsChild(top, a));
    EXPECT_FALSE(IsChild(a, top));
    expectNoFailures();
}

}  // namespace
