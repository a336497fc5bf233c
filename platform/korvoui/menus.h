// The UI library's auto-menu controller and global context menus, at their least.
#pragma once

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
    // Loads the container (from `defaultFile` when given); loading again does nothing.
    static void Load(LPCWSTR defaultFile = nullptr);
    static bool IsLoaded();
};

}  // namespace Korvo::UI
