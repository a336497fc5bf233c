// Events, mutexes, waiting and handles.
#include "platform/win32/process/kernel_objects.h"

#include "platform/core/clock.h"
#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/win32/process/system.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

namespace platform::win32 {

KernelTable& kernelTable() {
    static KernelTable& table = core::process().table<KernelTable>();
    return table;
}

HANDLE addHandle(std::shared_ptr<KernelObject> object) {
    auto& table = kernelTable();
    const auto value = table.nextHandle;
    table.nextHandle += 4;
    table.handles[value] = std::move(object);
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> findObject(HANDLE handle) {
    auto& table = kernelTable();
    auto it = table.handles.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == table.handles.end() ? nullptr : it->second;
}

Waitable waitableOf(std::shared_ptr<KernelObject> object, DWORD me) {
    auto& threads = core::threads();
    switch (object->kind) {
        case KernelObject::Kind::Event: {
            auto event = std::static_pointer_cast<EventObject>(object);
            return {[event] { return event->signalled; },
                    [event] {
                        if (!event->manualReset) event->signalled = false;
                        return DWORD{WAIT_OBJECT_0};
                    }};
        }
        case KernelObject::Kind::Mutex: {
            auto mutex = std::static_pointer_cast<MutexObject>(object);
            auto ownerEnded = [mutex, &threads] { return mutex->owner != 0 && !threads.find(mutex->owner); };
            return {[mutex, me, ownerEnded] { return mutex->owner == 0 || mutex->owner == me || ownerEnded(); },
                    [mutex, me, ownerEnded] {
                        const bool abandoned = mutex->owner != me && ownerEnded();
                        if (abandoned) mutex->recursion = 0;
                        mutex->owner = me;
                        ++mutex->recursion;
                        return DWORD{abandoned ? WAIT_ABANDONED : WAIT_OBJECT_0};
                    }};
        }
        case KernelObject::Kind::Thread: {
            auto thread = std::static_pointer_cast<ThreadObject>(object);
            return {[thread] { return !thread->end || thread->end->finished; }, [] { return DWORD{WAIT_OBJECT_0}; }};
        }
        case KernelObject::Kind::Process: break;  // no process of the table ever ends
        case KernelObject::Kind::File: break;     // files are not waited on
        case KernelObject::Kind::Pipe: break;     // nor are pipes
    }
    return {[] { return true; }, [] { return DWORD{WAIT_FAILED}; }};
}

}  // namespace platform::win32

namespace {

// A handle to a new object of kind T, or to the living one of that name (last error
// ERROR_ALREADY_EXISTS); a name held by another kind fails. `prepare(object, existed, lock)`
// runs before the handle is made.
template <class T, class Prepare>
HANDLE createOrOpen(LPCWSTR name, Prepare prepare) {
    Lock lock = lockPlatform();
    auto& table = kernelTable();
    const bool named = name && *name;
    std::shared_ptr<T> object;
    bool existed = false;
    if (named) {
        if (auto it = table.named.find(std::wstring_view(name)); it != table.named.end()) {
            if (auto existing = it->second.lock()) {
                object = std::dynamic_pointer_cast<T>(existing);
                if (!object) return failWith(ERROR_INVALID_HANDLE, HANDLE{nullptr});
                existed = true;
            }
        }
    }
    if (!object) {
        object = std::make_shared<T>();
        if (named) {
            object->name = name;
            table.named[object->name] = object;
        }
    }
    prepare(*object, existed, lock);
    HANDLE handle = addHandle(object);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

template <class T>
std::shared_ptr<T> findTyped(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(findObject(handle));
}

}  // namespace

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name) {
    return createOrOpen<EventObject>(name, [&](EventObject& event, bool existed, Lock&) {
        if (existed) return;
        event.manualReset = manualReset != FALSE;
        event.signalled = initialState != FALSE;
    });
}

BOOL SetEvent(HANDLE handle) {
    Lock lock = lockPlatform();
    auto event = findTyped<EventObject>(handle);
    if (!event) return failWith(ERROR_INVALID_HANDLE, FALSE);
    event->signalled = true;
    platform::core::threads().notifyAll();
    lock.unlock();
    platform::core::threads().handOver();
    return TRUE;
}

BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target, DWORD, BOOL,
                     DWORD options) {
    if (sourceProcess != GetCurrentProcess() || targetProcess != GetCurrentProcess() || options != DUPLICATE_SAME_ACCESS) {
        platform::core::reportFailure(L"DuplicateHandle: only a handle of this process, with the same access, is modelled");
        return FALSE;
    }
    Lock lock = lockPlatform();
    auto object = findObject(source);
    if (!object || !target) return failWith(ERROR_INVALID_HANDLE, FALSE);
    *target = addHandle(std::move(object));
    return TRUE;
}

BOOL ResetEvent(HANDLE handle) {
    Lock lock = lockPlatform();
    auto event = findTyped<EventObject>(handle);
    if (!event) return failWith(ERROR_INVALID_HANDLE, FALSE);
    event->signalled = false;
    return TRUE;
}

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCWSTR name) {
    return createOrOpen<MutexObject>(name, [&](MutexObject& mutex, bool, Lock& lock) {
        const DWORD me = currentThread(lock);
        if (!initialOwner || (mutex.owner != 0 && mutex.owner != me)) return;
        mutex.owner = me;
        ++mutex.recursion;
    });
}

BOOL ReleaseMutex(HANDLE handle) {
    Lock lock = lockPlatform();
    auto mutex = findTyped<MutexObject>(handle);
    if (!mutex || mutex->owner != currentThread(lock))
        return failWith(mutex ? ERROR_NOT_OWNER : ERROR_INVALID_HANDLE, FALSE);
    if (--mutex->recursion == 0) mutex->owner = 0;
    platform::core::threads().notifyAll();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
    Lock lock = lockPlatform();
    auto object = findObject(handle);
    if (!object) return failWith(ERROR_INVALID_HANDLE, WAIT_FAILED);
    auto& threads = platform::core::threads();
    const Waitable waitable = waitableOf(std::move(object), threads.current(lock).id);
    std::optional<std::uint64_t> deadline;
    if (timeoutMs != INFINITE) deadline = platform::core::clock().nowMillis() + timeoutMs;
    const auto result = threads.wait(lock, "WaitForSingleObject", waitable.ready, deadline);
    using R = platform::core::Threads::WaitResult;
    if (result == R::DeadlineReached) return WAIT_TIMEOUT;
    if (result == R::WouldHang) {
        const std::wstring state = threads.dumpLocked();
        lock.unlock();
        platform::core::reportFailure(L"WaitForSingleObject on the UI thread would block forever (manual clock):\n" + state);
        SetLastError(ERROR_TIMEOUT);
        return WAIT_FAILED;
    }
    return waitable.acquire();
}

BOOL CloseHandle(HANDLE handle) {
    // Not lockPlatform: handles are closed as a process ends too (destructors of its objects),
    // which Windows lets succeed.
    Lock lock(platform::core::threads().mutex());
    auto& table = kernelTable();
    auto it = table.handles.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == table.handles.end()) return failWith(ERROR_INVALID_HANDLE, FALSE);
    const std::wstring name = it->second->name;
    table.handles.erase(it);
    if (!name.empty()) {
        if (auto named = table.named.find(name); named != table.named.end() && named->second.expired())
            table.named.erase(named);
    }
    return TRUE;
}
