// Control surface of the platform core for the harness (tests, console): the session, the clock,
// the simulated user, the threads and the process's end. Shell code never includes it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/threads.h"
#include "platform/core/useragent.h"
#include "platform/core/windows_types.h"

namespace platform::core::control {

// Sets the configuration and starts the session: clock mode and tick start, modal policy.
// Throws std::logic_error on a second call (one session per process).
void configure(const Config& config);
bool configured();

// ---- Clock ----
void advanceClock(std::uint64_t milliseconds);  // time only; waiting threads wake
std::uint64_t nowMillis();
void setTickStart(DWORD start);
void setWallStart(std::int64_t millisSinceEpoch);

// ---- User agent ----
UserAgent& user();

// ---- Threads ----
std::vector<ThreadInfo> threads();
// Waits (real time) until every platform thread other than the caller is blocked with nothing
// to wake it, or finished. On timeout reports a failure with a dump and returns false.
bool quiesce(std::chrono::milliseconds limit = std::chrono::seconds(10));
std::wstring dumpThreads();

// ---- Windows ----
// The window tree, the kernel objects, the environment and the atoms are Windows' own:
// platform/win32/control.h.
std::wstring formatHandle(HWND hwnd);  // "0x%08x"

// ---- Process ----
bool terminated();
std::optional<UINT> exitCode();

}  // namespace platform::core::control
