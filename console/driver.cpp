#include "console/driver.h"

#include <exception>
#include <variant>

#include "platform/core/record.h"
#include "platform/core/text.h"

namespace korvo::console {

namespace script = platform::harness::script;
using platform::core::toUtf8;

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

Driver::Driver(platform::harness::Session& session, Transcript& transcript, std::ostream& err, std::string source,
               bool strict)
    : session_(session), transcript_(transcript), err_(err), source_(std::move(source)), strict_(strict) {}

void Driver::scriptError(int line, const std::string& message) {
    err_ << "korvo: " << source_ << ":" << line << ": " << message << std::endl;
    scriptFailed_ = true;
}

bool Driver::ended() const { return started_ && !session_.running(); }

bool Driver::requireRunning(const script::Step& step, const char* verb) {
    if (!started_) {
        scriptError(step.line, std::string(verb) + ": the program is not running yet (start it first)");
        return false;
    }
    if (ended()) {
        scriptError(step.line, std::string(verb) + ": the program has ended");
        return false;
    }
    return true;
}

HWND Driver::frameFor(const script::Step& step, const script::FrameRef& frame) {
    if (frame.index == 0) {
        const HWND window = reinterpret_cast<HWND>(frame.handle);
        if (IsWindow(window)) return window;
        scriptError(step.line, "command: " + toUtf8(platform::core::handleText(window)) + " is not a window");
        return nullptr;
    }
    const auto frames = session_.inspect().mainFrames();
    if (frame.index <= frames.size()) return frames[frame.index - 1];
    scriptError(step.line, "command: there is no main frame " + std::to_string(frame.index) + " (" +
                               std::to_string(frames.size()) + " open)");
    return nullptr;
}

void Driver::printDump(const std::wstring& dump, const wchar_t* whenEmpty) {
    transcript_.print(dump.empty() ? std::wstring(whenEmpty) : dump);
}

bool Driver::perform(const script::Step& step) {
    return std::visit(
        Overloaded{
            [&](const script::Start&) {
                if (started_) {
                    scriptError(step.line, "start: the program was started already");
                    return false;
                }
                started_ = true;
                session_.start();
                if (session_.startResult() == 0) err_ << "korvo: start-up failed: the program ends" << std::endl;
                return true;
            },
            // Once the program has ended (start-up failed, or it closed itself) there is nothing
            // left to wait for: idle, advance and quit do nothing.
            [&](const script::Idle&) {
                if (ended()) return true;
                if (!requireRunning(step, "idle")) return false;
                session_.runUntilIdle();
                return true;
            },
            [&](const script::Advance& advance) {
                if (ended()) return true;
                if (!requireRunning(step, "advance")) return false;
                session_.advance(advance.milliseconds);
                return true;
            },
            [&](const script::Command& command) {
                if (!requireRunning(step, "command")) return false;
                const HWND frame = frameFor(step, command.frame);
                if (!frame) return false;
                session_.user().command(frame, command.id);
                session_.runUntilIdle();
                return true;
            },
            [&](const script::ExpectBox& expect) {
                if (ended()) {
                    scriptError(step.line, "expect: the program has ended");
                    return false;
                }
                session_.user().expectBox(expect.pattern, expect.answer);
                return true;
            },
            [&](const script::Dde& dde) {
                if (!requireRunning(step, "dde")) return false;
                session_.user().dde(dde.text);
                session_.runUntilIdle();
                return true;
            },
            [&](const script::DumpWindows&) {
                printDump(session_.inspect().dumpWindows(), L"(no windows)");
                return true;
            },
            [&](const script::DumpRegistry&) {
                transcript_.print(session_.registry().dump());
                return true;
            },
            [&](const script::DumpCommands&) {
                printDump(session_.inspect().dumpCommands(), L"(no commands)");
                return true;
            },
            [&](const script::DumpFrames&) {
                printDump(session_.inspect().dumpFrames(), L"(no frames)");
                return true;
            },
            [&](const script::NewFrame&) {
                if (!requireRunning(step, "new-frame")) return false;
                if (!session_.kernel().newMainFrame()) transcript_.print(L"new-frame: no frame was created");
                session_.runUntilIdle();
                return true;
            },
            [&](const script::PrintJournal&) {
                for (const auto& entry : session_.journal().entries()) transcript_.print(entry.line());
                return true;
            },
            [&](const script::Quit&) {
                if (session_.running()) session_.quit();
                return true;
            },
        },
        step.verb);
}

bool Driver::run(const script::Step& step) {
    bool done = false;
    try {
        done = perform(step);
    } catch (const std::exception& error) {
        scriptError(step.line, error.what());
    }
    if (!done) return false;
    afterStep();
    if (strict_ && !failures_.empty() && !ended()) {
        err_ << "korvo: " << source_ << ":" << step.line << ": stopping after a failure" << std::endl;
        return false;
    }
    return true;
}

void Driver::afterStep() {
    // The program may have ended by itself (a command that closed it, a start-up that failed):
    // its end is completed now (ExitInstance after a failed start, expectations never used).
    if (ended()) session_.quit();
    for (auto& failure : session_.takeFailures()) failures_.push_back(std::move(failure));
}

int Driver::finish() {
    // Closes the program as a user would when it still runs; otherwise only collects its exit
    // code (and, when it never started, the expectations never used).
    int exitCode = session_.quit();
    if (started_ && session_.startResult() == 0 && exitCode == 0) exitCode = kExitFailed;
    for (auto& failure : session_.takeFailures()) failures_.push_back(std::move(failure));
    for (const auto& failure : failures_) err_ << "korvo: failed: " << toUtf8(failure) << std::endl;
    if (scriptFailed_) return kExitScriptError;
    if (!failures_.empty()) return exitCode != 0 ? exitCode : kExitFailed;
    return exitCode;
}

}  // namespace korvo::console
