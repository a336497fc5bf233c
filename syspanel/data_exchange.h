// The value protocol of the system panel's parameter controls lives in services/ where the ribbon
// reaches it too; the panel's own controls add the one string comparison they share.
#pragma once

#include "platform/mfc.h"
#include "services/system_panel.h"

// True when both are the same string object or hold the same UTF-16 code units (no case folding).
bool CStringEquals(const CString& a, const CString& b);
