// Threads, sleeping, atoms, time and the per-thread last error.
#include "platform/win32/process/thread.h"

#include <thread>

#include "platform/core/clock.h"
#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/win32/process/kernel_objects.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace {

thread_local DWORD tlsLastError = 0;

// Unwinds a thread made by CreateThread to its entry trampoline.
struct ExitThreadSignal {
    DWORD exitCode;
};

const HANDLE kCurrentThreadPseudoHandle = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

// Lock held. Null for a thread that has ended.
platform::core::ThreadRecord* threadOf(HANDLE handle) {
    auto& threads = platform::core::threads();
    if (handle == kCurrentThreadPseudoHandle) return threads.find(threads.currentId());
    auto object = std::dynamic_pointer_cast<ThreadObject>(findObject(handle));
    return object ? threads.find(object->threadId) : nullptr;
}

// A handle to thread `id` (lock held).
HANDLE threadHandle(DWORD id) {
    auto object = std::make_shared<ThreadObject>();
    object->threadId = id;
    object->end = platform::core::threads().endOf(id);
    return addHandle(std::move(object));
}

}  // namespace

DWORD GetLastError() { return tlsLastError; }
void SetLastError(DWORD error) { tlsLastError = error; }

DWORD GetCurrentThreadId() {
    platform::core::process().throwIfTerminated();
    return platform::core::threads().currentId();
}

HANDLE GetCurrentThread() { return kCurrentThreadPseudoHandle; }

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                    LPDWORD threadId) {
    if (!start) return failWith(ERROR_INVALID_PARAMETER, nullptr);
    platform::core::process().throwIfTerminated();
    auto& threads = platform::core::threads();
    const DWORD id = threads.reserve(L"thread");
    HANDLE handle = nullptr;
    {
        Lock lock = lockPlatform();
        if (creationFlags & CREATE_SUSPENDED) threads.setSuspendCount(*threads.find(id), 1);
        handle = threadHandle(id);
    }
    if (threadId) *threadId = id;
    std::thread([id, start, parameter] {
        auto& table = platform::core::threads();
        table.bindCurrent(id);
        DWORD exitCode = 0;
        try {
            {
                Lock lock(table.mutex());
                table.parkIfSuspended(lock);
            }
            exitCode = start(parameter);
        } catch (const platform::core::ProcessTerminated& ended) {
            exitCode = ended.exitCode();
        } catch (const ExitThreadSignal& signal) {
            exitCode = signal.exitCode;
        } catch (const std::exception& error) {
            platform::core::reportFailure(L"thread " + std::to_wstring(id) + L" ended with an exception: " +
                                          platform::core::fromUtf8(error.what()));
            exitCode = 1;
        }
        try {
            destroyThreadWindows();
        } catch (const platform::core::ProcessTerminated&) {
            // The process took every window with it.
        }
        table.finishCurrent(exitCode);
    }).detach();
    if (!(creationFlags & CREATE_SUSPENDED)) threads.handOver();
    return handle;
}

DWORD ResumeThread(HANDLE handle) {
    Lock lock = lockPlatform();
    auto* t = threadOf(handle);
    if (!t) return failWith(ERROR_INVALID_HANDLE, static_cast<DWORD>(-1));
    const int previous = t->suspendCount;
    if (previous > 0) platform::core::threads().setSuspendCount(*t, previous - 1);
    const DWORD id = t->id;
    platform::core::threads().notifyAll();
    lock.unlock();
    if (previous == 1 && id == platform::core::kUiThreadId)
        platform::core::journal().add("thread", L"resumed " + std::to_wstring(id));
    if (previous == 1) platform::core::threads().handOver();
    return static_cast<DWORD>(previous);
}

HANDLE OpenThread(DWORD, BOOL, DWORD threadId) {
    Lock lock = lockPlatform();
    if (!platform::core::threads().find(threadId)) return failWith(ERROR_INVALID_PARAMETER, static_cast<HANDLE>(nullptr));
    return threadHandle(threadId);
}

DWORD SuspendThread(HANDLE handle) {
    Lock lock = lockPlatform();
    auto* t = threadOf(handle);
    if (!t) return failWith(ERROR_INVALID_HANDLE, static_cast<DWORD>(-1));
    const int previous = t->suspendCount;
    platform::core::threads().setSuspendCount(*t, previous + 1);
    const DWORD id = t->id;
    lock.unlock();
    platform::core::journal().add("thread", L"suspended " + std::to_wstring(id));
    return static_cast<DWORD>(previous);
}

DWORD GetThreadId(HANDLE handle) {
    Lock lock = lockPlatform();
    if (handle == kCurrentThreadPseudoHandle) return currentThread(lock);
    auto object = std::dynamic_pointer_cast<ThreadObject>(findObject(handle));
    return object ? object->threadId : failWith(ERROR_INVALID_HANDLE, DWORD{0});
}

BOOL GetExitCodeThread(HANDLE handle, LPDWORD exitCode) {
    Lock lock = lockPlatform();
    if (!exitCode) return failWith(ERROR_INVALID_HANDLE, FALSE);
    if (handle == kCurrentThreadPseudoHandle) {
        *exitCode = STILL_ACTIVE;
        return TRUE;
    }
    auto object = std::dynamic_pointer_cast<ThreadObject>(findObject(handle));
    if (!object || !object->end) return failWith(ERROR_INVALID_HANDLE, FALSE);
    *exitCode = object->end->finished ? object->end->exitCode : STILL_ACTIVE;
    return TRUE;
}

void ExitThread(DWORD exitCode) { throw ExitThreadSignal{exitCode}; }

void Sleep(DWORD ms) {
    auto& clock = platform::core::clock();
    Lock lock = lockPlatform();
    auto& threads = platform::core::threads();
    if (ms == 0) return;
    // Manual clock: the UI thread's sleep is time passing (other threads due meanwhile run at
    // their deadlines); any other thread waits for the clock to get there.
    const std::uint64_t deadline = clock.nowMillis() + ms;
    threads.wait(lock, "Sleep", [] { return false; }, deadline);
}

// ---- Time ------------------------------------------------------------------------------------

DWORD GetTickCount() { return platform::core::clock().tickCount(); }
ULONGLONG GetTickCount64() { return platform::core::clock().tickCount64(); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* counter) {
    if (!counter) return FALSE;
    counter->QuadPart = static_cast<LONGLONG>(platform::core::clock().nowMicros());
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) return FALSE;
    frequency->QuadPart = 1000000;
    return TRUE;
}
