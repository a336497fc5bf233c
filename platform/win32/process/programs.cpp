// The programs that _wspawnl starts: each start is a process with an event for a handle (set when
// the program ends) and an exit code. Kernel-object handles are never reused, so a start stays
// known by its handle after the caller closed it. The table is the UI thread's.
#include <cwctype>
#include <map>
#include <memory>
#include <string>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32/process/process_start.h"
#include "platform/win32/process/programs.h"
#include "platform/win32/process/thread.h"

namespace platform::win32 {

namespace {

struct Behaviour {
    std::optional<DWORD> exitCode;  // none: runs until ended
};

struct Start {
    std::wstring path;
    DWORD exitCode = STILL_ACTIVE;
    bool running = true;  // a program may end with STILL_ACTIVE as its code
    std::optional<DWORD> endAtFirstLook;
};

struct Programs {
    std::map<std::wstring, Behaviour> registered;   // by lower-case path
    std::map<std::wstring, DWORD> pendingEnds;       // by lower-case path
    std::map<HANDLE, std::shared_ptr<Start>> starts;  // by process handle
};

Programs& programs() {
    static Programs table;
    return table;
}

std::wstring keyOf(std::wstring_view path) {
    std::wstring key(path);
    for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return key;
}

void finish(HANDLE handle, Start& start, DWORD exitCode) {
    start.exitCode = exitCode;
    start.running = false;
    ::SetEvent(handle);
    platform::core::journal().add("process", L"ended " + platform::core::quoted(start.path) + L" with " + std::to_wstring(exitCode));
}

}  // namespace

void registerProgram(std::wstring_view path, std::optional<DWORD> exitCode) {
    programs().registered[keyOf(path)] = Behaviour{exitCode};
}

int endProgram(std::wstring_view path, DWORD exitCode) {
    Programs& table = programs();
    const std::wstring key = keyOf(path);
    int ended = 0;
    for (auto& [handle, start] : table.starts) {
        if (!start->running || keyOf(start->path) != key) continue;
        finish(handle, *start, exitCode);
        ++ended;
    }
    if (ended == 0) table.pendingEnds[key] = exitCode;
    return ended;
}

HANDLE startProgram(std::wstring_view path) {
    Programs& table = programs();
    const std::wstring key = keyOf(path);
    HANDLE handle = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    auto start = std::make_shared<Start>();
    start->path = std::wstring(path);
    if (const auto pending = table.pendingEnds.find(key); pending != table.pendingEnds.end()) {
        start->endAtFirstLook = pending->second;
        table.pendingEnds.erase(pending);
    }
    table.starts[handle] = start;
    if (const auto found = table.registered.find(key); found != table.registered.end() && found->second.exitCode)
        finish(handle, *start, *found->second.exitCode);
    return handle;
}

}  // namespace platform::win32

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
    auto& starts = platform::win32::programs().starts;
    const auto found = starts.find(process);
    if (found == starts.end() || !exitCode) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    platform::win32::Start& start = *found->second;
    if (start.endAtFirstLook && start.running) {
        const DWORD code = *start.endAtFirstLook;
        start.endAtFirstLook.reset();
        platform::win32::finish(process, start, code);
    }
    *exitCode = start.exitCode;
    return TRUE;
}
