// Timers on the manual clock: due only when time has moved, one tick after a long jump, deadline
// order, KillTimer, TIMERPROC.
#include "platform/core/clock.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

std::vector<WPARAM> timerTicks() {
    std::vector<WPARAM> ids;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER) ids.push_back(msg.wParam);
        DispatchMessageW(&msg);
    }
    return ids;
}

TEST(Win32Timer, DueOnlyAfterTheClockMovesAndNoBurstAfterALongJump) {
    HWND w = createNamed("w", WS_POPUP);
    EXPECT_EQ(SetTimer(w, 8, 100, nullptr), 8u);
    EXPECT_TRUE(timerTicks().empty());
    platform::core::clock().advance(99);
    EXPECT_TRUE(timerTicks().empty());
    platform::core::clock().advance(1);
    EXPECT_EQ(timerTicks(), std::vector<WPARAM>{8});
    EXPECT_TRUE(timerTicks().empty()) << "rescheduled, not due again at once";

    platform::core::clock().advance(1000);  // ten intervals
    EXPECT_EQ(timerTicks(), std::vector<WPARAM>{8}) << "one tick, not ten";
    platform::core::clock().advance(99);
    EXPECT_TRUE(timerTicks().empty()) << "the next one is an interval after delivery";
    platform::core::clock().advance(1);
    EXPECT_EQ(timerTicks(), std::vector<WPARAM>{8});
    expectNoFailures();
}

TEST(Win32Timer, DueTimersComeInDeadlineOrderAfterPostedMessagesAndStopWhenKilled) {
    HWND w = createNamed("w", WS_POPUP);
    SetTimer(w, 1, 300, nullptr);
    SetTimer(w, 2, 200, nullptr);
    SetTimer(w, 3, 200, nullptr);  // same deadline: creation order
    PostMessageW(w, WM_USER, 0, 0);
    platform::core::clock().advance(300);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER) << "posted messages go before timers";
    EXPECT_EQ(timerTicks(), (std::vector<WPARAM>{2, 3, 1}));

    EXPECT_TRUE(KillTimer(w, 2));
    EXPECT_FALSE(KillTimer(w, 2));
    SetTimer(w, 3, 50, nullptr);  // replaces timer 3 with a new interval
    platform::core::clock().advance(300);
    EXPECT_EQ(timerTicks(), (std::vector<WPARAM>{3, 1}));
    DestroyWindow(w);
    platform::core::clock().advance(1000);
    EXPECT_TRUE(timerTicks().empty()) << "a window's timers die with it";
    expectNoFailures();
}

std::vector<UINT_PTR>& procCalls() {
    static std::vector<UINT_PTR> calls;
    return calls;
}

void CALLBACK_timerProc(HWND, UINT message, UINT_PTR id, DWORD) {
    EXPECT_EQ(message, WM_TIMER);
    procCalls().push_back(id);
}

TEST(Win32Timer, TimerProcRunsFromDispatchForWindowAndThreadTimersAlike) {
    HWND w = createNamed("w", WS_POPUP);
    SetTimer(w, 4, 50, &CALLBACK_timerProc);
    const UINT_PTR threadTimer = SetTimer(nullptr, 0, 50, &CALLBACK_timerProc);
    EXPECT_NE(threadTimer, 0u);
    EXPECT_NE(SetTimer(nullptr, 0, 50, &CALLBACK_timerProc), threadTimer) << "each thread timer gets its own id";
    takeEvents();
    platform::core::clock().advance(50);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(&CALLBACK_timerProc)) << "the message carries the procedure";
    timerTicks();
    EXPECT_EQ(procCalls(), (std::vector<UINT_PTR>{4, threadTimer, threadTimer + 1})) << "in deadline order";
    EXPECT_EQ(takeEvents(), std::vector<std::string>{}) << "the procedure, not the window, gets the tick";

    procCalls().clear();
    MSG forged{};
    forged.message = WM_TIMER;
    forged.wParam = 99;
    forged.lParam = reinterpret_cast<LPARAM>(&CALLBACK_timerProc);
    DispatchMessageW(&forged);
    forged.hwnd = w;
    DispatchMessageW(&forged);
    EXPECT_TRUE(procCalls().empty()) << "a procedure runs only for a timer that carries it";
    EXPECT_TRUE(KillTimer(nullptr, threadTimer));
    platform::core::clock().advance(50);
    timerTicks();
    EXPECT_EQ(procCalls(), (std::vector<UINT_PTR>{4, threadTimer + 1})) << "a killed thread timer is gone";
    expectNoFailures();
}

TEST(Win32Timer, TickCountStartsWhereConfiguredAndWraps) {
    platform::core::clock().setTickStart(0xFFFFFF00u);
    const DWORD before = GetTickCount();
    platform::core::clock().advance(0x200);
    const DWORD after = GetTickCount();
    EXPECT_LT(after, before) << "32-bit wrap";
    EXPECT_EQ(static_cast<DWORD>(after - before), 0x200u) << "unsigned differences survive the wrap";
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    platform::core::clock().advance(5);
    QueryPerformanceCounter(&end);
    EXPECT_EQ((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 5);
}

}  // namespace
