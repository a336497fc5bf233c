// The application object of the shell: start-up, the settings read from the product ini file and
// the command line, and the application-wide members every subsystem reaches through
// CKvw32App::Instance(). The one object of the process is the global KorvoApp (korvo_app.h).
#pragma once

#include <functional>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "app/documents/recent_file_list.h"
#include "app/recovery/critical_error_record.h"
#include "app/automation/kv_server.h"
#include "app/commands/application_commands.h"
#include "auxiliary/log_window.h"
#include "auxiliary/text_browser_array.h"
#include "auxiliary/varnel_pane_titles.h"
#include "commandbars/user_commands.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/pane_windows.h"
#include "platform/compression.h"
#include "platform/diagnostics.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/managedui.h"
#include "platform/mfc.h"
#include "services/application.h"

class CMenu;
class CXTPControls;
namespace Korvo::UI {
class MainFrameState;
}
class TechRequirementsWindow;

// True when any icon of the set is a vector icon (the icon statistics count such sets apart).
bool ImageManagerHasVectorIcons(const CXTPImageManagerIconSet* iconSet);

class CKvw32App : public kvaux::MfcApplication,
                  public TypedApplicationEventListener<783>,
                  public KorvoManagedUIProxy::IPrototypesCallback,
                  public ApplicationServices {
public:
    // The command-line record: the framework's fields, with the kernel's own flags kept away from
    // the framework's parser.
    class KVCommandLineInfo : public CCommandLineInfo {
    public:
        void ParseParam(LPCWSTR param, BOOL isFlag, BOOL isLast) override;

        CString m_strExtra;
    };

    CKvw32App();
    ~CKvw32App() override;
    CKvw32App(const CKvw32App&) = delete;
    CKvw32App& operator=(const CKvw32App&) = delete;

    static CKvw32App* Instance();

    // ---- Start-up ------------------------------------------------------------------------------
    // The outer phase: command line, product ini, kernel and its modules, splash; runs the inner
    // phase between the kernel session's post-initialisation and the splash's end.
    BOOL InitInstance() override;

    // ---- Framework overrides -------------------------------------------------------------------
    int ExitInstance() override;
    CDocument* OpenDocumentFile(LPCWSTR path) override;
    // Count 0: the idle pass (kernel tasks, the critical-error bar, the watched handle, the panes,
    // auto-save, session idle, the popup tool bar, the configurations pane) and 1; count 1: the
    // framework's clean-up and 0; later 0.
    BOOL OnIdle(LONG count) override;
    // The kernel's own heartbeat timer does not restart idle processing.
    BOOL IsIdleMessage(MSG* message) override;
    // A key pressed while a document is current goes to its action log (with Shift 4, Alt 2,
    // Ctrl 1); then the framework's walk from the main window, when there is one.
    BOOL PreTranslateMessage(MSG* message) override;

    // ---- Auto-save and critical errors ---------------------------------------------------------
    // Saves every modified, writable document with a path that waited an auto-save interval,
    // showing the auto-save dialog at least a second per document.
    void AutoSaveDocuments();
    // Thread-safe. On the UI thread the first error is kept for the next idle pass, which offers
    // it in a message bar; on another thread the crash reporter's dialog shows, the program
    // restarts when asked to, and the process ends with exit code 1.
    void OnCriticalError(LPCWSTR message);
    // The frame showing the critical-error bar closed, or the bar went away.
    void ForgetCriticalErrorBar(HWND frame) override;
    bool HasPendingCriticalError();
    void SetApplicationFlag(BYTE flag) override { m_applicationFlags |= flag; }
    // Before start-up has finished, commands are queued and acknowledged; afterwards they run
    // without changing the main window's show state.
    BOOL OnDDECommand(LPWSTR command) override;

    // ---- DDE queue ---------------------------------------------------------------------------
    void QueueDdeCommand(LPCWSTR command) override;
    // Runs the queued commands in arrival order once start-up has finished.
    void ProcessPendingDdeCommands() override;
    bool IsStartupFinishedForDde() const { return m_startupFinishedForDde; }
    const std::vector<CString>& GetPendingDdeCommands() const { return m_pendingDdeCommands; }

    // ---- Product settings ----------------------------------------------------------------------
    // A non-empty relative path value is made absolute against the program folder.
    static CString GetIniPath(const kvio::IniFile& ini, LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue = L"");
    CString GetApplicationsIniPath() const;
    UINT GetMainResourceId() const override { return m_mainResourceId; }
    UINT SetMainResourceId(UINT id);  // returns the previous id
    UINT GetTitleStringId() const override { return m_titleStringId; }
    UINT SetTitleStringId(UINT id);  // returns the previous id
    CString GetProductTitle() const;
    // Replaces the registry product key name (the framework's profile name).
    void SetProfileName(LPCWSTR name);
    int GetProductImageIndex() const override;
    const CString& GetLanguage() const { return m_language; }
    const CString& GetCompany() const { return m_company; }
    const CString& GetRegistryName() const { return m_registryName; }
    const CString& GetAppTitle() const { return m_appTitle; }
    const CString& GetDefaultStateFile() const { return m_defaultStateFile; }
    SIZE GetFixedSize() const { return {static_cast<LONG>(m_fixedWidth), static_cast<LONG>(m_fixedHeight)}; }
    HMONITOR GetPrimaryMonitor() const override { return m_primaryMonitor; }
    const CString& GetVarnelProfileFileName() const { return m_varnelProfileFileName; }
    int GetStartupComplete() const { return m_startupComplete; }
    // True when no watched handle is pending.
    bool IsIdleProcessDone() const { return m_watchedHandle == nullptr; }

    // ---- Registered names (case-insensitive) ---------------------------------------------------
    void AddRegisteredName(LPCWSTR name);
    bool IsRegisteredName(LPCWSTR name) const;

    CDocTemplate* AddDocTemplateSafe(CDocTemplate* docTemplate) override;
    // Through the recent-file list's catching add, so a path it cannot take never fails an open.
    void AddToRecentFileList(LPCWSTR path) override;
    // Opens a recent-file entry; an entry that failed to open is removed unless the user chose to
    // keep it.
    BOOL OnOpenRecentFile(UINT id) override;
    // The user's answer to removing the recent-file entry of `path` that failed to open. While a
    // recent-file command opens, "No" keeps the entry from that command's removal; otherwise "Yes"
    // removes it and "No" changes nothing.
    void AnswerRecentEntryRemoval(LPCWSTR path, bool remove);
    // The application's first template that is the kernel's document template, or null.
    CKVDocTemplate* GetDocTemplate() const override;
    Korvo::DocInitParams GetDocumentOpenParameters() const override;
    Korvo::UI::AutoMenuController& GetAutoMenuController() override { return m_autoMenuController; }
    CKVRecentFileList* GetRecentFileList() const override;
    // A recent-file command is opening its file.
    bool IsOpeningRecentFile() const { return m_openingRecentFile; }
    // The product ini's "BackgroundImage" (empty when not set).
    const CString& GetBackgroundImage() const override { return m_backgroundImage; }

    // ---- Main frames ---------------------------------------------------------------------------
    // The kernel's UI module keeps the main frames; the application keeps no list of its own.
    // The UI module's main frames that are CMainFrame windows, in the UI module's order.
    std::vector<CMainFrame*> GetMainFrames() const;
    int NumMainFrames() const override { return static_cast<int>(GetMainFrames().size()); }
    // Calls `callable` with every main frame, in the UI module's order, as the UI module walks
    // them (a frame closed meanwhile is not visited); frames of other classes are skipped.
    template <class F>
    void ForEachMainFrame(F&& callable) const {
        UIModuleProxy::Instance().ForEachMainFrame([&](CFrameWnd* window) {
            if (CMainFrame* frame = AsMainFrame(window)) callable(frame);
        });
    }
    void ForEachMainFrame(const std::function<void(MainFrameServices*)>& callable) const override {
        ForEachMainFrame([&](CMainFrame* frame) { callable(frame); });
    }
    // The UI module's active main frame, or null (also when it is not a CMainFrame).
    CMainFrame* GetActiveMainFrame() const override;
    // The user-defined commands (ids 37000 to 37999).
    CKVUserCommands& GetUserCommands() override { return m_userCommands; }
    // The tabs of the active main frame, or null.
    void* GetActiveMainFrameTabs() const;
    // One frame: the main window title; several: "<title> (<k>)" from 1 in the UI module's order.
    void UpdateFrameTitles() override;
    // "AppTitle" of the product ini when set; otherwise the product title and the version text.
    CString GetMainWindowTitle();
    // With two frames or more, the frame after the active one (after the last, the first).
    void ActivateNextMainFrame() override;
    // How deeply message pumps are nested now (1 in the main loop; 0 outside any).
    UINT GetPumpDepth() const override { return 0; }
    // The last main frame closes: the program is on its way out.
    void SetExiting(bool exiting) override { m_exiting = exiting; }
    bool IsExiting() const { return m_exiting; }
    // Writes the documents open now that have a path to the "OpenDocuments" section for the next
    // start ("Count" 0 when reopening is off).
    void SaveOpenDocumentsList() override;
    // Enables or disables the window of every main frame; a call made meanwhile (a frame's own
    // reaction to being enabled) is ignored.
    void EnableMainFrames(bool enable) override;

    // ---- UI settings ---------------------------------------------------------------------------
    // Applies a UI theme through the UI module; false when the module does not know or cannot
    // apply it. Once start-up is complete the name is remembered in the per-user settings.
    bool SetTheme(LPCWSTR name);
    const CString& GetThemeName() const { return m_themeName; }
    UINT GetThemeCommandId() const { return m_themeCommandId; }
    void SetRibbonMode(bool ribbon) override;
    // Hears which main frame became active (its window; null when the application went to the
    // background). None by default.
    void SetActivationObserver(ActivationObserver observer) { m_activationObserver = std::move(observer); }
    const ActivationObserver& GetActivationObserver() const override { return m_activationObserver; }
    bool IsRibbonMode() const override { return m_ribbonMode; }
    // Ignored unless both sides are at least 1; large icons when a side exceeds 16.
    void SetToolBarIconSize(SIZE size);
    SIZE GetToolBarIconSize() const override { return m_toolBarIconSize; }
    SIZE GetScaledToolBarIconSize() const { return m_scaledToolBarIconSize; }
    bool IsLargeToolBarIcons() const override { return m_largeToolBarIcons; }
    // One control (menu item) per theme of the UI module, ids 3401 + index, at most up to 3449.
    void FillThemeControls(CXTPControls* controls) const;
    void FillThemeMenu(CMenu* menu) const override;

    // ---- Document activation ---------------------------------------------------------------------
    // Makes `document` (or none) the document of the document-bound panes. Calls made while an
    // activation runs (from the panes it notifies) are ignored.
    void ActivateDocument(CKvw32Doc* document) override;
    CKvw32Doc* GetCurrentDocument() const override { return m_currentDocument; }
    // The kernel closed `document`: it stops being the current one without any notification.
    void ForgetClosedDocument(CKvw32Doc* document);

    // ---- Services for the kernel ---------------------------------------------------------------
    void BlockPaintAllDocuments(bool block);
    // Documents whose repaint flag is set are redrawn completely.
    void RepaintAllDocuments();
    // Runs a text browser after making sure the dictionary file setting exists; true when it ran.
    bool BrowseText(int index, void* argument, LPCWSTR text);
    // The browser whose hot key the kernel key code is (the modifiers are the keys held now);
    // false when there is none.
    bool BrowseTextByKey(UINT key, UINT modifiers, void* argument, LPCWSTR text);
    void GetTextBrowserMenuTexts(CStringArray& texts) const;
    void SetTextBrowsersEdit(void* edit);
    void InitializeTextBrowserProfileItems();
    // Loaded from the default layout on first use (then the global context menus are loaded).
    std::shared_ptr<Korvo::UI::MainFrameState> GetDefaultMainFrameState() override;
    // The error pane window when it exists (never created here).
    CWnd* GetErrorWindow() const override { return m_paneWindows.error.Get(); }
    // The diagnostics pane window, made (with automatic showing on) when `create` is set.
    CWnd* GetErrorWindow(bool create);
    Korvo::UI::LogWindow* GetLogWindow() const { return m_logWindow.get(); }

    // ---- System handlers of the application command table --------------------------------------
    // "Quit" (and the framework's exit id): ends running commands, asks about every modified
    // document and the add-on applications, keeps the list of open documents and asks the loop to
    // end; 1 when the program exits, 0 when something refused.
    static int OnQuit(std::int64_t argument);
    // "WindowCloseAll": closes every document once all agreed to be saved or discarded; always 1.
    static int OnWindowCloseAll(std::int64_t argument);

    // ---- Shutdown and restart --------------------------------------------------------------------
    // TRUE when the documents may be closed: a crash report that forbade saving answers at once;
    // otherwise a running macro, every modified document and the library configurations agree.
    BOOL SaveAllModified() override;
    // The first half of shutdown, then ExitInstance. Runs once: the loop's exit reaches it after
    // a command asked for the exit, and a later call only answers the first one's exit code.
    int ExitInstanceBody();
    bool HasShutDown() const { return m_shutDown; }
    // Asks the message loop to end; the shutdown then runs from the loop, never under the command
    // handler that asked.
    void RequestExit();
    // Destroys main frames until the UI library reports none.
    void CloseAllMainFrames();
    // Releases the shared pane windows, then destroys every pane window the slots own (their
    // flag bits stay).
    void DestroyPaneWindows();
    // Starts a new instance of the program with this one's command line and asks this one to
    // exit; `keepState` false skips saving the settings (a reset). False, with the program still
    // running, when the new instance could not be started.
    bool Restart(bool keepState);

    // ---- The application's own commands (its message map) ------------------------------------
    // Application commands 17000 to 32000: a module's callback record, else the kernel
    // description run by the add-on application manager. A read-only active document runs
    // nothing; a record that allows running without a document still shows enabled for it.
    afx_msg void OnObjectCommand(UINT id);
    afx_msg void OnUpdateObjectCommand(CCmdUI* cmdUI);
    // Add-on application commands 15000 to 16999: every application whose range holds the id.
    afx_msg void OnApplicationCommand(UINT id);
    afx_msg void OnUpdateApplicationCommand(CCmdUI* cmdUI);
    afx_msg void OnInfoTipToggle();
    afx_msg void OnInfoTipNext();
    afx_msg void OnInfoTipPrevious();
    afx_msg void OnInfoTipReload();
    // The active main frame shown normally at its top-left corner in the fixed size.
    afx_msg void OnRestoreFixedSize();
    // Themes 3401 to 3449 by their index in the UI module's list; the current one is not
    // applied again.
    afx_msg void OnThemeCommand(UINT id);
    afx_msg void OnUpdateThemeCommand(CCmdUI* cmdUI);
    afx_msg void OnConnectToVarnel();
    afx_msg void OnUpdateConnectToVarnel(CCmdUI* cmdUI);
    afx_msg void OnDisconnectFromVarnel();
    afx_msg void OnRunVarnelClient();
    afx_msg void OnUpdateVarnelConnected(CCmdUI* cmdUI);
    // The 3D module's message: both parameters go to the kernel's 3D part.
    afx_msg void On3DModuleMessage(WPARAM wParam, LPARAM lParam);
    // The log window, brought up or made when the program log exists.
    afx_msg void OnViewLog();
    afx_msg void OnUpdateViewLog(CCmdUI* cmdUI);
    afx_msg void OnAppAbout();

    // ---- PDM connection and document state, as the kernel reports them ------------------------
    // Connected: the work mix's connection is held and the add-on applications start their second
    // phase again; disconnected: it is released. Then the assembly pane and every frame hear.
    void OnChangeVarnelConnectionState(bool connected);
    void OnChangeDocumentState(CKvw32Doc* document);

    // ---- Help context --------------------------------------------------------------------------
    // A positive delta pushes, a negative one pops; id and file change only at nesting level 0.
    // Returns the id in force before the call.
    UINT SetHelpContext(UINT helpId, LPCWSTR helpFile, int delta) override;
    UINT GetHelpId() const { return m_helpId; }
    const CString& GetHelpFile() const { return m_helpFile; }

    // Help at the current help context (the UI module's context-help id when it has one).
    void OnHelp() override;
    void ShowHelpTopic(UINT topicId) override;
    void ShowHelpContext(UINT id) override;
    // What the main frame serves the subsystems under it, handed on (app/subsystem_services.cpp).
    bool OnHelpLink(LPCWSTR url) override;
    void ShowFileInFolderWindow(const CString& path) override;
    void OpenFolderWindow(const CString& folder) override;
    std::unique_ptr<GenerateDumpFileContextBase> CreateCrashDumpContext() override;
    // The help file's topic page ("<help file>::/<topic>").
    void ShowHelpFileTopic(LPCWSTR topic);
    // Every help request ends here: data that is a multiple of 100 names an application command's
    // help or a topic; listeners of event 1027 hear of the request first; without "Korvo.chm"
    // the on-line help address is shown instead.
    void WinHelpInternal(DWORD_PTR data, UINT command = HELP_CONTEXT) override;
    // The help file to open (made absolute against the program folder), the partner product's
    // help file for country 5, or empty.
    CString ResolveHelpFile(const CString& path) const;
    CString GetTutorialsFolder() const override;
    void OnTutorial();
    // The video player of tutorial links, relative to the tutorials folder (empty: none).
    const CString& GetVideoPlayer() const override { return m_videoPlayer; }

    // ---- The main windows' state file -----------------------------------------------------------
    // The registry sections of a settings profile and of its "MainFrame" item (null: the default
    // profile).
    static CString GetProfileSectionName(LPCWSTR profile);
    static CString GetMainFrameSectionName(LPCWSTR profile);
    // Applies the profile's "state.xml" to the main frames: the k-th "MainWindow" element to the
    // k-th frame (a new frame when there are fewer), the last one to every remaining frame.
    // False, with nothing changed, unless the profile says a state file was written (or
    // `ignoreUseStateFile`) and the file loads with the root "state" of this product.
    bool LoadState(LPCWSTR profile, bool ignoreUseStateFile);
    // Writes one "MainWindow" element per main frame into the default profile's "state.xml"
    // and notes in the profile that it exists. True without writing before start-up completed;
    // false without a main frame or when the file cannot be written.
    bool SaveState();

    // ---- Pane windows --------------------------------------------------------------------------
    // Applies the product ini's "DockingPanes" list; without the key every pane window is enabled.
    void EnableDockingPaneWindows(const kvio::IniFile& ini);
    // Enables or disables the pane window of a "DockingPanes" name; false for an unknown name.
    bool EnableDockingPaneWindow(LPCWSTR name, bool enabled);
    PaneWindows& GetPaneWindows() { return m_paneWindows; }
    // The window of docking pane `paneId` (1003 to 1040), made on demand when `create` is set.
    // Null for other ids, ids without a window in this edition, disabled panes and PDM windows
    // that are not available.
    CWnd* GetDockingPaneWindow(UINT paneId, bool create) override;
    // The hidden window pane windows are created under; made on first use.
    CWnd* GetDockingPaneDummyWindow() override;
    // The pane of the first main frame, in GetMainFrames order, that hosts the window of
    // `paneId` (made on demand); `frame` and `window` tell which. Null when none hosts it.
    CXTPDockingPane* FindDockingPane(UINT paneId, CMainFrame*& frame, CWnd*& window);

    // Pane-window creators: the window in the slot, made (when `create` is set and the pane is
    // enabled) under the dummy host with the pane id as control id.
    CWnd* GetDrawMenuWindow(bool create);
    CWnd* GetModelTreeWindow(bool create);
    CWnd* GetTaskWindow(bool create);
    CWnd* GetNCWindow(bool create);
    CWnd* GetGenerationQueueWindow(bool create);
    CWnd* GetWeldTreeWindow(bool create);
    CWnd* GetModelElementsWindow(bool create);
    CWnd* GetAssemblyStructureWindow(bool create);
    // The PDM assembly window; with `onlyWhenAvailable` null until its contents exist.
    CWnd* GetVarnelAssemblyWindow(bool onlyWhenAvailable, bool create) override;
    // The PDM explorer pane window of a kind (CVarnelFrame::Kind); with `onlyWhenAvailable`
    // null while it can show no explorer.
    CWnd* GetVarnelWindow(int kind, bool onlyWhenAvailable, bool create) override;
    CWnd* GetVarnelDesktopWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetVarnelFavoritesWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetVarnelArchivesWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetVarnelSearchWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetVarnelMailWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetVarnelConfigurationSettingsWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetVarnelLibraryElementsWindow(bool onlyWhenAvailable, bool create);
    CWnd* GetPropertiesWindow(bool create) override;
    CWnd* GetAnnotationsWindow(bool create);
    CWnd* GetConfigurationsWindow(bool create);
    CWnd* GetLayersWindow(bool create);
    CWnd* GetFormFactorWindow(bool create);
    // The technical-requirements host window an add-on put into its slot, or null.
    TechRequirementsWindow* GetTechRequirementsWindow() const;
    // The command search's pane window (pane 1028), made hidden on first demand.
    CWnd* GetFindCommandWindow(bool create);
    // The bird's-eye-view pane window (a KVBEV, control id 1003).
    CWnd* GetBirdsEyeViewWindow(bool create) override;
    // The command search hears of a command registered after its list was built.
    void NotifyCommandRegistered(UINT id);
    // The help key while a tip of the command search's list shows: true when it took the key.
    bool OnFindCommandHelp() override;

    // ---- Application commands and profiles -----------------------------------------------------
    // Registers the "ApplicationCommand" sections of "application.xml" in order (an equal
    // command is registered again under its id, a section of an unknown kind or unparsable id is
    // skipped), then lets every frame's stored controls follow the ids the commands got now.
    void LoadApplicationCommands(CXTPPropExchangeEnumerator& sections);
    void SaveApplicationCommands(CXTPPropExchangeEnumerator& sections) const;
    // Writes "application.xml" in the program folder; a failure is logged and leaves the old file.
    void SaveApplicationCommandsFile() const;
    // `loadedIds`: per section in file order, the id its command has now, or 0 when it got none.
    void RemapApplicationCommandIds(const std::vector<UINT>& loadedIds);
    // A command registered at run time; null when an equal command is registered already (with
    // `replace`, that command takes the new one's data and is the answer) or no id is left.
    IApplicationCommand* RegisterApplicationCommand(std::unique_ptr<IApplicationCommand> command, bool replace);
    const ApplicationCommands& GetApplicationCommands() const { return m_applicationCommands; }
    void ApplyStartupProfile();
    // The PDM work mix's connection result (2: not connected; 3 ends start-up).
    int ConnectPdmAtStartup();
    // Sets the link to the installed PDM program whose machine key is `keyPath` (as given, or
    // under "SOFTWARE\" or "SOFTWARE\Wow6432Node\"); false, leaving the link, when none is.
    static bool ReadVarnelInstance(const CString& keyPath, NativeSettings::Varnel& settings);

    CTextBowserArray& GetTextBrowsers() { return m_textBrowsers; }
    BYTE GetApplicationFlags() const override { return m_applicationFlags; }

    // ---- Listeners and callbacks ---------------------------------------------------------------
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override;
    void CreateNewDocumentFromPrototype(LPCWSTR path) override;

protected:
    // The inner phase: everything the user sees, from the framework's initialisation to the
    // documents of the last run.
    BOOL InitInstance(KVCommandLineInfo& commandLine, const kvio::IniFile& ini);

    // Keeps the "NoAlpha" setting; the final application class stores it.
    virtual void SetAlphaAllowed(bool allowed);
    // Text that follows the product title in the application name (the About box shows it too).
    virtual CString GetVersionText() const;
    friend class CAboutDlg;

    // True only while the start-up shell command is processed, until the first open uses it.
    bool m_openingStartupShellCommand = false;

private:
    struct NoCaseLess {
        bool operator()(const CString& a, const CString& b) const { return a.CompareNoCase(b) < 0; }
    };
    using WatchedHandleCallback = void (*)();

    // Outer steps that carry their own logic.
    bool IsKernelVersionAccepted();
    void LoadKernelModules();
    // Inner steps that carry their own logic.
    void FindPrimaryMonitor();
    void LoadAddOnApplications();
    void LoadApplicationCommandsFile();
    void SetUpHelpPath();
    bool ApplyStartupTheme();
    void RegisterOle();
    void LoadLanguageSpecificRibbon();
    void SetApplicationName();
    void CreateRecentFileList();
    void RefreshRegistrationIfWritable();
    void ResetCrashRestoreState();
    void RestoreCrashCopies();
    void ReopenDocumentsOfLastRun();
    void FinishStartupForDde();

    static CMainFrame* AsMainFrame(CFrameWnd* window);
    // "Settings" values no profile item keeps, and the text browsers' profiles.
    void WriteExitSettings();
    // Idle steps.
    // Offers a critical error that waits in a message bar of the active frame.
    void ShowPendingCriticalErrorBar();
    // A signalled watched handle runs its callback once and is closed.
    void RunWatchedHandleCallback();
    void UpdatePanesAtIdle();
    // Shows or hides the popup tool bar for the selection the last event 783 announced.
    void DecidePopupToolBar();
    // Under the critical-error mutex: the bar the record names still stands in its frame.
    bool IsCriticalErrorBarShown() const;
    // The critical-error message bar's buttons (0 send, 1 view, 2 show report files, 61536
    // close); true closes the bar.
    bool OnCriticalErrorBarButton(UINT buttonId);
    // Steps of ActivateDocument.
    void SwitchPanesToDocument(CKvw32Doc* oldDocument, CKvw32Doc* newDocument);
    void ShowDocumentErrors(CKvw32Doc* document);
    void ResetSyspanelForDocument(CKvw32Doc* document);

    // Members in construction order.
    std::set<CString, NoCaseLess> m_registeredNames;
    CTextBowserArray m_textBrowsers;
    int m_startupComplete = 0;
    HANDLE m_watchedHandle = nullptr;
    WatchedHandleCallback m_watchedCallback = nullptr;
    UINT m_mainResourceId = 0;
    UINT m_titleStringId = 0;
    BYTE m_applicationFlags = 0;
    bool m_startupFinishedForDde = false;
    UINT m_fixedWidth = 1440;
    UINT m_fixedHeight = 900;
    std::vector<CString> m_pendingDdeCommands;
    COleTemplateServer m_server;
    KVServerFactory m_serverFactory;
    HANDLE m_settingsMutex = nullptr;
    CString m_language;
    CString m_registryName;
    CString m_company;
    CString m_tutor;
    CString m_tutorHtm;
    CString m_tutorDownloadUri;
    CString m_appTitle;
    CString m_videoPlayer;
    CString m_applicationsFile;
    CString m_defaultStateFile;
    CString m_backgroundImage;
    CString m_defaultDynamicToolBarFile;
    CString m_defaultContextMenuFile;
    CString m_defaultTemplateFolder;
    HMONITOR m_primaryMonitor = nullptr;
    std::shared_ptr<Korvo::UI::MainFrameState> m_defaultMainFrameState;
    CKvw32Doc* m_popupToolbarDocument = nullptr;
    Korvo::UI::AutoMenuController m_autoMenuController;
    PaneWindows m_paneWindows;
    CKVUserCommands m_userCommands;
    // Registers the auxiliary subsystem's services for the application's whole life.
    VarnelPaneTitles m_auxiliaryServices;
    ApplicationCommands m_applicationCommands;
    CString m_mainWindowTitle;
    CString m_themeName;
    CString m_varnelProfileFileName;
    std::mutex m_criticalErrorMutex;
    std::unique_ptr<CriticalErrorRecord> m_criticalError;
    SIZE m_toolBarIconSize{24, 24};
    SIZE m_scaledToolBarIconSize{24, 24};
    bool m_ribbonMode = true;
    ActivationObserver m_activationObserver;

    // Help context: current id, nesting level and help file.
    UINT m_helpId = 1;
    int m_helpLevel = 0;
    CString m_helpFile;
    UINT m_themeCommandId = 0;
    bool m_largeToolBarIcons = true;
    bool m_enablingMainFrames = false;
    bool m_exiting = false;
    bool m_openingRecentFile = false;
    CKvw32Doc* m_currentDocument = nullptr;
    std::unique_ptr<Korvo::UI::LogWindow> m_logWindow;
    bool m_shutDown = false;
    int m_exitCode = 0;
    // The PDM work mix's connection, held while connected (one reference).
    KVPDMConnection* m_pdmConnection = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The path of "state.xml" in the "MainFrame" folder of a settings profile (null: the default
// profile), making the folder when `createFolder` is set; empty without such a folder.
CString GetMainFrameStateFilePath(LPCWSTR profile, bool createFolder);
