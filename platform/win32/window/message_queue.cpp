// Posting, sending and retrieving messages; timers. Pick order of PeekMessage/GetMessage:
// cross-thread sent messages (run in place), posted messages in FIFO order, WM_QUIT once no
// posted message waits, WM_PAINT for invalid windows, WM_TIMER for due timers (rescheduled to
// now + interval on removal, so a long clock jump yields one tick, not a burst).
#include <algorithm>
#include <limits>

#include "platform/core/clock.h"
#include "platform/core/costs.h"
#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/core/registry_store.h"
#include "platform/win32/process/kernel_objects.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/window/modal_pass.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;
using platform::core::ThreadRecord;

namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
constexpr UINT kMinimumTimerInterval = 10;  // USER_TIMER_MINIMUM

struct Filter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;
    UINT kinds = 0;  // QS_* kinds looked at; 0: all

    bool looksAt(UINT kind) const { return kinds == 0 || (kinds & kind) != 0; }

    bool passesRange(UINT message) const { return (min == 0 && max == 0) || (message >= min && message <= max); }
    bool passesWindow(HWND target) const {
        if (!hwnd) return true;
        if (hwnd == kThreadMessagesOnly) return target == nullptr;
        return target && isDescendant(hwnd, target);
    }
    bool passes(HWND target, UINT message) const { return passesRange(message) && passesWindow(target); }
};

// A filter window is null, the thread-messages-only value or a living window (lock held).
bool isValidFilterWindow(HWND hwnd) { return !hwnd || hwnd == kThreadMessagesOnly || findWindow(hwnd); }

MSG makeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = platform::core::clock().tickCount();
    return msg;
}

Window* firstInvalidWindow(ThreadRecord& me, const Filter& filter) {
    auto& table = windowTable();
    // A filter only narrows: a thread that had nothing to paint still has nothing under any.
    if (me.queue.nothingToPaintSince == table.paintChanges) return nullptr;
    for (const auto& [handle, w] : table.invalidWindows) {
        if (w->thread == me.id && effectivelyVisible(*w) && filter.passesWindow(handle)) return w;
    }
    if (!filter.hwnd) me.queue.nothingToPaintSince = table.paintChanges;
    return nullptr;
}

platform::core::Timer* earliestTimer(ThreadRecord& me, const Filter& filter) {
    platform::core::Timer* best = nullptr;
    for (auto& t : me.queue.timers) {
        if (!filter.passesWindow(t.hwnd)) continue;
        if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) best = &t;
    }
    return best;
}

// The next message by the pick order, without sent messages. Lock held.
bool pick(ThreadRecord& me, const Filter& filter, bool remove, MSG& out) {
    auto& q = me.queue;
    for (auto it = q.posted.begin(); it != q.posted.end() && filter.looksAt(QS_POSTMESSAGE); ++it) {
        if (!filter.passes(it->hwnd, it->message)) continue;
        out = *it;
        if (remove) q.posted.erase(it);
        return true;
    }
    // WM_QUIT passes every filter, window and range alike, so a filtered loop still ends.
    if (q.quitPending && filter.looksAt(QS_POSTMESSAGE)) {
        out = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
        if (remove) q.quitPending = false;
        return true;
    }
    if (filter.passesRange(WM_PAINT) && filter.looksAt(QS_PAINT)) {
        if (Window* w = firstInvalidWindow(me, filter)) {
            out = makeMessage(w->handle, WM_PAINT, 0, 0);
            return true;
        }
    }
    if (filter.passesRange(WM_TIMER) && filter.looksAt(QS_TIMER)) {
        const auto now = platform::core::clock().nowMillis();
        if (auto* t = earliestTimer(me, filter); t && t->due <= now) {
            out = makeMessage(t->hwnd, WM_TIMER, t->id, reinterpret_cast<LPARAM>(t->proc));
            if (remove) t->due = now + t->interval;
            return true;
        }
    }
    return false;
}

// Windows keeps a thread's key state in step with the key messages it takes from its queue.
void noteKeyState(ThreadRecord& me, const MSG& msg) {
    const std::size_t key = static_cast<std::size_t>(msg.wParam) & 0xFF;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) me.queue.keysDown.set(key);
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) me.queue.keysDown.reset(key);
}

// The QS_* kinds waiting in the thread's queue (lock held).
UINT queueStatus(ThreadRecord& me) {
    UINT status = 0;
    if (!me.queue.posted.empty() || me.queue.quitPending) status |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    if (!me.queue.sent.empty()) status |= QS_SENDMESSAGE;
    if (firstInvalidWindow(me, Filter{})) status |= QS_PAINT;
    if (auto* t = earliestTimer(me, Filter{}); t && t->due <= platform::core::clock().nowMillis()) status |= QS_TIMER;
    return status;
}

bool hasMessage(ThreadRecord& me, const Filter& filter) {
    MSG ignored;
    return !me.queue.sent.empty() || me.queue.foregroundChanged || pick(me, filter, false, ignored);
}

// What a pump does before it looks for a message: sent messages from other threads, then the
// activation that follows a foreground change another thread made (lock held).
void processIncoming(Lock& lock, ThreadRecord& me) {
    do {
        processIncomingSent(lock, me);
        if (me.queue.foregroundChanged) followForeground(lock, me);
    } while (!me.queue.sent.empty() || me.queue.foregroundChanged);
}

std::optional<std::uint64_t> nextTimerDue(ThreadRecord& me, const Filter& filter) {
    if (!filter.passesRange(WM_TIMER)) return std::nullopt;
    auto* t = earliestTimer(me, filter);
    return t ? std::optional<std::uint64_t>(t->due) : std::nullopt;
}

// The UI thread's queue ran dry: its loop (the framework's, a modal one, a message box's) is
// about to idle or wait, which is when the registry writes out what changed meanwhile. Called
// without the scheduler lock, as it writes files.
void uiThreadIdle(DWORD thread) {
    if (thread == platform::core::kUiThreadId) platform::core::registryStore().saveChangedHives();
}

// Waits until a message is available. False when the wait could never end (manual clock, UI
// thread, nothing pending, nobody else able to post): reported as a failure.
bool waitForMessage(Lock& lock, ThreadRecord& me, const Filter& filter, const char* what) {
    bool idled = false;
    for (;;) {
        processIncoming(lock, me);
        if (hasMessage(me, filter)) return true;
        if (!idled && me.id == platform::core::kUiThreadId && platform::core::registryStore().hasUnsavedChanges()) {
            idled = true;
            lock.unlock();
            uiThreadIdle(me.id);
            lock.lock();
            continue;
        }
        const auto result = platform::core::threads().wait(
            lock, what, [&] { return hasMessage(me, filter); }, nextTimerDue(me, filter), false);
        if (result != platform::core::Threads::WaitResult::WouldHang) continue;
        const std::wstring state = platform::core::threads().dumpLocked();
        lock.unlock();
        platform::core::reportFailure(platform::core::fromUtf8(what) +
                                      L" on the UI thread would block forever (manual clock, nothing pending):\n" +
                                      state);
        lock.lock();
        return false;
    }
}

// A WM_TIMER carrying a TIMERPROC runs that procedure instead of the window's, but only when
// it names a living timer of that window (or thread) with that procedure: a forged lParam calls
// nothing.
LRESULT runTimerProcedure(const MSG& msg) {
    TIMERPROC proc = nullptr;
    {
        Lock lock = lockPlatform();
        ThreadRecord* owner = nullptr;
        if (msg.hwnd) {
            Window* w = findWindow(msg.hwnd);
            owner = w ? platform::core::threads().find(w->thread) : nullptr;
        } else {
            owner = &platform::core::threads().current(lock);
        }
        if (owner)
            for (const auto& t : owner->queue.timers)
                if (t.hwnd == msg.hwnd && t.id == msg.wParam && reinterpret_cast<LPARAM>(t.proc) == msg.lParam)
                    proc = reinterpret_cast<TIMERPROC>(t.proc);
    }
    if (proc) proc(msg.hwnd, WM_TIMER, msg.wParam, platform::core::clock().tickCount());
    return 0;
}

}  // namespace

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd) return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam);
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    ThreadRecord* target = w ? platform::core::threads().find(w->thread) : nullptr;
    if (!w || !target) return failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    target->queue.posted.push_back(makeMessage(hwnd, message, wParam, lParam));
    platform::core::threads().notifyAll();
    return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    Lock lock = lockPlatform();
    auto& threads = platform::core::threads();
    threads.current(lock);
    ThreadRecord* target = threads.find(threadId);
    if (!target) return failWith(ERROR_INVALID_THREAD_ID, FALSE);
    target->queue.posted.push_back(makeMessage(nullptr, message, wParam, lParam));
    threads.notifyAll();
    return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, 0);
    if (w->thread == currentThread(lock)) {
        WNDPROC proc = w->proc;
        lock.unlock();
        return proc ? proc(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto sent = std::make_shared<platform::core::SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    return sendToThread(lock, w->thread, sent);
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Lock lock = lockPlatform();
    if (!isValidFilterWindow(hwnd)) return failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    auto& me = platform::core::threads().current(lock);
    processIncoming(lock, me);
    MSG found;
    const Filter filter{hwnd, filterMin, filterMax, removeFlags >> 16};
    if (!pick(me, filter, (removeFlags & PM_REMOVE) != 0, found)) {
        const DWORD thread = me.id;
        lock.unlock();
        // A look at sent messages only is no sign that the loop goes idle.
        if (filter.kinds == 0) uiThreadIdle(thread);
        return FALSE;
    }
    if (removeFlags & PM_REMOVE) {
        me.queue.lastMessageTime = found.time;
        noteKeyState(me, found);
    }
    if (msg) *msg = found;
    return TRUE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    Lock lock = lockPlatform();
    if (!isValidFilterWindow(hwnd)) return failWith(ERROR_INVALID_WINDOW_HANDLE, -1);
    auto& me = platform::core::threads().current(lock);
    const Filter filter{hwnd, filterMin, filterMax};
    MSG found;
    if (!waitForMessage(lock, me, filter, "GetMessage")) {
        // Treated as WM_QUIT(0), so the caller's loop ends instead of hanging.
        found = makeMessage(nullptr, WM_QUIT, 0, 0);
    } else {
        pick(me, filter, true, found);
        me.queue.lastMessageTime = found.time;
        noteKeyState(me, found);
    }
    if (msg) *msg = found;
    return found.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    Lock lock = lockPlatform();
    auto& me = platform::core::threads().current(lock);
    return waitForMessage(lock, me, Filter{}, "WaitMessage") ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG*) {
    // Keyboard input is not simulated yet, so there is nothing to translate into WM_CHAR.
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg) return 0;
    const platform::core::StepMeter step;
    if (msg->message == WM_TIMER && msg->lParam) return runTimerProcedure(*msg);
    if (!msg->hwnd) return 0;
    return callWindowProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    Lock lock = lockPlatform();
    auto& me = platform::core::threads().current(lock);
    me.queue.quitPending = true;
    me.queue.quitCode = exitCode;
    platform::core::threads().notifyAll();
}

DWORD GetQueueStatus(UINT flags) {
    Lock lock = lockPlatform();
    const UINT status = queueStatus(platform::core::threads().current(lock)) & flags;
    return MAKELONG(static_cast<WORD>(status), static_cast<WORD>(status));
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD timeoutMs, DWORD wakeMask) {
    if (waitAll) {
        platform::core::reportFailure(L"MsgWaitForMultipleObjects waiting for all handles is not supported");
        return failWith(ERROR_INVALID_PARAMETER, WAIT_FAILED);
    }
    if (count > 0 && !handles) return failWith(ERROR_INVALID_PARAMETER, WAIT_FAILED);
    Lock lock = lockPlatform();
    auto& threads = platform::core::threads();
    auto& me = threads.current(lock);
    std::vector<Waitable> waitables;
    for (DWORD i = 0; i < count; ++i) {
        auto object = findObject(handles[i]);
        if (!object) return failWith(ERROR_INVALID_HANDLE, WAIT_FAILED);
        waitables.push_back(waitableOf(std::move(object), me.id));
    }
    auto firstReady = [&]() -> std::optional<DWORD> {
        for (DWORD i = 0; i < count; ++i)
            if (waitables[i].ready()) return i;
        if (queueStatus(me) & wakeMask) return count;
        return std::nullopt;
    };
    std::optional<std::uint64_t> deadline;
    if (timeoutMs != INFINITE) deadline = platform::core::clock().nowMillis() + timeoutMs;
    const auto result =
        threads.wait(lock, "MsgWaitForMultipleObjects", [&] { return firstReady().has_value(); }, deadline);
    using R = platform::core::Threads::WaitResult;
    if (result == R::DeadlineReached) return WAIT_TIMEOUT;
    if (result == R::WouldHang) {
        const std::wstring state = threads.dumpLocked();
        lock.unlock();
        platform::core::reportFailure(L"MsgWaitForMultipleObjects on the UI thread would block forever (manual clock):\n" +
                                      state);
        return failWith(ERROR_TIMEOUT, WAIT_FAILED);
    }
    const DWORD index = *firstReady();
    if (index == count) return WAIT_OBJECT_0 + count;
    const DWORD taken = waitables[index].acquire();
    return taken + index;
}

SHORT GetKeyState(int virtualKey) {
    Lock lock = lockPlatform();
    auto& me = platform::core::threads().current(lock);
    return me.queue.keysDown.test(static_cast<std::size_t>(virtualKey) & 0xFF) ? static_cast<SHORT>(0x8000) : 0;
}

DWORD GetMessageTime() {
    Lock lock = lockPlatform();
    return platform::core::threads().current(lock).queue.lastMessageTime;
}

// ---- Timers ----------------------------------------------------------------------------------

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    Lock lock = lockPlatform();
    auto& threads = platform::core::threads();
    ThreadRecord* owner = &threads.current(lock);
    if (hwnd && !findOwned(lock, hwnd, "SetTimer")) return 0;
    auto& timers = owner->queue.timers;
    if (!hwnd) {
        const bool exists = id != 0 && std::any_of(timers.begin(), timers.end(), [&](const auto& t) {
                                return t.hwnd == nullptr && t.id == id;
                            });
        if (!exists) id = owner->queue.nextThreadTimerId++;
    }
    const UINT interval = std::clamp<UINT>(elapseMs, kMinimumTimerInterval, 0x7FFFFFFF);
    std::erase_if(timers, [&](const auto& t) { return t.hwnd == hwnd && t.id == id; });
    platform::core::Timer timer;
    timer.hwnd = hwnd;
    timer.id = id;
    timer.interval = interval;
    timer.due = platform::core::clock().nowMillis() + interval;
    timer.order = windowTable().nextTimerOrder++;
    timer.proc = reinterpret_cast<void*>(proc);
    timers.push_back(timer);
    threads.notifyAll();
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    Lock lock = lockPlatform();
    auto& threads = platform::core::threads();
    ThreadRecord* owner = &threads.current(lock);
    if (hwnd && !findOwned(lock, hwnd, "KillTimer")) return FALSE;
    const auto removed = std::erase_if(owner->queue.timers, [&](const auto& t) { return t.hwnd == hwnd && t.id == id; });
    return removed ? TRUE : FALSE;
}

namespace platform::win32 {

LRESULT sendToThread(Lock& lock, DWORD targetThread, const std::shared_ptr<core::SentMessage>& sent) {
    auto& threads = core::threads();
    auto& me = threads.current(lock);
    ThreadRecord* target = threads.find(targetThread);
    if (!target) return 0;
    sent->sender = me.id;
    target->queue.sent.push_back(sent);
    threads.notifyAll();
    // A sender that unwinds (the process ended) takes its message back: it may point into the
    // sender's stack.
    struct Withdraw {
        Lock& lock;
        DWORD target;
        const std::shared_ptr<core::SentMessage>& sent;
        ~Withdraw() {
            if (sent->done) return;
            if (!lock.owns_lock()) lock.lock();
            if (ThreadRecord* t = core::threads().find(target)) std::erase(t->queue.sent, sent);
        }
    } withdraw{lock, targetThread, sent};
    for (;;) {
        // While waiting, messages sent to this thread still run (as Windows does), so two threads
        // sending to each other do not deadlock.
        const auto result =
            threads.wait(lock, "SendMessage", [&] { return sent->done || !me.queue.sent.empty(); }, std::nullopt);
        if (sent->done) return sent->result;
        if (result == core::Threads::WaitResult::WouldHang) {
            if (ThreadRecord* t = threads.find(targetThread)) std::erase(t->queue.sent, sent);
            sent->done = true;
            const std::wstring state = threads.dumpLocked();
            lock.unlock();
            core::reportFailure(L"SendMessage to " + core::handleText(sent->hwnd) +
                                L" would block forever: its thread does not pump:\n" + state);
            lock.lock();
            return 0;
        }
        processIncomingSent(lock, me);
    }
}

std::optional<LRESULT> callOnOwnerThread(HWND hwnd, std::function<LRESULT()> call) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || w->thread == currentThread(lock)) return std::nullopt;
    auto sent = std::make_shared<core::SentMessage>();
    sent->hwnd = hwnd;
    sent->call = std::move(call);
    return sendToThread(lock, w->thread, sent);
}

void dropQueuedFor(HWND hwnd) {
    Window* w = findWindow(hwnd);
    if (!w) return;
    auto* owner = core::threads().find(w->thread);
    if (!owner) return;
    std::erase_if(owner->queue.timers, [&](const auto& t) { return t.hwnd == hwnd; });
    std::erase_if(owner->queue.posted, [&](const MSG& m) { return m.hwnd == hwnd; });
}
}  // namespace platform::win32

namespace platform::win32 {

namespace {

constexpr LPARAM kModalPassMarker = static_cast<LPARAM>(0x4B50415353ll);  // "KPASS"

}  // namespace

void beginModalPass() { PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, kModalPassMarker); }

bool endsModalPass(const MSG& message) {
    if (message.hwnd != nullptr || message.message != WM_NULL || message.lParam != kModalPassMarker) return false;
    MSG removed;
    PeekMessageW(&removed, nullptr, WM_NULL, WM_NULL, PM_REMOVE);
    return true;
}

}  // namespace platform::win32
