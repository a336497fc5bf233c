// Add-on applications at the console: one that runs asks for its windows through `kernel`.
#include "console/driver.h"

namespace korvo::console {

bool Driver::addonRun(const Step& step) {
    session_.kernel().runApplication(step.arguments.text, true);
    session_.runUntilIdle();
    return true;
}

bool Driver::addonStop(const Step& step) {
    session_.kernel().runApplication(step.arguments.text, false);
    session_.runUntilIdle();
    return true;
}

}  // namespace korvo::console
