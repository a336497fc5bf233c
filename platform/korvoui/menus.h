// The UI library's auto-menu controller and the commands of its global context menus.
#pragma once

#include <string_view>

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

// Controls the auto-menu tool bar of the application.
class AutoMenuController {
public:
    AutoMenuController() = default;
    virtual ~AutoMenuController() = default;
    AutoMenuController(const AutoMenuController&) = delete;
    AutoMenuController& operator=(const AutoMenuController&) = delete;
    // Whether `bar` is one of the controller's own (the auto-menu tool bar).
    static bool OwnsBar(const CXTPCommandBar* bar);
    // The control of the running command's auto menu for `id` on its bar; null when the command
    // put none there.
    virtual CXTPControl* CreateControl(UINT id, CXTPCommandBar* bar);
};

// The button that starts the user's configuration of the selection filters (2438).
class SelectionFilterConfigurationButton : public CXTPControlButton {
    DECLARE_DYNCREATE(SelectionFilterConfigurationButton)
public:
    SelectionFilterConfigurationButton() { SetID(kCommand); }
    static constexpr int kCommand = 2438;
};

// The tool bar of the auto-menu command bars: the running command's own buttons.
class AutoMenuToolBar : public CXTPToolBar {
    DECLARE_DYNCREATE(AutoMenuToolBar)
public:
    AutoMenuToolBar() = default;
};

// The classic tool bar whose buttons come in tabs that the user picks; each tab keeps its
// original buttons for a reset and may have a keyboard accelerator.
class TabbableToolBar : public CXTPTabToolBar {
    DECLARE_DYNCREATE(TabbableToolBar)
public:
    TabbableToolBar() = default;
    // Adds a tab with its original buttons (`count` ids, 0 for a separator).
    int AddOriginalTab(LPCWSTR name, const UINT* ids, int count, int iconId, bool visible, const GUID& guid);
    // Gives the tab with `guid` the accelerator; false when no tab has that GUID.
    bool SetTabAccelerator(const GUID& guid, const ACCEL& accelerator);
    // The tabs' accelerators become shortcuts of `shortcuts` for the commands that select the
    // tabs (`firstCommand` + the tab's index); shortcuts those commands had before go.
    void UpdateAccelerators(CXTPShortcutManager& shortcuts, UINT firstCommand, UINT count) const;
    // One item per tab into `items` (emptied first), `firstCommand` + the tab's index, at most
    // `count`: the tab's title and its shortcut's text.
    void BuildPopupMenu(CXTPControls& items, UINT firstCommand, UINT count, const CXTPShortcutManager* shortcuts) const;

    // What the user set for the bar: its tab strip shown, the bar locked in place, large icons,
    // and command prompts under the buttons.
    void ShowTabs(bool show) { tabsShown_ = show; }
    bool IsTabsShown() const { return tabsShown_; }
    void SetLocked(bool locked) { locked_ = locked; }
    bool IsLocked() const { return locked_; }
    void SetLargeIcons(bool large) { largeIcons_ = large; }
    bool IsLargeIcons() const { return largeIcons_; }
    void ShowPrompts(bool show) { promptsShown_ = show; }
    bool IsPromptsShown() const { return promptsShown_; }

private:
    bool tabsShown_ = true;
    bool locked_ = false;
    bool largeIcons_ = false;
    bool promptsShown_ = false;
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

// A pop-up control filled afresh each time it opens: its pop-up bar (made on first use, in the
// command bars of the control's parent) with no items left. Null when the control has no parent
// bar in command bars yet.
CXTPControls* EmptiedPopupItems(CXTPControlPopup& popup);

}  // namespace Korvo::UI
