// Add-on applications and the mail program at the console: what the kernel knows of the
// applications, and what the mail program was given.
#include "console/driver.h"

namespace korvo::console {

bool Driver::dumpApplications(const Step&) {
    printDump(session_.inspect().dumpApplications(), L"(none)");
    return true;
}

bool Driver::dumpMail(const Step&) {
    printDump(session_.inspect().dumpMail(), L"(none)");
    return true;
}

bool Driver::dumpPdm(const Step&) {
    printDump(session_.inspect().dumpPdm(), L"");
    return true;
}

}  // namespace korvo::console
