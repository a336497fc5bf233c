// A kernel callback made from a worker thread, as the kernel's own threads make them. The harness
// stands for the UI thread meanwhile: it waits for the worker while it pumps what the worker
// sends to the UI thread's windows, as the program's message loop would, and it never lets go
// of the worker before the worker has ended.
#include <chrono>
#include <exception>
#include <memory>
#include <stdexcept>
#include <thread>

#include "platform/core/config.h"
#include "platform/core/process.h"
#include "platform/core/threads.h"
#include "platform/harness.h"
#include "platform/harness/session_state.h"
#include "platform/kernel.h"

namespace platform::harness {

namespace {

// How often a real-time wait looks for an interruption.
constexpr DWORD kInterruptPollMs = 100;
// How long the harness waits, in real time, for a worker to unwind once the process has ended.
constexpr auto kUnwindLimit = std::chrono::seconds(10);

struct WorkerCall {
    std::function<void(KorvoServerAppProxy&)> call;
    KorvoServerAppProxy* application = nullptr;
    std::exception_ptr failure;
};

DWORD runOnWorker(LPVOID parameter) {
    // The worker shares its call with the harness, so whichever lets go last frees it.
    const std::unique_ptr<std::shared_ptr<WorkerCall>> handed(static_cast<std::shared_ptr<WorkerCall>*>(parameter));
    const std::shared_ptr<WorkerCall> work = *handed;
    try {
        work->call(*work->application);
    } catch (...) {
        work->failure = std::current_exception();
    }
    return 0;
}

// Waits in real time until thread `id` has left the thread table (it ended). Used once the
// process has ended, when no platform wait can be made any more.
void awaitUnwound(DWORD id) {
    const auto until = std::chrono::steady_clock::now() + kUnwindLimit;
    for (;;) {
        {
            std::lock_guard lock(platform::core::threads().mutex());
            if (!platform::core::threads().find(id)) return;
        }
        if (std::chrono::steady_clock::now() >= until) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The worker can never end by itself: the run ends as a user ends a program that hangs. Ending
// the process unwinds the worker from its wait; the harness waits for that, then says why.
[[noreturn]] void endHungRun(DWORD worker, const std::string& why) {
    try {
        TerminateProcess(GetCurrentProcess(), 1);
    } catch (const platform::core::ProcessTerminated&) {
    }
    awaitUnwound(worker);
    throw HungCall(why);
}

// The UI thread's side of the call: pumps what is sent to it until the worker has ended.
void join(HANDLE handle, DWORD worker) {
    const bool realTime = platform::core::config().clock == platform::core::ClockMode::Real;
    const auto& interrupted = currentState().config.interrupted;
    for (;;) {
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &handle, FALSE, realTime ? kInterruptPollMs : INFINITE, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return;
        if (woke == WAIT_OBJECT_0 + 1) {
            MSG sent;
            PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        if (woke == WAIT_TIMEOUT) {
            if (interrupted && interrupted()) endHungRun(worker, "kernel callback on a worker thread: the run was interrupted while it ran");
            continue;
        }
        endHungRun(worker,
                   "kernel callback on a worker thread: the call can never end (it waits for what only the UI thread's "
                   "message loop or the passing of time could bring)");
    }
}

}  // namespace

void Kernel::callback(const std::function<void(KorvoServerAppProxy&)>& call, bool onWorkerThread) {
    KorvoServerAppProxy* application = KorvoServerAppProxy::Instance();
    if (!application) throw std::logic_error("harness: the application made no kernel callback object");
    if (!onWorkerThread) {
        call(*application);
        return;
    }
    auto work = std::make_shared<WorkerCall>(WorkerCall{call, application, nullptr});
    auto handed = std::make_unique<std::shared_ptr<WorkerCall>>(work);
    DWORD worker = 0;
    HANDLE handle = CreateThread(nullptr, 0, &runOnWorker, handed.get(), 0, &worker);
    if (!handle) throw std::runtime_error("harness: cannot start the worker thread");
    handed.release();  // the worker owns it now
    struct Close {
        HANDLE handle;
        ~Close() { CloseHandle(handle); }
    } close{handle};
    try {
        join(handle, worker);
    } catch (const platform::core::ProcessTerminated&) {
        // The worker (or what it called) ended the process: it unwinds before its call goes.
        awaitUnwound(worker);
        throw;
    }
    if (work->failure) std::rethrow_exception(work->failure);
}

}  // namespace platform::harness
