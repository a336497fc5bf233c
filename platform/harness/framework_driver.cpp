#include "platform/harness/framework_driver.h"

#include "platform/kernel/ui/control.h"
#include "platform/mfc.h"
#include "platform/mfc/control.h"

namespace platform::harness::detail {

namespace {

// Whether InitInstance ran: the framework's entry answers -1 when initialisation failed before
// it, and ExitInstance's result when InitInstance itself failed.
bool initInstanceRan = false;

}  // namespace

int startProgram() {
    // The kernel library is linked to the program, so its string table serves resource strings
    // from the first instruction on (the table itself is read at the first lookup).
    platform::kernel::installStringLoader();
    if (!platform::mfc::initialize()) return 0;
    CWinApp* app = AfxGetApp();
    if (!app || !app->InitApplication()) return 0;
    initInstanceRan = true;
    return app->InitInstance();
}

std::optional<int> runLoopUntilIdle() {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    const platform::mfc::LoopResult result = platform::mfc::runUntilIdle(*app);
    if (result.quit) return result.exitCode;
    return std::nullopt;
}

int exitAfterFailedStart() {
    CWinApp* app = AfxGetApp();
    if (!app || !initInstanceRan) return -1;
    // As the framework's entry does when InitInstance fails: the main window goes, then
    // ExitInstance decides the exit code.
    if (app->m_pMainWnd && IsWindow(app->m_pMainWnd->GetSafeHwnd())) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
}

}  // namespace platform::harness::detail
