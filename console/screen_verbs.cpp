// The console's verbs for the screen as a user sees it: the layout of a frame, and a picture of it.
#include "console/driver.h"

#include <algorithm>
#include <string>
#include <vector>

#include "console/printable.h"
#include "platform/core/record.h"
#include "platform/core/text.h"

namespace korvo::console {

bool Driver::dumpLayout(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpLayout(frame), L"(nothing shown)");
    return true;
}

bool Driver::snapshot(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const std::wstring& path = step.arguments.text;
    if (path.size() < 4 || platform::core::foldCase(path.substr(path.size() - 4)) != L".png") {
        scriptError(step.line, "snapshot: the picture's path must end in .png");
        return false;
    }
    if (const auto refusal = session_.inspect().snapshot(frame, platform::core::toUtf8(path))) {
        scriptError(step.line, "snapshot: " + printable(platform::core::toUtf8(*refusal)));
        return false;
    }
    transcript_.print(L"snapshot " + platform::core::quoted(path));
    return true;
}

bool Driver::controlFor(const Step& step, HWND window, std::optional<long long>& id) {
    id.reset();
    if (!step.arguments.quotedChoice) {
        id = step.arguments.number;
        return true;
    }
    const std::string verb(verbs()[step.verb].name());
    const std::wstring& caption = step.arguments.text;
    const auto found = session_.inspect().controlsCaptioned(window, caption);
    // A command a bar shows disabled is no second choice beside the enabled one a user would
    // press (the tool bars' twin of a ribbon button): disabled ones count only when no control
    // so captioned is enabled.
    std::vector<long long> enabled;
    std::vector<long long> all;
    for (const auto& control : found) {
        all.push_back(control.id);
        if (control.enabled) enabled.push_back(control.id);
    }
    const bool disabledLeftOut = !enabled.empty() && enabled.size() < all.size();
    const std::vector<long long>& ids = enabled.empty() ? all : enabled;
    if (ids.size() == 1) {
        id = ids.front();
        return true;
    }
    const std::string quotedCaption = echo(platform::core::toUtf8(caption));
    if (ids.empty()) {
        printRefusal(verb, L"no visible control is captioned " + platform::core::quoted(caption) + L" in " +
                               platform::core::handleText(window));
        return true;
    }
    constexpr std::size_t kNamed = 5;
    std::string named;
    for (std::size_t i = 0; i < std::min(ids.size(), kNamed); ++i)
        named += (i == 0 ? "" : i + 1 == ids.size() ? " and " : ", ") + std::to_string(ids[i]);
    if (ids.size() > kNamed) named += " and " + std::to_string(ids.size() - kNamed) + " more";
    scriptError(step.line, verb + ": " + std::to_string(ids.size()) + (disabledLeftOut ? " enabled" : "") +
                               " visible controls are captioned " + quotedCaption +
                               " (ids " + named + "): name one by its id");
    return false;
}

bool Driver::rightClick(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    // What a user could not do is a refusal, as for a click.
    if (const auto refusal = session_.user().rightClickControl(window, step.arguments.number))
        printRefusal("right-click", *refusal);
    return true;
}

bool Driver::documentTab(const Step& step, TabAction action) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const std::wstring& caption = step.arguments.text;
    const std::vector<int> tabs = session_.inspect().documentTabsCaptioned(frame, caption);
    const std::string quotedCaption = echo(platform::core::toUtf8(caption));
    if (tabs.empty()) {
        printRefusal("doc-tab", L"main frame " + platform::core::handleText(frame) + L" shows no document tab " +
                                    platform::core::quoted(caption));
        return true;
    }
    if (tabs.size() > 1) {
        scriptError(step.line, "doc-tab: " + std::to_string(tabs.size()) + " document tabs are captioned " + quotedCaption);
        return false;
    }
    platform::harness::User& user = session_.user();
    switch (action) {
        case TabAction::Click: user.clickTab(frame, tabs.front()); break;
        case TabAction::Close: user.clickTabCloseButton(frame, tabs.front()); break;
        case TabAction::MiddleClick: user.middleClickTab(frame, tabs.front()); break;
        case TabAction::ContextMenu: user.rightClickTab(frame, tabs.front()); break;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::clickDocumentTab(const Step& step) { return documentTab(step, TabAction::Click); }
bool Driver::closeDocumentTab(const Step& step) { return documentTab(step, TabAction::Close); }
bool Driver::middleClickDocumentTab(const Step& step) { return documentTab(step, TabAction::MiddleClick); }
bool Driver::documentTabMenu(const Step& step) { return documentTab(step, TabAction::ContextMenu); }

bool Driver::activateFrame(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    session_.user().activate(frame);
    return true;
}

bool Driver::activateDocument(const Step& step) {
    // What a user could not do is a refusal, as for a click.
    if (const auto refusal = session_.user().activateDocument(step.arguments.text))
        printRefusal("activate", *refusal);
    return true;
}

bool Driver::pressMessageBarButton(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // What a user could not do is a refusal, as for a click.
    if (const auto refusal = session_.user().pressMessageBarButton(frame, step.arguments.number, step.arguments.command))
        printRefusal("message-bar", *refusal);
    return true;
}

}  // namespace korvo::console
