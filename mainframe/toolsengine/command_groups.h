// The program's fixed groups of related commands (a head value and its members), looked up by
// a member's command id. Only commands the kernel has registered belong to their group.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/win32/types.h"

struct CommandGroup {
    int head = 0;
    std::vector<UINT> members;
};

// The fixed table, in its order.
const std::vector<CommandGroup>& CommandGroups();
// Each registered member id to its group; an id in several groups belongs to the last of them.
std::map<UINT, const CommandGroup*> BuildCommandGroupIndex(const std::function<bool(UINT)>& registered);
// The group of `id` (built on first use from the kernel's registered commands), or null.
const CommandGroup* FindCommandGroup(UINT id);
