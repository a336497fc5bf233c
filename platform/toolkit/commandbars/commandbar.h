// The toolkit's command bars: tool bars, the menu bar and popup bars. A bar belongs to one
// CXTPCommandBars, holds its controls (a replaceable collection) and, once its command bars have
// a site, has a child window of the site titled with the bar's title.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit/commandbars/controls.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/commandbars/shortcuts.h"

class CXTPCommandBars;
class CXTPPropExchange;

enum XTPBarType { xtpBarTypeNormal = 0, xtpBarTypeMenuBar = 1, xtpBarTypePopup = 2, xtpBarTypeRibbon = 3 };
enum XTPBarPosition {
    xtpBarTop = 0,
    xtpBarBottom = 1,
    xtpBarLeft = 2,
    xtpBarRight = 3,
    xtpBarFloating = 4,
    xtpBarPopup = 5,
    xtpBarNone = 7,
};

// Docking flags of a bar (where the user may dock it).
inline constexpr DWORD xtpFlagAlignTop = 0x1;
inline constexpr DWORD xtpFlagAlignBottom = 0x2;
inline constexpr DWORD xtpFlagAlignLeft = 0x4;
inline constexpr DWORD xtpFlagAlignRight = 0x8;
inline constexpr DWORD xtpFlagAlignAny = 0xF;
inline constexpr DWORD xtpFlagFloating = 0x10;
inline constexpr DWORD xtpFlagHideWrapBar = 0x20;
inline constexpr DWORD xtpFlagStretched = 0x100000;

class CXTPCommandBar : public CWnd {
    DECLARE_DYNCREATE(CXTPCommandBar)
public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

    CXTPControls* GetControls() const { return controls_; }
    // Replaces the collection by `controls` (a subclass, say), taking over the caller's reference;
    // the old collection's controls are released.
    void SetControls(CXTPControls* controls);

    // Rebuilds the controls from a button list: every control is removed, then each id asks the
    // site for its control (XTPWM_CREATECONTROL); an id the site does not answer gets a plain
    // button. An id of 0 makes the next control begin a group. FALSE without a site.
    BOOL SetButtons(const UINT* ids, int count);
    // Adds the controls of a button list at the end, each with `category`; FALSE without a site.
    BOOL AppendButtons(const UINT* ids, int count, LPCWSTR category);

    // The bar's layout in a saved state: its controls (id, type, caption, category, group start,
    // hidden) in order. Loading replaces the controls; each stored id asks the site for its
    // control as SetButtons does.
    virtual void DoPropExchange(CXTPPropExchange* px);
    // Whether the command bars' exchange saves the bar's controls: the toolkit's choice, once
    // they differ from the bar's original set.
    virtual BOOL ShouldSerializeBar();

    XTPBarType GetType() const { return type_; }
    UINT GetBarID() const { return barId_; }
    void SetBarID(UINT id);
    CString GetTitle() const { return title_; }
    void SetTitle(LPCWSTR title);
    XTPBarPosition GetPosition() const { return position_; }
    void SetPosition(XTPBarPosition position) { position_ = position; }
    DWORD GetFlags() const { return flags_; }
    void EnableDocking(DWORD flags) { flags_ = flags; }
    BOOL IsVisible() const { return visible_; }
    // Shows or hides the bar (and its window).
    void SetVisible(BOOL visible);
    // The expand button at the bar's end (the customise drop-down).
    void ShowExpandButton(BOOL show) { expandButton_ = show; }
    BOOL IsExpandButtonShown() const { return expandButton_; }
    BOOL IsCustomizable() const { return customizable_; }
    void EnableCustomization(BOOL enable) { customizable_ = enable; }
    // Whether the bar appears in the lists of bars the user can show.
    BOOL IsShowInList() const { return showInList_; }
    void SetShowInList(BOOL show) { showInList_ = show; }
    BOOL IsTemporary() const { return temporary_; }
    void SetTemporary(BOOL temporary) { temporary_ = temporary; }

    // The size of the bar's buttons in pixels; the toolkit's default (22 by 22 at 96 dpi,
    // scaled) until one is set.
    SIZE GetButtonSize() const;
    void SetButtonSize(SIZE size) { buttonSize_ = size; }
    static SIZE DefaultButtonSize();
    // The size of the bar's icons in pixels; empty until one is set, and then the command bars'
    // options decide.
    SIZE GetIconSize() const { return iconSize_; }
    void SetIconSize(SIZE size) { iconSize_ = size; }

    // Copies the other bar's state and a clone of each of its controls (not its window, command
    // bars or redraw locks); the controls the bar had are removed first.
    virtual void Copy(CXTPCommandBar* source, BOOL recursive = FALSE);
    // A new bar of the same run-time class with this one's state; the caller holds its reference.
    virtual CXTPCommandBar* Clone(BOOL recursive = FALSE);

    // Keyboard-style navigation of the bar, as the toolkit does it when it points the user at a
    // control: the selected (hot) control, and the control whose pop-up is open (its bar shown
    // without a modal menu loop). Both are cleared when the command bars close their pop-ups.
    // Selecting another control tells the site (WM_USER + 9302 with the control).
    void SetSelected(CXTPControl* control);
    CXTPControl* GetSelected() const { return selected_; }
    BOOL SetPopuped(CXTPControl* control);
    CXTPControl* GetPopuped() const { return popuped_; }
    // Scrolls the bar so that the control shows (a bar that shows all its controls does nothing);
    // FALSE for a control of another bar.
    BOOL EnsureVisible(CXTPControl* control);
    // A control left the bar: it is no longer selected or open.
    void ForgetControl(const CXTPControl* control) {
        if (selected_ == control) selected_ = nullptr;
        if (popuped_ == control) popuped_ = nullptr;
    }

    // Nested redraw locks: while any is held the bar does not repaint.
    void LockRedraw() { ++redrawLocks_; }
    void UnlockRedraw();
    int GetRedrawLockCount() const { return redrawLocks_; }
    // While tracking, the bar keeps the keyboard (its controls are walked with the arrow keys).
    void SetTrackingMode(BOOL tracking) { tracking_ = tracking; }
    BOOL IsTrackingMode() const { return tracking_; }
    // Paints the bar's window; `clip` is the part to paint (client coordinates). The toolkit draws
    // each control the bar shows; a bar class may draw itself (OnPaint calls this unless the
    // bar's redraw is locked).
    virtual void DrawCommandBar(CDC* dc, const RECT& clip);
    // Whether the bar shows its gripper (the handle the user drags it by).
    BOOL IsGripperShown() const { return gripper_; }
    void ShowGripper(BOOL show) { gripper_ = show; }
    // Lays the bar out again: its edit windows follow what it shows.
    virtual void OnRecalcLayout() { SyncEditWindows(); }

    CXTPCommandBars* GetCommandBars() const { return commandBars_; }
    // The window that hears of the bar's requests and commands (the command bars' site).
    CWnd* GetSite() const;

    // The update pass: each visible control without the manual-update flag gets its enabled,
    // checked and text state from the site's command route (no handler disables it while the
    // site frame's auto-enable flag is on).
    virtual void OnIdleUpdateCmdUI();
    // The update of one control through `site`'s route (what the pass does for each control).
    static void UpdateControl(CXTPControl* control, int index, int count, CWnd* site);
    // Whether the bar shows `control` to the user now: a visible bar with a window, and the
    // control visible on it. Edit controls have their edit windows exactly then.
    virtual BOOL IsControlShown(const CXTPControl* control) const;
    // Creates or destroys the edit windows of the bar's edit controls to match what it shows.
    virtual void SyncEditWindows();

    // The layout of a docked bar: its shown controls side by side from the left, a gap before
    // each that begins a group, all in one row of kRowHeight. GetControlRect is in the bar's
    // client coordinates and empty for a control the bar does not show; GetContentSize is the
    // size the row needs.
    static constexpr int kRowHeight = 26;
    static constexpr int kMargin = 2;
    static constexpr int kGroupGap = 6;
    virtual RECT GetControlRect(const CXTPControl* control) const;
    SIZE GetContentSize() const;
    // The frame placed the bar for this content size; the update pass asks for a new layout
    // when the content no longer has that size.
    void SetPlacedContent(SIZE content) { placedContent_ = content; }
    // Makes the bar one of `bars` (popups and bars made outside CXTPCommandBars::Add).
    void AttachToCommandBars(CXTPCommandBars* bars) { commandBars_ = bars; }

protected:
    // The notifications of the bar's edit windows go to the window objects.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Syncs the edit windows of `controls` (a list of this bar's).
    static void SyncEditWindowsOf(CXTPControls* controls);
    // The framework's idle pass reaches the bar's window with the frame's other descendants.
    afx_msg LRESULT OnIdleUpdateMessage(WPARAM, LPARAM) {
        OnIdleUpdateCmdUI();
        return 0;
    }
    // Each control the bar shows draws itself in its rectangle.
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    friend class CXTPCommandBars;
    explicit CXTPCommandBar(XTPBarType type);
    // Creates the bar's window under the site; FALSE when the site has no window.
    virtual BOOL CreateBarWindow(CWnd* site);
    // The window class name of the bar's kind.
    virtual LPCWSTR GetBarClassName() const { return L"XTPToolBar"; }
    void PostNcDestroy() override {}

private:
    XTPBarType type_ = xtpBarTypeNormal;
    BOOL tracking_ = FALSE;
    CXTPControls* controls_ = nullptr;
    CXTPCommandBars* commandBars_ = nullptr;
    UINT barId_ = 0;
    CString title_;
    XTPBarPosition position_ = xtpBarTop;
    BOOL expandButton_ = TRUE;
    DWORD flags_ = xtpFlagAlignAny | xtpFlagFloating;
    BOOL visible_ = TRUE;
    BOOL customizable_ = TRUE;
    BOOL showInList_ = TRUE;
    BOOL temporary_ = FALSE;
    int redrawLocks_ = 0;
    BOOL gripper_ = TRUE;
    SIZE buttonSize_{};
    SIZE iconSize_{};
    SIZE placedContent_{};
    CXTPControl* selected_ = nullptr;  // not owned: a control of this bar
    CXTPControl* popuped_ = nullptr;   // not owned: a control of this bar
};

class CXTPToolBar : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPToolBar)
public:
    CXTPToolBar() : CXTPCommandBar(xtpBarTypeNormal) {}
    // Docks the bar in the row of `left`, right of it (null: its own row again).
    void DockRightOf(CXTPToolBar* left);
    CXTPToolBar* GetDockedRightOf() const { return rightOf_; }

protected:
    explicit CXTPToolBar(XTPBarType type) : CXTPCommandBar(type) {}
    // The toolkit's right-button handling of a bar: its command bars' context menu at the point.
    afx_msg LRESULT OnRButtonUp(WPARAM flags, LPARAM point);
    DECLARE_MESSAGE_MAP()

private:
    CXTPToolBar* rightOf_ = nullptr;
};

// A tool bar whose controls come in categories, one tab item per category: the bar shows the
// controls whose category is the current tab's caption (the others are hidden by xtpHideTab).
// Each tab item keeps a value of its owner's (its item data).
inline constexpr DWORD xtpHideTab = 0x100;

class CXTPTabToolBar : public CXTPToolBar {
    DECLARE_DYNCREATE(CXTPTabToolBar)
public:
    struct TabItem {
        CString caption;
        DWORD_PTR data = 0;
        int iconId = 0;
        bool visible = true;
    };

    CXTPTabToolBar() = default;
    ~CXTPTabToolBar() override;
    // Adds the controls of `ids` (0: the next control begins a group) with the category `name`
    // at the end of the bar, and a tab item captioned `name` at the end of the tabs; the first
    // visible tab becomes the current one. The new item (null without a site to make controls).
    TabItem* InsertCategory(LPCWSTR name, const UINT* ids, int count, BOOL loadIcons = TRUE);
    // A tab item for controls the bar has already (a loaded layout's).
    TabItem* AddTabItem(LPCWSTR caption, int iconId = 0);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    TabItem* GetItem(int index) const;
    int IndexOf(const TabItem* item) const;
    // Deletes the tab item and the controls of its category.
    void DeleteItem(int index);
    // Moves the tab item at `from` to position `to` (the current tab stays the same item); FALSE
    // when either is not a position of an item.
    BOOL MoveItem(int from, int to);
    void RemoveAllTabItems();
    // The current tab (-1: none); choosing one shows its category's controls.
    int GetCurSel() const { return current_; }
    BOOL SetCurSel(int index);
    // Shows or hides a tab item; a hidden current tab gives way to the first visible one. The
    // bar tells its site (XTPWM_TABTOOLBARREFRESH).
    void SetItemVisible(int index, bool visible);
    // Shows the current tab's controls and hides the others (after controls came or went).
    void UpdateTabControls();

    // Appearance of the tab strip (the toolkit's numbers) and option flags.
    void SetTabAppearance(int appearance) { appearance_ = appearance; }
    int GetTabAppearance() const { return appearance_; }
    void SetTabColor(int color) { color_ = color; }
    int GetTabColor() const { return color_; }
    void SetTabOptions(DWORD options) { options_ = options; }
    DWORD GetTabOptions() const { return options_; }

    // The bar's layout with its controls' categories and the current tab. Loading replaces the
    // controls and removes every tab item (their owner adds them again); the stored current tab
    // is chosen once the item at its position is there again.
    void DoPropExchange(CXTPPropExchange* px) override;
    // The toolkit's choice: the bar is saved once its controls or tabs differ from the original
    // set (CreateOriginalControls).
    BOOL ShouldSerializeBar() override;
    void Copy(CXTPCommandBar* source, BOOL recursive = FALSE) override;

private:
    std::vector<std::unique_ptr<TabItem>> items_;
    int current_ = -1;
    int pendingCurrent_ = -1;
    int appearance_ = 0;
    int color_ = 0;
    DWORD options_ = 0;
};

// The classic menu bar, loaded from a menu resource or built control by control.
class CXTPMenuBar : public CXTPToolBar {
    DECLARE_DYNCREATE(CXTPMenuBar)
public:
    CXTPMenuBar() : CXTPToolBar(xtpBarTypeMenuBar) {}
    UINT GetMenuResourceId() const { return menuId_; }

    // A message of the site frame, offered before the frame handles it; TRUE when the bar took
    // it (`result` is the answer). The menu bar's own: a maximised active MDI child's system
    // buttons follow MDI activation and maximising.
    virtual BOOL OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result);
    // Shows the system buttons (icon, minimise, restore, close) of the MDI child `child`.
    void RefreshSysButtons(HWND child);
    HWND GetSysButtonsChild() const { return sysButtonsChild_; }
    int GetSysButtonsRefreshCount() const { return sysButtonsRefreshes_; }

protected:
    friend class CXTPCommandBars;
    LPCWSTR GetBarClassName() const override { return L"XTPMenuBar"; }

private:
    UINT menuId_ = 0;
    HWND sysButtonsChild_ = nullptr;
    int sysButtonsRefreshes_ = 0;
};

// The bar a popup control opens; it has no window until it is shown.
class CXTPPopupBar : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPPopupBar)
public:
    CXTPPopupBar() : CXTPCommandBar(xtpBarTypePopup) {}
    static CXTPPopupBar* CreatePopupBar(CXTPCommandBars* commandBars);
    // The user may tear the popup off into a tool bar with this caption, id and width.
    void SetTearOffPopup(LPCWSTR caption, UINT barId, int width) {
        tearOffCaption_ = caption ? caption : L"";
        tearOffId_ = barId;
        tearOffWidth_ = width;
        tearOff_ = TRUE;
    }
    BOOL IsTearOffPopup() const { return tearOff_; }
    const CString& GetTearOffCaption() const { return tearOffCaption_; }
    UINT GetTearOffId() const { return tearOffId_; }
    int GetTearOffWidth() const { return tearOffWidth_; }
    // The widest the bar may be (a popup tool bar's buttons in one row up to it).
    void SetWidth(int width) { width_ = width; }
    int GetWidth() const { return width_; }
    // The popup control the bar opened from while it is open that way, else null.
    CXTPControlPopup* GetControlPopup() const { return controlPopup_; }
    void SetControlPopup(CXTPControlPopup* control) { controlPopup_ = control; }
    ~CXTPPopupBar() override { SetImageManager(nullptr); }
    // The popup's own icons, looked up before the command bars'; null: none. The popup takes
    // over the caller's reference.
    void SetImageManager(CXTPImageManager* images) {
        if (images_) images_->InternalRelease();
        images_ = images;
    }
    CXTPImageManager* GetImageManager() const { return images_; }
    // Style 3 shows each button's icon and caption.
    void SetDefaultButtonStyle(int style) { buttonStyle_ = style; }
    int GetDefaultButtonStyle() const { return buttonStyle_; }

private:
    CXTPImageManager* images_ = nullptr;
    int buttonStyle_ = 0;
    CXTPControlPopup* controlPopup_ = nullptr;
    BOOL tearOff_ = FALSE;
    CString tearOffCaption_;
    UINT tearOffId_ = 0;
    int tearOffWidth_ = 0;
    int width_ = 0;
};
