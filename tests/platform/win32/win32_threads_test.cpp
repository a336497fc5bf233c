// Threads on the platform: cross-thread posting and sending, waits and sleeps on the manual
// clock, kernel object lifetimes.
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/core/clock.h"
#include "platform/core/process.h"
#include "platform/core/threads.h"
#include "platform/win32/control.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;
using platform::core::clock;

DWORD runFunction(LPVOID parameter) {
    (*static_cast<std::function<void()>*>(parameter))();
    return 0;
}

// Starts `body` on a platform thread; returns its handle.
HANDLE start(std::function<void()>& body, DWORD* id = nullptr, DWORD flags = 0) {
    return CreateThread(nullptr, 0, &runFunction, &body, flags, id);
}

void join(HANDLE thread) {
    ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
}

TEST(Win32Threads, WorkerPostsAndSendsToAUiWindowAndBothRunOnTheUiThread) {
    HWND w = createNamed("w", WS_POPUP);
    DWORD ranOn = 0;
    const auto doubling = onMessage(WM_USER + 1, [&](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        ranOn = GetCurrentThreadId();
        return static_cast<LRESULT>(wParam * 2);
    });
    LRESULT sendResult = 0;
    std::function<void()> body = [&] {
        PostMessageW(w, WM_USER + 2, 0, 0);
        sendResult = SendMessageW(w, WM_USER + 1, 21, 0);
    };
    DWORD workerId = 0;
    HANDLE worker = start(body, &workerId, CREATE_SUSPENDED);
    EXPECT_EQ(workerId, 2u) << "ids are small and known before the thread runs";
    EXPECT_EQ(ResumeThread(worker), 1u);
    ASSERT_TRUE(platform::core::control::quiesce());
    const auto threads = platform::core::control::threads();
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_EQ(threads[1].blockedIn, "SendMessage");
    EXPECT_EQ(sendResult, 0) << "the send waits for the UI thread to pump";
    takeEvents();
    pumpAll();
    join(worker);
    EXPECT_EQ(sendResult, 42);
    EXPECT_EQ(ranOn, 1u);
    const auto events = takeEvents();
    EXPECT_EQ(events, (std::vector<std::string>{"w WM_USER+1", "w WM_USER+2"})) << "sent before posted";
    expectNoFailures();
}

TEST(Win32Threads, UiSendToABusyWorkerWaitsWhileTimePassesUntilTheWorkerPumps) {
    HWND workerWindow = nullptr;
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD handledOn = 0;
    const auto answering = onMessage(WM_USER + 7, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        handledOn = GetCurrentThreadId();
        return 7;
    });
    std::function<void()> body = [&] {
        workerWindow = createNamed("worker", WS_POPUP);
        SetEvent(created);
        Sleep(100);  // busy: not pumping yet
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    };
    DWORD workerId = 0;
    HANDLE worker = start(body, &workerId);
    ASSERT_EQ(WaitForSingleObject(created, INFINITE), WAIT_OBJECT_0);
    const auto before = clock().nowMillis();
    EXPECT_EQ(SendMessageW(workerWindow, WM_USER + 7, 0, 0), 7);
    EXPECT_EQ(handledOn, workerId);
    EXPECT_EQ(clock().nowMillis(), before + 100) << "the blocked UI thread let the worker's sleep end";
    PostThreadMessageW(workerId, WM_QUIT, 0, 0);
    join(worker);
    CloseHandle(created);
    expectNoFailures();
}

// The events of one window, in order.
std::vector<std::string> eventsOf(const std::vector<std::string>& events, const std::string& name) {
    std::vector<std::string> mine;
    for (const auto& e : events)
        if (e.rfind(name + " ", 0) == 0) mine.push_back(e.substr(name.size() + 1));
    return mine;
}

TEST(Win32Threads, ForegroundMovedToAnotherThreadsWindowActivatesItOnItsOwnThreadWhenItPumps) {
    using Names = std::vector<std::string>;
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND workerWindow = nullptr;
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    constexpr UINT kGiveBack = WM_USER + 1;
    HWND workerActiveAfterGiveBack = frame;
    std::function<void()> body = [&] {
        // Shown without activation: a background thread does not take the foreground by itself.
        workerWindow = createNamed("worker", WS_POPUP | WS_VISIBLE, nullptr, 0, WS_EX_NOACTIVATE);
        SetEvent(created);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message != kGiveBack) continue;
            SetForegroundWindow(frame);
            workerActiveAfterGiveBack = GetActiveWindow();
        }
    };
    HANDLE worker = start(body);
    ASSERT_EQ(WaitForSingleObject(created, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(platform::core::control::quiesce());
    ASSERT_EQ(GetForegroundWindow(), frame);
    takeEvents();

    EXPECT_TRUE(SetForegroundWindow(workerWindow));
    EXPECT_EQ(GetForegroundWindow(), workerWindow) << "the foreground moves at once";
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    ASSERT_TRUE(platform::core::control::quiesce());
    auto events = takeEvents();
    EXPECT_EQ(eventsOf(events, "frame"), (Names{"WM_ACTIVATE", "WM_ACTIVATEAPP", "WM_KILLFOCUS"}))
        << "the caller's window lets go before the call returns";
    EXPECT_EQ(eventsOf(events, "worker"), (Names{"WM_ACTIVATEAPP", "WM_ACTIVATE", "WM_SETFOCUS"}))
        << "the worker activated its window when it pumped";

    // The way back, as a splash thread hands the foreground to the UI thread's window.
    DWORD workerId = GetThreadId(worker);
    PostThreadMessageW(workerId, kGiveBack, 0, 0);
    ASSERT_TRUE(platform::core::control::quiesce());
    EXPECT_EQ(workerActiveAfterGiveBack, nullptr);
    EXPECT_EQ(GetForegroundWindow(), frame);
    EXPECT_EQ(GetActiveWindow(), nullptr) << "not before the UI thread pumps";
    events = takeEvents();
    EXPECT_EQ(eventsOf(events, "worker"), (Names{"WM_ACTIVATE", "WM_ACTIVATEAPP", "WM_KILLFOCUS"}));
    EXPECT_EQ(eventsOf(events, "frame"), Names{});
    pumpAll();
    EXPECT_EQ(eventsOf(takeEvents(), "frame"), (Names{"WM_ACTIVATEAPP", "WM_ACTIVATE", "WM_SETFOCUS"}));
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), frame);

    // Taking the foreground back to one's own window: at once here, the other thread follows.
    SetForegroundWindow(workerWindow);
    ASSERT_TRUE(platform::core::control::quiesce());
    takeEvents();
    SetForegroundWindow(frame);
    EXPECT_EQ(GetActiveWindow(), frame);
    ASSERT_TRUE(platform::core::control::quiesce());
    events = takeEvents();
    EXPECT_EQ(eventsOf(events, "frame"), (Names{"WM_ACTIVATEAPP", "WM_ACTIVATE", "WM_SETFOCUS"}));
    EXPECT_EQ(eventsOf(events, "worker"), (Names{"WM_ACTIVATE", "WM_ACTIVATEAPP", "WM_KILLFOCUS"}));

    PostThreadMessageW(workerId, WM_QUIT, 0, 0);
    join(worker);
    CloseHandle(created);
    expectNoFailures();
}

TEST(Win32Threads, TimedWaitOnAnotherThreadEndsOnlyWhenTheClockGetsThere) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::vector<DWORD> results;
    std::function<void()> body = [&] {
        results.push_back(WaitForSingleObject(event, 200));
        results.push_back(WaitForSingleObject(event, 200));
    };
    HANDLE worker = start(body);
    ASSERT_TRUE(platform::core::control::quiesce());
    clock().advance(199);
    ASSERT_TRUE(platform::core::control::quiesce());
    EXPECT_TRUE(results.empty());
    clock().advance(1);
    ASSERT_TRUE(platform::core::control::quiesce());
    EXPECT_EQ(results, std::vector<DWORD>{WAIT_TIMEOUT});
    SetEvent(event);
    join(worker);
    EXPECT_EQ(results, (std::vector<DWORD>{WAIT_TIMEOUT, WAIT_OBJECT_0}));
    CloseHandle(event);
    expectNoFailures();
}

TEST(Win32Threads, UiSleepIsTimePassingAndOtherThreadsWakeAtTheirDeadlinesOnTheWay) {
    std::vector<std::uint64_t> wakes;
    std::function<void()> body = [&] {
        for (int i = 0; i < 3; ++i) {
            Sleep(200);
            wakes.push_back(clock().nowMillis());
        }
    };
    const auto start0 = clock().nowMillis();
    HANDLE worker = start(body);
    ASSERT_TRUE(platform::core::control::quiesce());
    Sleep(500);
    EXPECT_EQ(clock().nowMillis(), start0 + 500);
    ASSERT_TRUE(platform::core::control::quiesce());
    EXPECT_EQ(wakes, (std::vector<std::uint64_t>{start0 + 200, start0 + 400}));
    join(worker);  // the UI thread's infinite wait lets time pass up to the worker's deadline
    EXPECT_EQ(wakes.back(), start0 + 600);
    expectNoFailures();
}

TEST(Win32Threads, AutoResetEventsWakeOneWaitAndClosedHandlesFailSafely) {
    HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "auto-reset";
    const auto before = clock().nowMillis();
    EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
    EXPECT_EQ(clock().nowMillis(), before + 50) << "a timed wait on the UI thread lets the time pass";
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_FALSE(SetEvent(event)) << "close, then set: a failure, not a crash";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);

    HANDLE forever = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(forever, INFINITE), WAIT_FAILED) << "nothing could ever set it";
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"would block forever"), std::wstring::npos);
}

TEST(Win32Threads, NamedMutexesAreProcessWideAndGoWithTheirLastHandle) {
    const auto name = L"Global\\KorvoCad_ClearSettingsMutex";
    HANDLE first = CreateMutexW(nullptr, FALSE, name);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutexW(nullptr, FALSE, L"global\\korvocad_clearsettingsmutex");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_NE(first, second);
    EXPECT_EQ(platform::core::control::namedObjects(), std::vector<std::wstring>{name});
    EXPECT_EQ(platform::core::control::openHandleCount(), 2u);
    CloseHandle(first);
    CloseHandle(second);
    EXPECT_TRUE(platform::core::control::namedObjects().empty());
    CreateMutexW(nullptr, FALSE, name);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "created afresh";
}

TEST(Win32Threads, AMutexHeldByAnotherThreadBlocksUntilReleasedOrAbandoned) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::function<void()> body = [&] {
        WaitForSingleObject(mutex, INFINITE);
        SetEvent(taken);
        Sleep(100);  // ends holding the mutex
    };
    HANDLE worker = start(body);
    ASSERT_EQ(WaitForSingleObject(taken, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 10), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex));
    join(worker);
    expectNoFailures();
}

TEST(Win32Threads, AFinishedThreadLeavesNothingButWhatItsHandlesTell) {
    std::function<void()> body = [] { ExitThread(5); };
    DWORD id = 0;
    HANDLE worker = start(body, &id);
    ASSERT_EQ(WaitForSingleObject(worker, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(worker, &code));
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(GetThreadId(worker), id);
    EXPECT_FALSE(PostThreadMessageW(id, WM_USER, 0, 0));
    EXPECT_EQ(platform::core::control::threads().size(), 1u) << "only the UI thread is left in the table";
    CloseHandle(worker);

    // Many finished threads later, the table and the handles are as before them.
    const std::size_t handles = platform::core::control::openHandleCount();
    std::function<void()> nothing = [] {};
    for (int i = 0; i < 200; ++i) join(start(nothing));
    EXPECT_EQ(platform::core::control::threads().size(), 1u);
    EXPECT_EQ(platform::core::control::openHandleCount(), handles);
    expectNoFailures();
}

TEST(Win32Threads, CallsOnAUiWindowFromAWorkerRunOnTheUiThreadWhileItPumps) {
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = createNamed("child", WS_CHILD | WS_VISIBLE, frame, 5);
    std::vector<DWORD> ranOn;
    const auto positioned = onMessage(WM_WINDOWPOSCHANGED, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        ranOn.push_back(GetCurrentThreadId());
        return 0;
    });
    BOOL moved = FALSE, disabled = TRUE, texted = FALSE;
    std::function<void()> body = [&] {
        moved = SetWindowPos(child, nullptr, 1, 2, 30, 40, SWP_NOZORDER | SWP_NOACTIVATE);
        disabled = EnableWindow(child, FALSE);
        texted = SetWindowTextW(child, L"from the worker");
        ShowWindow(child, SW_HIDE);
        SetWindowLongPtrW(child, GWLP_USERDATA, 7);
    };
    HANDLE worker = start(body);
    takeEvents();
    // The UI thread waits for the worker and pumps what it sends, as a loop would.
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) break;
        ASSERT_EQ(woke, WAIT_OBJECT_0 + 1);
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE)) << "sent ones run, none is taken";
    }
    CloseHandle(worker);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(disabled) << "it was enabled before";
    EXPECT_TRUE(texted);
    RECT r{};
    GetWindowRect(child, &r);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    EXPECT_EQ(r.left - origin.x, 1);
    EXPECT_EQ(r.bottom - r.top, 40);
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_USERDATA), 7);
    wchar_t text[32] = {};
    GetWindowTextW(child, text, 32);
    EXPECT_EQ(std::wstring(text), L"from the worker");
    ASSERT_FALSE(ranOn.empty());
    for (DWORD thread : ranOn) EXPECT_EQ(thread, 1u) << "the window's own thread handles its messages";
    const auto events = takeEvents();
    EXPECT_NE(std::find(events.begin(), events.end(), "child WM_ENABLE"), events.end());
    EXPECT_NE(std::find(events.begin(), events.end(), "child WM_SETTEXT"), events.end());
    expectNoFailures();
}

TEST(Win32Threads, MsgWaitEndsForAHandleOrASentMessageAndCanNeverEndOnlyWhenNothingCanCome) {
    HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "the wait took the auto-reset event";
    PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_SENDMESSAGE), WAIT_TIMEOUT) << "posted is not sent";
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_POSTMESSAGE), WAIT_OBJECT_0 + 1);
    pumpAll();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"MsgWaitForMultipleObjects on the UI thread would block forever"), std::wstring::npos);
    CloseHandle(event);
}

}  // namespace

namespace {

using namespace win32test;

TEST(Win32Threads, WhatDestructorsCloseAfterTheProcessEndedNeitherThrowsNorFindsWindows) {
    HWND w = createNamed("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Korvo.Settings");
    EXPECT_THROW(TerminateProcess(GetCurrentProcess(), 1), platform::core::ProcessTerminated);
    // As a program's static objects do while the process goes: nothing unwinds from here.
    EXPECT_NO_THROW(EXPECT_TRUE(CloseHandle(mutex)));
    EXPECT_NO_THROW(EXPECT_FALSE(IsWindow(w)));
    EXPECT_NO_THROW(EXPECT_FALSE(DestroyWindow(w)));
    EXPECT_THROW(GetCurrentThreadId(), platform::core::ProcessTerminated) << "anything else still ends the caller";
}

// A worker that ends the process runs none of the program's code again: not what follows the
// call, not the destructors of what it made on the way.
std::atomic<bool> workerUnwound{false};
std::atomic<bool> workerWentOn{false};

TEST(Win32Threads, AWorkerThatEndsTheProcessStopsWhereItIsAndNothingOnItUnwinds) {
    struct Made {
        ~Made() { workerUnwound = true; }
    };
    DWORD id = 0;
    HANDLE worker = CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            Made made;
            TerminateProcess(GetCurrentProcess(), 7);
            workerWentOn = true;
            return 0;
        },
        nullptr, 0, &id);
    ASSERT_NE(worker, nullptr);
    EXPECT_THROW(WaitForSingleObject(worker, INFINITE), platform::core::ProcessTerminated)
        << "the UI thread hears of the end at its next wait";
    // No platform wait works any more: the worker's record is watched in real time.
    for (int i = 0; i < 5000; ++i) {
        {
            std::lock_guard lock(platform::core::threads().mutex());
            if (!platform::core::threads().find(id)) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    {
        std::lock_guard lock(platform::core::threads().mutex());
        EXPECT_EQ(platform::core::threads().find(id), nullptr) << "the worker counts as ended";
    }
    EXPECT_FALSE(workerUnwound) << "nothing on the worker unwound";
    EXPECT_FALSE(workerWentOn);
    EXPECT_EQ(platform::core::process().exitCode(), 7u);
}

}  // namespace
