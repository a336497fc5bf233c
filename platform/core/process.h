// The process-wide state of the stand-in platform: one lazily created object that owns every
// process-wide table (journal, clock, threads, user agent, and whatever tables the stand-ins
// register), and the "terminated" state that an intercepted ExitProcess leaves behind.
#pragma once

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <typeindex>
#include <unordered_map>

#include "platform/core/windows_types.h"

namespace platform::core {

class Journal;
class Clock;
class Threads;
class UserAgent;

// Thrown by every platform call once the process has "ended" (ExitProcess, TerminateProcess),
// so that no test code carries on as if the program were still running.
class ProcessTerminated : public std::exception {
public:
    explicit ProcessTerminated(UINT exitCode) : exitCode_(exitCode) {}
    UINT exitCode() const { return exitCode_; }
    const char* what() const noexcept override { return "the process has terminated"; }

private:
    UINT exitCode_;
};

class Process {
public:
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    Journal& journal();
    Clock& clock();
    Threads& threads();
    UserAgent& userAgent();

    // A process-wide table of type T, created on first request (thread-safe) and never
    // destroyed before the process ends. Stand-ins keep their tables here instead of in
    // namespace-scope globals, so nothing is constructed before the configuration is set.
    template <class T>
    T& table() {
        std::lock_guard lock(tablesMutex_);
        auto& slot = tables_[std::type_index(typeid(T))];
        if (!slot) slot = std::shared_ptr<void>(std::make_shared<T>());
        return *static_cast<T*>(slot.get());
    }

    bool terminated() const { return terminated_.load(); }
    UINT exitCode() const { return exitCode_.load(); }
    // Journals "process exit <code>", marks the process terminated, wakes every waiting thread
    // and throws ProcessTerminated on the calling thread.
    [[noreturn]] void terminate(UINT exitCode, const wchar_t* how);
    // Throws ProcessTerminated when the process has ended.
    void throwIfTerminated() const;

private:
    friend Process& process();
    Process() = default;

    std::mutex tablesMutex_;
    std::unordered_map<std::type_index, std::shared_ptr<void>> tables_;
    std::atomic<bool> terminated_{false};
    std::atomic<UINT> exitCode_{0};
};

// The one process object. Never destroyed: threads of the program may still run while the host
// process destroys its statics.
Process& process();

}  // namespace platform::core
