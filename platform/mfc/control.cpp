#include "platform/mfc/control.h"

#include "platform/mfc/framework_state.h"

namespace platform::mfc {

BOOL initialize() {
    if (AfxGetApp() == nullptr) return FALSE;
    return detail::winInitFromConfig();
}

LoopResult runUntilIdle(CWinThread& thread) {
    LoopResult result;
    if (auto exitCode = LoopAccess::run(thread, true)) {
        result.quit = true;
        result.exitCode = *exitCode;
    }
    return result;
}

void resetIdle(CWinThread& thread) { LoopAccess::reset(thread); }

std::wstring frameWindowClassName() { return detail::frameOrViewWindowClass(); }
std::wstring mdiFrameWindowClassName() { return detail::mdiFrameWindowClass(); }

bool controlContainerEnabled() { return detail::flags().controlContainer; }
bool oleInitialized() { return detail::flags().oleInitialized; }

int waitCursorDepth() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->GetWaitCursorDepth() : 0;
}

}  // namespace platform::mfc
