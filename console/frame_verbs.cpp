// The console at a main frame as a whole: its close button, files dropped from the shell, the
// end of the Windows session and the frame's modes.
#include "console/driver.h"
#include "platform/core/record.h"

namespace korvo::console {

namespace {

std::wstring (*g_frameModesOutline)(HWND frame) = nullptr;
std::wstring (*g_frameStateOutline)(HWND frame) = nullptr;

}  // namespace

void setFrameModesOutline(std::wstring (*outline)(HWND frame)) { g_frameModesOutline = outline; }
void setFrameStateOutline(std::wstring (*outline)(HWND frame)) { g_frameStateOutline = outline; }

bool Driver::closeFrame(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    session_.user().close(frame);
    session_.runUntilIdle();
    return true;
}

bool Driver::dropFiles(const Step& step) { return dropFilesHolding(step, false); }

bool Driver::dropFilesControl(const Step& step) { return dropFilesHolding(step, true); }

bool Driver::dropFilesHolding(const Step& step, bool control) {
    const HWND window = windowFor(step);
    if (!window) return false;
    std::vector<std::wstring> paths{step.arguments.text};
    for (const ArgumentValue& value : step.arguments.values) paths.push_back(value.text);
    if (auto refusal = session_.user().drop(window, POINT{step.arguments.x, step.arguments.y}, paths, control)) {
        printRefusal("drop", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

// What a user could not do with the mouse is a refusal (printRefusal).
bool Driver::mouse(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    if (auto refusal = session_.user().mouse(window, POINT{step.arguments.x, step.arguments.y}, *step.arguments.mouseAction)) {
        printRefusal("mouse", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::logoff(const Step&) {
    const auto answers = session_.user().logoff();
    bool ending = true;
    for (const auto& answer : answers) {
        std::wstring line = L"logoff: " + windowName(answer.window) + (answer.agreed ? L" agrees" : L" refuses");
        if (!answer.blockReason.empty()) line += L" " + platform::core::quoted(answer.blockReason);
        transcript_.print(line);
        ending = ending && answer.agreed;
    }
    if (session_.running()) session_.runUntilIdle();
    // Windows ends the programs of a session that ends.
    if (ending && session_.running()) {
        endAutomationClient();
        session_.quit();
    }
    return true;
}

bool Driver::dumpModes(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_frameModesOutline) {
        transcript_.print(L"dump modes: the frame's modes are not part of this program");
        return true;
    }
    printDump(g_frameModesOutline(frame), L"(no modes)");
    return true;
}

bool Driver::dumpState(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (!g_frameStateOutline) {
        transcript_.print(L"dump state: the frame's state is not part of this program");
        return true;
    }
    printDump(g_frameStateOutline(frame), L"(no state)");
    return true;
}

}  // namespace korvo::console
