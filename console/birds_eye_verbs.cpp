// The bird's-eye-view pane at the console: its state as the program outlines it. The mouse and
// the keys reach it through `mouse 1/1003 ...` and `press 1/1003 ...`.
#include "console/driver.h"

namespace korvo::console {

bool Driver::dumpBirdsEye(const Step&) {
    printDump(session_.inspect().dumpBirdsEye(), L"(no pane)");
    return true;
}

}  // namespace korvo::console
