#include "platform/core/process.h"

#include "platform/core/clock.h"
#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/threads.h"
#include "platform/core/useragent.h"

namespace platform::core {

Process& process() {
    // Deliberately never destroyed (see the header); reachable, so leak checkers stay quiet.
    static Process& instance = *new Process();
    return instance;
}

Config& config() {
    static Config& instance = *new Config();
    return instance;
}

Journal& Process::journal() { return table<Journal>(); }
Clock& Process::clock() { return table<Clock>(); }
Threads& Process::threads() { return table<Threads>(); }
UserAgent& Process::userAgent() { return table<UserAgent>(); }

void Process::terminate(UINT exitCode, const wchar_t* how) {
    bool expected = false;
    if (terminated_.compare_exchange_strong(expected, true)) {
        exitCode_.store(exitCode);
        journal().add("process", std::wstring(how) + L" " + std::to_wstring(exitCode));
        // Waiting threads re-check their condition and unwind.
        std::lock_guard lock(threads().mutex());
        threads().notifyAll();
    }
    throw ProcessTerminated(exitCode_.load());
}

void Process::throwIfTerminated() const {
    if (terminated_.load()) throw ProcessTerminated(exitCode_.load());
}

}  // namespace platform::core
