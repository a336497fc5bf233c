// A message box the user takes time to read: the clock moves while it is open, so what runs on
// the clock meanwhile (the splash, timers of other threads) sees the box.
#include "console/driver.h"
#include "platform/win32.h"

namespace korvo::console {

bool Driver::expectBoxAfter(const Step& step) {
    const DWORD reading = step.arguments.number;
    const platform::harness::Button answer = step.arguments.answer;
    session_.user().expectBox(step.arguments.text, [reading, answer](const platform::harness::BoxRequest&) {
        Sleep(reading);
        return answer;
    });
    return true;
}

}  // namespace korvo::console
