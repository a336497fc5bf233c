// The UI library's frames: the main-frame interface the kernel's UI module knows frames by, the
// frame base that registers each main frame with the UI module for the frame's life and gives
// the interface its base behaviour, and the MDI child frame of kernel documents.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"
#include "platform/korvoui/docking.h"
#include "platform/korvoui/fixable_bars.h"
#include "platform/korvoui/selection_buttons.h"

namespace Korvo::UI {

namespace XML {
class Element;
}

// A bar of messages shown under a frame's command bars: a child window of the command bars' site
// with an id, a tag, a bound object, a message in markup, buttons and a callback. Its buttons are
// child windows (class "Korvo.MessageBarButton", id and caption); the close button 61536 is
// always there. Pressing a button calls the callback; the close button, or a callback that
// answers true, closes the bar: the site gets WM_USER+9321 with the bar.
class MessageBar : public CWnd {
public:
    // The button pressed; true closes the bar.
    using Callback = std::function<bool(MessageBar& bar, UINT button)>;
    static constexpr UINT kCloseButton = 61536;
    static constexpr UINT kClosedNotification = WM_USER + 9321;

    MessageBar(std::uint64_t id, INT_PTR tag, CObject* boundObject, Callback callback);
    ~MessageBar() override;

    // FALSE when the site has no window.
    using CWnd::Create;
    BOOL Create(CXTPCommandBars* commandBars, DWORD style, UINT controlId);
    void EnableMarkup(BOOL enable) { markup_ = enable; }
    BOOL IsMarkupEnabled() const { return markup_; }
    // The message; with markup enabled the window text is the markup's plain text.
    void SetMessage(const CString& message);
    const CString& GetMessage() const { return message_; }
    // A button before the close button.
    void AddButton(UINT id, const CString& caption, const CString& tooltip = CString());
    std::uint64_t GetId() const { return id_; }
    INT_PTR GetTag() const { return tag_; }
    CObject* GetBoundObject() const { return bound_; }
    bool IsClosed() const { return closed_; }
    // Tells the site the bar closed (once).
    void Close();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // A new size lays the buttons out again.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PostNcDestroy() override {}

private:
    void placeButtons();
    std::uint64_t id_;
    INT_PTR tag_;
    CObject* bound_;
    Callback callback_;
    CString message_;
    BOOL markup_ = FALSE;
    bool closed_ = false;
    HWND site_ = nullptr;
    std::vector<std::pair<UINT, CString>> pendingButtons_;
};

// The plain text of a message in markup: tags dropped, a line break as a space, entities read.
CString MarkupPlainText(const CString& markup);

// The state of one selection-filter button, as the frame's selection-filter tool bar keeps it.
struct FilterToolBarButton {
    bool visible = false;
    int state = 0;
    int icon = 0;
    CString iconPath;
    CString tooltip;
    DWORD properties = 0;
    bool disabled = false;
};

class MainFrame {
public:
    // The first frame made installs the kernel UI module's calls to frames (MainFrameCalls).
    MainFrame();
    virtual ~MainFrame() = default;

    virtual CFrameWnd* AsWindow() = 0;
    virtual const CFrameWnd* AsWindow() const = 0;
    // The active MDI child frame, or null.
    virtual CMDIChildWnd* GetActiveChildFrame();
    virtual CKvw32Doc* GetActiveKorvoDocument();
    virtual CKVView* GetActiveKorvoView();
    virtual CXTPCommandBars* GetCommandBars();
    virtual CXTPDockingPaneManager* GetDockingPaneManager();
    virtual const CXTPDockingPaneManager* GetDockingPaneManager() const;
    // The pop-up tool bar shown next to the cursor, or null.
    virtual CXTPToolBar* GetPopupToolbar();

    // Selection filters.
    virtual int GetSelectionFilterSet() const;
    virtual void BeginSelectionFilterConfiguration();
    // False when the set could not be shown.
    virtual bool SetSelectionFilterSet(int set);
    virtual void ShowSelectionFilterButton(int id, bool show);
    virtual int GetSelectionFilterButtonState(int id) const;
    virtual void HideAllSelectionFilterButtons();
    virtual void SetSelectionFilterButtonIconAndToolTip(int id, int icon, LPCWSTR tooltip);
    // The tooltip is the kernel's string of that number.
    virtual void SetSelectionFilterButtonIconAndToolTip(int id, int icon, UINT tooltipStringId);
    virtual void SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR iconPath, LPCWSTR tooltip);
    virtual void SetSelectionFilterButtonState(int id, int state);
    // A check mark (state 1) or none, and whether the button is disabled.
    virtual void SetSelectionFilterButtonState(int id, bool checked, bool disabled);
    // The state of the geometric-type filter of `geometricType`; `show` shows its button.
    virtual void SetSelectionFilterButtonState(int geometricType, const TGeomClass* state, bool show);
    virtual void SetSelectionFilterButtonState(LPCWSTR name, int state);
    virtual void SetSelectionFilterButtonProperties(int id, DWORD properties);
    virtual void SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties);
    // Icon, tooltip and state at once.
    virtual void SetSelectionFilterButtonProperties(int id, int icon, UINT tooltipStringId, bool checked, bool disabled);
    virtual void SetSelectionFilterButtonProperties(int id, int icon, LPCWSTR tooltip, bool checked, bool disabled);
    virtual void EndSelectionFilterConfiguration();
    // The selection filters changed: whether the selection-mode popup is offered.
    virtual void UpdateSelectionFilters(bool showSelectionMode);
    bool IsSelectionModeShown() const { return selectionModeShown_; }
    // The geometric-type filters' states, by type.
    const std::map<int, TGeomClass>& GetGeometricTypeStates() const { return geometricStates_; }
    const std::map<int, FilterToolBarButton>& GetSelectionFilterButtons() const { return filterButtons_; }
    bool IsConfiguringSelectionFilters() const { return filterConfiguring_ > 0; }

    // The frame's selection-filter tool bar, or null when it has none.
    virtual SelectionFilterToolBar* GetSelectionFilterToolBar() { return nullptr; }
    // The frame's manipulator panel 1 or 2 as the kernel reaches it, or null.
    virtual CManipPanelProxy* GetManipPanelProxy(int) { return nullptr; }

    // Makes this frame the UI module's active main frame.
    virtual void MakeActive();
    // The application's settings changed.
    virtual void ApplySettings() {}
    // Which frameless tool bars the frame has (a bit per bar).
    virtual DWORD GetFramelessToolBarsFlags() const { return 0; }
    // The UI module applied a theme.
    virtual void SetTheme(const Theme& theme);
    // This frame became the active main frame; `previous` was (null when there was none).
    virtual void OnChangeActiveMainFrame(MainFrame* previous);
    // The command state changed (a command started or ended).
    virtual void UpdateCommandState() {}
    // The active view of the frame changed: a document window became active or its active view
    // changed (`view`), or the last document window went (null).
    virtual void ViewActivated(CView* view);
    // Null once that view's window is gone.
    const CView* GetLastActivatedView() const;

    // While hints are blocked, controls about to be shown lose their descriptions and tooltips.
    void BlockControlsHints(bool block) { hintsBlocked_ = block; }
    bool AreControlsHintsBlocked() const { return hintsBlocked_; }

    // Nested layout locks: while one is held, the frame does not recalculate its layout. A layout
    // the frame put off while locked (DeferLayout) runs when the last lock is released.
    void LockLayout() { ++layoutLocks_; }
    void UnlockLayout();
    // True, and the layout marked as owed, while a lock is held; false when the frame may lay
    // itself out now.
    bool DeferLayout() {
        if (layoutLocks_ == 0) return false;
        layoutPending_ = true;
        return true;
    }
    int GetLayoutLockCount() const { return layoutLocks_; }
    // Hides the pop-up tool bar (the frame was deactivated).
    void HidePopupToolbar();

private:
    int namedFilterButtonId(LPCWSTR name);

    std::map<int, FilterToolBarButton> filterButtons_;
    std::map<CString, int> filterButtonsByName_;
    std::map<int, TGeomClass> geometricStates_;
    bool selectionModeShown_ = true;
    int filterSet_ = -1;
    int filterConfiguring_ = 0;
    int layoutLocks_ = 0;
    bool layoutPending_ = false;
    bool hintsBlocked_ = false;
    HWND lastView_ = nullptr;  // by its window: a view may go without telling the frame
};

// Whether `hwnd` is the window of a main frame: the type test any thread may make on a handle.
bool IsMainFrameWindow(HWND hwnd);

namespace detail {
void registerMainFrame(MainFrame* frame);
void unregisterMainFrame(MainFrame* frame);
// The active document of `frame` is told whether it may be edited now.
void updateActiveDocumentReadOnlyState(CFrameWnd* frame);
// The view type the frameless bars go by: a document view's kind, 0 for any other view.
int framelessViewType(CView* view);
// Whether some bar of `bars` stands over `view` now.
bool framelessBarsStandOver(const FramelessToolBars& bars, const CView* view);
}  // namespace detail

// A main frame over a toolkit frame class: in the UI module's registry from the creation of its
// window (WM_CREATE) until the window is destroyed. It owns the frame's docking-pane manager
// pointer (set by the application), and asks the application's overrides at the library's
// points: command-bars initialisation, custom controls, frameless tool bars, pane windows.
template <class Base>
class GenericMainFrame : public Base, public MainFrame {
public:
    GenericMainFrame() = default;
    ~GenericMainFrame() override { detail::unregisterMainFrame(this); }

    CFrameWnd* AsWindow() override { return this; }
    const CFrameWnd* AsWindow() const override { return this; }
    CXTPCommandBars* GetCommandBars() override { return Base::GetCommandBars(); }
    CXTPDockingPaneManager* GetDockingPaneManager() override { return paneManager_; }
    const CXTPDockingPaneManager* GetDockingPaneManager() const override { return paneManager_; }
    SelectionFilterToolBar* GetSelectionFilterToolBar() override { return &selectionFilterToolBar_; }
    void SetDockingPaneManager(CXTPDockingPaneManager* manager) { paneManager_ = manager; }
    // The active document's read-only state is looked at again (the PDM system may have changed it).
    void UpdateActiveDocumentReadOnlyState() { detail::updateActiveDocumentReadOnlyState(this); }
    // What the framework's route left goes to the kernel's command containers.
    BOOL OnUnroutedCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Creates the command bars by run-time class (the toolkit's).
    BOOL InitCommandBars(CRuntimeClass* runtimeClass = nullptr) override { return Base::InitCommandBars(runtimeClass); }
    // The control for an element of a layout (null: the library makes one).
    virtual CXTPControl* CreateCustomControl(const XML::Element&) { return nullptr; }
    // The control for a button-list id of a bar (null: a plain button).
    virtual CXTPControl* CreateCustomControl(UINT, DWORD_PTR, CXTPCommandBar*) { return nullptr; }
    // The frameless tool bars visible for a view type (a bit per bar).
    virtual DWORD GetVisibleFramelessToolBars(int /*viewType*/) const { return framelessVisible_; }
    void SetFramelessToolBarsVisible(DWORD bits) { framelessVisible_ = bits; }
    // The frame's frameless view tool bars, or null (the application makes and keeps them).
    virtual FramelessToolBars* GetFramelessToolBars() const { return nullptr; }
    // The view the frameless tool bars stand over: the frame's active document view.
    virtual CView* GetFramelessHostView() { return GetActiveKorvoView(); }
    // `view` changed (became active, went, moved, or a bar of its changed visibility): when the
    // bars stand over it or it is the host view, they are put over the host view as its view
    // type wants them, or taken away when there is none.
    void MoveFramelessToolBars(CView* view) {
        FramelessToolBars* bars = GetFramelessToolBars();
        if (!bars || movingFramelessBars_) return;
        CView* host = GetFramelessHostView();
        if (view != host && !detail::framelessBarsStandOver(*bars, view)) return;
        // Showing or hiding a bar tells the frame again: one placement at a time.
        movingFramelessBars_ = true;
        PlaceFramelessToolBars(*bars, host, host ? GetVisibleFramelessToolBars(detail::framelessViewType(host)) : 0);
        movingFramelessBars_ = false;
    }
    // The application's window for a pane, or null.
    virtual CWnd* GetPaneWindow(CXTPDockingPane*) { return nullptr; }
    virtual void OnInitCommandsPopup(CXTPPopupBar*) {}
    virtual void OnUninitCommandsPopup(CXTPPopupBar*) {}
    // The library's part of the docking-pane notification: a pane's caption right-clicked shows
    // the pane's popup menu and carries out its command, which is the answer (0: none).
    LRESULT OnDockingPaneNotify(WPARAM code, LPARAM lParam) {
        const auto* click = code == XTP_DPN_CONTEXTMENU ? reinterpret_cast<const XTP_DOCKINGPANE_CLICK*>(lParam) : nullptr;
        return click ? static_cast<LRESULT>(RunPanePopupMenu(this, click->pPane, click->pt)) : FALSE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = Base::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && result != -1) detail::registerMainFrame(this);
        if (message == WM_DESTROY) detail::unregisterMainFrame(this);
        return result;
    }

protected:
    SelectionFilterToolBar selectionFilterToolBar_;
    CXTPDockingPaneManager* paneManager_ = nullptr;
    DWORD framelessVisible_ = 0x3F;
    bool movingFramelessBars_ = false;
};

class MdiMainFrame : public GenericMainFrame<CXTPMDIFrameWnd> {
public:
    MdiMainFrame() = default;
};

// The MDI child frame that holds a kernel document's views.
class MdiChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(MdiChildFrame)
public:
    MdiChildFrame() = default;
    // The text of the frame's document tab; empty: the tab shows the window text.
    const CString& GetTabText() const { return tabText_; }
    void SetTabText(const CString& text) { tabText_ = text; }
    // The close command of the frame's tab: false when the frame refuses to close now.
    virtual bool OnCloseCommand() { return !refuseClose_; }
    void SetRefuseClose(bool refuse) { refuseClose_ = refuse; }
    // The main frame hears of the active view of its active document window.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE) override;
    // Whether an MDI child frame (of this class or not) may become active now: not while its
    // main frame is in a modal state.
    static bool OnChildActivate(CMDIChildWnd* frame, void* argument);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Tells the main frame of this window's MDI client that `view` is its active view now.
    void tellMainFrame(CView* view);

    CString tabText_;
    bool refuseClose_ = false;
};

}  // namespace Korvo::UI

// Drag and drop onto a window of the UI library (the main window: libraries and library groups,
// for instance). The window's drop target asks the window through this interface.
class IWSGDragDropInterface {
public:
    virtual ~IWSGDragDropInterface() = default;
    // The drop effect for `data` over `window` at screen point `point`.
    virtual DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, POINT point) = 0;
    virtual bool OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, POINT point) = 0;
};

// The part a window derives from: takes nothing until the window overrides it.
class CWSGDragDropInterface : public IWSGDragDropInterface {
public:
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, POINT) override { return DROPEFFECT_NONE; }
    bool OnDrop(CWnd*, COleDataObject*, DROPEFFECT, POINT) override { return false; }
};
