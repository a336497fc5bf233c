// The console at the form factors of a library document shown in a browser pane.
#include "console/driver.h"
#include "platform/core/record.h"

namespace korvo::console {

namespace {

std::wstring (*g_formFactorsOutline)(HWND window) = nullptr;
CXTPControlEdit* (*g_formFactorSearchBox)(HWND window) = nullptr;

}  // namespace

void setFormFactorsOutline(std::wstring (*outline)(HWND window)) { g_formFactorsOutline = outline; }

void setFormFactorSearchBox(CXTPControlEdit* (*find)(HWND window)) { g_formFactorSearchBox = find; }

bool Driver::searchFormFactors(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    CXTPControlEdit* box = g_formFactorSearchBox ? g_formFactorSearchBox(window) : nullptr;
    // What a user could not do is a refusal (printRefusal).
    if (!box) printRefusal("formfactors", L"no form factors are shown in " + platform::core::handleText(window));
    else if (const auto refusal = session_.user().typeText(box, step.arguments.text)) printRefusal("formfactors", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpFormFactors(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    printDump(g_formFactorsOutline ? g_formFactorsOutline(window) : std::wstring(), L"(no form factors)");
    return true;
}

bool Driver::selectRow(const Step& step) { return rowAction(step, platform::harness::User::MouseAction::Click); }

}  // namespace korvo::console
