// What the kernel knows of the PDM system beyond the work mix: the system's version, and its
// setting that records whether the PDM windows are shown.
#pragma once

#include "platform/mfc.h"

// "MAJOR.MINOR".
CString KVPDMGetSystemVersion();
bool KVArePdmWindowsShown();
void KVSetPdmWindowsShown(bool shown);

namespace platform::kernel {
// Control surface for the harness and tests (never for shell code): the version answered.
std::wstring& pdmSystemVersion();
}  // namespace platform::kernel
