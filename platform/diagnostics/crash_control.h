// Control of the crash reporter stand-in for the harness (never for shell code).
#pragma once

namespace platform::diagnostics {

// Whether the crash reporter's error dialog is answered by asking for a restart.
bool crashDialogRestarts();
void setCrashDialogRestarts(bool restart);

}  // namespace platform::diagnostics
