// Start-up steps that fail without a word of their own would end the program with nothing in
// the log to say why: start-up names the step that returned failure instead.
#pragma once

#include "platform/diagnostics.h"
#include "platform/win32/types.h"

inline BOOL StartupStepFailed(const wchar_t* step) {
    KVLog_WriteF(8, L"Start-up failed: %s returned failure", step);
    return FALSE;
}
