// The console's verbs at the system panel: its controls as the shell sees them, typing a value
// into one of its edits and choosing a command of an edit's window as a user does.
#include "console/driver.h"

namespace korvo::console {

namespace {

std::wstring (*g_sysPanelOutline)(HWND frame) = nullptr;

}  // namespace

void setSysPanelOutline(std::wstring (*outline)(HWND frame)) { g_sysPanelOutline = outline; }

bool Driver::dumpSysPanel(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_sysPanelOutline) {
        transcript_.print(L"dump syspanel: the system panel is not part of this program");
        return true;
    }
    printDump(g_sysPanelOutline(frame), L"(no system panel)");
    return true;
}

bool Driver::typeText(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // What a user could not do is said in the transcript and the run goes on.
    if (const auto refusal =
            session_.user().typeText(frame, static_cast<int>(step.arguments.number), step.arguments.text))
        transcript_.print(L"type: " + *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::editCommand(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // As with typing, what a user could not do is said in the transcript and the run goes on.
    if (const auto refusal =
            session_.user().editCommand(frame, static_cast<int>(step.arguments.number), step.arguments.command))
        transcript_.print(L"edit-command: " + *refusal);
    return true;
}

}  // namespace korvo::console
