// Runs script steps against a session as a user at the keyboard would, and decides the exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "console/transcript.h"
#include "platform/harness.h"
#include "platform/harness/script.h"

namespace korvo::console {

// Exit codes of the console besides the program's own.
inline constexpr int kExitFailed = 1;       // a strict failure, an unconsumed expectation, failed start-up
inline constexpr int kExitScriptError = 2;  // bad command line, bad script, a verb that cannot run now

class Driver {
public:
    Driver(platform::harness::Session& session, Transcript& transcript, std::ostream& err, std::string source,
           bool strict);

    // Runs one step; false when the run must not go on (a script error, or a strict failure).
    bool run(const platform::harness::script::Step& step);
    // Reports a line that did not parse (interactive input).
    void scriptError(int line, const std::string& message);
    // Ends the run as a user would when it is still going, reports what went wrong, and returns
    // the exit code.
    int finish();

private:
    bool requireRunning(const platform::harness::script::Step& step, const char* verb);
    void afterStep();
    void error(int line, const std::string& message);
    int endRun();

    platform::harness::Session& session_;
    Transcript& transcript_;
    std::ostream& err_;
    std::string source_;
    bool strict_;
    bool started_ = false;
    bool ended_ = false;
    bool scriptFailed_ = false;
    int exitCode_ = 0;
    std::vector<std::wstring> failures_;
};

}  // namespace korvo::console
