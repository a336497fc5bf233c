// Control surface of the framework stand-in for the harness and the tests. Shell code never
// includes it.
#pragma once

#include <optional>
#include <string>

#include "platform/mfc.h"

namespace platform::mfc {

// AfxWinInit for the configured process (command line, show command, program name, the calling
// thread as the application's UI thread) without running anything. FALSE without an application
// object.
BOOL initialize();

// The outcome of driving a thread's loop.
struct LoopResult {
    bool quit = false;  // WM_QUIT arrived: ExitInstance ran and exitCode holds its result
    int exitCode = 0;
};

// Runs the thread's framework loop (the same PumpMessage, IsIdleMessage, OnIdle and
// PreTranslateMessage as Run) on the calling thread, but returns where Run would block: the queue
// is empty and the idle passes have returned FALSE. The idle state carries over to the next call,
// so idle passes restart only after an idle message, as in Run. Must be called on the thread the
// CWinThread runs on.
LoopResult runUntilIdle(CWinThread& thread);
// Makes the next runUntilIdle start with fresh idle passes (count 0), as Run's entry does.
void resetIdle(CWinThread& thread);

// What AfxEnableControlContainer and AfxOleInit recorded.
bool controlContainerEnabled();
bool oleInitialized();
// Wait-cursor depth of the application (0 without one).
int waitCursorDepth();
// The lock count of AfxOleLockApp/AfxOleUnlockApp.
LONG oleLockCount();
// Whether ProcessShellCommand ran the command line's print (/p, /pt): its FALSE then asks the
// program to end once the document is printed, as the framework's print-and-exit does.
bool shellCommandPrinted();

// The framework's default window classes (registered on first use): frames and views, MDI frames.
std::wstring frameWindowClassName();
std::wstring mdiFrameWindowClassName();

}  // namespace platform::mfc
