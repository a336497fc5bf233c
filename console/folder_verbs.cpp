// The user at the kernel's folder chooser.
#include "console/driver.h"

namespace korvo::console {

bool Driver::expectFolderChoose(const Step& step) {
    session_.user().expectFolder(step.arguments.text);
    return true;
}

bool Driver::expectFolderCancel(const Step&) {
    session_.user().expectFolder(std::nullopt);
    return true;
}

}  // namespace korvo::console
