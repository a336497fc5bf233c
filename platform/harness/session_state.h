// The session's private state, shared by the harness's files.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/harness.h"

namespace platform::harness {

struct Session::State {
    Config config;
    std::string createdHostRoot;  // a temporary host folder this session made (removed at the end)
    bool started = false;
    int startResult = 0;
    bool loopEnded = false;       // ExitInstance has run
    std::optional<int> exitCode;
    std::vector<std::wstring> failures;  // the harness's own, besides the platform's
    bool expectationsChecked = false;

    // DDE: the hidden client window that receives the acknowledgements, and the command texts
    // handed over in lParam (kept alive until the session ends).
    HWND ddeClient = nullptr;
    std::deque<std::wstring> ddeTexts;

    // The kernel's progress: the main frame whose status line it began on, and how many begins
    // have not ended yet.
    HWND progressFrame = nullptr;
    int progressDepth = 0;
};

// The one session alive, for the harness code that acts without a Session reference.
Session::State& currentState();

}  // namespace platform::harness
