// Ctrl-C (SIGINT), SIGTERM and a closed terminal (SIGHUP) end a run the way the end of its input
// does: the program is closed as a user would close it and a temporary host folder is removed.
// The signals are held back in every thread and taken only where the console can act on them:
// between steps, and while it waits for input.
#pragma once

#include <signal.h>

namespace korvo::console {

class EndSignals {
public:
    // Blocks the signals in this thread and so in every thread it starts later: construct it
    // before anything starts a thread.
    EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // The end signal received so far, 0 when none came.
    int received();
    // Waits until `fd` has input (or its end) to read; false when an end signal came instead.
    bool waitReadable(int fd);
    // Once the run is over: ends the process by `signal`, as its default action would, so the
    // caller sees how it ended.
    [[noreturn]] void endProcessBy(int signal);

    static const char* name(int signal);

private:
    sigset_t signals_{};
    sigset_t waitMask_{};  // the thread's mask with the end signals let through
    int received_ = 0;
};

}  // namespace korvo::console
