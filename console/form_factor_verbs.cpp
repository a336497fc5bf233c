// The console at the form factors of a library document shown in a browser pane.
#include "console/driver.h"

namespace korvo::console {

namespace {

std::wstring (*g_formFactorsOutline)(HWND window) = nullptr;

}  // namespace

void setFormFactorsOutline(std::wstring (*outline)(HWND window)) { g_formFactorsOutline = outline; }

bool Driver::dumpFormFactors(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    printDump(g_formFactorsOutline ? g_formFactorsOutline(window) : std::wstring(), L"(no form factors)");
    return true;
}

bool Driver::selectRow(const Step& step) { return rowAction(step, platform::harness::User::MouseAction::Click); }

}  // namespace korvo::console
