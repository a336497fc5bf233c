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

// The classic tool bar whose controls come in tabs that the user picks (the main bar's modes);
// each tab keeps its original buttons for a reset and may have a keyboard accelerator. What a tab
// is beyond its caption (its identifier, whether the user sees it in the customisation lists,
// whether the user made it, its accelerator) is the derived bar's record of the tab's position;
// the queries and setters here read and write that record.
class TabbableToolBar : public CXTPTabToolBar {
    DECLARE_DYNCREATE(TabbableToolBar)
public:
    TabbableToolBar() = default;
    // Adds a tab with its original buttons (`count` ids, 0 for a separator) and its record
    // (identifier `guid`, shown or not, not the user's); the tab's index, -1 when it could not
    // be made.
    int AddOriginalTab(LPCWSTR name, const UINT* ids, int count, int iconId, bool visible, const GUID& guid);
    // The tab whose record has the identifier; -1 when none has.
    int FindTab(const GUID& guid) const;
    // Gives the tab with `guid` the accelerator; false when no tab has that GUID.
    bool SetTabAccelerator(const GUID& guid, const ACCEL& accelerator);
    // The commands that select the tabs: tab N is command kFirstTabCommand + N.
    static constexpr UINT kFirstTabCommand = 7000;
    static constexpr UINT kLastTabCommand = 7199;
    // The tabs' accelerators become shortcuts of the bar's command bars (each selecting its tab),
    // replacing the ones an earlier update made.
    void UpdateAccelerators();
    // One item per tab into `items` (emptied first), `firstCommand` + the tab's index, at most
    // `count`: the tab's title and its shortcut's text.
    void BuildPopupMenu(CXTPControls& items, UINT firstCommand, UINT count, const CXTPShortcutManager* shortcuts) const;
    // The tab as a menu item shows it: its caption, then a TAB and its accelerator's text (as the
    // bar's shortcut manager writes keys) when it has one. Empty for no such tab.
    CString GetMenuStringW(int tab) const;

    // The record of tab `tab` (an index of the tab items): null identifier, visible, not the
    // user's and no accelerator when the bar keeps no record for it.
    virtual GUID GetTabIdentifier(int tab) const;
    virtual bool IsCustomizeVisible(int tab) const;
    virtual void SetCustomizeVisible(int tab, bool visible);
    virtual bool IsUserItem(int tab) const;
    virtual void SetAccel(int tab, int modifiers, int key);
    virtual int GetAccelModifiers(int tab) const;
    virtual int GetAccelKey(int tab) const;

    // What the user set for the bar: its tab strip shown, the bar locked in place, large icons,
    // command prompts under the buttons and the standard font.
    void ShowTabs(bool show) { tabsShown_ = show; }
    bool IsTabsShown() const { return tabsShown_; }
    void SetLocked(bool locked) { locked_ = locked; }
    bool IsLocked() const { return locked_; }
    void SetLargeIcons(bool large) { largeIcons_ = large; }
    bool IsLargeIcons() const { return largeIcons_; }
    void ShowPrompts(bool show) { promptsShown_ = show; }
    bool IsPromptsShown() const { return promptsShown_; }
    void SetStandardFont(bool standard) { standardFont_ = standard; }
    // The user's switch of the font: the flag, and the bar laid out again in it.
    void UseStandardFont(bool standard) {
        standardFont_ = standard;
        OnRecalcLayout();
    }
    bool IsStandardFont() const { return standardFont_; }

protected:
    // A new tab item needs its record: the derived bar keeps one and stores its position in the
    // item. The base keeps none.
    virtual void AttachRecord(TabItem* item, const GUID& id, bool visible, bool user) {
        (void)item, (void)id, (void)visible, (void)user;
    }

private:
    bool tabsShown_ = true;
    bool locked_ = false;
    bool largeIcons_ = false;
    bool promptsShown_ = false;
    bool standardFont_ = false;
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
