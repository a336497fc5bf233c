// Verbs on a frame's docking panes as the user moves them, and on its status line as the
// kernel's running command reports progress.
#include "console/driver.h"

#include <algorithm>
#include <string>

#include "console/printable.h"
#include "console/verbs.h"
#include "platform/core/text.h"

namespace korvo::console {

namespace {

// The verb's own words, without its argument ("pane close", "progress set").
std::string verbWords(std::string_view syntax) {
    const std::size_t argument = std::min(syntax.find(" WINDOW"), syntax.find(" POS"));
    return std::string(syntax.substr(0, argument));
}

}  // namespace

using platform::harness::Kernel;
using platform::harness::User;

bool Driver::paneAction(const Step& step, User::PaneAction action) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (step.arguments.frame.paneId == 0) {
        scriptError(step.line, verbWords(verbs()[step.verb].syntax) +
                                   ": name the pane as FRAME/PANE-ID (dump panes lists them)");
        return false;
    }
    if (const auto refusal = session_.user().paneAction(frame, step.arguments.frame.paneId, action)) {
        scriptError(step.line, verbWords(verbs()[step.verb].syntax) + ": " + quotingSafely(platform::core::toUtf8(transcript_.named(*refusal))));
        return false;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::closePane(const Step& step) { return paneAction(step, User::PaneAction::Close); }
bool Driver::floatPane(const Step& step) { return paneAction(step, User::PaneAction::Float); }
bool Driver::hidePane(const Step& step) { return paneAction(step, User::PaneAction::Hide); }
bool Driver::paneMenu(const Step& step) { return paneAction(step, User::PaneAction::Menu); }
bool Driver::showPane(const Step& step) { return paneAction(step, User::PaneAction::Show); }

bool Driver::progress(const Step& step, Kernel::ProgressCall call) {
    const std::optional<std::wstring> answer = session_.kernel().progress(call, step.arguments.position);
    if (!answer) {
        scriptError(step.line, verbWords(verbs()[step.verb].syntax) + ": no main frame has a status line");
        return false;
    }
    transcript_.print(platform::core::fromUtf8(verbWords(verbs()[step.verb].syntax)) + L": " + *answer);
    return true;
}

bool Driver::beginProgress(const Step& step) { return progress(step, Kernel::ProgressCall::Begin); }
bool Driver::setProgress(const Step& step) { return progress(step, Kernel::ProgressCall::SetPosition); }
bool Driver::stepProgress(const Step& step) { return progress(step, Kernel::ProgressCall::Step); }
bool Driver::endProgress(const Step& step) { return progress(step, Kernel::ProgressCall::End); }

}  // namespace korvo::console
