// The console's verbs for the command bars and the ribbon.
#include "console/driver.h"
#include "console/printable.h"
#include "platform/core/text.h"

namespace korvo::console {

bool Driver::userDid(const Step& step, const std::optional<std::wstring>& refusal) {
    if (!refusal) return true;
    printRefusal(verbs()[step.verb].name(), *refusal);
    return false;
}

bool Driver::selectTab(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (userDid(step, session_.user().selectTab(frame, step.arguments.text))) session_.runUntilIdle();
    return true;
}

bool Driver::hover(const Step& step) {
    const HWND frame = frameFor(step);
    std::optional<long long> id;
    if (!frame || !controlFor(step, frame, id)) return false;
    if (!id || !userDid(step, session_.user().hover(frame, static_cast<int>(*id)))) return true;
    const std::wstring tooltip = session_.inspect().tooltip(frame);
    transcript_.print(tooltip.empty() ? L"(no tooltip)" : tooltip);
    return true;
}

bool Driver::dumpRibbon(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpRibbon(frame), L"(no ribbon)");
    return true;
}

bool Driver::dumpButtonSets(const Step&) {
    printDump(session_.inspect().dumpButtonSets(), L"(no button sets)");
    return true;
}

bool Driver::dumpBackstage(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpBackstage(frame), L"(no ribbon)");
    return true;
}

bool Driver::openBackstage(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    // The bare form and the tab form share the verb: a tab was given when the line has a third word.
    const bool withTab = step.arguments.quotedChoice || verbs()[step.verb].syntax.find("ID|") != std::string_view::npos;
    std::optional<int> id;
    std::wstring name;
    if (withTab && step.arguments.quotedChoice) name = step.arguments.text;
    else if (withTab) id = static_cast<int>(step.arguments.number);
    if (userDid(step, session_.user().openBackstage(frame, id, name))) session_.runUntilIdle();
    return true;
}

bool Driver::closeBackstage(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (userDid(step, session_.user().closeBackstage(frame))) session_.runUntilIdle();
    return true;
}

bool Driver::expectMenuChoose(const Step& step) {
    if (step.arguments.quotedChoice)
        session_.user().expectMenuChoose(step.arguments.text);
    else
        session_.user().expectMenuChoose(static_cast<int>(step.arguments.number));
    return true;
}

bool Driver::expectMenuDismiss(const Step&) {
    session_.user().expectMenuDismiss();
    return true;
}

}  // namespace korvo::console
