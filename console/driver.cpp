#include "console/driver.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "console/printable.h"
#include "console/verbs.h"
#include "platform/core/numbers.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/core/text.h"

namespace korvo::console {

using platform::core::toUtf8;

namespace {

// An error message that may repeat the step's input bare: every long piece of input in it is put
// in quotes, so that quotingSafely() cuts it as it cuts quoted input.
std::string quotingLongInput(std::string message, const Step& step) {
    std::vector<std::wstring> inputs{step.arguments.operation, step.arguments.text, step.arguments.name};
    for (const ArgumentValue& value : step.arguments.values) inputs.push_back(value.text);
    for (const std::wstring& input : inputs) {
        const std::string text = toUtf8(input);
        if (text.size() <= 80 || message.find("\"" + text + "\"") != std::string::npos) continue;
        for (std::size_t at = message.find(text); at != std::string::npos; at = message.find(text, at + text.size() + 2))
            message.replace(at, text.size(), "\"" + text + "\"");
    }
    return message;
}

}  // namespace

Driver::Driver(platform::harness::Session& session, Transcript& transcript, std::ostream& err, std::string source,
               bool strict)
    : session_(session), transcript_(transcript), err_(err), source_(std::move(source)), strict_(strict) {
    transcript_.nameWindows([this](std::wstring_view handle) {
        const auto value = platform::core::parseWholeNumber<std::uintptr_t>(platform::core::toUtf8(handle.substr(2)), 16);
        return value ? windowName(reinterpret_cast<HWND>(*value)) : std::wstring();
    });
}

std::wstring Driver::frameName(HWND frame) const {
    const auto frames = session_.inspect().mainFrames();
    const auto found = std::find(frames.begin(), frames.end(), frame);
    if (found == frames.end()) return {};
    return L"frame " + std::to_wstring(found - frames.begin() + 1);
}

std::wstring Driver::windowName(HWND window) const {
    if (!window || !IsWindow(window)) return {};
    if (std::wstring name = frameName(window); !name.empty()) return name;
    HWND top = window;
    while (const HWND parent = GetParent(top)) top = parent;
    const std::wstring frame = frameName(top);
    const int paneId = GetDlgCtrlID(window);
    if (frame.empty() || paneId <= 0 || session_.inspect().paneWindow(top, static_cast<unsigned>(paneId)) != window)
        return {};
    return frame + L"/" + std::to_wstring(paneId);
}

void Driver::scriptError(int line, const std::string& message) {
    err_ << "korvo: " << printable(source_) << ":" << line << ": " << message << std::endl;
    scriptFailed_ = true;
}

Phase Driver::phase() const {
    if (!started_) return Phase::BeforeStart;
    return session_.running() ? Phase::Running : Phase::Ended;
}

bool Driver::start(const Step&) {
    started_ = true;
    session_.start();
    if (session_.startResult() == 0 && !session_.startEndedAfterPrinting()) {
        err_ << "korvo: start-up failed (the log lines above say why); the program ends" << std::endl;
    }
    return true;
}

bool Driver::idle(const Step&) {
    session_.runUntilIdle();
    return true;
}

bool Driver::advance(const Step& step) {
    session_.advance(step.arguments.number);
    return true;
}

HWND Driver::frameFor(const Step& step) {
    const FrameRef& frame = step.arguments.frame;
    // The verb's words before its FRAME (or WINDOW) argument name it in the messages.
    const std::string_view syntax = verbs()[step.verb].syntax;
    const std::string verb(syntax.substr(0, std::min(syntax.find(" FRAME"), syntax.find(" WINDOW"))));
    const auto frames = session_.inspect().mainFrames();
    if (frame.index == 0) {
        const HWND window = reinterpret_cast<HWND>(frame.handle);
        if (std::find(frames.begin(), frames.end(), window) != frames.end()) return window;
        const std::string handle = toUtf8(platform::core::handleText(window));
        scriptError(step.line, verb + ": " + handle + (IsWindow(window) ? " is not a main frame" : " is not a window") +
                                   " (dump frames lists the main frames)");
        return nullptr;
    }
    if (frame.index <= frames.size()) return frames[frame.index - 1];
    scriptError(step.line, verb + ": there is no main frame " + std::to_string(frame.index) + " (" +
                               std::to_string(frames.size()) + " open)");
    return nullptr;
}

HWND Driver::windowFor(const Step& step) {
    const HWND frame = frameFor(step);
    const unsigned paneId = step.arguments.frame.paneId;
    if (!frame || paneId == 0) return frame;
    if (const HWND window = session_.inspect().paneWindow(frame, paneId)) return window;
    scriptError(step.line, std::string(verbs()[step.verb].name()) + ": main " + toUtf8(frameName(frame)) +
                               " has no docking pane " +
                               std::to_string(paneId) + " with a window (dump panes lists its panes)");
    return nullptr;
}

bool Driver::command(const Step& step) {
    const HWND window = windowFor(step);
    std::optional<long long> id;
    if (!window || !controlFor(step, window, id)) return false;
    if (!id) return true;
    if (*id > 0xFFFF) {
        scriptError(step.line, "command: " + std::to_string(*id) + " is not a command id (0 to 65535)");
        return false;
    }
    session_.user().command(window, static_cast<unsigned>(*id));
    session_.runUntilIdle();
    return true;
}

bool Driver::click(const Step& step) {
    const HWND window = windowFor(step);
    std::optional<long long> id;
    if (!window || !controlFor(step, window, id)) return false;
    if (!id) return true;
    // What a user could not do is said in the transcript (and fails a script run).
    if (step.arguments.frame.paneId == 0) {
        // A main frame: its ribbon and bars, as a user reaches them.
        if (const auto refusal = session_.user().clickControl(window, static_cast<int>(*id)))
            printRefusal("click", *refusal);
        session_.runUntilIdle();
        return true;
    }
    try {
        session_.user().click(window, static_cast<unsigned>(*id));
    } catch (const std::invalid_argument& error) {
        std::string what = error.what();
        if (what.rfind("harness: ", 0) == 0) what.erase(0, 9);
        printRefusal("click", platform::core::fromUtf8(what));
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::expectBox(const Step& step) {
    session_.user().expectBox(step.arguments.text, step.arguments.answer);
    return true;
}

bool Driver::dde(const Step& step) {
    session_.user().dde(step.arguments.text);
    session_.runUntilIdle();
    return true;
}

bool Driver::expectFileChoose(const Step& step) {
    session_.user().expectFileChoose(step.arguments.text);
    return true;
}

bool Driver::expectFileCancel(const Step&) {
    session_.user().expectFileCancel();
    return true;
}

bool Driver::expectFileClickAccept(const Step& step) {
    session_.user().expectFileClickAccept(static_cast<int>(step.arguments.command));
    return true;
}

bool Driver::open(const Step& step) {
    const HWND frame = session_.inspect().activeMainFrame();
    if (!frame) {
        scriptError(step.line, "open: there is no active main frame");
        return false;
    }
    session_.user().expectFileChoose(step.arguments.text);
    session_.user().command(frame, kFileOpenCommand);
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpDocuments(const Step&) {
    printDump(session_.inspect().dumpDocuments(), L"(no documents)");
    return true;
}

void Driver::printDump(const std::wstring& dump, const wchar_t* whenEmpty) {
    if (current_) transcript_.print(platform::core::fromUtf8(current_->source));
    transcript_.print(dump.empty() ? std::wstring(whenEmpty) : dump);
}

void Driver::printRefusal(std::string_view verb, const std::wstring& refusal) {
    const std::string said = std::string(verb) + ": " + toUtf8(transcript_.named(refusal));
    transcript_.print(platform::core::fromUtf8(quotingSafely(said)));
    if (!failOnRefusals_) return;
    // Standard error quotes it as the transcript does when it lists the failures.
    const std::string where = current_ ? source_ + ":" + std::to_string(current_->line) + ": " : std::string();
    failures_.push_back(platform::core::fromUtf8(where + said));
}

bool Driver::dumpWindows(const Step&) {
    printDump(session_.inspect().dumpWindows(), L"(no windows)");
    return true;
}

bool Driver::dumpRegistry(const Step&) {
    printDump(session_.registry().dump(), L"(no registry)");
    return true;
}

bool Driver::dumpFile(const Step& step) {
    const std::wstring& path = step.arguments.text;
    if (auto dump = session_.files().dump(path)) printDump(*dump, L"");
    else printRefusal("dump file", L"no file or folder " + platform::core::quoted(path));
    return true;
}

bool Driver::dumpCommands(const Step&) {
    printDump(session_.inspect().dumpCommands(), L"(no commands)");
    return true;
}

bool Driver::dumpBars(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    if (step.arguments.frame.paneId != 0) printDump(session_.inspect().dumpWindowBars(window), L"(no tool bars)");
    else printDump(session_.inspect().dumpBars(window), L"(no command bars)");
    return true;
}

bool Driver::dumpFrames(const Step&) {
    printDump(session_.inspect().dumpFrames(), L"(no frames)");
    return true;
}

bool Driver::dumpPanes(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpPanes(frame), L"(no panes)");
    return true;
}

bool Driver::dumpStatus(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpStatus(frame), L"(no status line)");
    return true;
}

bool Driver::dumpTabs(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpTabs(frame), L"(no document tabs)");
    return true;
}

bool Driver::newFrame(const Step&) {
    if (!session_.kernel().newMainFrame()) transcript_.print(L"new-frame: no frame was created");
    session_.runUntilIdle();
    return true;
}

bool Driver::printJournal(const Step&) {
    if (current_) transcript_.print(platform::core::fromUtf8(current_->source));
    for (const auto& entry : session_.journal().entries()) transcript_.printEntry(entry);
    return true;
}

bool Driver::quit(const Step&) {
    endAutomationClient();
    session_.quit();
    return true;
}

void Driver::endAutomationClient() {
    // The console's automation client ends with the script: like a client process that ended, it
    // lets go of every object it was given, so they keep the program alive no longer.
    if (!session_.running()) return;
    session_.automation().releaseAll();
    if (session_.running()) session_.runUntilIdle();
}

bool Driver::perform(const Step& step) {
    const Verb& verb = verbs()[step.verb];
    const Phase now = phase();
    switch (verb.at(now)) {
        case Effect::Runs: return (this->*verb.handler)(step);
        case Effect::Nothing: return true;
        case Effect::Mistake: break;
    }
    const char* why = now == Phase::BeforeStart ? "the program is not running yet (start it first)"
                      : now == Phase::Running   ? "the program was started already"
                                                : "the program has ended";
    scriptError(step.line, std::string(verb.name()) + ": " + why);
    return false;
}

bool Driver::run(const Step& step) {
    // A process that ended (a critical error's TerminateProcess) has nothing left to act on or
    // look at: what its windows would show is gone with it.
    if (platform::core::process().terminated()) {
        transcript_.print(L"not run from line " + std::to_wstring(step.line) +
                          L" on: the program's process has ended");
        return false;
    }
    // An assertion looks at what the verb before it printed; any other step starts afresh.
    const bool assertion = verbs()[step.verb].handler == &Driver::assertPrinted ||
                           verbs()[step.verb].handler == &Driver::assertNotPrinted;
    if (!assertion) {
        transcript_.collect();
        asserted_ = step;
    }
    bool done = false;
    current_ = &step;
    try {
        done = perform(step);
    } catch (const platform::harness::HungCall& hung) {
        err_ << "korvo: " << printable(source_) << ":" << step.line << ": " << printable(hung.what()) << std::endl;
        hung_ = true;
    } catch (const std::exception& error) {
        scriptError(step.line, transcript_.labelled(quotingSafely(quotingLongInput(error.what(), step))));
    }
    current_ = nullptr;
    afterStep(step.line);
    if (!done && !goOnAfterMistakes_) return false;
    if (strict_ && !failures_.empty() && phase() != Phase::Ended) {
        err_ << "korvo: " << printable(source_) << ":" << step.line << ": stopping after a failure" << std::endl;
        return false;
    }
    return true;
}

void Driver::afterStep(int line) {
    // The program may have ended by itself (a command that closed it, a start-up that failed):
    // its end is completed now (ExitInstance after a failed start, expectations never used).
    if (phase() == Phase::Ended) session_.quit();
    // A failure the program journalled while a step ran (an unexpected dialog) is that step's.
    const std::wstring where = platform::core::fromUtf8(source_ + ":" + std::to_string(line) + ": ");
    for (auto& failure : session_.takeFailures()) failures_.push_back(where + failure);
}

int Driver::finish() {
    // Closes the program as a user would when it still runs; otherwise only collects its exit
    // code (and, when it never started, the expectations never used).
    closeDocumentsMenu();
    endAutomationClient();
    int exitCode = session_.quit();
    if (started_ && session_.startResult() == 0 && !session_.startEndedAfterPrinting() && exitCode == 0)
        exitCode = kExitFailed;
    for (auto& failure : session_.takeFailures()) failures_.push_back(std::move(failure));
    for (const auto& failure : failures_)
        err_ << "korvo: failed: " << transcript_.labelled(quotingSafely(toUtf8(failure))) << std::endl;
    if (hung_) return kExitHung;
    if (scriptFailed_) return kExitScriptError;
    if (!failures_.empty()) return exitCode != 0 ? exitCode : kExitFailed;
    return exitCode;
}

}  // namespace korvo::console
