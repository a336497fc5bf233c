// The UI library's auto-menu controller and the commands of its global context menus.
#pragma once

#include <string_view>

#include "platform/mfc.h"

namespace Korvo::UI {

// Controls the auto-menu tool bar of the application.
class AutoMenuController {
public:
    AutoMenuController() = default;
    virtual ~AutoMenuController() = default;
    AutoMenuController(const AutoMenuController&) = delete;
    AutoMenuController& operator=(const AutoMenuController&) = delete;
};

// The context menus shared by every frame.
class GlobalContextMenuContainer {
public:
    // Makes the command `id` known to context-menu definitions by its symbol ("CM_..."). Refused
    // for an id outside 1 to 65535, an empty symbol, or an id or symbol known already.
    static bool RegisterCommand(int id, std::wstring_view symbol);
    // Registers the container's own commands, once the application's are known.
    static void RegisterCommands();
    // Loads the context-menu definitions (once the first main-frame state is known).
    static void Load();
};

}  // namespace Korvo::UI
