// Kernel callbacks from a worker thread, as the harness makes them for the kernel: what the
// worker sends to the UI thread's windows runs on the UI thread meanwhile, and a call that can
// never end (or that an interruption gives up) ends the run only once its worker has unwound.
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "app/kvw32_app.h"
#include "platform/core/process.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

// Set when the worker's call has unwound.
struct UnwoundMark {
    std::shared_ptr<std::atomic<bool>> unwound;
    ~UnwoundMark() { *unwound = true; }
};

void Start(Session& s) {
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
}

// Waits on an event nothing will ever set.
std::function<void(KorvoServerAppProxy&)> waitForever(std::shared_ptr<std::atomic<bool>> unwound) {
    return [unwound](KorvoServerAppProxy&) {
        UnwoundMark mark{unwound};
        HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        WaitForSingleObject(never, INFINITE);
    };
}

class WorkerCallbacks : public SessionTest {};

TEST_F(WorkerCallbacks, WhatTheWorkerSendsToAUiWindowRunsOnTheUiThreadAndWhatItMakesGoesWithIt) {
    Session s;
    Start(s);
    const HWND frame = s.inspect().mainFrames().front();
    LRESULT answered = 0;
    bool shown = false;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        answered = SendMessageW(frame, WM_GETTEXTLENGTH, 0, 0);
        // The bar is a window of this thread, placed in the UI thread's frame.
        shown = kernel.ShowMessageBar(7, L"Title", L"Text") != nullptr &&
                s.inspect().dumpWindows().find(L"\"Korvo.MessageBar\"") != std::wstring::npos;
    }, true);
    EXPECT_GT(answered, 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(s.inspect().dumpWindows().find(L"\"Korvo.MessageBar\""), std::wstring::npos)
        << "a thread's windows go when it ends, as on Windows";
}

TEST(WorkerCallbackEnds, ACallThatCanNeverEndEndsTheRunOnceItsWorkerHasUnwound) {
    Session s;
    Start(s);
    auto unwound = std::make_shared<std::atomic<bool>>(false);
    EXPECT_THROW(s.kernel().callback(waitForever(unwound), true), HungCall);
    EXPECT_TRUE(*unwound) << "the worker unwound before the harness let go of its call";
    EXPECT_TRUE(platform::core::process().terminated());
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.quit(), 1);
    const auto failures = s.takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"would block forever"), std::wstring::npos) << apptest::Utf8(failures[0]);
}

TEST(WorkerCallbackEnds, AnInterruptionGivesUpARealTimeCallThatDoesNotEnd) {
    Config config;
    config.platform.clock = platform::core::ClockMode::Real;
    std::atomic<bool> interrupt = false;
    config.interrupted = [&interrupt] { return interrupt.load(); };
    Session s(config);
    Start(s);
    auto unwound = std::make_shared<std::atomic<bool>>(false);
    std::thread signal([&interrupt] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        interrupt = true;
    });
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_THROW(s.kernel().callback(waitForever(unwound), true), HungCall);
    signal.join();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    EXPECT_TRUE(*unwound);
    EXPECT_TRUE(s.takeFailures().empty()) << "an interruption is no failure of the program";
}

}  // namespace
