// The thread table and the scheduler lock. Every platform thread (the UI thread, threads made by
// CreateThread, and any host thread that calls into the platform) gets a small deterministic id
// (the first thread to call the platform is the UI thread, id 1), a message queue and a state.
// Every blocking platform primitive waits through `Threads::wait`, which marks the thread blocked
// so that `quiesce` can tell when nothing else can happen without the clock moving.
#pragma once

#include <bitset>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/windows_types.h"

namespace platform::core {

inline constexpr DWORD kUiThreadId = 1;

// A message sent to a window of another thread; the sender waits for `done`. With `call`, the
// receiving thread runs it instead of the window procedure: a cross-thread call whose messages
// Windows sends to the window's thread runs there whole.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    DWORD sender = 0;
    std::function<LRESULT()> call;
};

// How a thread ended, kept by its thread handles after its record is gone (guarded by the
// scheduler lock).
struct ThreadEnd {
    bool finished = false;
    DWORD exitCode = 259;  // STILL_ACTIVE
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    std::uint64_t due = 0;  // platform milliseconds
    std::uint64_t order = 0;  // creation order, to break deadline ties
    void* proc = nullptr;   // TIMERPROC
};

// Everything the queue functions need; guarded by the scheduler lock.
struct MessageQueue {
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> sent;
    bool quitPending = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 1;
    DWORD lastMessageTime = 0;
    // The keys down as the key messages taken from the queue so far tell (GetKeyState).
    std::bitset<256> keysDown;
    // Another thread moved the foreground to or away from this thread: the activation messages
    // follow when this thread next looks at its queue.
    bool foregroundChanged = false;
    // The window table's paint-change count when this thread last found no window to paint.
    std::optional<std::uint64_t> nothingToPaintSince;
};

enum class ThreadState { Running, Blocked };

struct ThreadRecord {
    DWORD id = 0;
    std::wstring name;
    ThreadState state = ThreadState::Running;
    std::string blockedIn;                      // the primitive the thread waits in
    std::function<bool()> ready;                // while blocked: true once the wait can end
    std::optional<std::uint64_t> deadline;      // while blocked: platform milliseconds
    MessageQueue queue;
    int suspendCount = 0;
    std::shared_ptr<ThreadEnd> end = std::make_shared<ThreadEnd>();
    // Per-thread window state.
    HWND activeWindow = nullptr;
    HWND focusWindow = nullptr;
    HWND captureWindow = nullptr;
    std::vector<std::pair<std::uintptr_t, void*>> cbtHooks;  // (hook handle, HOOKPROC), newest first
    DWORD lastError = 0;
    // Woken only when the thread's wait can end: a thread waiting on its own event is not woken,
    // to take the lock and sleep again, by every window another thread invalidates.
    std::condition_variable wakeup;
};

struct ThreadInfo {
    DWORD id = 0;
    std::wstring name;
    ThreadState state = ThreadState::Running;
    std::string blockedIn;
    bool ready = false;  // blocked, but its wait can already end
    std::size_t postedMessages = 0;
    std::size_t timers = 0;
    int suspendCount = 0;
};

class Threads {
public:
    // The scheduler lock guards the thread table, every queue, the window table and the
    // kernel objects. Never call out (window procedures, callbacks) while holding it.
    std::mutex& mutex() { return mutex_; }

    // The calling thread's id, registering it on first use.
    DWORD currentId();
    // Record of a thread; requires the lock. Null for unknown ids.
    ThreadRecord* find(DWORD id);
    // The ids of the threads alive, in order; requires the lock.
    std::vector<DWORD> ids() const;
    // The calling thread's record; requires the lock.
    ThreadRecord& current(std::unique_lock<std::mutex>& lock);

    // Reserves a record for a thread about to start (CreateThread): its id is known before it runs.
    DWORD reserve(std::wstring name);
    // Binds the calling host thread to a reserved record (first thing the new thread does).
    void bindCurrent(DWORD id);
    // Ends the calling thread (thread exit): its handles learn the exit code, senders waiting on
    // it are released, and its record goes, so finished threads cost nothing later.
    void finishCurrent(DWORD exitCode);
    // How thread `id` ends, for a handle to it; null for unknown ids. Requires the lock.
    std::shared_ptr<ThreadEnd> endOf(DWORD id);

    enum class WaitResult { Ready, DeadlineReached, WouldHang };
    // Blocks the calling thread until `ready()` (evaluated under the lock) or the platform clock
    // reaches `deadline`. Throws ProcessTerminated when the process ends meanwhile. `what` names
    // the primitive for diagnostics.
    //
    // With the manual clock only the UI thread moves time. When the UI thread waits and every
    // other thread is quiescent, nothing can change until time passes: if `mayAdvanceClock`
    // (Sleep, timed waits), the clock steps to the earliest deadline of any waiting thread
    // (this one's included), so others wake in deadline order; otherwise, or with no deadline
    // anywhere, the wait returns WouldHang and the caller reports it.
    WaitResult wait(std::unique_lock<std::mutex>& lock, const char* what, const std::function<bool()>& ready,
                    std::optional<std::uint64_t> deadline, bool mayAdvanceClock = true);
    // Wakes every waiting thread whose wait can now end, and every thread waiting for the others
    // to come to rest; call after changing shared state, with the lock held.
    void notifyAll();

    // True when every thread other than the caller is finished or blocked with nothing to wake
    // it. Requires the lock.
    bool othersQuiescent(DWORD self) const;
    // Waits (real time, up to `limit`) until the other threads are quiescent. On timeout reports a
    // failure with a dump of every thread and returns false.
    bool quiesce(std::chrono::milliseconds limit);
    // Called by the UI thread right after it made another thread able to run (started, resumed
    // or signalled it): lets that thread run until it next waits or ends, so what it does first
    // takes a fixed place among what the UI thread does. Other callers go on at once.
    void handOver();

    std::vector<ThreadInfo> list();
    std::wstring dump();  // requires no lock
    std::wstring dumpLocked() const;

    // Parks the calling thread while it is suspended (SuspendThread); requires the lock.
    void parkIfSuspended(std::unique_lock<std::mutex>& lock);
    // A thread's suspend count (SuspendThread, ResumeThread, CREATE_SUSPENDED); requires the lock.
    void setSuspendCount(ThreadRecord& t, int count);

private:
    bool quiescentLocked(const ThreadRecord& t) const;
    // Earliest future deadline of the blocked threads other than `self`.
    std::optional<std::uint64_t> earliestOtherDeadline(DWORD self) const;

    std::mutex mutex_;
    // What a thread waits on when it must look again after any change: the UI thread with the
    // manual clock (it moves time once the others rest) and whoever waits for quiescence.
    std::condition_variable changed_;
    std::map<DWORD, std::unique_ptr<ThreadRecord>> records_;
    DWORD nextId_ = 1;
    // The threads whose suspend count is above 0. Every platform call parks a suspended caller,
    // and with none suspended (nearly always) a registered caller's record need not be looked up.
    int suspendedThreads_ = 0;
    // Tells this table from one made later at the same address, for the calling thread's
    // remembered record (every platform call asks for it).
    const std::uint64_t serial_ = nextSerial();
    static std::uint64_t nextSerial();
};

Threads& threads();

}  // namespace platform::core
