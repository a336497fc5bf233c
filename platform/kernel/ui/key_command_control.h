// Control surface of the kernel stand-in's typed commands for the harness and tests (never for
// shell code).
#pragma once

#include <set>

#include "platform/win32/types.h"

namespace platform::kernel {

struct KeyCommandControl {
    // The 3D part refuses typed keys.
    bool keyboardCommandsRefused = false;
    // The commands the 3D part cannot run now.
    std::set<UINT> unavailableCommands;
};

KeyCommandControl& keyCommandControl();

}  // namespace platform::kernel
