// The console at the diagnostics pane: what its window, dialogs and hidden messages hold.
#include "console/driver.h"

namespace korvo::console {

bool Driver::dumpDiagnostics(const Step&) {
    printDump(session_.inspect().dumpDiagnostics(), L"(no pane)");
    return true;
}

}  // namespace korvo::console
