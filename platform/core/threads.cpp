#include "platform/core/threads.h"

#include <atomic>
#include <sstream>

#include "platform/core/clock.h"
#include "platform/core/journal.h"
#include "platform/core/process.h"

namespace platform::core {

namespace {

thread_local DWORD tlsThreadId = 0;

// The calling thread's record as last found: a record lives as long as its thread is bound to
// it, and only its own thread ends it (finishCurrent), so the table, the id and the record
// together answer without a search.
struct RememberedRecord {
    std::uint64_t table = 0;
    DWORD id = 0;
    ThreadRecord* record = nullptr;
};
thread_local RememberedRecord tlsRecord;

// Ends a host thread that registered on its own (not through CreateThread) when it ends. The UI
// thread is the process's main thread: it lasts until the process ends, static destructors
// included.
struct ExitMarker {
    DWORD id = 0;
    ~ExitMarker() {
        if (id == 0 || id == kUiThreadId || tlsThreadId != id) return;
        threads().finishCurrent(0);
    }
};
thread_local ExitMarker tlsExitMarker;

const char* stateName(ThreadState s) {
    switch (s) {
        case ThreadState::Running: return "running";
        case ThreadState::Blocked: return "blocked";
    }
    return "?";
}

}  // namespace

ThreadRecord* Threads::find(DWORD id) {
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : it->second.get();
}

std::vector<DWORD> Threads::ids() const {
    std::vector<DWORD> out;
    out.reserve(records_.size());
    for (const auto& [id, record] : records_) out.push_back(id);
    return out;
}

std::uint64_t Threads::nextSerial() {
    static std::atomic<std::uint64_t> made{0};
    return ++made;
}

ThreadRecord& Threads::current(std::unique_lock<std::mutex>&) {
    if (tlsThreadId != 0) {
        if (tlsRecord.table == serial_ && tlsRecord.id == tlsThreadId) return *tlsRecord.record;
        ThreadRecord& found = *records_.at(tlsThreadId);
        tlsRecord = RememberedRecord{serial_, tlsThreadId, &found};
        return found;
    }
    const DWORD id = nextId_++;
    auto record = std::make_unique<ThreadRecord>();
    record->id = id;
    record->name = id == kUiThreadId ? L"ui" : L"host";
    auto& ref = *record;
    records_[id] = std::move(record);
    tlsThreadId = id;
    tlsExitMarker.id = id;
    return ref;
}

DWORD Threads::currentId() {
    if (tlsThreadId != 0) return tlsThreadId;
    std::unique_lock lock(mutex_);
    return current(lock).id;
}

DWORD Threads::reserve(std::wstring name) {
    std::unique_lock lock(mutex_);
    current(lock);  // the creator gets its id first, so the UI thread stays 1
    const DWORD id = nextId_++;
    auto record = std::make_unique<ThreadRecord>();
    record->id = id;
    record->name = std::move(name);
    records_[id] = std::move(record);
    return id;
}

void Threads::bindCurrent(DWORD id) { tlsThreadId = id; }

void Threads::finishCurrent(DWORD exitCode) {
    std::lock_guard lock(mutex_);
    if (auto it = records_.find(tlsThreadId); it != records_.end()) {
        ThreadRecord& t = *it->second;
        t.end->finished = true;
        t.end->exitCode = exitCode;
        // Senders waiting on this thread get 0 rather than waiting forever.
        for (auto& sent : t.queue.sent) sent->done = true;
        setSuspendCount(t, 0);
        records_.erase(it);
    }
    // Anything the host thread still does on its way out registers it anew.
    tlsThreadId = 0;
    tlsRecord = RememberedRecord{};
    notifyAll();
}

std::shared_ptr<ThreadEnd> Threads::endOf(DWORD id) {
    ThreadRecord* t = find(id);
    return t ? t->end : nullptr;
}

bool Threads::quiescentLocked(const ThreadRecord& t) const {
    if (t.state != ThreadState::Blocked) return false;
    if (process().terminated()) return false;
    if (t.deadline && clock().nowMillis() >= *t.deadline) return false;
    return !(t.ready && t.ready());
}

bool Threads::othersQuiescent(DWORD self) const {
    for (const auto& [id, t] : records_)
        if (id != self && !quiescentLocked(*t)) return false;
    return true;
}

std::optional<std::uint64_t> Threads::earliestOtherDeadline(DWORD self) const {
    std::optional<std::uint64_t> earliest;
    for (const auto& [id, t] : records_)
        if (id != self && t->state == ThreadState::Blocked && t->deadline && (!earliest || *t->deadline < *earliest))
            earliest = t->deadline;
    return earliest;
}

Threads::WaitResult Threads::wait(std::unique_lock<std::mutex>& lock, const char* what,
                                  const std::function<bool()>& ready, std::optional<std::uint64_t> deadline,
                                  bool mayAdvanceClock) {
    auto& self = current(lock);
    auto& clk = clock();
    struct Unblock {
        ThreadRecord& t;
        ~Unblock() {
            if (t.state == ThreadState::Blocked) t.state = ThreadState::Running;
            t.ready = nullptr;
            t.deadline.reset();
            t.blockedIn.clear();
        }
    } unblock{self};
    for (;;) {
        process().throwIfTerminated();
        if (ready()) return WaitResult::Ready;
        if (deadline && clk.nowMillis() >= *deadline) return WaitResult::DeadlineReached;
        if (self.state != ThreadState::Blocked) {
            self.state = ThreadState::Blocked;
            self.blockedIn = what;
            self.ready = ready;
            self.deadline = deadline;
            notifyAll();  // a quiescence check may be waiting for this thread
        }
        if (clk.mode() == ClockMode::Manual) {
            if (self.id == kUiThreadId && othersQuiescent(self.id)) {
                // Nothing else can happen until time passes, and only this thread moves time.
                if (!mayAdvanceClock) return WaitResult::WouldHang;
                auto next = earliestOtherDeadline(self.id);
                if (deadline && (!next || *deadline < *next)) next = deadline;
                if (!next) return WaitResult::WouldHang;
                const auto now = clk.nowMillis();
                if (*next > now) clk.advanceWhileLocked((*next - now) * 1000);
                notifyAll();
                // Let the threads whose deadline came run before looking again.
                while (!process().terminated() && !othersQuiescent(self.id) && !ready())
                    changed_.wait_for(lock, std::chrono::milliseconds(20));
                continue;
            }
            (self.id == kUiThreadId ? changed_ : self.wakeup).wait_for(lock, std::chrono::milliseconds(100));
        } else {
            auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
            if (deadline) until = std::min(until, clk.hostDeadline(*deadline));
            self.wakeup.wait_until(lock, until);
        }
    }
}

void Threads::notifyAll() {
    for (const auto& [id, t] : records_)
        if (t->state == ThreadState::Blocked && !quiescentLocked(*t)) t->wakeup.notify_all();
    changed_.notify_all();
}

bool Threads::quiesce(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    const DWORD self = current(lock).id;
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!othersQuiescent(self)) {
        if (std::chrono::steady_clock::now() >= until) {
            const std::wstring state = dumpLocked();
            lock.unlock();
            reportFailure(L"threads did not come to rest within " + std::to_wstring(limit.count()) + L" ms:\n" +
                          state);
            return false;
        }
        changed_.wait_for(lock, std::chrono::milliseconds(20));
    }
    return true;
}

void Threads::handOver() {
    {
        std::unique_lock lock(mutex_);
        if (current(lock).id != kUiThreadId) return;
    }
    quiesce(std::chrono::seconds(10));
}

void Threads::setSuspendCount(ThreadRecord& t, int count) {
    suspendedThreads_ += (count > 0 ? 1 : 0) - (t.suspendCount > 0 ? 1 : 0);
    t.suspendCount = count;
}

void Threads::parkIfSuspended(std::unique_lock<std::mutex>& lock) {
    // A thread's first platform call registers it (its record is made by the look-up).
    if (suspendedThreads_ == 0 && tlsThreadId != 0) return;
    auto& self = current(lock);
    if (self.suspendCount == 0) return;
    if (wait(lock, "SuspendThread", [&self] { return self.suspendCount == 0; }, std::nullopt) ==
        WaitResult::WouldHang) {
        const std::wstring state = dumpLocked();
        lock.unlock();
        reportFailure(L"thread " + std::to_wstring(self.id) + L" is suspended and nothing can resume it:\n" + state);
        lock.lock();
    }
}

std::vector<ThreadInfo> Threads::list() {
    std::lock_guard lock(mutex_);
    std::vector<ThreadInfo> out;
    for (const auto& [id, t] : records_) {
        ThreadInfo info;
        info.id = id;
        info.name = t->name;
        info.state = t->state;
        info.blockedIn = t->blockedIn;
        info.ready = t->state == ThreadState::Blocked && !quiescentLocked(*t);
        info.postedMessages = t->queue.posted.size();
        info.timers = t->queue.timers.size();
        info.suspendCount = t->suspendCount;
        out.push_back(std::move(info));
    }
    return out;
}

std::wstring Threads::dumpLocked() const {
    std::wostringstream out;
    const auto now = clock().nowMillis();
    out << L"clock " << now << L" ms\n";
    for (const auto& [id, t] : records_) {
        out << L"thread " << id << L" \"" << t->name << L"\" " << stateName(t->state);
        if (t->state == ThreadState::Blocked) {
            out << L" in " << std::wstring(t->blockedIn.begin(), t->blockedIn.end());
            if (t->deadline) out << L" until " << *t->deadline << L" ms";
            if (!quiescentLocked(*t)) out << L" (about to wake)";
        }
        if (t->suspendCount > 0) out << L" suspended " << t->suspendCount;
        const auto& q = t->queue;
        out << L"; posted " << q.posted.size() << L", sent " << q.sent.size() << L", quit "
            << (q.quitPending ? L"pending" : L"no") << L", timers " << q.timers.size();
        for (const auto& timer : q.timers) out << L" [id " << timer.id << L" due " << timer.due << L"]";
        out << L'\n';
    }
    return out.str();
}

std::wstring Threads::dump() {
    std::lock_guard lock(mutex_);
    return dumpLocked();
}

Threads& threads() {
    static Threads& instance = process().threads();
    return instance;
}

}  // namespace platform::core
