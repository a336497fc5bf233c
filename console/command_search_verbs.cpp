// The console at the command search and the tabbed main bar: typing a filter into the
// find-command pane, a user's clicks on its rows, and a tool bar made from a tab.
#include "console/driver.h"
#include "platform/core/record.h"

namespace korvo::console {

namespace {

constexpr unsigned kFindCommandPane = 1028;
constexpr unsigned kShowFindCommandPane = 799;
constexpr unsigned kFilterBox = 1215;

CommandSearchHooks g_hooks;

}  // namespace

void setCommandSearchHooks(const CommandSearchHooks& hooks) { g_hooks = hooks; }

bool Driver::searchCommands(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_hooks.outline) {
        transcript_.print(L"search: the command search is not part of this program");
        return true;
    }
    // The user opens the pane as its button does, then types the filter into its box.
    session_.user().command(frame, kShowFindCommandPane);
    session_.runUntilIdle();
    Step inPane = step;
    inPane.arguments.frame.paneId = kFindCommandPane;
    const HWND window = windowFor(inPane);
    if (!window) return false;
    if (auto refusal = session_.user().typeInto(window, kFilterBox, step.arguments.text)) {
        printRefusal("search", *refusal);
        return true;
    }
    session_.runUntilIdle();
    printDump(g_hooks.outline(window), L"(no command search)");
    return true;
}

bool Driver::openRow(const Step& step) { return rowAction(step, platform::harness::User::MouseAction::DoubleClick); }

bool Driver::rightClickRow(const Step& step) {
    return rowAction(step, platform::harness::User::MouseAction::RightClick);
}

bool Driver::rowAction(const Step& step, platform::harness::User::MouseAction action) {
    const HWND window = windowFor(step);
    if (!window) return false;
    if (auto refusal = session_.user().listRow(window, static_cast<int>(step.arguments.number), action)) {
        printRefusal("row", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::dragRow(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    if (auto refusal = session_.user().dragRow(window, static_cast<int>(step.arguments.number))) {
        printRefusal("row", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::expectDragChoose(const Step& step) { return expectDrop(step, false); }

bool Driver::expectDragChooseControl(const Step& step) { return expectDrop(step, true); }

bool Driver::expectDrop(const Step& step, bool control) {
    const HWND window = windowFor(step);
    if (!window) return false;
    // The place in the script's words: the window as the script named it, then the point.
    const std::size_t choose = step.source.find("choose");
    std::string words = choose == std::string::npos ? step.source : step.source.substr(choose + 6);
    words.erase(0, words.find_first_not_of(' '));
    session_.user().expectDragChoose(window, POINT{step.arguments.x, step.arguments.y}, control,
                                     std::wstring(words.begin(), words.end()));
    return true;
}

bool Driver::expectDragCancel(const Step&) {
    session_.user().expectDragCancel();
    return true;
}

bool Driver::toolBarFromTab(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_hooks.toolBarFromTab) {
        transcript_.print(L"tab-bar: the tabbed main bar is not part of this program");
        return true;
    }
    const std::wstring refusal = g_hooks.toolBarFromTab(frame, step.arguments.text);
    if (!refusal.empty()) printRefusal("tab-bar", refusal);
    session_.runUntilIdle();
    return true;
}

}  // namespace korvo::console
