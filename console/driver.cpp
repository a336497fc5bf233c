#include "console/driver.h"

#include <cstdio>
#include <variant>

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

std::string handleText(HWND window) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%08llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return buffer;
}

}  // namespace

Driver::Driver(platform::harness::Session& session, Transcript& transcript, std::ostream& err, std::string source,
               bool strict)
    : session_(session), transcript_(transcript), err_(err), source_(std::move(source)), strict_(strict) {}

void Driver::error(int line, const std::string& message) {
    err_ << "korvo: " << source_ << ":" << line << ": " << message << std::endl;
    scriptFailed_ = true;
}

void Driver::scriptError(int line, const std::string& message) { error(line, message); }

bool Driver::requireRunning(const script::Step& step, const char* verb) {
    if (!started_) {
        error(step.line, std::string(verb) + ": the program is not running yet (start it first)");
        return false;
    }
    if (ended_) {
        error(step.line, std::string(verb) + ": the program has ended");
        return false;
    }
    return true;
}

bool Driver::run(const script::Step& step) {
    bool ok = std::visit(
        Overloaded{
            [&](const script::Start&) {
                if (started_) {
                    error(step.line, "start: the program was started already");
                    return false;
                }
                started_ = true;
                session_.start();
                if (session_.startResult() == 0) {
                    err_ << "korvo: start-up failed: the program ends" << std::endl;
                    endRun();
                }
                return true;
            },
            // Once the program has ended (start-up failed, or it closed itself) there is nothing
            // left to wait for: idle, advance and quit do nothing.
            [&](const script::Idle&) {
                if (ended_) return true;
                if (!requireRunning(step, "idle")) return false;
                session_.runUntilIdle();
                return true;
            },
            [&](const script::Advance& advance) {
                if (ended_) return true;
                if (!requireRunning(step, "advance")) return false;
                session_.advance(advance.milliseconds);
                return true;
            },
            [&](const script::Command& command) {
                if (!requireRunning(step, "command")) return false;
                const auto frames = session_.inspect().mainFrames();
                HWND frame = nullptr;
                if (command.frame.index != 0) {
                    if (command.frame.index > frames.size()) {
                        error(step.line, "command: there is no main frame " + std::to_string(command.frame.index) +
                                             " (" + std::to_string(frames.size()) + " open)");
                        return false;
                    }
                    frame = frames[command.frame.index - 1];
                } else {
                    frame = reinterpret_cast<HWND>(command.frame.handle);
                    if (!IsWindow(frame)) {
                        error(step.line, "command: " + handleText(frame) + " is not a window");
                        return false;
                    }
                }
                session_.user().command(frame, command.id);
                session_.runUntilIdle();
                return true;
            },
            [&](const script::ExpectBox& expect) {
                if (ended_) {
                    error(step.line, "expect: the program has ended");
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
                const std::wstring dump = session_.inspect().dumpWindows();
                transcript_.print(dump.empty() ? L"(no windows)" : dump);
                return true;
            },
            [&](const script::DumpRegistry&) {
                transcript_.print(session_.registry().dump());
                return true;
            },
            [&](const script::DumpCommands&) {
                const std::wstring dump = session_.inspect().dumpCommands();
                transcript_.print(dump.empty() ? L"(no commands)" : dump);
                return true;
            },
            [&](const script::DumpFrames&) {
                const std::wstring dump = session_.inspect().dumpFrames();
                transcript_.print(dump.empty() ? L"(no frames)" : dump);
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
                if (started_ && !ended_) endRun();
                return true;
            },
        },
        step.verb);
    if (!ok) return false;
    afterStep();
    if (strict_ && !failures_.empty() && !ended_) {
        err_ << "korvo: " << source_ << ":" << step.line << ": stopping after a failure" << std::endl;
        return false;
    }
    return true;
}

void Driver::afterStep() {
    // The program may have ended by itself (a command that closes it, start-up that failed).
    if (started_ && !ended_ && !session_.running()) endRun();
    for (auto& failure : session_.takeFailures()) failures_.push_back(std::move(failure));
}

int Driver::endRun() {
    if (ended_) return exitCode_;
    ended_ = true;
    exitCode_ = session_.quit();
    if (session_.startResult() == 0 && exitCode_ == 0) exitCode_ = kExitFailed;
    return exitCode_;
}

int Driver::finish() {
    if (started_ && !ended_) endRun();
    for (auto& failure : session_.takeFailures()) failures_.push_back(std::move(failure));
    for (const auto& failure : failures_) err_ << "korvo: failed: " << toUtf8(failure) << std::endl;
    if (scriptFailed_) return kExitScriptError;
    if (!failures_.empty()) return exitCode_ != 0 ? exitCode_ : kExitFailed;
    return exitCode_;
}

}  // namespace korvo::console
