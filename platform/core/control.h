// Control surface of the platform core for the harness (tests, console). Shell code never
// includes it.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/threads.h"
#include "platform/core/useragent.h"
#include "platform/win32/types.h"

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
struct WindowInfo {
    HWND handle = nullptr;
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false;  // own WS_VISIBLE flag
    bool enabled = false;
    RECT rect{};           // screen coordinates
    RECT client{};         // client rectangle, client coordinates
    HWND parent = nullptr;
    HWND owner = nullptr;
    int id = 0;
    DWORD thread = 0;
    std::vector<HWND> children;  // z-order, top first
};
std::optional<WindowInfo> window(HWND hwnd);
// Top-level windows in z-order (front first), every thread.
std::vector<HWND> topLevelWindows();
// One line a window, children indented by two blanks:
//   0x00010010 "Korvo.MainFrame" "Korvo CAD" visible enabled (0,0)-(1440,900) thread 1
std::wstring dumpWindows();
std::wstring formatHandle(HWND hwnd);  // "0x%08x"

// ---- Process ----
bool terminated();
std::optional<UINT> exitCode();
std::map<std::wstring, std::wstring> environment();
// Names of the named kernel objects alive, and the number of open kernel handles.
std::vector<std::wstring> namedObjects();
std::size_t openHandleCount();
std::vector<std::wstring> atoms();  // names of the global atoms and registered messages

}  // namespace platform::core::control
