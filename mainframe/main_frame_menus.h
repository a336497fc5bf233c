// The program's own menu editing: Windows menus that keep only what a command-bars class offers,
// and the menu bar's pop-up of installed library configurations.
#pragma once

#include "platform/toolkit.h"

// Deletes the items of `menu` whose command is one of `ids` (the first `count`), walking from
// the last item to the first; a sub-menu is cleaned the same way and deleted when it is left
// empty. Then separators left first, last or after another separator go.
void RemoveMenuItemsInList(HMENU menu, const UINT* ids, int count);

// An item of the installed-configurations pop-up: opens its configuration, adding it to the
// global group first when the group does not hold it yet.
class MenuItem_OpenConfiguration : public CXTPControlButton {
    DECLARE_DYNCREATE(MenuItem_OpenConfiguration)
public:
    MenuItem_OpenConfiguration() = default;
    MenuItem_OpenConfiguration(const CString& name, const CString& path);
    const CString& GetConfigurationName() const { return name_; }
    const CString& GetConfigurationPath() const { return path_; }
    void OnExecute() override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

private:
    CString name_;
    CString path_;
};
