// The toolkit's ribbon: tabs of groups of controls, the tab row (a control of the ribbon), the
// system button with its backstage view, the quick-access controls, the selected tab with its
// changing/changed events, the minimised state, and a deterministic layout so that hit tests and
// "too narrow" answers are the same on every run.
#pragma once

#include <vector>

#include "platform/toolkit/commandbars/commandbar.h"

class CXTPRibbonBar;
class CXTPRibbonTab;

enum XTPRibbonTabContextColor {
    xtpRibbonTabContextColorNone = 0,
    xtpRibbonTabContextColorBlue = 1,
    xtpRibbonTabContextColorYellow = 2,
    xtpRibbonTabContextColorGreen = 3,
    xtpRibbonTabContextColorRed = 4,
    xtpRibbonTabContextColorPurple = 5,
    xtpRibbonTabContextColorCyan = 6,
    xtpRibbonTabContextColorOrange = 7,
};

// Where a point of the ribbon lies.
enum XTPRibbonHitCode {
    xtpRibbonHitNone = 0,
    xtpRibbonHitCaption = 2,         // the window caption row (the frame theme draws it)
    xtpRibbonHitCaptionButton = 3,   // a caption button of that row
    xtpRibbonHitTabRow = 10,         // a tab or the free part of the tab row
    xtpRibbonHitGroup = 11,          // a group (maybe a control in it)
    xtpRibbonHitGroupsArea = 12,     // the free part of the group area of the selected tab
    xtpRibbonHitControl = 13,        // a control outside groups (quick access, system button ...)
};

struct XTPRibbonHitTest {
    XTPRibbonHitCode code = xtpRibbonHitNone;
    CXTPRibbonTab* tab = nullptr;
    class CXTPRibbonGroup* group = nullptr;
    CXTPControl* control = nullptr;
};

class CXTPRibbonGroup : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPRibbonGroup)
public:
    CXTPRibbonGroup();
    ~CXTPRibbonGroup() override;

    CString GetCaption() const { return caption_; }
    void SetCaption(LPCWSTR caption) { caption_ = caption ? caption : L""; }
    int GetID() const { return id_; }
    void SetID(int id) { id_ = id; }
    BOOL IsVisible() const { return visible_; }
    void SetVisible(BOOL visible) { visible_ = visible; }
    BOOL IsOptionButtonVisible() const { return optionButton_; }
    void ShowOptionButton(BOOL show) { optionButton_ = show; }
    // The image of the group when it is collapsed (0: none set).
    int GetIconId() const { return iconId_; }
    void SetIconId(int id) { iconId_ = id; }

    // The group's controls; their bar is the ribbon.
    CXTPControls* GetControls() const { return controls_; }
    int GetCount() const { return controls_->GetCount(); }
    CXTPControl* GetAt(int index) const { return controls_->GetAt(index); }
    CXTPControl* Add(XTPControlType type, int id, LPCWSTR parameter = nullptr, int before = -1);
    // Takes over the caller's reference on `control`.
    CXTPControl* Add(CXTPControl* control, int id, LPCWSTR parameter = nullptr, int before = -1);
    CXTPControl* FindControl(int id) const { return controls_->FindControl(id); }
    CXTPControl* FindControl(XTPControlType type, int id, BOOL visible, BOOL recursive) const {
        return controls_->FindControl(type, id, visible, recursive);
    }

    CXTPRibbonTab* GetParentTab() const { return tab_; }
    CXTPRibbonBar* GetRibbonBar() const;
    int GetIndex() const;

private:
    friend class CXTPRibbonTab;
    CString caption_;
    int id_ = 0;
    BOOL visible_ = TRUE;
    BOOL optionButton_ = FALSE;
    int iconId_ = 0;
    CXTPControls* controls_;
    CXTPRibbonTab* tab_ = nullptr;
};

class CXTPRibbonTab : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPRibbonTab)
public:
    CXTPRibbonTab() = default;
    ~CXTPRibbonTab() override;

    CString GetCaption() const { return caption_; }
    void SetCaption(LPCWSTR caption) { caption_ = caption ? caption : L""; }
    int GetID() const { return id_; }
    void SetID(int id) { id_ = id; }
    BOOL IsVisible() const { return visible_; }
    // Hiding the selected tab selects the first visible one after it (or before it).
    void SetVisible(BOOL visible);
    // A contextual tab has a context colour (and usually a context caption).
    XTPRibbonTabContextColor GetContextColor() const { return contextColor_; }
    void SetContextColor(XTPRibbonTabContextColor color) { contextColor_ = color; }
    CString GetContextCaption() const { return contextCaption_; }
    void SetContextCaption(LPCWSTR caption) { contextCaption_ = caption ? caption : L""; }

    // A new group of the ribbon's group class.
    CXTPRibbonGroup* AddGroup(LPCWSTR caption, int id = 0);
    // A new group of `groupClass` before the group at `before` (-1 or past the end: last); null
    // when the class makes no ribbon group.
    CXTPRibbonGroup* InsertGroup(CRuntimeClass* groupClass, int before);
    int GetGroupCount() const { return static_cast<int>(groups_.size()); }
    CXTPRibbonGroup* GetGroup(int index) const;
    void RemoveGroup(int index);

    CXTPRibbonBar* GetRibbonBar() const { return ribbon_; }
    int GetIndex() const;
    BOOL IsSelected() const;

private:
    friend class CXTPRibbonBar;
    CString caption_, contextCaption_;
    int id_ = 0;
    BOOL visible_ = TRUE;
    XTPRibbonTabContextColor contextColor_ = xtpRibbonTabContextColorNone;
    std::vector<CXTPRibbonGroup*> groups_;  // one reference each
    CXTPRibbonBar* ribbon_ = nullptr;
};

// The row of tabs: a control of the ribbon with its own bar of extra controls.
class CXTPRibbonControlTab : public CXTPControl {
    DECLARE_DYNCREATE(CXTPRibbonControlTab)
public:
    CXTPRibbonControlTab();
    // The tooltip of a tab (the toolkit has none of its own).
    virtual CString GetItemTooltip(const CXTPRibbonTab* tab) const;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;
};

// The backstage view the system button opens: tabs that carry a page window and an id. Pages
// that are property pages hear when they become and stop being the shown page.
class CXTPRibbonBackstageView : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPRibbonBackstageView)
public:
    struct Tab {
        int id = 0;
        CString caption;
        CWnd* page = nullptr;  // not owned
        DWORD flags = 0;       // control flags (xtpFlagManualUpdate, ...)
        CString name;          // the layout's name of the tab
        BOOL enabled = TRUE;
        BOOL visible = TRUE;
        BOOL defaultItem = FALSE;
    };
    CXTPRibbonBackstageView();
    // The new tab's index.
    int AddTab(int id, LPCWSTR caption, CWnd* page, DWORD flags = 0, LPCWSTR name = nullptr) {
        tabs_.push_back(Tab{id, caption ? caption : L"", page, flags, name ? name : L""});
        return static_cast<int>(tabs_.size()) - 1;
    }
    const std::vector<Tab>& GetTabs() const { return tabs_; }
    Tab* GetTab(int index) { return index >= 0 && index < static_cast<int>(tabs_.size()) ? &tabs_[index] : nullptr; }
    const Tab* GetTab(int index) const { return const_cast<CXTPRibbonBackstageView*>(this)->GetTab(index); }
    int GetTabCount() const { return static_cast<int>(tabs_.size()); }
    void RemoveAllTabs() {
        tabs_.clear();
        activeIndex_ = -1;
    }
    // The first tab marked as default item (shown when the view opens), or -1.
    int GetDefaultItem() const;
    // Marks the tab at `index` as the only default item.
    void SetDefaultItem(int index);
    // The id of the shown tab while open (of the last chosen one while closed); 0 without one.
    int GetActiveTab() const;
    // The shown tab's index, or -1 while the view is closed.
    int GetActiveIndex() const { return open_ ? activeIndex_ : -1; }
    // FALSE for an id no visible tab has.
    BOOL SetActiveTab(int id);
    BOOL SetActiveIndex(int index);
    BOOL IsOpen() const { return open_; }
    // Opens the view over the frame and closes it again.
    virtual void Popup();
    virtual void Close();
    // Repaints the view and its page.
    void Refresh();
    int GetRefreshCount() const { return refreshes_; }
    void SetTheme(int paintTheme) { theme_ = paintTheme; }
    int GetTheme() const { return theme_; }
    void SetCommandBarsOf(CXTPCommandBars* bars) { bound_ = bars; }
    CXTPCommandBars* GetBoundCommandBars() const { return bound_; }

private:
    // Shows the page of the tab at `index` (the previous one is told it goes first).
    void showPage(int index);
    void hidePage();

    std::vector<Tab> tabs_;
    int activeIndex_ = -1;
    int lastActive_ = -1;
    BOOL open_ = FALSE;
    int refreshes_ = 0;
    int theme_ = 0;
    CXTPCommandBars* bound_ = nullptr;
};

// The toolkit's recent-files page of the backstage: the application's recent list as items.
class CXTPRibbonBackstagePageRecent : public CPropertyPage {
public:
    static constexpr UINT kTemplateId = 9633;
    struct Item {
        CString path;
        BOOL network = FALSE;
    };
    // Made from the toolkit's page template with `parent` as parent; FALSE when it cannot be.
    BOOL CreateFromTemplate(UINT templateId, CWnd* parent);
    // Fills the items from the application's recent-file list.
    BOOL OnSetActive() override;
    std::vector<Item>& GetItems() { return items_; }
    const std::vector<Item>& GetItems() const { return items_; }
    // The page paints with the backstage's theme (the toolkit's paint-theme number).
    void SetTheme(int theme) { theme_ = theme; }
    int GetTheme() const { return theme_; }

private:
    std::vector<Item> items_;
    int theme_ = 0;
};

// A colour of the toolkit's theme ini ("PageBackground" of "CommandBars.Ribbon.Backstage", ...),
// or `fallback` when the theme sets none.
COLORREF XTPIniColor(LPCWSTR section, LPCWSTR key, COLORREF fallback);
void XTPSetIniColor(LPCWSTR section, LPCWSTR key, COLORREF color);

// The ribbon's file button: its bar is the backstage view.
class CXTPRibbonControlSystemButton : public CXTPControlPopup {
    DECLARE_DYNCREATE(CXTPRibbonControlSystemButton)
public:
    CXTPRibbonControlSystemButton() = default;
    void OnExecute() override;
};

// The popup of a tab while the ribbon is minimised.
class CXTPRibbonTabPopupToolBar : public CXTPPopupBar {
    DECLARE_DYNCREATE(CXTPRibbonTabPopupToolBar)
public:
    CXTPRibbonTabPopupToolBar() = default;
    // Fills the popup with copies of the tab's groups: one nested popup per group.
    void FillFromTab(CXTPRibbonTab* tab);
};

class CXTPRibbonBar : public CXTPToolBar {
    DECLARE_DYNCREATE(CXTPRibbonBar)
public:
    // Deterministic layout (pixels at 96 dpi).
    static constexpr int kCaptionHeight = 24;
    static constexpr int kTabRowHeight = 24;
    static constexpr int kGroupHeight = 92;
    static constexpr int kControlWidth = 48;
    static constexpr int kGroupPadding = 8;
    static constexpr int kQuickAccessControlWidth = 22;
    static constexpr int kGroupCaptionHeight = 16;  // the caption under a group's controls

    CXTPRibbonBar();
    ~CXTPRibbonBar() override;

    // The classes new tabs and groups are made of (CXTPRibbonTab / CXTPRibbonGroup or derived).
    void SetTabClass(CRuntimeClass* tabClass) { tabClass_ = tabClass; }
    void SetGroupClass(CRuntimeClass* groupClass) { groupClass_ = groupClass; }
    CRuntimeClass* GetGroupClass() const { return groupClass_; }

    // A new tab of the tab class at the end (or before `before`). The first tab becomes current.
    CXTPRibbonTab* AddTab(LPCWSTR caption, int id = 0, int before = -1);
    void RemoveTab(int index);
    void RemoveAllTabs();
    // Moves the tab so that it stands at `index` (clamped) among the tabs.
    void MoveTab(CXTPRibbonTab* tab, int index);
    int GetTabCount() const { return static_cast<int>(tabs_.size()); }
    CXTPRibbonTab* GetTab(int index) const;
    CXTPRibbonTab* GetCurrentTab() const { return current_; }
    // Selects a visible tab of this ribbon: OnTabChanging may refuse (FALSE), OnTabChanged follows.
    BOOL SetCurrentTab(CXTPRibbonTab* tab);
    CXTPRibbonTab* FindTab(int id) const;

    // The tab row control (a control of the ribbon's list; it may be replaced by a subclass).
    CXTPRibbonControlTab* GetControlTab() const;
    CXTPRibbonControlSystemButton* GetSystemButton() const;
    CXTPControls* GetQuickAccessControls() const { return quickAccess_; }
    BOOL IsQuickAccessVisible() const { return quickAccessVisible_; }
    void ShowQuickAccess(BOOL show) { quickAccessVisible_ = show; }

    BOOL IsRibbonMinimized() const { return minimized_; }
    // Minimises or restores the group area; the site hears XTPWM_RIBBONMINIMIZE.
    void SetRibbonMinimized(BOOL minimized);
    void EnableFrameTheme(BOOL enable) { frameTheme_ = enable; }
    BOOL IsFrameThemeEnabled() const { return frameTheme_; }
    // Turns the customisation switch of the bar on or off (copies keep their customisation).
    void SetCustomizationSwitch(BOOL on) { customizationSwitch_ = on; }
    BOOL GetCustomizationSwitch() const { return customizationSwitch_; }

    // The controls a user can see: the visible groups of the current tab, the quick-access
    // controls and the ribbon's own (system button, tab row).
    BOOL IsControlReachable(const CXTPControl* control) const;
    // The group of `control` (in any tab), or null.
    CXTPRibbonGroup* FindGroupOf(const CXTPControl* control) const;

    // Layout: the ribbon's rectangle in the frame's client area, and where a point falls.
    int GetRibbonWidth() const { return width_; }
    void SetRibbonWidth(int width) { width_ = width; }
    // The client rectangle of a control of the current tab, of the quick-access bar or of the
    // ribbon's own list; empty when it is not shown.
    RECT GetControlRect(const CXTPControl* control) const override;
    // A visible tab's place in the tab row, right of the system button, as wide as its caption;
    // empty for a hidden tab.
    RECT GetTabRect(const CXTPRibbonTab* tab) const;
    // The height the ribbon takes in the frame: caption and tab rows, and the groups unless minimised.
    int GetRibbonHeight() const;
    RECT GetGroupRect(const CXTPRibbonGroup* group) const;
    RECT GetQuickAccessRect() const;
    XTPRibbonHitTest HitTest(POINT client) const;

    // Virtuals of the toolkit's ribbon.
    virtual BOOL OnTabChanging(CXTPRibbonTab* newTab);  // non-zero refuses the change
    virtual void OnTabChanged(CXTPRibbonTab* tab);
    // The context menu for a control (null: none) or the tab row; the caller holds its reference.
    virtual CXTPPopupBar* CreateContextMenu(CXTPControl* control);
    virtual CXTPRibbonTabPopupToolBar* CreateTabPopupToolBar(CXTPRibbonTab* tab);
    virtual void OnControlsChanged() {}
    virtual SIZE GetIconSize() const { return SIZE{16, 16}; }
    virtual SIZE GetLargeIconSize() const { return SIZE{32, 32}; }
    virtual void CalcDockingLayout() {}

    // The update pass over the controls a user can see (those without the manual-update flag).
    void OnIdleUpdateCmdUI() override;
    // The ribbon shows the controls a user can reach (IsControlReachable) while it has a window.
    BOOL IsControlShown(const CXTPControl* control) const override;
    void SyncEditWindows() override;
    // Messages the ribbon hooks: XTP_HOOK_CONTROLEXECUTED (lParam the control) after a control of
    // its command bars ran, and the frame's WM_ACTIVATE.
    virtual void OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        (void)message;
        (void)wParam;
        (void)lParam;
    }

protected:
    LPCWSTR GetBarClassName() const override { return L"XTPRibbon"; }
    // The toolkit's right-button handling: the context menu of the control or tab row under the
    // point; the caption row gets the frame's system menu.
    afx_msg LRESULT OnRButtonUp(WPARAM flags, LPARAM point);
    DECLARE_MESSAGE_MAP()

private:
    friend class CXTPRibbonTab;
    void updateControls(CXTPControls* controls);
    static int groupControlWidth(const CXTPControl& control);

    std::vector<CXTPRibbonTab*> tabs_;  // one reference each
    CXTPRibbonTab* current_ = nullptr;
    CRuntimeClass* tabClass_;
    CRuntimeClass* groupClass_;
    CXTPControls* quickAccess_;
    BOOL quickAccessVisible_ = TRUE;
    BOOL minimized_ = FALSE;
    BOOL frameTheme_ = FALSE;
    BOOL customizationSwitch_ = FALSE;
    int width_ = 1200;
};

// The toolkit's dialog that renames a ribbon item: one edit holding the name, OK and Cancel.
class CXTPRibbonRenameDialog : public CDialog {
public:
    static constexpr int kEditId = 100;
    CXTPRibbonRenameDialog(CWnd* parent, const CString& name);
    // IDOK with the new name in GetName(), or IDCANCEL.
    INT_PTR DoModal() override;
    CString GetName() const { return name_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString name_;
};

// A control of the ribbon's command bars was executed (lParam: the control).
inline constexpr UINT XTP_HOOK_CONTROLEXECUTED = 10338;
// The ribbon was minimised (wParam TRUE) or restored.
inline constexpr UINT XTPWM_RIBBONMINIMIZE = WM_USER + 9325;
// The system menu of the frame at a screen point (lParam), as the caption's right click asks.
inline constexpr UINT WM_POPUPSYSTEMMENU = 0x0313;

// Plays one of the toolkit's system sounds (recorded: the stand-in has no speaker).
void XTPPlaySystemSound(int sound);
