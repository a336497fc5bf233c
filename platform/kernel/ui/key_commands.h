// Typed commands as the kernel offers them: its commands that have a command string (the text up
// to the first ":" is what the user types), and what its 3D part allows now.
#pragma once

#include <utility>
#include <vector>

#include "platform/mfc.h"

// In the kernel's order (by id), each with its command string.
std::vector<std::pair<UINT, CString>> KVGetKeyCommands();
// Whether the 3D part lets typed keys run commands now.
bool KV3DKeyboardCommandsAllowed();
// Whether the 3D part can run command `id` now.
bool KV3DIsCommandAvailable(UINT id);
