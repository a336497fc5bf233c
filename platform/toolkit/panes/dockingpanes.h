// The toolkit's docking panes: a manager per frame holds panes (id, title, tab caption, icon id,
// child window, state). A shown pane has a container window under the site holding its child
// window; a closed or hidden pane's child waits under the manager's own hidden window. Every
// state change is announced to the site with XTPWM_DOCKINGPANE_NOTIFY. Panes are made through the
// manager's OnCreatePane, so programs can use their own pane class; a layout (CXTPDockingPaneLayout)
// keeps every pane's place and state and each pane's own values through property exchange.
#pragma once

#include <vector>

#include <memory>

#include "platform/mfc.h"
#include "platform/toolkit/panes/tabpaintmanager.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/propexchange.h"

class CXTPDockingPaneManager;
class CXTPDockingPaneLayout;

enum XTPDockingPaneDirection { xtpPaneDockLeft = 0, xtpPaneDockRight = 1, xtpPaneDockTop = 2, xtpPaneDockBottom = 3 };
enum XTPDockingPaneState { xtpPaneDocked = 0, xtpPaneHidden = 1, xtpPaneClosed = 2, xtpPaneFloating = 3 };

// Notification codes (wParam of XTPWM_DOCKINGPANE_NOTIFY).
inline constexpr WPARAM XTP_DPN_SHOWWINDOW = 1;  // lParam: the pane, shown
inline constexpr WPARAM XTP_DPN_ACTION = 4;      // lParam: XTP_DOCKINGPANE_ACTION*
inline constexpr WPARAM XTP_DPN_CONTEXTMENU = 10;  // lParam: XTP_DOCKINGPANE_CLICK*
// Actions of XTP_DPN_ACTION.
enum XTPDockingPaneAction { xtpPaneActionFloating = 0, xtpPaneActionDocked = 1, xtpPaneActionAttached = 2, xtpPaneActionClosed = 3, xtpPaneActionHidden = 4 };

class CXTPDockingPane;

struct XTP_DOCKINGPANE_ACTION {
    XTPDockingPaneAction action;
    CXTPDockingPane* pPane = nullptr;
    BOOL bCancel = FALSE;  // the site may refuse the action
};

// A right click on a pane's caption or tab, at a screen point.
struct XTP_DOCKINGPANE_CLICK {
    CXTPDockingPane* pPane = nullptr;
    POINT pt{};
};

class CXTPDockingPane : public CCmdTarget {
public:
    UINT GetID() const { return id_; }
    CString GetTitle() const { return title_; }
    void SetTitle(LPCWSTR title);
    CString GetTabCaption() const { return tabCaption_.IsEmpty() ? title_ : tabCaption_; }
    void SetTabCaption(LPCWSTR caption) { tabCaption_ = caption ? caption : L""; }
    int GetIconID() const { return iconId_ ? iconId_ : static_cast<int>(id_); }
    void SetIconID(int id) { iconId_ = id; }
    SIZE GetMinTrackSize() const { return minTrack_; }
    void SetMinTrackSize(SIZE size) { minTrack_ = size; }

    // The pane's child window; it is re-parented into the pane's container while shown.
    virtual void Attach(CWnd* child);
    HWND Detach();
    HWND GetChild() const { return child_; }

    XTPDockingPaneState GetState() const { return state_; }
    BOOL IsClosed() const { return state_ == xtpPaneClosed; }
    BOOL IsHidden() const { return state_ == xtpPaneHidden; }
    BOOL IsFloating() const { return state_ == xtpPaneFloating; }
    BOOL IsValid() const { return child_ != nullptr && ::IsWindow(child_); }
    // Whether the child window really sits in this pane's container: a window shared by the
    // panes of several managers is inside one of them at a time.
    BOOL HoldsChild() const { return IsValid() && container_ && ::GetParent(child_) == container_; }
    BOOL IsSelected() const { return selected_ && state_ != xtpPaneClosed; }
    BOOL IsFocus() const;
    // The container window while shown, else null.
    HWND GetContainer() const { return container_; }
    // The pane whose tab group this pane shares (null: a group of its own).
    CXTPDockingPane* GetNeighbour() const { return neighbour_; }
    XTPDockingPaneDirection GetDirection() const { return direction_; }
    CXTPDockingPaneManager* GetDockingPaneManager() const { return manager_; }
    // The floating frame's rectangle while floating.
    RECT GetFloatingRect() const { return floatRect_; }

    // The pane's own values in a saved layout (the section is the pane's entry of the layout):
    // title, tab caption and icon. FALSE makes the layout skip what the pane wrote.
    virtual BOOL DoPropExchange(CXTPPropExchange* px);

protected:
    explicit CXTPDockingPane(CXTPDockingPaneManager* manager) : manager_(manager) {}

private:
    friend class CXTPDockingPaneManager;
    friend class CXTPDockingPaneLayout;
    CXTPDockingPaneManager* manager_;
    UINT id_ = 0;
    CString title_, tabCaption_;
    int iconId_ = 0;
    SIZE minTrack_{0, 0};
    HWND child_ = nullptr;
    HWND container_ = nullptr;
    XTPDockingPaneState state_ = xtpPaneClosed;
    XTPDockingPaneDirection direction_ = xtpPaneDockLeft;
    CXTPDockingPane* neighbour_ = nullptr;
    RECT rect_{};
    RECT floatRect_{};
    bool selected_ = false;
    // Whether the pane floated when it was last closed or hidden: shown again, it floats again.
    bool floatedLast_ = false;
};

// A saved arrangement of a manager's panes: order, ids, states, tab groups, rectangles and
// selection, with each pane's own values. Made by the manager (CreateLayout), filled from the
// live panes (GetLayout) or from a property exchange, and applied with SetLayout.
class CXTPDockingPaneLayout {
public:
    struct PaneEntry {
        UINT id = 0;
        int type = 0;  // the pane type OnCreatePane is asked for
        XTPDockingPaneState state = xtpPaneClosed;
        XTPDockingPaneDirection direction = xtpPaneDockLeft;
        UINT group = 0;  // the id of the pane heading its tab group, 0 for a group of its own
        bool selected = false;
        // A closed or hidden pane that floated before floats again when it is shown.
        bool floatedLast = false;
        RECT rect{};
        RECT floatRect{};
        // The pane's own values: stored from the live pane, or the section read from a file.
        CXTPDockingPane* source = nullptr;
        std::shared_ptr<CXTPPropExchange> saved;
    };

    explicit CXTPDockingPaneLayout(CXTPDockingPaneManager* manager) : manager_(manager) {}
    ~CXTPDockingPaneLayout();
    CXTPDockingPaneLayout(const CXTPDockingPaneLayout&) = delete;
    CXTPDockingPaneLayout& operator=(const CXTPDockingPaneLayout&) = delete;

    // Stores the layout into, or loads it from, the exchange's "Panes" entries. Storing a pane
    // whose own exchange fails keeps its place and drops only its own values. Loading fails only
    // for a malformed entry list; entries without an id are skipped.
    BOOL DoPropExchange(CXTPPropExchange* px);
    const std::vector<PaneEntry>& GetEntries() const { return entries_; }
    BOOL IsValid() const { return !entries_.empty(); }

private:
    friend class CXTPDockingPaneManager;
    void releaseSources();
    CXTPDockingPaneManager* manager_;
    std::vector<PaneEntry> entries_;
};

class CXTPDockingPaneManager : public CWnd {
    DECLARE_DYNCREATE(CXTPDockingPaneManager)
public:
    CXTPDockingPaneManager();
    ~CXTPDockingPaneManager() override;

    // Installs the manager into `site`: a hidden child window of the site keeps the children of
    // panes not shown. FALSE when the site has no window.
    BOOL InstallDockingPanes(CWnd* site, BOOL clipChildren = TRUE);
    CWnd* GetSite() const { return site_; }

    // A new pane, docked and shown at `direction` (or in `neighbour`'s tab group). Null when the
    // id is taken or the manager is not installed.
    CXTPDockingPane* CreatePane(UINT id, RECT rect, XTPDockingPaneDirection direction,
                                CXTPDockingPane* neighbour = nullptr);
    // Puts `pane` into `neighbour`'s tab group.
    void AttachPane(CXTPDockingPane* pane, CXTPDockingPane* neighbour);
    CXTPDockingPane* FindPane(UINT id) const;
    const std::vector<CXTPDockingPane*>& GetPaneList() const { return panes_; }
    // Shows a closed or hidden pane in its last place and selects it (focus on its child with
    // `setFocus`). Announced with XTP_DPN_SHOWWINDOW.
    void ShowPane(UINT id, BOOL setFocus = TRUE);
    void ShowPane(CXTPDockingPane* pane, BOOL setFocus = TRUE);
    // Closes the pane (after the site did not refuse xtpPaneActionClosed); when it was its tab
    // group's selected pane, the next shown pane of the group (else the one before) is selected.
    void ClosePane(UINT id);
    void ClosePane(CXTPDockingPane* pane);
    void HidePane(CXTPDockingPane* pane);
    // The user right-clicked a shown pane's caption or tab at screen point `point`: the site
    // hears it with XTP_DPN_CONTEXTMENU and may show a menu for the pane.
    void ContextMenu(CXTPDockingPane* pane, POINT point);
    // Floats the pane in its own frame, out of its tab group, at `rect` (after the site did not refuse
    // xtpPaneActionFloating).
    void FloatPane(CXTPDockingPane* pane, RECT rect);
    // A floating pane docks again in its last docked place; a docked one floats at its last
    // floating rectangle. Closed and hidden panes stay as they are.
    void ToggleDocking(CXTPDockingPane* pane);
    // Gets a shown pane out of the way of the screen rectangle `rect`: a floating pane whose
    // frame covers it collapses to its caption (it expands again when shown); a docked or hidden
    // pane covers nothing in this layout. TRUE when the pane moved aside.
    BOOL PushAside(CXTPDockingPane* pane, RECT rect);
    // Removes and forgets the pane; its child window survives (under the manager's hidden window
    // when the pane held it).
    void DestroyPane(CXTPDockingPane* pane);

    // Layouts. CreateLayout makes an empty one; GetLayout fills it from the live panes; SetLayout
    // makes the panes what the layout says: panes it names are made through OnCreatePane when
    // missing and take their state, group and rectangles; panes it does not name are destroyed.
    // A pane whose own values cannot be loaded is left out. Shown panes announce themselves.
    std::unique_ptr<CXTPDockingPaneLayout> CreateLayout() { return std::make_unique<CXTPDockingPaneLayout>(this); }
    void GetLayout(CXTPDockingPaneLayout* layout) const;
    void SetLayout(const CXTPDockingPaneLayout* layout);
    // The panes' layout in a saved section: storing writes the live layout; loading applies the
    // section's layout when it names panes and leaves the panes as they are when it names none.
    // FALSE for a section that cannot be read or written.
    BOOL DoPropExchange(CXTPPropExchange* px);

    // Makes the object of a new pane; type 0 is the ordinary pane. Programs override it to use
    // their own class. `layout` is the layout being applied, or null.
    virtual CXTPDockingPane* OnCreatePane(int type, CXTPDockingPaneLayout* layout);
    // Whether a layout being loaded keeps its entry for pane `id`: an entry refused here is dropped
    // as it is read, so a file naming panes the program never makes costs nothing. Every id by
    // default.
    virtual bool IsLayoutPaneKnown(UINT id) const;
    BOOL IsPaneClosed(UINT id) const;
    BOOL IsPaneHidden(UINT id) const;
    // Detaches every pane's child window (the children stay where they are).
    void DetachChildren();

    // Display options.
    void SetThemedFloatingFrames(BOOL themed) { themedFloatingFrames_ = themed; }
    BOOL IsThemedFloatingFrames() const { return themedFloatingFrames_; }
    void SetShowContentsWhileDragging(BOOL show) { showContentsWhileDragging_ = show; }
    BOOL GetShowContentsWhileDragging() const { return showContentsWhileDragging_; }
    void SetAlphaDockingContext(BOOL alpha) { alphaContext_ = alpha; }
    BOOL IsAlphaDockingContext() const { return alphaContext_; }
    void SetShowDockingContextStickers(BOOL show) { stickers_ = show; }
    BOOL IsShowDockingContextStickers() const { return stickers_; }
    void SetCloseGroupOnButtonClick(BOOL close) { closeGroup_ = close; }
    BOOL IsCloseGroupOnButtonClick() const { return closeGroup_; }
    void ShowTabCaptions(BOOL show) { tabCaptions_ = show; }
    BOOL IsTabCaptionsShown() const { return tabCaptions_; }
    // While locked the user cannot move or resize panes.
    void LockSplitters(BOOL lock) { locked_ = lock; }
    BOOL IsSplittersLocked() const { return locked_; }

    CXTPImageManager* GetImageManager() const { return imageManager_; }
    // Shares another owner's image manager (the caller's reference is taken over).
    void SetImageManager(CXTPImageManager* manager);
    CXTPTabPaintManager* GetTabPaintManager() const { return tabPaintManager_; }
    CXTPTabPaintManager* GetPanelPaintManager() const { return panelPaintManager_; }
    // Redraws every shown pane.
    void RedrawPanes();

    // The site's layout gives the docked panes their room: each tab group at its side of
    // `client` (taken from it), as thick as its selected pane's docked rectangle asks, the groups
    // of one side sharing its length. Only a group's selected pane shows its container; inside
    // a container the caption comes first, the group's tabs last, the pane's window between.
    static constexpr int kCaptionHeight = 22;
    static constexpr int kTabHeight = 24;
    static constexpr int kMinimumThickness = 40;
    void LayoutDockedPanes(RECT& client);
    // The docked panes of `pane`'s tab group in the manager's order (empty unless it is docked).
    std::vector<CXTPDockingPane*> GetDockedGroup(const CXTPDockingPane* pane) const;
    // A docked pane's tab in a group of several, in its container's client coordinates; empty
    // otherwise.
    RECT GetTabRect(const CXTPDockingPane* pane) const;

protected:
    void PostNcDestroy() override {}

private:
    void showContainer(CXTPDockingPane* pane);
    void hideContainer(CXTPDockingPane* pane);
    // Takes the pane out of its tab group; the group's other panes stay one group.
    void leaveGroup(CXTPDockingPane* pane);
    // Selects another shown pane of the pane's tab group in place of the pane.
    void selectAnother(CXTPDockingPane* pane);
    void placeInside(CXTPDockingPane* pane, bool tabs);
    // A pane changed its place: the site frame lays itself out again.
    void relayoutSite();
    // Asks the site; TRUE when it refused.
    BOOL notifyAction(CXTPDockingPane* pane, XTPDockingPaneAction action);

    CWnd* site_ = nullptr;
    std::vector<CXTPDockingPane*> panes_;  // one reference each
    CXTPImageManager* imageManager_;
    CXTPTabPaintManager* tabPaintManager_;
    CXTPTabPaintManager* panelPaintManager_;
    BOOL themedFloatingFrames_ = FALSE;
    BOOL showContentsWhileDragging_ = FALSE;
    BOOL alphaContext_ = FALSE;
    BOOL stickers_ = FALSE;
    BOOL closeGroup_ = FALSE;
    BOOL tabCaptions_ = TRUE;
    BOOL locked_ = FALSE;
};
