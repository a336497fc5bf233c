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

// What the user sees while reading: the windows as the box first shows, and again as it is
// answered (the splash has stepped aside by then).
bool Driver::expectBoxAfterShowingWindows(const Step& step) {
    const DWORD reading = step.arguments.number;
    const platform::harness::Button answer = step.arguments.answer;
    // The step that shows the box is running, so the dumps are headed by the moment, not a step.
    auto dump = [this](const wchar_t* moment) {
        transcript_.print(std::wstring(L"dump windows (") + moment + L")");
        transcript_.print(session_.inspect().dumpWindows());
    };
    session_.user().expectBox(step.arguments.text, [dump, reading, answer](const platform::harness::BoxRequest&) {
        dump(L"box shown");
        Sleep(reading);
        dump(L"box read");
        return answer;
    });
    return true;
}

}  // namespace korvo::console
