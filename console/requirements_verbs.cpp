// The technical-requirements pane at the console: an add-on hosting it in a frame, its outline,
// and the user at its framework controls and list rows, named by their full ids.
#include <string>
#include <vector>

#include "console/driver.h"
#include "console/verbs.h"
#include "platform/core/record.h"
#include "platform/core/text.h"

namespace korvo::console {

bool Driver::addonRequirements(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (const auto refusal = session_.kernel().hostRequirementsPane(frame)) {
        printRefusal("addon", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpRequirements(const Step&) {
    printDump(session_.inspect().dumpRequirements(), L"(no pane)");
    return true;
}

bool Driver::kvpfSelect(const Step& step) {
    if (const auto refusal = session_.user().kvpfSelect(step.arguments.text, step.arguments.position)) {
        printRefusal("kvpf", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::kvpfToggle(const Step& step) {
    if (const auto refusal = session_.user().kvpfToggle(step.arguments.text)) {
        printRefusal("kvpf", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::selectListRows(const Step& step) {
    std::vector<int> rows;
    for (const ArgumentValue& value : step.arguments.values) rows.push_back(std::stoi(value.text));
    if (const auto refusal = session_.user().kvpfSelectRows(step.arguments.text, rows)) {
        printRefusal("row", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::hoverListRow(const Step& step) {
    if (step.arguments.values.size() != 1) {
        scriptError(step.line, "row: hover takes one row");
        return false;
    }
    if (const auto refusal = session_.user().kvpfHover(step.arguments.text, step.arguments.position)) {
        printRefusal("row", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::showListColumn(const Step& step) {
    if (const auto refusal = session_.user().kvpfShowColumn(step.arguments.text, step.arguments.position, true))
        printRefusal("column", *refusal);
    return true;
}

bool Driver::hideListColumn(const Step& step) {
    if (const auto refusal = session_.user().kvpfShowColumn(step.arguments.text, step.arguments.position, false))
        printRefusal("column", *refusal);
    return true;
}

}  // namespace korvo::console

namespace korvo::console {

bool Driver::editListCell(const Step& step) {
    std::optional<std::wstring> item;
    if (!step.arguments.name.empty()) item = step.arguments.name;
    if (const auto refusal = session_.user().kvpfEditCell(step.arguments.text, step.arguments.position, step.arguments.column, item))
        printRefusal("row", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::checkListCell(const Step& step) {
    const bool on = verbs()[step.verb].syntax.ends_with(" on");
    if (const auto refusal = session_.user().kvpfCheckCell(step.arguments.text, step.arguments.position, step.arguments.column, on))
        printRefusal("row", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::clickListIcon(const Step& step) {
    if (const auto refusal = session_.user().kvpfClickIcon(step.arguments.text, step.arguments.position, step.arguments.column))
        printRefusal("row", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::expectRequirementAnswer(const Step& step) {
    session_.user().expectRequirementEditor(step.arguments.text);
    return true;
}

bool Driver::expectRequirementCancel(const Step&) {
    session_.user().expectRequirementEditor(std::nullopt);
    return true;
}

bool Driver::dumpUndo(const Step& step) {
    const auto undo = session_.inspect().dumpUndo(step.arguments.text);
    if (!undo) {
        printRefusal("dump", L"no open document " + platform::core::quoted(step.arguments.text));
        return true;
    }
    printDump(*undo, L"(no undo steps)");
    return true;
}

}  // namespace korvo::console
