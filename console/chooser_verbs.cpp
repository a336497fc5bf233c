// The console's verbs at the choosers of the panel's parameter controls: picking in the open
// one, clicking elsewhere, and answering the colour dialog and the kernel's name prompt behind
// them.
#include "console/driver.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"

namespace korvo::console {

namespace {

ChooserHooks g_chooserHooks;

}  // namespace

void setChooserHooks(const ChooserHooks& hooks) { g_chooserHooks = hooks; }

bool Driver::pickInChooser(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_chooserHooks.pick) {
        transcript_.print(L"pick: the panel's choosers are not part of this program");
        return true;
    }
    platform::core::journal().add("user", L"pick " + platform::core::quoted(step.arguments.text) + L" in " +
                                              platform::core::handleText(frame));
    // What a user could not do is a refusal (printRefusal).
    if (const std::wstring refusal = g_chooserHooks.pick(frame, step.arguments.text); !refusal.empty())
        printRefusal("pick", refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::awayFromChooser(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_chooserHooks.away) {
        transcript_.print(L"away: the panel's choosers are not part of this program");
        return true;
    }
    platform::core::journal().add("user", L"activate another window than " + platform::core::handleText(frame));
    if (const std::wstring refusal = g_chooserHooks.away(frame); !refusal.empty()) printRefusal("away", refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::chooserMouse(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const HWND window = g_chooserHooks.window ? g_chooserHooks.window(frame) : nullptr;
    if (!window) {
        printRefusal("chooser-mouse", L"no chooser is open in that frame");
        return true;
    }
    if (auto refusal = session_.user().mouse(window, POINT{step.arguments.x, step.arguments.y}, *step.arguments.mouseAction)) {
        printRefusal("chooser-mouse", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpChooser(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_chooserHooks.describe) {
        transcript_.print(L"dump chooser: the panel's choosers are not part of this program");
        return true;
    }
    printDump(g_chooserHooks.describe(frame), L"(no chooser open)");
    return true;
}

bool Driver::dumpFonts(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_chooserHooks.fonts) {
        transcript_.print(L"dump fonts: the panel's font combo is not part of this program");
        return true;
    }
    printDump(g_chooserHooks.fonts(frame), L"(no font combo)");
    return true;
}

bool Driver::expectColourChoose(const Step& step) {
    session_.user().expectColour(static_cast<COLORREF>(step.arguments.number));
    return true;
}

bool Driver::expectColourCancel(const Step&) {
    session_.user().expectColour(std::nullopt);
    return true;
}

bool Driver::expectPromptAnswer(const Step& step) {
    session_.user().expectPrompt(step.arguments.text);
    return true;
}

bool Driver::expectPromptCancel(const Step&) {
    session_.user().expectPrompt(std::nullopt);
    return true;
}

}  // namespace korvo::console
