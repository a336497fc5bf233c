// The console's verbs at the system panel: its controls as the shell sees them, and typing a
// value into one of its edits, pressing keys in it, spinning it, opening its context menu and
// choosing a command of its window as a user does.
#include "console/driver.h"
#include "platform/core/text.h"

namespace korvo::console {

namespace {

std::wstring (*g_sysPanelOutline)(HWND frame) = nullptr;

}  // namespace

void setSysPanelOutline(std::wstring (*outline)(HWND frame)) { g_sysPanelOutline = outline; }

bool Driver::dumpSysPanel(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_sysPanelOutline) {
        transcript_.print(L"dump panel: the system panel is not part of this program");
        return true;
    }
    printDump(g_sysPanelOutline(frame), L"(no system panel)");
    return true;
}

bool Driver::typeText(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // What a user could not do is a refusal (printRefusal).
    if (const auto refusal =
            session_.user().typeText(frame, static_cast<int>(step.arguments.number), step.arguments.text))
        printRefusal("type", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::pressKey(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const std::wstring name = platform::core::fromUtf8(step.arguments.keyName);
    const platform::harness::User::Key key{step.arguments.key, step.arguments.keyControl, step.arguments.keyAlt, name};
    if (const auto refusal = session_.user().pressKey(frame, static_cast<int>(step.arguments.number), key))
        printRefusal("key", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::pressWindowKey(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    const HWND frame = frameFor(step);
    const std::wstring name = platform::core::fromUtf8(step.arguments.keyName);
    platform::harness::User::Key key{step.arguments.key, step.arguments.keyControl, step.arguments.keyAlt, name};
    key.shift = step.arguments.keyShift;
    if (const auto refusal = session_.user().pressKeyAt(frame, window == frame ? nullptr : window, key))
        printRefusal("press", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::spinEdit(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (const auto refusal = session_.user().spin(frame, static_cast<int>(step.arguments.number), step.arguments.count))
        printRefusal("spin", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::editContextMenu(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (const auto refusal = session_.user().editContextMenu(frame, static_cast<int>(step.arguments.number)))
        printRefusal("context-menu", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::editCommand(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // As with typing, what a user could not do is a refusal.
    if (const auto refusal =
            session_.user().editCommand(frame, static_cast<int>(step.arguments.number), step.arguments.command))
        printRefusal("edit-command", *refusal);
    session_.runUntilIdle();
    return true;
}

}  // namespace korvo::console

namespace korvo::console {

bool Driver::clickListButton(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // What a user could not do is a refusal (printRefusal).
    if (const auto refusal = session_.user().clickListButton(frame, static_cast<int>(step.arguments.number)))
        printRefusal("list-button", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::expectVariable(const Step& step) {
    session_.user().expectVariable(step.arguments.name);
    return true;
}

bool Driver::expectVariableCancel(const Step&) {
    session_.user().expectVariable(std::nullopt);
    return true;
}

bool Driver::expectTextModule(const Step& step) {
    session_.user().expectTextModule(step.arguments.text);
    return true;
}

bool Driver::expectTextModuleCancel(const Step&) {
    session_.user().expectTextModule(std::nullopt);
    return true;
}

}  // namespace korvo::console
