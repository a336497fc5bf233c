// Queue semantics the framework's run loop depends on: posted versus sent order, filters,
// PM_NOREMOVE, quit ordering, and the manual-clock guard against a UI thread blocking forever.
#include "platform/core/clock.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;
using Events = std::vector<std::string>;

constexpr UINT kFirst = WM_USER + 1, kSecond = WM_USER + 2, kSent = WM_USER + 3;

TEST(Win32MessageQueue, MessagePostedWhileHandlingArrivesAfterTheCurrentOneAndSentRunsInside) {
    HWND w = createNamed("w", WS_POPUP);
    const auto first = onMessage(kFirst, [](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PostMessageW(hwnd, kSecond, 0, 0);
        EXPECT_EQ(SendMessageW(hwnd, kSent, 0, 0), 42);
        return 0;
    });
    const auto sent = onMessage(kSent, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return 42; });
    takeEvents();

    PostMessageW(w, kFirst, 0, 0);
    EXPECT_EQ(takeEvents(), Events{}) << "posting never runs the handler at once";
    pumpAll();
    EXPECT_EQ(takeEvents(), (Events{"w WM_USER+1", "w WM_USER+3", "w WM_USER+2"}));
    expectNoFailures();
}

TEST(Win32MessageQueue, PostedMessagesKeepFifoOrderAndFiltersTakeOnlyWhatTheyName) {
    HWND a = createNamed("a", WS_POPUP);
    HWND b = createNamed("b", WS_POPUP);
    PostMessageW(a, kFirst, 1, 0);
    PostMessageW(b, kFirst, 2, 0);
    PostMessageW(a, kSecond, 3, 0);
    PostThreadMessageW(GetCurrentThreadId(), kSecond, 4, 0);

    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u) << "PM_NOREMOVE shows the head";
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u) << "... and leaves it there";

    ASSERT_TRUE(PeekMessageW(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u) << "window filter";
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, kSecond, kSecond, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u) << "range filter takes the first match";
    ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u) << "thread messages only";
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    expectNoFailures();
}

TEST(Win32MessageQueue, QuitComesOnlyAfterEveryPostedMessageAndCarriesTheExitCode) {
    HWND w = createNamed("w", WS_POPUP);
    PostQuitMessage(7);
    PostMessageW(w, kFirst, 0, 0);
    EXPECT_EQ(GetQueueStatus(QS_POSTMESSAGE) & QS_POSTMESSAGE, QS_POSTMESSAGE);

    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, kFirst);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_QUIT) << "quit is visible without removing it";
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "quit is taken once";
    expectNoFailures();
}

TEST(Win32MessageQueue, QuitPassesEveryFilterAndAFilterForNoWindowFails) {
    HWND w = createNamed("w", WS_POPUP);
    HWND other = createNamed("other", WS_POPUP);
    MSG msg;
    PostQuitMessage(1);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE)) << "a range without WM_QUIT";
    EXPECT_EQ(msg.message, WM_QUIT);
    PostQuitMessage(2);
    PostMessageW(other, kFirst, 0, 0);
    EXPECT_FALSE(GetMessageW(&msg, w, 0, 0)) << "a window filter; other windows' messages do not hold it back";
    EXPECT_EQ(msg.wParam, 2u);
    PostQuitMessage(3);
    EXPECT_FALSE(GetMessageW(&msg, reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)), kSecond, kSecond))
        << "thread messages only, and a range";
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other) << "the filtered-out message is still there";

    DestroyWindow(other);
    SetLastError(0);
    msg.message = WM_NULL;
    EXPECT_EQ(GetMessageW(&msg, other, 0, 0), -1) << "a destroyed window";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x1234)), 0, 0), -1) << "never a window";
    EXPECT_EQ(msg.message, WM_NULL) << "nothing was taken";
    PostQuitMessage(4);
    SetLastError(0);
    EXPECT_FALSE(PeekMessageW(&msg, other, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0)) << "the quit waited for a valid call";
    EXPECT_EQ(msg.wParam, 4u);
    expectNoFailures();
}

TEST(Win32MessageQueue, GetMessageWithNothingToWaitForReportsInsteadOfHanging) {
    HWND w = createNamed("w", WS_POPUP);
    const auto due = platform::core::clock().nowMillis() + 1000;
    SetTimer(w, 5, 1000, nullptr);  // not due: with the manual clock nobody moves time meanwhile
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"GetMessage on the UI thread would block forever"), std::wstring::npos);
    EXPECT_NE(failures[0].find(L"thread 1 \"ui\""), std::wstring::npos) << utf8(failures[0]);
    EXPECT_NE(failures[0].find(L"[id 5 due " + std::to_wstring(due) + L"]"), std::wstring::npos)
        << "the dump shows the waiting timer";
}

TEST(Win32MessageQueue, MessagesToDestroyedWindowsAreDroppedAndPostingToThemFails) {
    HWND w = createNamed("w", WS_POPUP);
    PostMessageW(w, kFirst, 0, 0);
    DestroyWindow(w);
    takeEvents();
    pumpAll();
    EXPECT_EQ(takeEvents(), Events{});
    EXPECT_FALSE(PostMessageW(w, kFirst, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SendMessageW(w, kSent, 0, 0), 0);
    expectNoFailures();
}

TEST(Win32MessageQueue, DefaultProcedureClosesThroughSentCloseAndDestroys) {
    HWND w = createNamed("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    takeEvents();
    SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(w)) << "SC_CLOSE sends WM_CLOSE before it returns";
    const auto events = takeEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "w WM_SYSCOMMAND");
    EXPECT_EQ(events[1], "w WM_CLOSE");
    EXPECT_EQ(events.back(), "w WM_NCDESTROY");
    EXPECT_EQ(pumpAll(), std::vector<UINT>{}) << "nothing was posted on the way";
    expectNoFailures();
}

TEST(Win32MessageQueue, RegisteredMessagesAndAtomsShareOneCaseInsensitiveNumbering) {
    const UINT message = RegisterWindowMessageW(L"Korvo.Changing");
    EXPECT_GE(message, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(L"KORVO.changing"), message);
    const ATOM atom = GlobalAddAtomW(L"korvo");
    EXPECT_GE(atom, 0xC000);
    EXPECT_NE(atom, message);
    EXPECT_EQ(GlobalFindAtomW(L"KORVO"), atom);
    wchar_t name[16];
    EXPECT_EQ(GlobalGetAtomNameW(atom, name, 16), 5u);
    EXPECT_STREQ(name, L"korvo");
    EXPECT_EQ(GlobalAddAtomW(L"#12"), 12);
    EXPECT_EQ(GlobalDeleteAtom(atom), 0);
    EXPECT_EQ(GlobalFindAtomW(L"korvo"), 0) << "one reference, deleted";
}

}  // namespace

namespace paint {

// The windows among `events` that were painted, by name.
std::vector<std::string> painted(const Events& events) {
    std::vector<std::string> names;
    for (const auto& event : events) {
        const auto space = event.find(' ');
        if (event.substr(space + 1) == "WM_PAINT") names.push_back(event.substr(0, space));
    }
    return names;
}

// Runs the queue dry (empty loops included, as a run loop asks) and names the windows painted.
std::vector<std::string> paintedByTheLoop() {
    takeEvents();
    for (int i = 0; i < 3; ++i) pumpAll();
    return painted(takeEvents());
}

}  // namespace paint

// Hidden windows keep what was invalidated in them, and empty loops stop looking at them; each way
// of making one paintable must still bring its WM_PAINT.
TEST(Win32MessageQueue, HiddenInvalidWindowsArePaintedOnceShownByAnyRoute) {
    HWND hiddenParent = createNamed("hidden-parent", WS_POPUP);
    HWND shownParent = createNamed("shown-parent", WS_POPUP | WS_VISIBLE);
    HWND popup = createNamed("popup", WS_POPUP);
    HWND restyled = createNamed("restyled", WS_POPUP);
    HWND child = createNamed("child", WS_CHILD | WS_VISIBLE, hiddenParent, 1);
    HWND moved = createNamed("moved", WS_CHILD | WS_VISIBLE, hiddenParent, 2);
    paint::paintedByTheLoop();
    for (HWND w : {popup, restyled, child, moved}) InvalidateRect(w, nullptr, TRUE);
    EXPECT_EQ(paint::paintedByTheLoop(), Events{}) << "nothing shown, nothing painted";
    EXPECT_EQ(paint::paintedByTheLoop(), Events{}) << "... however often the loop asks";

    ShowWindow(popup, SW_SHOWNA);
    EXPECT_EQ(paint::paintedByTheLoop(), Events{"popup"});
    SetWindowLongPtrW(restyled, GWL_STYLE, GetWindowLongPtrW(restyled, GWL_STYLE) | WS_VISIBLE);
    EXPECT_EQ(paint::paintedByTheLoop(), Events{"restyled"});
    SetParent(moved, shownParent);
    EXPECT_EQ(paint::paintedByTheLoop(), Events{"moved"}) << "a visible child under a shown parent";
    SetWindowPos(hiddenParent, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    const auto shown = paint::paintedByTheLoop();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "child"), shown.end()) << "a child whose parent is shown";

    // A window invalidated while the loop had nothing to paint is painted: the answer is not kept.
    InvalidateRect(popup, nullptr, TRUE);
    EXPECT_EQ(paint::paintedByTheLoop(), Events{"popup"});
    for (HWND w : {child, moved, popup, restyled, shownParent, hiddenParent}) DestroyWindow(w);
    expectNoFailures();
}
