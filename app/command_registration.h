// Registration of the shell's command tables with the kernel's command containers.
#pragma once

#include "platform/win32/types.h"

// The commands whose handlers live in the shell, for the edition mask given. The table is not
// built yet: nothing is registered.
void RegisterApplicationCommands(DWORD editionMask);
// The kernel's own commands that the shell names. The table is not built yet: nothing is
// registered.
void RegisterBuiltInCommands();
