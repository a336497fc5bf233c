// How the harness drives the framework: the entry's steps one at a time, and the framework's own
// loop run until idle instead of blocking.
#pragma once

#include <optional>

namespace platform::harness::detail {

// AfxWinInit, InitApplication and InitInstance of the program's application object; the result
// of InitInstance (0 when there is no application object or initialisation failed).
int startProgram();

// Runs the framework's loop (PumpMessage, IsIdleMessage, OnIdle) until the queue is empty and
// the idle passes are done. Returns the exit code once the loop has ended (WM_QUIT, then
// ExitInstance), nothing while the program still runs.
std::optional<int> runLoopUntilIdle();

// ExitInstance after a failed start; its exit code.
int exitAfterFailedStart();

}  // namespace platform::harness::detail
