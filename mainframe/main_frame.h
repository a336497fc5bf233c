// A main frame of the shell: one top-level MDI window with its command bars, docking panes, MDI
// client and document tabs, status line and system panel. Any number can exist at once; the UI
// module keeps their list in creation order.
#pragma once

#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <vector>

#include "mainframe/mdi/client_windows.h"
#include "mainframe/menu_insertion.h"
#include "mainframe/message_bars.h"
#include "mainframe/panes/docking_pane_manager.h"
#include "mainframe/main_frame_drop_target.h"
#include "mainframe/main_frame_profile_item.h"
#include "mainframe/statusline/status_line.h"
#include "platform/korvoui.h"
#include "services/main_frame.h"

namespace Korvo::UI {
class MainFrameState;
}
class MainFrameState;
class KVRibbonBar;
class IDataExchange;
class CKVRibbonCommandBars;

class CMainFrame : public Korvo::UI::MdiMainFrame,
                   public CMainFrameProfileItem,
                   public CWSGDragDropInterface,
                   public CXTPCommandBarsFrameHook,
                   public IXTPPaintManagerEvents,
                   public IXTPFrameShadow,
                   public MainFrameServices {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // The frame behind the services the application hands out; every main frame is one.
    static CMainFrame* From(MainFrameServices* frame) { return static_cast<CMainFrame*>(frame); }
    // The application's main frames in the UI module's order, and its active one; none while
    // there is no application.
    static std::vector<CMainFrame*> GetAll();
    static CMainFrame* GetActive();
    // Runs when a frame shows for the first time (the application closes its splash then); none
    // by default.
    static void SetInitialShowObserver(std::function<void()> observer);

    // ---- Creation and lifetime ---------------------------------------------------------------
    // A new frame from `state`, or from the application's default state when `state` is empty;
    // null without any state or when the frame cannot be created. The first frame becomes the
    // framework's main window.
    static CMainFrame* CreateFromState(std::shared_ptr<Korvo::UI::MainFrameState> state,
                                       bool restorePlacement = false, bool second = false);
    static CMainFrame* Create(const Korvo::UI::MainFrameState& state, bool restorePlacement, bool second);
    // A new frame with this frame's layout, or null.
    CMainFrame* Clone() const;
    // The state a clone is made from: this frame's menu bar and flags, the application's default
    // tool bars and ribbon.
    std::shared_ptr<MainFrameState> SaveStateForClone() const;
    // The kernel closed `document`: the frame lets go of what it showed of it.
    void OnDocumentClosed(CKvw32Doc* document);
    // The kernel changed the state of `document`: the ribbon shows its keywords' tabs.
    void OnChangeDocumentState(CKvw32Doc* document);
    // Libraries and library groups dragged onto the main window go to the documents menu.
    DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, POINT point) override;
    bool OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, POINT point) override;
    // The PDM system connected or disconnected; on disconnect the open PDM panes are recorded.
    void OnChangeVarnelConnectionState(bool connected);
    // The frame becomes the active main frame as its window's activation makes it; for a window
    // that is the active window already, and so hears no activation.
    void BecomeActiveMainFrame();
    // Shows the frame the first time; later calls do nothing.
    void InitialShow();
    bool IsShown() const override { return m_shown; }
    // Applies a layout to the live frame. (LoadState() is the settings profile's.)
    using CMainFrameProfileItem::LoadState;
    void LoadState(const Korvo::UI::MainFrameState& state, bool restorePlacement, bool second);
    // Moves a document window of another main frame into this frame. False when it cannot.
    bool AttachChildFrame(CMDIChildWnd* child);

    // ---- The frame's "MainWindow" element (mainframe/main_frame_state_xml.cpp) -----------------
    // Writes the frame into `element`: with `withPlacement` the window placement and the
    // full-screen flag, then the modes, the ribbon, the frameless view tool bar and the
    // "codejock" node (the docking panes' layout only with `withDockingPanes`).
    void SaveXmlState(Korvo::UI::XML::Element& element, bool withPlacement, bool withDockingPanes);
    // Writes the "codejock" node into `element` (replacing one it has): the "normalLayout"
    // section as the normal screen shows it, and the full-screen layout the frame keeps, put
    // back as it was. The node written, or null.
    std::shared_ptr<Korvo::UI::XML::Element> SaveCommandBarsLayout(Korvo::UI::XML::Element& element,
                                                                   bool withDockingPanes);
    // The same through a property exchange standing for the "MainWindow" element, and back.
    void SaveCommandBarsLayout(CXTPPropExchange& mainWindow, bool withDockingPanes);
    void LoadCommandBarsLayout(CXTPPropExchange& mainWindow, bool withDockingPanes);
    // Reads or writes one layout section (mainframe/main_frame_layout_exchange.cpp), under the
    // layout lock: "Options", "Shortcuts", "DockingPane" (with `withDockingPanes`; loading closes
    // pane 1016), "TabClient", "CommandBars" and "Automenu" with their "FixedToolBars". Loading
    // reads only the sections present, and then brings back the add-on applications' tools, the
    // installed-configurations menu and the PDM commands' controls.
    bool ExchangeCommandBarsLayout(CXTPPropExchange& section, bool loading, bool withDockingPanes);
    // The "FixedToolBars" list of `bars`: one "ToolBar" entry with the "Id" of each fixed bar.
    // Reading frees every bar first; an entry without an id fixes none.
    static void ExchangeFixedToolBars(CXTPPropExchange& section, CXTPCommandBars& bars);
    // Applies the ribbon part of a state, keeping what add-on applications put into the ribbon's
    // help pop-up.
    void ApplyRibbonBarState(const Korvo::UI::XML::RibbonBar& ribbon);
    // The frame's frameless view tool bar, or null while it has none.
    CXTPToolBar* GetFramelessViewToolBar() const;
    // Whether the PDM system's commands can run: the program works inside the PDM system.
    static bool IsPdmCommandsAvailable();
    // The tooltip of a button on a popup tool bar: its command's caption (the second part of its
    // string resource) without command letters.
    static CString PopupButtonTooltip(UINT command);

    // ---- Accessors ---------------------------------------------------------------------------
    KVRibbonBar* GetRibbonBar() const;
    CXTPMenuBar* GetMenuBar() const;
    bool IsRibbonMode() const;
    // The frame's window is going (its close has begun destroying it).
    bool IsBeingDestroyed() const { return m_destroying; }
    void SetRibbonMode(bool ribbon);
    // The tool bar of a tool-bar command (700 + its index in the command bars' list), or null.
    CXTPToolBar* GetToolBarByCommand(UINT id) const;
    CKVDockingPaneManager& GetPaneManager() override { return m_paneManager; }
    CXTPDockingPane* FindPane(int paneId) override;
    Korvo::UI::MdiMainFrame& AsMdiMainFrame() override { return *this; }
    const Korvo::UI::MdiMainFrame& AsMdiMainFrame() const override { return *this; }
    CKVTabClientWnd& GetTabClient() { return m_tabClient; }
    UINT GetScreenMode() const { return m_screenMode; }
    bool IsWorkbookMode() const { return m_workbookMode; }
    CString GetUIStyle() const;
    const std::list<std::unique_ptr<Korvo::UI::MessageBar>>& GetMessageBars() const { return m_messageBars.Bars(); }
    // The frame's modes, one a line (mainframe/frame_modes_outline.h).
    CString DescribeModes() const;

    // ---- Modes (mainframe/main_frame_modes.cpp) ------------------------------------------------
    // 0 normal, 1 full screen, 2 clean screen. Leaving 0 or 1 keeps that mode's layout; a layout
    // that cannot be kept cancels the switch.
    void SetScreenMode(UINT mode);
    // Document tabs (on) or free MDI windows (off); `previous` gets the state before the call.
    void SetWorkbookMode(bool on, bool* previous = nullptr);
    // 1 ("fea") or 2 ("dynamics"); false for any other id, or for the current one unless forced.
    bool SetAnalysisMode(UINT id, bool force);
    UINT GetAnalysisMode() const { return m_analysisRibbonId; }
    // The settings of the bars: the ribbon's frame theme and minimised state, the auto-menu bar,
    // the ribbon-mode bars and the frameless bars' visibility locks, then the view-dependent
    // groups and bars and the PDM items.
    void ApplySettings() override;
    // The layouts kept by the screen-mode switch ("normalLayout", "fullscreenLayout"), as XML;
    // empty when none is kept.
    CString DescribeSavedLayout(bool fullScreen) const;
    Korvo::UI::FramelessToolBars* GetFramelessToolBars() const override;
    Korvo::UI::FramelessToolBar* GetFramelessToolBar(UINT barId) const;
    // The frame's active view while the active document window still shows it.
    CView* GetFramelessHostView() override;
    // Shift+F1 put the frame in context-help mode: the next command shows its help.
    bool IsContextHelpMode() const { return m_contextHelpMode; }

    // ---- The active view (mainframe/main_frame_view_update.cpp) --------------------------------
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE) override;
    // The view-type bits of the active view, as the view-dependent ribbon groups read them.
    DWORD GetViewTypeMask() const { return m_viewTypeMask; }
    void UpdateViewDependentRibbonGroups();
    void UpdateViewDependentToolBars();
    // The PDM tab, the ribbon's PDM popup and its connect items follow the connection.
    void UpdateVarnelWindows(bool connected);
    void UpdateVarnelWindows() { UpdateVarnelWindows(KVPDMWorkMix::IsActive()); }

    // ---- Message routing (mainframe/main_frame_routing.cpp) -----------------------------------
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Puts the application's window of `pane`'s id (or a clipart view) into the pane; only the
    // active main frame does.
    void AttachPaneWindow(CXTPDockingPane* pane);
    // The clipart view of the pane's id leaves its frame's pane for `pane` and makes its content.
    void AttachClipartView(CXTPDockingPane* pane);

    // ---- Message bars and add-on menu items ----------------------------------------------------
    // A message bar under the command bars; its id, 0 when title and text are both empty or the
    // bar cannot be made.
    std::uint64_t ShowMessageBar(int imageId, const CString& title, const CString& text,
                                 const std::vector<MessageBarButton>& buttons = {},
                                 Korvo::UI::MessageBar::Callback callback = {}, std::uint64_t id = 0, INT_PTR tag = 0,
                                 CObject* boundObject = nullptr);
    Korvo::UI::MessageBar* GetLastMessageBar() const { return m_messageBars.Last(); }
    bool CloseMessageBar(std::uint64_t id);
    bool IsValidMessageBar(const Korvo::UI::MessageBar* bar) const { return m_messageBars.IsValid(bar); }
    bool InsertUserMenuItem(const CString& caption, UINT command, int referenceId, const UserMenuPlacement& placement);
    bool InsertUserPopupMenu(const CString& caption, HMENU menu, int referenceId, const UserMenuPlacement& placement);

    // ---- System-panel forwarders (nothing, false or -1 without a panel) -----------------------
    bool GetSyspanelControlState(int id, bool& checked, bool& disabled) const;
    bool GetSyspanelControlIntValue(int id, int& value) const;
    bool UnpackSyspanelDoubleVar(int id, double& value) const;
    bool UnpackSyspanelIntVar(int id, int& value) const;
    int GetSyspanelCurrentId() const;
    // The value of control `id` for a running command: the ribbon's in ribbon mode, else the
    // panel's; null when neither has one.
    const void* GetSyspanelControlData(int id) const;
    // In ribbon mode the user enters values in the ribbon's twins of the panel's controls: the
    // twin a command reads hands its value to the panel's control first, so that every getter
    // reads the one value at once. The twin's value, or null (classic mode, no twin or no value).
    const void* TakeRibbonTwinValue(int id) const;
    void DisableSyspanelControls();
    void EnableSyspanelControl(int id, bool enable);
    // Kernel requests for the panel's controls: the ribbon's controls of the id first, then the
    // panel's; both are updated in either mode (mainframe/main_frame_syspanel.cpp). False, with
    // nothing changed in either bar, when a control of the id takes no value of the kind; false
    // too when no control of the id took it.
    bool set_syspanel_int(KVDocument* document, unsigned id, int value);
    bool set_syspanel_intvar(KVDocument* document, unsigned id, int value, short variable);
    bool set_syspanel_doublevar(KVDocument* document, unsigned id, double value, short variable);
    bool set_syspanel_cstr(KVDocument* document, unsigned id, const CString& text);
    bool set_syspanel_font(KVDocument* document, unsigned id, const CString& name, int kind);
    void SetSyspanelButtonStatus(unsigned id, bool checked, bool disabled);
    // The panel alone.
    bool SetSyspanelControls(const stlControlsIDs& controls);
    void SyspanelStatusChanged();
    // The text of a command's control (the font combo by default); empty when none is found.
    void FindCommandControl(CString& text, int id = -1) const;

    // ---- The UI library's main-frame interface -------------------------------------------------
    int GetSelectionFilterSet() const override;
    void BeginSelectionFilterConfiguration() override;
    bool SetSelectionFilterSet(int set) override;
    void ShowSelectionFilterButton(int id, bool show) override;
    void HideAllSelectionFilterButtons() override;
    void SetSelectionFilterButtonIconAndToolTip(int id, int icon, LPCWSTR tooltip) override;
    void SetSelectionFilterButtonIconAndToolTip(int id, int icon, UINT tooltipStringId) override;
    void SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR iconPath, LPCWSTR tooltip) override;
    void SetSelectionFilterButtonState(int id, int state) override;
    void SetSelectionFilterButtonState(int id, bool checked, bool disabled) override;
    void SetSelectionFilterButtonState(int geometricType, const TGeomClass* state, bool show) override;
    void SetSelectionFilterButtonState(LPCWSTR name, int state) override;
    void SetSelectionFilterButtonProperties(int id, DWORD properties) override;
    void SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties) override;
    void SetSelectionFilterButtonProperties(int id, int icon, UINT tooltipStringId, bool checked, bool disabled) override;
    void SetSelectionFilterButtonProperties(int id, int icon, LPCWSTR tooltip, bool checked, bool disabled) override;
    void EndSelectionFilterConfiguration() override;
    void UpdateSelectionFilters(bool showSelectionMode) override;
    CManipPanelProxy* GetManipPanelProxy(int id) override;
    DWORD GetFramelessToolBarsFlags() const override { return 0xFFFFFFFE; }
    void SetTheme(const Korvo::UI::Theme& theme) override;
    void OnChangeActiveMainFrame(Korvo::UI::MainFrame* previous) override;
    DWORD GetVisibleFramelessToolBars(int viewType) const override;
    CWnd* GetPaneWindow(CXTPDockingPane* pane) override;
    CXTPControl* CreateCustomControl(UINT id, DWORD_PTR tag, CXTPCommandBar* bar) override;
    using Korvo::UI::MdiMainFrame::CreateCustomControl;
    // The active view changed: the ribbon's contextual and tagged tabs follow it.
    void ViewActivated(CView* view) override;
    // The active command changed: in ribbon mode the contextual tabs follow (without forcing a
    // tab change).
    void UpdateCommandState() override;
    // A popup opens: the tool-bar mode popup (1075) lists the tabbed tool bar's tabs as they are.
    void OnInitCommandsPopup(CXTPPopupBar* popup) override;

    // ---- Menus (mainframe/main_frame_menus.cpp) --------------------------------------------------
    // Removes every control whose parameter is `text` (without regard to case) from the menu bar
    // and its pop-ups; false without command bars or with an empty text.
    bool RemoveUserPopupMenu(const CString& text);
    // The menu bar's "InstalledLibraries" pop-up lists the configurations installed with the
    // program; it goes when there are none.
    void UpdateInstalledConfigurationsMenu();
    // Hides (or shows again) the controls of commands that need the PDM system in the menu bar,
    // the ribbon's system pop-up, the quick-access controls and the ribbon tabs.
    void ShowFlaggedCommandControls(bool show);

    // ---- Ribbon ----------------------------------------------------------------------------------
    // Back to the definition of the default layout; false when the tab (or the group, by GUID
    // within its tab's) has none.
    bool ResetRibbonTab(Korvo::UI::RibbonTab* tab);
    bool ResetRibbonGroup(Korvo::UI::RibbonGroup* group);

    // ---- Framework overrides -----------------------------------------------------------------
    const AFX_MSGMAP* GetMessageMap() const override;
    // Every command and window message of the frame runs inside a crash-dump context.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void EndModalState() override;
    // Print preview: the auto-menu bars and the frameless tool bars take the mode first, then the
    // frame's own bars and pane (mainframe/main_frame_preview.cpp).
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    // The toolkit's hook of the frame; a resource it cannot have is reported and the message
    // goes on to the frame.
    BOOL OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
    void GetMessageString(UINT id, CString& text) const;

    const CString& GetThemeName() const { return m_themeName; }
    // The application's tool-bar icon size and large-icons flag for this frame's command bars.
    void ApplyToolBarIconSize(SIZE size, bool largeIcons);
    void* GetFrameTabs() const { return nullptr; }
    const Korvo::UI::XML::ApplicationParameters* GetRibbonApplicationParameters() const {
        return &m_ribbonParameters;
    }
    CXTPControls* GetMenuBarControls() const;
    // After the customise sheet read a ribbon layout into the ribbon: its new controls readied,
    // its tabs shown by the document's keywords and the command states refreshed.
    void OnRibbonLayoutImported();

    // The number of OnCreate steps; a fault can be injected at each (see platform/faults.h).
    static constexpr int kCreateSteps = 16;

protected:
    // While Create runs, the frame's window going away leaves the object to it.
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnActivateApp(WPARAM active, LPARAM threadId);
    afx_msg LRESULT OnEnableMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultMessage(WPARAM wParam, LPARAM lParam);
    // The kernel changed a view (1315): what follows the active view follows it again.
    afx_msg LRESULT OnViewChanged(WPARAM view, LPARAM);
    // A view command with its argument (1387), for the frame tools.
    afx_msg LRESULT OnViewCommandMessage(WPARAM command, LPARAM argument);
    afx_msg LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateControlText(WPARAM wParam, LPARAM lParam);
    // A command-bar control was executed (mainframe/main_frame_syspanel.cpp).
    afx_msg LRESULT OnControlExecuted(WPARAM code, LPARAM lParam);
    afx_msg LRESULT OnMessageBarClosed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitCommandsPopupMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUninitCommandsPopupMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangingActiveTab(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFrameMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void ShowDockingPane(UINT id);
    afx_msg void OnUpdateDockingPane(CCmdUI* cmdUI);
    afx_msg void OnToolBarCommand(UINT id);
    afx_msg void OnUpdateToolBarCommand(CCmdUI* cmdUI);
    afx_msg void OnFrameCommand(UINT id);
    afx_msg void OnUpdateFrameCommand(CCmdUI* cmdUI);
    afx_msg void OnNoAction();
    afx_msg void OnFrameHelp();
    afx_msg void OnContextHelp();
    afx_msg void OnWindowList();
    afx_msg void OnUpdateWindowMenu(CCmdUI* cmdUI);
    // Session end, shell drops and DDE (mainframe/main_frame_shell.cpp).
    afx_msg LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMoveMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT type, int cx, int cy);
    // The kernel's notice to the frame (1265) goes to its 3D part.
    afx_msg LRESULT OnKernelNotice(WPARAM wParam, LPARAM lParam);
    // Toolkit notifications (mainframe/main_frame_notifications.cpp).
    afx_msg LRESULT OnToolBarVisibilityChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnControlSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabToolBarRefresh(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTearOffDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRibbonMinimized(WPARAM wParam, LPARAM lParam);
    // Control executed: links, fragments and URLs (mainframe/main_frame_routing.cpp).
    // True when the control's parameter was handled (a path opened, a fragment inserted, a link).
    bool ExecuteControlParameter(CXTPControl* control);
    bool OpenControlPath(CXTPControl* control, const CString& parameter);
    bool InsertControlFragment(CXTPControl* control, const CString& parameter);

    static const AFX_MSGMAP* GetThisMessageMap();

private:
    friend class MainFrameMessageMap;
    // Steps of the frame's commands (mainframe/main_frame_commands.cpp).
    void MoveActiveChildToFrame(UINT index);
    void MoveActiveChildToNewFrame();
    void SelectToolBarTab(UINT index);
    void RedrawAllCommandBars();
    void SelectColourFromBook();
    // The PDM document commands 2929, 2930 and 2938 (mainframe/main_frame_pdm.cpp).
    void OnPdmCommand(UINT id);
    void OnUpdatePdmCommand(CCmdUI* cmdUI);
    // The caption of item `id` (65280 up) of the framework's window menu; false when none.
    bool GetWindowMenuItemText(UINT id, CString& text);
    // Steps of closing (mainframe/main_frame_close.cpp): whether the active document agreed.
    bool CanCloseActiveDocument();
    void UpdateFloatingPropertiesSize();
    // Dropped files: one of them inserted as a fragment into `view`.
    void InsertDroppedFragment(CView* view, const std::vector<CString>& paths, POINT point);
    // The popup a tool bar asks for: the fixed popups, the tool-bar mode popup, or the popup of
    // the command's group (its registered commands and the spacer 1202); null for other ids.
    CXTPControl* CreateCommandPopup(UINT id);
    // The embedded help and the PDM client follow the frame's window.
    void FollowFrameWindow();
    // Dropped files opened as documents, one after the other.
    void OpenDroppedFiles(const std::vector<CString>& paths);
    // One OnCreate step: its number (1-based) and whether it went well; a failure is logged with
    // the step's number, and an injected fault fails the step.
    bool CreateStep(int number, bool succeeded);
    bool CreateCommandBarsStep();
    void ApplyCommandBarsOptionsStep();
    bool InstallDockingPanesStep();
    bool CreateMenuBarStep();
    void SetKeyNamesStep();
    void PlaceOnMonitor();
    void DestroyFirstTime();
    // The ribbon's tabs for the active view (and its document's keywords when it changed).
    void UpdateRibbonForView(bool fullUpdate);
    // The active view changed (or `force`): ribbon, groups, message bars, frameless bars.
    void OnActiveViewChanged(CView* view, bool force);
    // The frame's active view while its window lives, or null.
    CView* GetLiveActiveView() const;
    // Steps of the screen-mode switch (mainframe/main_frame_modes.cpp).
    bool LeaveScreenMode(UINT mode);
    void EnterScreenMode(UINT mode);
    void HideBarsForScreen(CXTPCommandBars* bars, bool fullScreen);
    void SetCaptionStyles(bool on);
    void CoverMonitor();
    std::unique_ptr<CXTPPropExchange> SaveLayoutSection(LPCWSTR name);
    // Loads a kept layout; answers whether the ribbon showed in it (true when it does not say).
    bool LoadLayoutSection(const std::unique_ptr<CXTPPropExchange>& section);
    void ApplyTabClientSettings();
    void CreateFramelessToolBars();
    bool ManipPanelEditHasFocus() const;
    // Every ribbon control (deep) is initialised through the value protocol, and a twin of a
    // panel control the update pass leaves alone is left alone too.
    void InitRibbonControls();
    // The callbacks through which the UI library asks the frame while it applies a ribbon
    // layout: the frame's own controls and the attributes the library leaves to it.
    void InitRibbonApplicationParameters();
    // How a tool bar (the menu bar among them) is built from its layout element: the controls
    // replaced and kept as the bar's originals, the frame's own controls and the tool-bar
    // attributes (the help anchor among them).
    Korvo::UI::XML::ApplicationParameters ToolBarApplicationParameters(CXTPCommandBar& bar);
    // Steps of applying a state (mainframe/main_frame_state_xml.cpp): the menu bar and the tool
    // bars; the "codejock" node; the window placement.
    void ApplyBarsState(const Korvo::UI::MainFrameState& state);
    void ApplyLayoutNode(const Korvo::UI::XML::Element& layout, bool withDockingPanes);
    void RestorePlacement(const MainFrameState& state);
    bool IsCreationRibbon(const Korvo::UI::XML::RibbonBar& definition) const;
    // What a loaded layout leaves to the program: the add-on applications' tools, the
    // installed-configurations menu and the PDM commands' controls.
    void RestoreAfterLayoutLoad();

    // Members in declaration order.
    CMainFrameDropTarget m_dropTarget;
    CKVDockingPaneManager m_paneManager;
    CKVTabClientWnd m_tabClient;
    CKVMDIClientWnd m_mdiClient;
    std::unique_ptr<CXTPPropExchange> m_layoutSection;
    std::unique_ptr<CXTPPropExchange> m_fullScreenLayoutSection;  // keeps "fullscreenLayout"
    UINT m_userItemCount = 0;
    MessageBarList m_messageBars;
    UINT m_screenMode = 0;
    RECT m_savedRect{};            // the window's rectangle when it left screen mode 0
    RECT m_savedNormalRect{};      // its placement's restored rectangle then (differs when maximised)
    bool m_savedWorkbook = true;   // the workbook state when it entered the clean screen
    DWORD m_viewTypeMask = 0;
    // The active view is held by its window: a view goes with its document window, and a window
    // that is not a document window (a picture, a page) tells the frame nothing when it goes.
    HWND m_activeViewWindow = nullptr;
    const CKvw32Doc* m_activeDocument = nullptr;    // compared, never dereferenced; dropped when it closes
    Korvo::UI::FramelessToolBars* m_framelessBars = nullptr;  // one reference, released on destruction
    UINT m_analysisRibbonId = 1;
    bool m_minimizeRibbonWindowed = false;
    bool m_minimizeRibbonFullScreen = true;
    int m_showCommand;
    bool m_shown = false;
    bool m_contextHelpMode = false;  // Shift+F1: the next command shows its help instead of running
    bool m_showClassicAutoMenu = true;

    bool m_workbookMode = false;
    bool m_creating = false;
    bool m_destroying = false;
    bool m_ribbonMode = true;
    bool m_copyingControlValue = false;  // an executed control's value goes to its twins
    bool m_barNotificationsSuppressed = false;  // set while settings are applied to the bars
    CString m_themeName;
    Korvo::UI::XML::ApplicationParameters m_ribbonParameters;
    // The document whose keywords the ribbon's tagged tabs show (compared, never dereferenced).
    const CKvw32Doc* m_ribbonDocument = nullptr;
};
