// The kernel's way into the shell: the application's implementation of the kernel's callback
// interface, in the interface's order. Each operation forwards to the application object, to the
// kernel's UI module, to the active main frame or to every main frame in the UI module's order
// (frames of other classes are skipped). Without an active main frame an operation changes
// nothing and answers its empty value (null, 0, false; -1 for the selection-filter set, 0xFFFFFFFF
// for the backstage tab). Operations that reach panes, dialogs or bars this program does not make
// answer that empty value too.
#pragma once

#include "app/automation/processes_using_file.h"
#include "platform/kernel.h"

class CKvw32App;
class CMainFrame;

class ServerAppProxy : public KorvoServerAppProxy {
public:
    explicit ServerAppProxy(CKvw32App* app) : app_(app) {}

    bool IsShellEditionFeature() override;
    DWORD GetProductFlags(DWORD& flags) override;
    bool IsViewerEdition() override;
    bool IsMardel() override;
    bool IsQuenta() override;
    bool IsOstrel() override;
    bool IsEditionFeatureOff() override;
    bool IsEdition128() override;
    bool IsEdition256() override;
    bool IsEdition512() override;
    bool CanLoadWorkSessionFiles() override;
    bool IsGrsDocumentsShown() override;
    CKvw32Doc* GetCurrentDocument() override;
    void SetCurrentDocument(CKvw32Doc* document) override;
    void OnChangeDocumentState(CKvw32Doc* document, DWORD state) override;
    void OnDocumentClosed(CKvw32Doc* document) override;
    void QueryAbsentPane() override;
    UINT GetCurrentHelpId() override;
    UINT SetHelpContext(UINT helpId, LPCWSTR helpFile) override;
    void ShowHelpFileTopic(LPCWSTR topic) override;
    void ShowCurrentHelpTopic() override;
    void ShowCurrentHelp() override;
    CString GetBugReportAddress() override;
    void BlockPaintAllDocuments(bool block) override;
    void RepaintAllDocuments() override;
    bool BrowseText(int index, void* argument, LPCWSTR text) override;
    void SetTextBrowsersEdit(void* edit) override;
    bool BrowseTextByKey(UINT key, UINT modifiers, void* argument, LPCWSTR text) override;
    void GetTextBrowserMenuTexts(CStringArray& texts, bool limit) override;
    CKVView* GetBirdsEyeView() override;
    void SetBirdsEyeViewView(CKVView* view) override;
    void RedrawBirdsEyeView() override;
    void InvalidateBirdsEyeView() override;
    CWnd* GetConfigurationsControl() override;
    CWnd* GetWeldTreeWindow() override;
    CWnd* GetAbsentPaneA() override;
    void QueryAbsentPaneB() override;
    CWnd* GetAbsentPaneC() override;
    bool GetPaneState1020(KVPaneState& state) override;
    bool SetPaneState1020(const KVPaneState& state) override;
    bool GetPaneState1006(KVPaneState& state) override;
    void SelectWorkmixPosition(std::function<void(KVWorkmixPosition&)> fill) override;
    UINT GetSyspanelCurrentId() override;
    void SetSyspanelControls(const stlControlsIDs& controls) override;
    void EnableSyspanelControl(UINT id, bool enable) override;
    void DisableSyspanelControls() override;
    void SyspanelStatusChanged() override;
    void GetFontComboText(CString& text, UINT id) override;
    bool set_syspanel_doublevar(CKvw32Doc* document, UINT id, double value, short variable) override;
    bool set_syspanel_intvar(CKvw32Doc* document, UINT id, int value, short variable) override;
    bool set_syspanel_cstr(CKvw32Doc* document, UINT id, const CString& text) override;
    bool set_syspanel_font(CKvw32Doc* document, UINT id, const CString& name, int kind) override;
    bool set_syspanel_int(CKvw32Doc* document, UINT id, int value) override;
    bool UnpackSyspanelDoubleVar(UINT id, double& value) override;
    bool UnpackSyspanelIntVar(UINT id, int& value) override;
    bool GetSyspanelControlIntValue(UINT id, int& value) override;
    void SetSyspanelButtonStatus(UINT id, bool checked, bool disabled) override;
    bool GetSyspanelControlState(UINT id, bool& checked, bool& disabled) override;
    void* GetSyspanelControlData(UINT id) override;
    CXTPRibbonBar* GetRibbonBarOfFrame(CWnd* frame) override;
    void* GetFrameToolsData(CWnd* frame) override;
    StatusLineProxy* GetStatusLineProxy() override;
    bool IsRestartRequested() override;
    bool IsCrashFlagSet() override;
    void SetCrashFlag() override;
    void* GetActiveMainFrameTabs() override;
    bool OnDropOnWindow(CWnd* window, COleDataObject* data, DROPEFFECT effect, POINT point) override;
    DROPEFFECT OnDragOverWindow(CWnd* window, COleDataObject* data, DWORD keyState, POINT point) override;
    BOOL OnObjectCommand(UINT id) override;
    BOOL OnUpdateObjectCommand(CCmdUI* cmdUI) override;
    UINT RegisterAppCommand(std::unique_ptr<IApplicationCommand> command, UINT iconId, HICON largeIcon, HICON smallIcon, const CommandTooltipInfo* tooltip) override;
    void SetCommandIcon(UINT id, HMODULE module, LPCWSTR resourceName) override;
    void SetCommandIcon(UINT id, const BYTE* svg, std::uint64_t size) override;
    void SetCommandIcon(UINT id, CXTPImageManagerIcon* icon) override;
    void SetCommandIcon(UINT id, HICON icon) override;
    void SetCommandIcon(UINT id, UINT iconId, bool fromResources) override;
    bool IsApplicationCommandId(UINT id) override;
    int GetApplicationCommandCount() override;
    IApplicationCommand* GetApplicationCommand(int index) override;
    IApplicationCommand* GetApplicationCommandById(UINT id) override;
    IApplicationCommand* FindApplicationCommand(LPCWSTR name) override;
    IApplicationCommand* FindApplicationCommandById(UINT id) override;
    bool IsRegisteredName(LPCWSTR name) override;
    void AddRegisteredName(LPCWSTR name) override;
    bool InsertUserPopupMenu(LPCWSTR caption, HMENU menu, int referenceId, BYTE mode, DWORD flags, LPCWSTR key,
                             int index) override;
    bool RemoveUserPopupMenu(LPCWSTR key) override;
    bool InsertUserMenuItem(LPCWSTR caption, UINT command, int referenceId, BYTE mode, DWORD flags,
                            int index) override;
    void InsertRibbonSystemMenuItem(UINT id, LPCWSTR caption, UINT position, bool after) override;
    void UpdateInstalledConfigurationsMenu() override;
    HICON LoadMainIcon() override;
    bool IsToolBarVisible(UINT barId) override;
    LPCWSTR GetRegistryCompanyName() override;
    LPCWSTR GetRegistryProductName() override;
    bool IsIdleProcessDone() override;
    CWnd* GetModelTreeWindow() override;
    CWnd* GetTaskWindow() override;
    CWnd* GetAbsentPaneD() override;
    CWnd* GetNCWindow() override;
    CWnd* GetAbsentPaneE() override;
    CWnd* GetAbsentPaneF() override;
    CDocument* OpenImageDocument(LPCWSTR path) override;
    bool CreateImageFrame(CDocument* document, SIZE size, int flag) override;
    void* GetWindowPaneObject(CWnd* window) override;
    int GetMainBarTabCount() override;
    bool GetMainBarTab(int index, GUID& tab, bool& customizable) override;
    void RedrawCommandBars() override;
    bool RunModalDialog(KorvoDialog* dialog) override;
    void SetProfileName(LPCWSTR name) override;
    UINT GetMainResourceId() override;
    UINT SetMainResourceId(UINT id) override;
    UINT GetTitleStringId() override;
    UINT SetTitleStringId(UINT id) override;
    HWND ShowApplicationClipart(LPCWSTR applicationKey, UINT windowId, LPCWSTR title) override;
    bool ShowModelTreeClipart(CKvw32Doc* document, UINT windowId) override;
    bool IsClipartWindowVisible(LPCWSTR applicationKey, UINT windowId) override;
    void ShowClipartWindow(LPCWSTR applicationKey, UINT windowId, bool show) override;
    void SetClipartTitle(LPCWSTR applicationKey, UINT windowId, LPCWSTR title) override;
    void SetClipartSvgIcon(LPCWSTR applicationKey, UINT windowId, const BYTE* svg, std::uint64_t size) override;
    void SetClipartPaneIcon(LPCWSTR applicationKey, UINT windowId, UINT iconId, HINSTANCE owner) override;
    void SetClipartIcon(LPCWSTR applicationKey, UINT windowId, HICON icon) override;
    void MoveClipartWindow(LPCWSTR applicationKey, UINT windowId, const RECT& rect) override;
    bool GetClipartWindowRect(LPCWSTR applicationKey, UINT windowId, RECT& rect) override;
    bool IsClipartControlId(UINT id) override;
    void ShowVarnelWindows(bool show) override;
    void ShowAnalysisPane() override;
    bool IsAnalysisPaneOpen() override;
    void ShowPane826() override;
    bool IsPane826Open() override;
    bool ShowEmbeddedHelp(LPCWSTR page, int flag) override;
    bool HideEmbeddedHelp() override;
    CString GetApplicationsIniPath() override;
    bool AttachFormToPane1016(CWnd* form) override;
    void DetachFormFromPane1016() override;
    void FitPane1016() override;
    void ShowExpandedForm(UINT id, CWnd* form, LPCWSTR title) override;
    CWnd* DetachExpandedForm(UINT id) override;
    void SetCameraList(const std::vector<KVCameraObject*>& cameras, KVCameraObject* current) override;
    KVCameraObject* GetSelectedCamera(CKvw32Doc* document) override;
    void ResetCommandBarControls(UINT id) override;
    int GetSyspanelValue2042() override;
    CWnd* GetErrorWindow() override;
    CWnd* GetDiagnosticsWindow() override;
    void* GetActiveFrameMemberA() override;
    void* GetActiveFrameMemberB() override;
    const void* GetStaticObject() override;
    CFrameWnd* CreateMainFrame() override;
    bool LoadState() override;
    bool SaveState() override;
    CString GetCommandSymbolById(UINT id) override;
    Korvo::UI::MessageBar* ShowMessageBar(std::uint64_t id, LPCWSTR title, LPCWSTR text) override;
    Korvo::UI::MessageBar* ShowMessageBarEx(std::uint64_t id, LPCWSTR title, LPCWSTR text, CObject* boundObject) override;
    bool IsValidMessageBar(const Korvo::UI::MessageBar* bar) override;
    std::uint64_t GetMessageBarId(const Korvo::UI::MessageBar* bar) override;
    INT_PTR GetMessageBarTag(const Korvo::UI::MessageBar* bar) override;
    void CloseMessageBar(std::uint64_t id) override;
    void CloseMessageBarObject(Korvo::UI::MessageBar* bar) override;
    void OnChangeVarnelConnectionState(bool connected) override;
    void ApplyVarnelProfile() override;
    void ReportApplicationError(LPCWSTR applicationName, LPCWSTR text) override;
    CString GetProfileFileExtension() override;
    void OnChangeVarnelItemStates() override;
    void OnChangeVisualItemStates() override;
    void OnChangeSettings(const void* newSettings) override;
    void GetWindowsProfileCurrentSectionName(CString& name) override;
    void GetProductName(CString& name) override;
    CString GetMainWindowTitle() override;
    CString GetApplicationStringA() override;
    CString GetApplicationStringB() override;
    CString GetApplicationStringC() override;
    DWORD GetProcessesUsingFile(std::vector<std::pair<CString, CString>>& programs, LPCWSTR path) override;
    CXTPCommandBars* GetFrameCommandBars(CWnd* frame) override;
    UINT GetActiveBackstageTabId(CWnd* frame) override;
    bool ActivateBackstageTab(CWnd* frame, UINT id) override;
    void RefreshBackstage(CWnd* frame) override;
    bool ShowRibbonBackstagePrintPage(CWnd* frame, KVDrawingContext* context) override;
    bool ShowRibbonBackstagePrintPage(CWnd* frame, CKvw32Doc* document) override;
    void OnCriticalError(LPCWSTR message) override;
    bool SetAnalysisMode(CWnd* frame, UINT ribbonId) override;
    void* GetFrameTabsState(CWnd* frame) override;
    void RefreshVarnelArchives() override;
    void ShowSelectionInAssemblyTree(CKvw32Doc* document) override;
    void GetApplicationValue(std::uint64_t& value) override;
    void KeepRecentEntry() override;
    std::unique_ptr<IKorvoFileDialog> CreateDocumentFileDialog(const CKVFileDialogOptions& options, CWnd* parent) override;
    void ShowCustomizeSheet(CWnd* frame, UINT pageId, int option1, int option2) override;
    std::optional<UINT> SelectCommandId(CWnd* parent) override;
    void StartTechRequirementsLeaders() override;
    CDocTemplate* GetDocTemplate() override;
    void AutoSaveDocuments() override;

private:
    // The active main frame, or null.
    CMainFrame* ActiveFrame() const;
    // The given window as a main frame; without a window, the active main frame.
    CMainFrame* FrameOrActive(CWnd* window) const;

    CKvw32App* app_;
    ProcessesUsingFile processesUsingFile_;
};
