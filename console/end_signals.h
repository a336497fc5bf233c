// Ctrl-C (SIGINT), SIGTERM and a closed terminal (SIGHUP) end a run the way the end of its input
// does: the program is closed as a user would close it and a temporary host folder is removed.
// The signals are held back in every thread and acted on where the console can: between steps,
// and while it waits for input. A thread of its own takes them as they come, so that a step that
// runs long (a start-up over a huge state file) cannot keep one waiting for minutes: a signal the
// run has not finished acting on within 0.9 s ends the process there, after the last word given
// to onOverdue (the temporary host folder goes), by the signal itself.
#pragma once

#include <pthread.h>
#include <signal.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korvo::console {

class EndSignals {
public:
    // Blocks the signals in this thread and so in every thread it starts later: construct it
    // before anything starts a thread.
    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // What to do before the process ends for a signal the run did not act on in time.
    void onOverdue(std::function<void()> lastWord);
    // The run has ended by itself: a signal from now on is no longer overdue.
    void runEnded();

    // The end signal received so far, 0 when none came.
    int received();
    // Waits until `fd` has input (or its end) to read; false when an end signal came instead.
    bool waitReadable(int fd);
    // Once the run is over: ends the process by `signal`, as its default action would, so the
    // caller sees how it ended.
    [[noreturn]] void endProcessBy(int signal);

    static const char* name(int signal);

private:
    void watch();

    sigset_t signals_{};
    sigset_t waitMask_{};  // the thread's mask with the end signals let through
    int received_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> lastWord_;
    bool ended_ = false;
    pthread_t runThread_{};
    std::thread watcher_;
};

}  // namespace korvo::console
