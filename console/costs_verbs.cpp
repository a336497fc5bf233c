// The console's look at what the program's work costs on the host (the platform measures it).
#include "console/driver.h"

namespace korvo::console {

bool Driver::dumpCosts(const Step&) {
    printDump(session_.inspect().dumpCosts(), L"(nothing measured)");
    return true;
}

}  // namespace korvo::console
