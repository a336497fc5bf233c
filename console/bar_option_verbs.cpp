// The options the command bars of a main frame follow, as the tool-bar options page sets them.
#include "console/driver.h"

namespace korvo::console {

bool Driver::dumpBarOptions(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpBarOptions(frame), L"(no command bars)");
    return true;
}

}  // namespace korvo::console
