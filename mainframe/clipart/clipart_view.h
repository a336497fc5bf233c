// The window inside a clipart pane: a docking pane the shell makes on request of the kernel, an
// add-on application or the user, hosting one content window. Every view is on one global list
// (the only registry of views), in the order they were made; its control id is its pane's id.
#pragma once

#include <string>

#include "platform/korvoui.h"

class CMainFrame;

class CClipartView : public Korvo::UI::DockingPaneChildWindow {
public:
    // Pane ids (and control ids) of clipart panes.
    static constexpr UINT kFirstId = 11000;
    static constexpr UINT kLastId = 20999;
    static bool IsClipartId(UINT id) { return id >= kFirstId && id <= kLastId; }

    // Flags of CreateClipartPane.
    static constexpr int kDockBesideNeighbour = 1;
    static constexpr int kDockRight = 2;
    static constexpr int kCloseAfterCreation = 4;
    static constexpr int kOutOfPaneLists = 8;

    // View states, as the pane last was.
    static constexpr int kShown = 0;
    static constexpr int kClosed = 1;
    static constexpr int kSelected = 2;
    static constexpr int kHidden = 3;

    ~CClipartView() override;
    CClipartView(const CClipartView&) = delete;
    CClipartView& operator=(const CClipartView&) = delete;

    virtual bool IsApplicationClipart() const { return false; }
    // The pane's title and tab caption from the content (only when the pane's child is this view).
    virtual void UpdateTitle(CXTPDockingPane* pane) = 0;
    virtual bool DestroyOnPaneClose() const = 0;
    virtual bool CreateContent(CXTPDockingPane* pane) = 0;
    virtual void DestroyContent() = 0;
    virtual HWND GetContentWindow() const = 0;
    // The kernel's or the PDM system's object the view hosts (a model tree, a reference control,
    // an expanded form), for the kernel to reach through the pane's window; null for an add-on's
    // window or a browser of the shell's own.
    virtual void* GetHostedObject() const { return nullptr; }
    // Puts the pane's icon into its manager's image manager under the view's control id.
    virtual void UpdateIcon(CXTPDockingPane* pane) = 0;
    // The kind as a saved layout names it ("ModelTree", "Workmix", "Application",
    // "DocumentsMenu", "ExpandedForm").
    virtual const wchar_t* GetKindName() const = 0;
    // The kind's persisted keys as `name=value` pairs for inspection.
    virtual std::wstring DescribeKeys() const = 0;

    // "ViewState" then the kind's keys. Storing recomputes the state from the view's pane.
    BOOL DoPropExchange(CXTPPropExchange* px) override;

    int GetViewState() const { return viewState_; }
    bool IsMarked() const { return marked_; }
    // The window's control id, 0 without a window.
    UINT GetControlId() const;

    // ---- Panes -----------------------------------------------------------------------------
    // A pane of `frame` (null: the active main frame) for the view, placed as `flags` say, or
    // null (no frame, no free id, no pane). `rect` (null: 100,100 320 x 240) places a floating pane.
    static CXTPDockingPane* CreateClipartPane(CClipartView* view, CMainFrame* frame, int flags, const RECT* rect = nullptr);
    // The pane with the view's control id in the main frame of the view's window, or null.
    static CXTPDockingPane* GetDockingPane(const CClipartView* view, CMainFrame** frame = nullptr);

    // ---- The global list -------------------------------------------------------------------
    static CClipartView* GetHead() { return head_; }
    CClipartView* GetNext() const { return next_; }
    static CClipartView* FindByKey(LPCWSTR key, int windowId);
    static CClipartView* FindByControlId(UINT id);
    // Destroys the view's window and deletes it.
    static void Destroy(CClipartView* view);

    // ---- Frames and the program ------------------------------------------------------------
    // Destroys every pane of the frame that hosts a clipart view; views destroyed on close go too.
    static void CloseFramePanes(CMainFrame* frame);
    // Marks the non-application views whose window belongs to `frame` (all others unmarked).
    static void MarkFrameViews(CMainFrame* frame);
    static void DestroyMarkedViews();
    // At exit: every view, the tail first.
    static void DestroyAll();
    // The PDM connection came back: every work-mix view (of `frame`; null: of every frame) makes
    // its content again, and one the disconnect parked goes back into its pane. It went: the
    // work-mix views of `frame` let go of theirs, leave their panes and the panes close.
    static void ReconnectPdmViews(CMainFrame* frame = nullptr);
    static void DisconnectPdmViews(CMainFrame* frame);
    // Before a frame loads a layout its clipart views leave their panes; afterwards each clipart
    // pane the layout made gets its view back with its content.
    static void PrepareFrameForLayout(CMainFrame* frame);
    static void ReattachFramePanes(CMainFrame* frame);
    // A clipart pane of `frame` was closed by the user: a view destroyed on close goes with its
    // pane. True when the pane was destroyed (the close is then over).
    static bool OnPaneClosed(CMainFrame* frame, CXTPDockingPane* pane);
    // The pane menu's close of pane `paneId` of `frame` is over: a view destroyed on close that
    // is still there goes with its pane (looked up again, as the close may have ended both).
    static void OnPaneMenuClose(CMainFrame* frame, UINT paneId);
    // A new view of the kind a saved layout names; null for an unknown kind.
    static CClipartView* CreateOfKind(const CString& kind);

    // ---- Icons and state -------------------------------------------------------------------
    void SetPaneIcon(UINT iconId, HINSTANCE owner, CXTPDockingPane* pane);
    void SetIcon(HICON icon, CXTPDockingPane* pane);
    void SetSvgIcon(const BYTE* svg, std::size_t size, CXTPDockingPane* pane);
    void UpdatePaneState(CXTPDockingPane* pane);
    void ApplyViewState(CXTPDockingPane* pane, bool restore);
    // Creates the content; afterwards, unless the pane has an icon, the icon, then the title.
    bool CreateContentWithPane(CXTPDockingPane* pane);
    // Makes the view's window: a child of `parent` with control id `id`.
    bool CreateViewWindow(CWnd* parent, UINT id);
    // Fits the content window to the client area.
    void FitContent();

protected:
    CClipartView();
    virtual void ExchangeKeys(CXTPPropExchange* px) = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}
    // Whether the pane's image manager holds an icon under the view's control id.
    bool PaneHasIcon(const CXTPDockingPane* pane) const;
    // Puts a raster (or vector) icon under the control id.
    void PutPaneIcon(CXTPDockingPane* pane, bool vector) const;
    // Sets title and tab caption when the pane's child is this view.
    void SetPaneTitle(CXTPDockingPane* pane, const CString& title) const;

    int iconId_ = -1;
    HINSTANCE iconOwner_ = nullptr;
    bool vectorIcon_ = false;

private:
    void paintEmpty(HDC dc) const;

    int viewState_ = kShown;
    bool marked_ = false;
    CClipartView* previous_ = nullptr;
    CClipartView* next_ = nullptr;
    static CClipartView* head_;
    static CClipartView* tail_;
};

// The operations of a kind whose view goes with its pane and whose content window is its own
// (declared alike by those kinds; the kind's name is its name in a saved layout).
#define KORVO_CLIPART_KIND_OPERATIONS(KindName)                        \
public:                                                                \
    void UpdateTitle(CXTPDockingPane* pane) override;                  \
    bool DestroyOnPaneClose() const override { return true; }          \
    bool CreateContent(CXTPDockingPane* pane) override;                \
    void DestroyContent() override;                                    \
    HWND GetContentWindow() const override;                            \
    void UpdateIcon(CXTPDockingPane* pane) override;                   \
    const wchar_t* GetKindName() const override { return KindName; }   \
    std::wstring DescribeKeys() const override;                        \
                                                                       \
protected:                                                             \
    void ExchangeKeys(CXTPPropExchange* px) override
