// Private to the Windows stand-in: kernel objects behind HANDLEs (events, mutexes, threads).
// Handles come from a counter and are never reused, so a stale handle fails instead of reaching
// another object; an object lives while a handle or a waiting thread holds it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/core/text.h"
#include "platform/core/threads.h"
#include "platform/win32/types.h"

namespace platform::win32 {

struct KernelObject {
    enum class Kind { Event, Mutex, Thread, Process, File, Pipe };
    explicit KernelObject(Kind k) : kind(k) {}
    virtual ~KernelObject() = default;
    Kind kind;
    std::wstring name;
};

struct EventObject : KernelObject {
    EventObject() : KernelObject(Kind::Event) {}
    bool manualReset = false;
    bool signalled = false;
};

struct MutexObject : KernelObject {
    MutexObject() : KernelObject(Kind::Mutex) {}
    DWORD owner = 0;
    int recursion = 0;
};

struct ThreadObject : KernelObject {
    ThreadObject() : KernelObject(Kind::Thread) {}
    DWORD threadId = 0;
    std::shared_ptr<core::ThreadEnd> end;  // outlives the thread's record
};

struct KernelTable {
    std::map<std::uintptr_t, std::shared_ptr<KernelObject>> handles;
    std::map<std::wstring, std::weak_ptr<KernelObject>, core::NoCaseLess> named;
    std::uintptr_t nextHandle = 0x00001000;
};

KernelTable& kernelTable();
// Lock held.
HANDLE addHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> findObject(HANDLE handle);

// A wait of thread `me` on a kernel object (lock held): `ready` says when it can end, `acquire`
// then takes the object (an auto-reset event resets, a mutex gets its owner) and answers
// WAIT_OBJECT_0 or, for a mutex whose owner ended, WAIT_ABANDONED. Both keep the object alive.
struct Waitable {
    std::function<bool()> ready;
    std::function<DWORD()> acquire;
};
Waitable waitableOf(std::shared_ptr<KernelObject> object, DWORD me);

}  // namespace platform::win32
