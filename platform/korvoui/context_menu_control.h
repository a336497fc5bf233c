// Control surface of the UI library's context-menu container for the harness and tests (never
// for shell code).
#pragma once

#include <string>
#include <vector>

#include "platform/win32/types.h"

namespace platform::korvoui {

struct ContextMenuCommand {
    UINT id = 0;
    std::wstring symbol;
};

// Commands registered by symbol, in registration order.
std::vector<ContextMenuCommand> contextMenuCommands();
// How often the container registered its own commands.
int contextMenuCommandSetRegistrations();

}  // namespace platform::korvoui
