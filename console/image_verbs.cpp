// The console's verbs for image windows, print dialogs and print jobs.
#include "console/driver.h"
#include "platform/core/text.h"

namespace korvo::console {

// What a user could not do at a scroll bar is a refusal, as for a click.
bool Driver::scroll(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    if (const auto refusal = session_.user().scroll(frame, step.arguments.scrollBar, step.arguments.scrollCode,
                                                       platform::core::fromUtf8(step.arguments.keyName)))
        printRefusal("scroll", *refusal);
    return true;
}

bool Driver::dragThumb(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const int position = static_cast<int>(step.arguments.number);
    if (const auto refusal = session_.user().dragThumb(frame, step.arguments.scrollBar, position))
        printRefusal("drag-thumb", *refusal);
    return true;
}

bool Driver::dumpImage(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    printDump(session_.inspect().dumpActiveView(frame), L"(no active document window)");
    return true;
}

bool Driver::dumpPrintJobs(const Step&) {
    printDump(session_.inspect().dumpPrintJobs(), L"(no print jobs)");
    return true;
}

bool Driver::expectPrintOk(const Step&) {
    session_.user().expectPrintOk();
    return true;
}

bool Driver::expectPrintCancel(const Step&) {
    session_.user().expectPrintCancel();
    return true;
}

}  // namespace korvo::console
