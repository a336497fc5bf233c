// The toolkit's tab client: attached to an MDI frame, it takes over the frame's MDI client window
// and shows one tab per MDI child in tab groups (workspaces). The selected tab follows the active
// child; clicking a tab asks its workspace first; per-tab close buttons are navigate buttons.
// Text, icon and tooltip come from overridable virtuals; tab rectangles come from a deterministic
// layout (tab header along the top or bottom edge of each group) so tests can hit-test them.
// The tab rows are painted with the client (WM_PAINT). Detaching gives the client back.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit/panes/tabpaintmanager.h"
#include "platform/win32/gdi.h"

class CXTPPropExchange;
class CXTPTabClientWnd;

enum XTPTabPosition { xtpTabPositionTop = 0, xtpTabPositionLeft = 1, xtpTabPositionBottom = 2, xtpTabPositionRight = 3 };
enum XTPTabClientFrame { xtpTabFrameBorder = 0, xtpTabFrameSingleLine = 1, xtpTabFrameNone = 2 };
// Navigate-button types.
inline constexpr int xtpTabNavigateButtonClose = 2;
// The id of the toolkit's image set for the close button.
inline constexpr int xtpTabCloseButtonWidth = 14;

class CXTPTabManagerItem;

// A button drawn inside a tab or a group's header.
class CXTPTabManagerNavigateButton {
public:
    CXTPTabManagerNavigateButton(int type, CXTPTabManagerItem* item) : type_(type), item_(item) {}
    int GetID() const { return type_; }
    CXTPTabManagerItem* GetItem() const { return item_; }
    BOOL IsVisible() const { return visible_; }
    void SetVisible(BOOL visible) { visible_ = visible; }
    SIZE GetSize() const { return SIZE{xtpTabCloseButtonWidth, xtpTabCloseButtonWidth}; }
    RECT GetRect() const { return rect_; }
    void SetRect(const RECT& rect) { rect_ = rect; }

private:
    int type_;
    CXTPTabManagerItem* item_;
    BOOL visible_ = TRUE;
    RECT rect_{};
};

// One tab: a window of the MDI client, or the group's new-window item (no window).
class CXTPTabManagerItem {
public:
    CXTPTabManagerItem(HWND window, bool newWindowItem) : window_(window), newWindowItem_(newWindowItem) {}
    HWND GetHandle() const { return window_; }
    bool IsNewWindowItem() const { return newWindowItem_; }
    int GetIndex() const { return index_; }
    RECT GetRect() const { return rect_; }
    void SetRect(const RECT& rect) { rect_ = rect; }
    CString GetCaption() const { return caption_; }
    void SetCaption(const CString& caption) { caption_ = caption; }
    CString GetTooltip() const { return tooltip_; }
    void SetTooltip(const CString& tooltip) { tooltip_ = tooltip; }
    HICON GetIcon() const { return icon_; }
    void SetIcon(HICON icon) { icon_ = icon; }
    std::vector<CXTPTabManagerNavigateButton>& GetNavigateButtons() { return buttons_; }
    const std::vector<CXTPTabManagerNavigateButton>& GetNavigateButtons() const { return buttons_; }

private:
    friend class CXTPTabManagerAtom;
    friend class CXTPTabClientWnd;
    HWND window_;
    bool newWindowItem_;
    int index_ = 0;
    RECT rect_{};
    CString caption_, tooltip_;
    HICON icon_ = nullptr;
    std::vector<CXTPTabManagerNavigateButton> buttons_;
};

// A tab group: its items, its selection, and the hooks a program overrides.
class CXTPTabManagerAtom {
public:
    explicit CXTPTabManagerAtom(CXTPTabClientWnd* client) : client_(client) {}
    virtual ~CXTPTabManagerAtom() = default;
    CXTPTabManagerAtom(const CXTPTabManagerAtom&) = delete;
    CXTPTabManagerAtom& operator=(const CXTPTabManagerAtom&) = delete;

    CXTPTabClientWnd* GetClient() const { return client_; }
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    CXTPTabManagerItem* GetItem(int index) const;
    CXTPTabManagerItem* GetSelectedItem() const { return selected_; }
    CXTPTabManagerItem* FindItem(HWND window) const;
    // The group's rectangle (in the tab client's client coordinates) and its share of a split.
    RECT GetRect() const { return rect_; }
    void SetRect(const RECT& rect) { rect_ = rect; }
    RECT GetHeaderRect() const;
    double m_dSplitterRatio = 1.0;
    RECT m_rcSplitter{};

    // Draws (or, with `draw` FALSE, measures) an item's icon; the size may grow the icon area.
    virtual BOOL DrawIcon(HDC dc, POINT point, CXTPTabManagerItem* item, BOOL draw, SIZE& iconSize);
    // Selects the item and activates its window.
    virtual void SetSelectedItem(CXTPTabManagerItem* item);
    // FALSE refuses a click on `item` (null: a click outside any tab).
    virtual BOOL OnBeforeItemClick(CXTPTabManagerItem* item);
    // The close button closes its tab's window (WM_CLOSE).
    virtual void OnNavigateButtonClick(CXTPTabManagerNavigateButton* button);
    // Places the per-tab buttons (the program may override the placement).
    virtual void RepositionNavigateButtons();

    // The user clicked the item (the toolkit's mouse handling): asks, then selects.
    void ClickItem(CXTPTabManagerItem* item);
    CXTPTabManagerItem* HitTest(POINT point) const;

protected:
    CXTPTabManagerItem* insert(std::unique_ptr<CXTPTabManagerItem> item, int index);
    void remove(HWND window);
    void reindex();

private:
    friend class CXTPTabClientWnd;
    CXTPTabClientWnd* client_;
    std::vector<std::unique_ptr<CXTPTabManagerItem>> items_;
    CXTPTabManagerItem* selected_ = nullptr;
    RECT rect_{};
};

class CXTPTabClientWnd : public CWnd {
    DECLARE_DYNCREATE(CXTPTabClientWnd)
public:
    using CWorkspace = CXTPTabManagerAtom;

    CXTPTabClientWnd();
    ~CXTPTabClientWnd() override;

    // Takes over `frame`'s MDI client window. FALSE when the frame has none or one is attached.
    BOOL Attach(CMDIFrameWnd* frame, BOOL enableGroups = FALSE);
    // Gives the MDI client back to itself.
    void Detach();
    BOOL IsAttached() const { return frame_ != nullptr; }
    CMDIFrameWnd* GetFrame() const { return frame_; }

    // The tab groups; items mirror the MDI children (UpdateContents brings them up to date).
    int GetWorkspaceCount() const { return static_cast<int>(workspaces_.size()); }
    CWorkspace* GetWorkspace(int index) const;
    CWorkspace* FindWorkspace(HWND window) const;
    // The workspace of the active child (or the first).
    CWorkspace* GetActiveWorkspace() const;
    void UpdateContents();
    // Places groups and tabs in the client rectangle.
    void Reposition();

    // Every tab in group order, and the selected one (-1 without an active child).
    int GetItemCount() const;
    HWND GetItemWindow(int index) const;
    int GetSelectedItem() const;
    CXTPTabManagerItem* HitTest(POINT point) const;

    // Hooks a program overrides.
    virtual CString GetItemText(CWnd* child) const;
    virtual CString GetItemTooltip(const CXTPTabManagerItem* item) const;
    virtual HICON GetItemIcon(const CXTPTabManagerItem* item) const;
    // Theme refresh: called when attached and when the theme changes.
    virtual void RefreshTheme();
    virtual CWorkspace* CreateWorkspace();
    // Fills the client background; FALSE when nothing was drawn.
    virtual BOOL OnFillBackground(HDC dc, const RECT& rect);
    // Activates a document window (tab selection, the user's click).
    virtual void MDIActivate(CWnd* window);
    virtual CWorkspace* AddWorkspace(int index = -1);
    virtual CXTPTabManagerItem* AddItem(CWnd* child);
    // Lays out the groups inside `rect` (frame client coordinates of the MDI client).
    virtual void CalcWindowRect(LPRECT rect, UINT adjust = 0);

    CXTPTabPaintManager* GetPaintManager() { return &paintManager_; }
    void SetTabPosition(XTPTabPosition position) { position_ = position; }
    XTPTabPosition GetTabPosition() const { return position_; }
    void SetFixedTabWidth(int width) { paintManager_.SetFixedTabWidth(width); }
    int GetFixedTabWidth() const { return paintManager_.GetFixedTabWidth(); }
    void ShowNewWindowItem(BOOL show) { newWindowItem_ = show; }
    BOOL IsNewWindowItemShown() const { return newWindowItem_; }
    BOOL IsGroupsEnabled() const { return groups_; }
    // Tab groups one above the other (TRUE) or side by side.
    BOOL IsStackedGroups() const { return stacked_; }
    void SetStackedGroups(BOOL stacked) { stacked_ = stacked; }
    int GetSplitterWidth() const { return 4; }
    void SetFlags(DWORD flags) { flags_ = flags; }
    DWORD GetFlags() const { return flags_; }
    // Close buttons on every tab (per-tab navigate buttons).
    BOOL IsCloseButtonsOnTabs() const { return (flags_ & kCloseOnTabs) != 0; }
    BOOL IsTabsShown() const { return tabsShown_; }
    void ShowTabs(BOOL show) { tabsShown_ = show; }
    XTPTabClientFrame GetClientFrame() const { return clientFrame_; }
    void SetClientFrame(XTPTabClientFrame frame) { clientFrame_ = frame; }
    // The next AddItem places the new tab right after the selected one.
    void SetNextItemNextToActive() { nextToActive_ = true; }
    // Whether the layout of the groups may run now (attached and not being torn down).
    BOOL IsLayoutAllowed() const { return frame_ != nullptr && !detaching_; }

    static constexpr DWORD kCloseOnTabs = 0x1;

    // The tab settings through a property exchange (a section of the caller's choosing).
    virtual void DoPropExchange(CXTPPropExchange* px);
    // The tab settings in the application's profile (section `section`): written by SaveState,
    // read back by LoadState (FALSE, with nothing changed, without an application or a saved state).
    BOOL SaveState(LPCWSTR section = kStateSection) const;
    BOOL LoadState(LPCWSTR section = kStateSection);
    static constexpr const wchar_t* kStateSection = L"TabClient";

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The client stays a window of the frame when the object lets it go.
    void PostNcDestroy() override {}
    std::vector<HWND> children() const;
    void placeTabs(CWorkspace& workspace);
    // Draws the tab rows: each tab's ground (the selected one white) and its icon area through
    // its group's DrawIcon; the words are not rasterised.
    void paintTabs(HDC dc);

private:
    CMDIFrameWnd* frame_ = nullptr;
    std::vector<std::unique_ptr<CWorkspace>> workspaces_;
    CXTPTabPaintManager paintManager_;
    XTPTabPosition position_ = xtpTabPositionTop;
    XTPTabClientFrame clientFrame_ = xtpTabFrameSingleLine;
    BOOL newWindowItem_ = FALSE;
    BOOL groups_ = FALSE;
    BOOL stacked_ = FALSE;
    BOOL tabsShown_ = TRUE;
    DWORD flags_ = kCloseOnTabs;
    bool nextToActive_ = false;
    bool detaching_ = false;
    bool updating_ = false;
};
