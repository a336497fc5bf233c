// The UI library's form views shown expanded in their own pane: made ready before their state is
// read, and their state in the registry.
#pragma once

#include "platform/kernel/profiles/module_states.h"

namespace Korvo::UI {

class ExpandedFormViews {
public:
    static void Initialize();
    // The state in the registry key at `path` (below the application's key).
    static bool LoadState(LPCWSTR path) { return State().Load(path); }
    static bool SaveState(LPCWSTR path) { return State().Save(path); }
    static KVModuleState& State();
};

}  // namespace Korvo::UI
