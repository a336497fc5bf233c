// The frame's tabbed tool bar (bar 1000) of classic mode: each tab is a command set, a category
// of controls shown together with its own identifier, visibility, user flag and accelerator.
// The sets live as records; each tab item keeps the 1-based position of its record. The bar keeps
// its settings and sets in the main window's saved layout.
#pragma once

#include <vector>

#include "platform/korvoui.h"
#include "platform/textcore.h"

class CKVTabToolBar : public Korvo::UI::TabbableToolBar {
    DECLARE_DYNCREATE(CKVTabToolBar)
public:
    struct CommandSet {
        Korvo::UniqueIdentifier id;
        CString name;  // stored name; the tab's caption is what shows and is saved
        int accelModifiers = 0;
        int accelKey = 0;
        bool visible = true;
        bool user = false;
    };

    // The tool bars the user makes from tabs take ids from this range.
    static constexpr UINT kFirstTabBarId = 59392;
    static constexpr UINT kLastTabBarId = 59646;

    CKVTabToolBar();

    // A user's tab: a fresh identifier, no stored name or accelerator, visible, the user's; its
    // controls come from `ids` (0: the next begins a group) under the category `name`.
    TabItem* AddTab(LPCWSTR name, const UINT* ids, int count, BOOL loadIcons);
    // Every control of category `oldName` (exact case) takes `newName`.
    void RenameCategory(const CString& oldName, const CString& newName);
    // Makes a tool bar of the active main frame from the tab's controls (the user is asked
    // whether the starting commands go with them). False when nothing was made.
    bool CreateToolBarFromTab(const TabItem* tab);

    const std::vector<CommandSet>& GetCommandSets() const { return records_; }
    // The record a tab's item names; null when its position names none.
    const CommandSet* GetCommandSet(int tab) const;
    const Korvo::UniqueIdentifier& GetDefaultState() const { return defaultState_; }

    GUID GetTabIdentifier(int tab) const override;
    bool IsCustomizeVisible(int tab) const override;
    void SetCustomizeVisible(int tab, bool visible) override;
    bool IsUserItem(int tab) const override;
    void SetAccel(int tab, int modifiers, int key) override;
    int GetAccelModifiers(int tab) const override;
    int GetAccelKey(int tab) const override;

    void DoPropExchange(CXTPPropExchange* px) override;
    BOOL ShouldSerializeBar() override;
    void Copy(CXTPCommandBar* source, BOOL recursive = FALSE) override;

protected:
    void AttachRecord(TabItem* item, const GUID& id, bool visible, bool user) override;

private:
    CommandSet* recordOf(int tab);
    void appendRecord(TabItem* item, CommandSet record);

    std::vector<CommandSet> records_;
    Korvo::UniqueIdentifier defaultState_;
};

// The main-bar modes page's "make a tool bar" for the tab captioned `caption` of main frame
// `frame`'s tabbed bar, as the console asks for it: what a user could not do, or empty.
std::wstring MakeToolBarFromTab(HWND frame, const std::wstring& caption);
