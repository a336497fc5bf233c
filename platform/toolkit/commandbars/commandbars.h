// The command bars of one frame: the bars (added by run-time class), their options, the image
// manager, the shortcut manager, the tooltip context and the commands hidden from short menus.
// Bars send their requests to the site (the frame).
#pragma once

#include <memory>
#include <set>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit/propexchange.h"
#include "platform/toolkit/commandbars/commandbar.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/commandbars/shortcuts.h"
#include "platform/toolkit/commandbars/tooltips.h"

enum XTPKeyboardCuesShow { xtpKeyboardCuesShowAlways = 0, xtpKeyboardCuesShowNever = 1, xtpKeyboardCuesShowWindowsDefault = 2 };
enum XTPAnimationType { xtpAnimateWindowsDefault = 0, xtpAnimateRandom = 1, xtpAnimateUnfold = 2, xtpAnimateSlide = 3, xtpAnimateFade = 4, xtpAnimateNone = 5 };

// What every bar of one command bars shares.
class CXTPPropExchange;

// The text of one of the toolkit's own message resources (XTP_IDS_...); empty for another id.
CString XTPResourceString(UINT id);

class CXTPCommandBarsOptions : public CCmdTarget {
public:
    XTPKeyboardCuesShow keyboardCuesShow = xtpKeyboardCuesShowAlways;
    BOOL bAlwaysShowFullMenus = TRUE;
    BOOL bShowFullAfterDelay = TRUE;
    BOOL bToolBarScreenTips = TRUE;
    BOOL bToolBarAccelTips = FALSE;   // shortcuts in the tips
    BOOL bShowExpandButtonAlways = TRUE;
    BOOL bLargeIcons = FALSE;
    SIZE szIcons{16, 16};             // tool-bar icons
    SIZE szLargeIcons{32, 32};        // tool-bar icons when bLargeIcons
    SIZE szPopupIcons{16, 16};        // popup-bar icons
    BOOL bDpiScaling = TRUE;          // sizes designed for 96 dpi are scaled to the screen's
    XTPAnimationType animationType = xtpAnimateWindowsDefault;
    BOOL bShowPopupBarToolTips = FALSE;
    BOOL bShowContextMenuAccelerators = TRUE;
    BOOL bAutoUpdateShortcuts = TRUE;
    BOOL bUseAltNumPadKeys = FALSE;
    BOOL bShowKeyboardTips = FALSE;
    BOOL bSyncFloatingBars = TRUE;
    BOOL bDirtyState = FALSE;
    BOOL bRibbonMode = FALSE;         // the bars show a ribbon instead of the classic menu bar

    // Copies every option of another command bars.
    void CopyFrom(const CXTPCommandBarsOptions& other);
    // Loads or stores the options as values of the section; a value the section lacks (or
    // that does not parse) keeps the option's current value.
    void DoPropExchange(CXTPPropExchange* px);
    void ShowKeyboardCues(XTPKeyboardCuesShow show) { keyboardCuesShow = show; }
};

class CXTPCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPCommandBars)
public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;

    // A new command bars of `runtimeClass` (CXTPCommandBars or derived) for `site`; null when the
    // class is not a creatable command bars. The caller owns it.
    static CXTPCommandBars* CreateCommandBars(CRuntimeClass* runtimeClass, CWnd* site);

    CWnd* GetSite() const { return site_; }
    void SetSite(CWnd* site) { site_ = site; }

    // Adds a tool bar of `barClass` (CXTPToolBar or derived) with its window under the site.
    // Null, with a strict failure naming the call, when the class is not a tool bar or there is
    // no site window.
    CXTPToolBar* Add(LPCWSTR title, XTPBarPosition position, CRuntimeClass* barClass = nullptr);
    // The classic menu bar (one per command bars), built from menu resource `menuId` when it is
    // not 0. Replaces an earlier menu bar.
    CXTPMenuBar* SetMenu(LPCWSTR title, UINT menuId);
    CXTPMenuBar* GetMenuBar() const { return menuBar_; }
    // Removes and destroys a bar (OnToolBarRemoved first); the menu bar too.
    void Remove(CXTPToolBar* bar);
    void RemoveAll();
    // Every bar, the menu bar first.
    int GetCount() const { return static_cast<int>(bars_.size()); }
    CXTPToolBar* GetAt(int index) const;
    CXTPToolBar* GetToolBar(UINT barId) const;
    CXTPToolBar* FindToolBar(LPCWSTR title) const;
    // The first control with the id on any bar (popups included when `recursive`).
    CXTPControl* FindControl(XTPControlType type, int id, BOOL visible, BOOL recursive) const;

    CXTPCommandBarsOptions* GetCommandBarsOptions() { return &options_; }
    CXTPImageManager* GetImageManager() const { return imageManager_; }
    // The toolkit theme number the bars are drawn with (0: the default theme).
    int GetTheme() const { return theme_; }
    void SetTheme(int theme) { theme_ = theme; }
    // Shares another image manager (the caller's reference is taken over).
    void SetImageManager(CXTPImageManager* manager);
    CXTPShortcutManager* GetShortcutManager() { return &shortcuts_; }
    CXTPToolTipContext* GetToolTipContext() { return tooltips_.get(); }
    // Replaces the tooltip context (the program's own class, say).
    void SetToolTipContext(std::unique_ptr<CXTPToolTipContext> context) {
        if (context) tooltips_ = std::move(context);
    }

    // Commands shown only in full menus. Repeated ids count once.
    void HideCommands(const UINT* ids, int count);
    void HideCommand(UINT id) { hiddenCommands_.insert(id); }
    BOOL IsControlHidden(UINT id) const { return hiddenCommands_.count(id) != 0; }
    const std::set<UINT>& GetHiddenCommands() const { return hiddenCommands_; }

    // Commands the user ran from menus, which personalised menus show even when short.
    void SetCommandUsed(UINT id) { usedCommands_.insert(id); }
    BOOL IsCommandUsed(UINT id) const { return usedCommands_.count(id) != 0; }
    // Forgets every command the user ran: short menus show their first commands again.
    void ResetUsageData() { usedCommands_.clear(); }
    std::size_t GetUsedCommandCount() const { return usedCommands_.size(); }

    BOOL IsCustomizeMode() const { return customizeMode_; }
    void SetCustomizeMode(BOOL customize) { customizeMode_ = customize; }

    // The update pass over every visible bar (see CXTPCommandBar::OnIdleUpdateCmdUI).
    void UpdateCommandBars();
    // Every bar with a window draws itself again.
    void RedrawCommandBars();
    // Recalculates the site's layout after the bars changed.
    void RecalcFrameLayout();
    // Whether the site's layout places these bars: a toolkit frame's own command bars. Bars of
    // another site (a pane, a dialog, a frame's second set) are placed by their owner.
    bool IsPlacedBySite() const;

    // The ribbon flag of command bars that hold a ribbon (never for the base).
    virtual BOOL IsRibbonMode() const { return FALSE; }

    // Popup menus and context menus. Tracking is modal: the popup is brought up to date (the
    // site hears XTPWM_INITCOMMANDSPOPUP, then the update pass runs over it and its sub-menus as
    // they would open), the simulated user answers, the site hears XTPWM_UNINITCOMMANDSPOPUP.
    // With TPM_RETURNCMD the chosen id is returned and nothing runs; otherwise the chosen control
    // executes and TRUE is returned. 0 when the menu was dismissed. The caller's reference on
    // `popup` stays the caller's. With an `owner` window the update pass asks the owner's route
    // instead of the site's (a window's own context menu).
    int TrackPopupMenu(CXTPPopupBar* popup, UINT flags, int x, int y, CWnd* owner = nullptr);
    // The popup the user is in (null when none) and the popups closed by ClosePopups.
    CXTPPopupBar* GetTrackingPopup() const { return tracking_; }
    // Closes every open pop-up: menus a bar opened (SetPopuped) close and no control stays
    // selected on them.
    void ClosePopups();
    int GetClosePopupsCount() const { return closedPopups_; }
    // The context menu of a bar at a screen point: the tool-bars popup.
    virtual void ContextMenu(CXTPToolBar* bar, POINT point);
    // The popup that lists the bars the user can show or hide (one checked item per listed bar).
    virtual CXTPPopupBar* GetToolbarsPopup();
    // Tracking of `popup` began (TRUE) or ended.
    virtual void OnTrackingModeChanged(CXTPPopupBar* popup, BOOL tracking);
    // A bar is about to go (Remove); it is still in the list.
    virtual void OnToolBarRemoved(CXTPToolBar* bar);
    // Creates a bar of a custom class added by the user (the toolkit's behaviour: a tool bar).
    virtual CXTPToolBar* AddCustomBar(LPCWSTR title, UINT barId);
    // A bar the user made from a list of buttons (0: the next begins a group): docking allowed
    // as `docking` says, shown or hidden. Null when the id is taken or the bar cannot be made.
    CXTPToolBar* AddCustomBar(LPCWSTR title, UINT barId, DWORD docking, const UINT* ids, int count, BOOL visible);
    // The bars the user made (AddCustomBar) are saved and made again by the layout exchange.
    bool IsCustomBar(const CXTPToolBar* bar) const;
    // The layout of the bars in a saved state: one "Bar" section per bar with its id, title,
    // visibility and position, and its controls (CXTPCommandBar::DoPropExchange) when the bar
    // says it should be saved or is the user's. Loading applies what it finds to the bars of
    // the same id and makes the user's bars again; bars it does not name stay as they are. Bars
    // may share an id (the menu bar and the ribbon): each entry goes to the first bar of its id
    // no earlier entry took.
    void DoPropExchange(CXTPPropExchange* px);
    // A key message on its way to the site or one of its windows: a key-down whose key and
    // modifiers (Ctrl, Shift, Alt as they are held) match an entry of the shortcut manager sends
    // the entry's command to the site as an accelerator does (WM_COMMAND, code 1) and is taken.
    // Nothing is taken while shortcuts are disabled, while the site is disabled, or for a window
    // outside the site.
    virtual BOOL PreTranslateFrameMessage(MSG* msg);
    // A window message of the site offered to the bars before the site handles it; TRUE when
    // the bars took it (`result` is the answer). The base bars take none.
    virtual BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A control of these bars was executed: every ribbon among them hears of it.
    void NotifyControlExecuted(CXTPControl* control);
    // Keyboard mode: Alt pressed and released alone in the site puts the keyboard in the ribbon
    // (in ribbon mode) or else the menu bar, with its first control selected; Left and Up select
    // the control before, Right and Down the one after (wrapping), Home and End the first and
    // last, Enter runs the selected control and Esc (or Alt again) leaves; any other key leaves
    // the mode and goes on. Each control selected tells the site (CXTPCommandBar::SetSelected).
    // Only the controls the bar shows are walked: a ribbon's are those of its current tab.
    BOOL EnterKeyboardMode(CXTPCommandBar* bar);
    void LeaveKeyboardMode();
    CXTPCommandBar* GetKeyboardBar() const { return keyboardBar_; }
    // Print preview of the site: entering hides every visible bar, leaving shows again those it
    // hid that are still there. Nothing changes when the bars already are in that mode.
    virtual void OnSetPreviewMode(BOOL preview);
    BOOL IsInPreviewMode() const { return previewMode_; }
    // Whether bars lay out right to left.
    BOOL IsLayoutRTL() const { return rtl_; }
    void SetLayoutRTL(BOOL rtl) { rtl_ = rtl; }

protected:
    // The object SetMenu makes (a menu bar of the program's class, say), and the moment after it
    // became the menu bar.
    virtual CXTPMenuBar* CreateMenuBarObject();
    virtual void OnMenuBarSet(CXTPMenuBar* bar) { (void)bar; }

private:
    CXTPToolBar* adopt(CXTPToolBar* bar, LPCWSTR title, XTPBarPosition position);

    CWnd* site_ = nullptr;
    std::vector<CXTPToolBar*> bars_;  // one reference each
    CXTPMenuBar* menuBar_ = nullptr;
    CXTPCommandBarsOptions options_;
    CXTPImageManager* imageManager_ = nullptr;
    int theme_ = 0;
    CXTPShortcutManager shortcuts_;
    std::unique_ptr<CXTPToolTipContext> tooltips_ = std::make_unique<CXTPToolTipContext>();
    std::set<UINT> hiddenCommands_;
    std::set<UINT> usedCommands_;
    BOOL customizeMode_ = FALSE;
    BOOL rtl_ = FALSE;
    CXTPPopupBar* tracking_ = nullptr;
    int closedPopups_ = 0;
    std::set<UINT> customBarIds_;
    BOOL previewMode_ = FALSE;
    // Keyboard mode (platform/toolkit/commandbars/keyboard_mode.cpp).
    BOOL TranslateKeyboardMode(const MSG& msg);
    BOOL MoveInKeyboardBar(UINT key);
    CXTPCommandBar* keyboardBar_ = nullptr;
    bool altAlone_ = false;  // Alt is down and no other key came since
    std::vector<CXTPToolBar*> hiddenForPreview_;  // compared with the bars, never dereferenced alone
};
