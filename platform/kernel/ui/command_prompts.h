// The kernel's texts for commands: the command strings of the kernel and of its 3D part, and the
// command that is running now.
#pragma once

#include "platform/mfc.h"

// The kernel's command string for `id` (its name and prompt as the status line shows it); empty
// when it has none.
CString KVGetCmdStr(UINT id);
// The 3D part's command string for `id`; empty when it has none.
CString KVGetCmdStr3D(UINT id);
// The command running now: its id (0 when none) and its prompt.
int KVGetActiveCommandId();
CString KVGetActiveCommandPrompt();
