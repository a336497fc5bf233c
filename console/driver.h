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
    // Reports a mistake at `line` of the input (a line that did not parse, a verb that cannot run
    // now); the run then ends with kExitScriptError.
    void scriptError(int line, const std::string& message);
    // Ends the run as a user would when it is still going, reports what went wrong, and returns
    // the exit code.
    int finish();

private:
    bool perform(const platform::harness::script::Step& step);
    // Started, and no longer running: start-up failed, the program closed itself, or it was quit.
    bool ended() const;
    bool requireRunning(const platform::harness::script::Step& step, const char* verb);
    // The main frame a command goes to; null (reported) when there is none.
    HWND frameFor(const platform::harness::script::Step& step, const platform::harness::script::FrameRef& frame);
    void printDump(const std::wstring& dump, const wchar_t* whenEmpty);
    void afterStep();

    platform::harness::Session& session_;
    Transcript& transcript_;
    std::ostream& err_;
    std::string source_;
    bool strict_;
    bool started_ = false;
    bool scriptFailed_ = false;
    std::vector<std::wstring> failures_;
};

}  // namespace korvo::console
