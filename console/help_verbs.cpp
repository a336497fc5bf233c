// The console at the help browser: links as the start page and the help window run them, the
// help window's close button, and what the help window and tutorial pages show.
#include "console/driver.h"
#include "platform/core/record.h"

namespace korvo::console {

namespace {

HelpHooks g_helpHooks;

}  // namespace

void setHelpHooks(const HelpHooks& hooks) { g_helpHooks = hooks; }

bool Driver::helpLink(const Step& step) {
    if (!g_helpHooks.link) {
        transcript_.print(L"link: the help links are not part of this program");
        return true;
    }
    const bool handled = g_helpHooks.link(step.arguments.text);
    session_.runUntilIdle();
    transcript_.print(std::wstring(L"link: ") + (handled ? L"handled" : L"not handled"));
    return true;
}

bool Driver::frameHelpLink(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_helpHooks.clickLink) {
        transcript_.print(L"link: the help window is not part of this program");
        return true;
    }
    if (const std::wstring refusal = g_helpHooks.clickLink(frame, step.arguments.text); !refusal.empty()) {
        printRefusal("link", refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::closeHelp(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const HWND help = g_helpHooks.helpWindow ? g_helpHooks.helpWindow(frame) : nullptr;
    if (!help) {
        printRefusal("close", windowName(frame) + L" has no help window");
        return true;
    }
    session_.user().close(help);
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpHelp(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_helpHooks.outline) {
        transcript_.print(L"dump help: the help window is not part of this program");
        return true;
    }
    printDump(g_helpHooks.outline(frame), L"(no help window)");
    return true;
}

}  // namespace korvo::console
