// The kernel's callback interface: the kernel reaches the application through one object derived
// from KorvoServerAppProxy. The operations keep the kernel's interface order. Pure operations are
// the application's to implement; the others are the kernel base's own behaviour.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/kernel/ui/control_ids.h"
#include "platform/kvgc.h"
#include "platform/mfc.h"

class CCmdUI;
class CKvw32Doc;
class KVCameraObject;
class COleDataObject;
class CKVView;
class CXTPCommandBars;
class CXTPImageManagerIcon;
class CXTPRibbonBar;
class IApplicationCommand;
class StatusLineProxy;
class KorvoDialog;
class KVDrawingContext;
class IKorvoFileDialog;
class CKVFileDialogOptions;
namespace Korvo {
class DocumentManager;
}
namespace Korvo::UI {
class MessageBar;
}

// A kernel module as the kernel sees it.
class ModuleProxy {
public:
    virtual bool IsLoaded() const;
    virtual ~ModuleProxy() = default;
};

// The texts of a command's rich tooltip. The record owns every text, its name too.
struct CommandTooltipInfo {
    CString name;      // the command's symbolic name, or its id in decimal
    CString title;     // bold first line
    CString text;      // short text
    CString longText;  // shown once the tip has stayed open a while
    CString shortcut;  // keyboard call and shortcut keys, "; "-separated
    CWinBMP picture;
};

// State of a docking pane, as the kernel stores it.
struct KVPaneState {
    bool valid = false;
    bool hidden = false;  // the toolkit pane's own hidden-state answer
    bool closed = false;
    bool selected = false;
    bool focused = false;
    bool floating = false;
    bool sharesContainerWith1007 = false;
};

// A position in the PDM assembly, filled by the kernel's callback.
struct KVWorkmixPosition {
    CString path;
    CString configuration;
    int index = -1;
};

class KorvoServerAppProxy : public ModuleProxy {
public:
    // The one callback object (the last one constructed), or null.
    static KorvoServerAppProxy* Instance();

    KorvoServerAppProxy();
    ~KorvoServerAppProxy() override;
    KorvoServerAppProxy(const KorvoServerAppProxy&) = delete;
    KorvoServerAppProxy& operator=(const KorvoServerAppProxy&) = delete;

    // Edition and product queries
    virtual bool IsShellEditionFeature() = 0;
    virtual DWORD GetProductFlags(DWORD& flags) = 0;
    virtual bool IsViewerEdition() = 0;
    virtual bool IsMardel() = 0;
    virtual bool IsQuenta() = 0;
    virtual bool IsOstrel() = 0;
    virtual bool IsEditionFeatureOff() = 0;
    virtual bool IsConverter();
    virtual bool IsEdition128() = 0;
    virtual bool IsEdition256() = 0;
    virtual bool IsEdition512() = 0;
    virtual bool IsPreview();
    virtual bool IsVarnel();
    virtual bool CanLoadWorkSessionFiles() = 0;
    // Whether the documents menu lists ".grs" documents beside ".grb" ones (default: no).
    virtual bool IsGrsDocumentsShown();

    // Documents
    virtual Korvo::DocumentManager* GetDocumentManager();
    virtual CKvw32Doc* GetCurrentDocument() = 0;
    virtual void SetCurrentDocument(CKvw32Doc* document) = 0;
    virtual void OnChangeDocumentState(CKvw32Doc* document, DWORD state) = 0;
    virtual void OnDocumentClosed(CKvw32Doc* document) = 0;
    virtual void QueryAbsentPane() = 0;

    // Help, build date, error-report address
    virtual UINT GetCurrentHelpId() = 0;
    virtual UINT SetHelpContext(UINT helpId, LPCWSTR helpFile) = 0;
    virtual void ShowHelpFileTopic(LPCWSTR topic) = 0;
    virtual void ShowCurrentHelpTopic() = 0;
    virtual void ShowCurrentHelp() = 0;
    virtual CString BuildDate();
    virtual CString GetBugReportAddress() = 0;

    // Commands, painting, text browsers
    virtual void TerminateAllCommands(CKvw32Doc* document, bool silently);
    virtual void TerminateCurrentCommand2D();
    virtual void BlockPaintAllDocuments(bool block) = 0;
    virtual void RepaintAllDocuments() = 0;
    // Text browsers: an index (or a module name as text) and a pointer-sized argument for the
    // browser's module (a window handle); true when the browser ran.
    virtual bool BrowseText(int index, void* argument, LPCWSTR text) = 0;
    virtual void SetTextBrowsersEdit(void* edit) = 0;
    virtual bool BrowseTextByKey(UINT key, UINT modifiers, void* argument, LPCWSTR text) = 0;
    virtual void GetTextBrowserMenuTexts(CStringArray& texts, bool limit) = 0;

    // Panes
    virtual CKVView* GetBirdsEyeView() = 0;
    virtual void SetBirdsEyeViewView(CKVView* view) = 0;
    virtual void RedrawBirdsEyeView() = 0;
    virtual void InvalidateBirdsEyeView() = 0;
    virtual CWnd* GetConfigurationsControl() = 0;
    virtual CWnd* GetWeldTreeWindow() = 0;
    virtual CWnd* GetAbsentPaneA() = 0;
    virtual void QueryAbsentPaneB() = 0;
    virtual CWnd* GetAbsentPaneC() = 0;
    virtual bool GetPaneState1020(KVPaneState& state) = 0;
    virtual bool SetPaneState1020(const KVPaneState& state) = 0;
    virtual bool GetPaneState1006(KVPaneState& state) = 0;
    virtual void SelectWorkmixPosition(std::function<void(KVWorkmixPosition&)> fill) = 0;
    virtual UINT GetSyspanelCurrentId() = 0;

    // System panel
    // The command-defined controls a running command wants on the panel (command id, icon,
    // tooltip string per record).
    virtual void SetSyspanelControls(const stlControlsIDs& controls) = 0;
    virtual void EnableSyspanelControl(UINT id, bool enable) = 0;
    virtual void DisableSyspanelControls() = 0;
    virtual void SyspanelStatusChanged() = 0;
    virtual void GetFontComboText(CString& text, UINT id) = 0;
    // `variable`: the index of a document variable holding the value, -1 for a plain number.
    // False when a control of the id takes no value of that kind (nothing changed) or none took it.
    virtual bool set_syspanel_doublevar(CKvw32Doc* document, UINT id, double value, short variable) = 0;
    virtual bool set_syspanel_intvar(CKvw32Doc* document, UINT id, int value, short variable) = 0;
    virtual bool set_syspanel_cstr(CKvw32Doc* document, UINT id, const CString& text) = 0;
    virtual bool set_syspanel_font(CKvw32Doc* document, UINT id, const CString& name, int kind) = 0;
    virtual bool set_syspanel_int(CKvw32Doc* document, UINT id, int value) = 0;
    virtual bool UnpackSyspanelDoubleVar(UINT id, double& value) = 0;
    virtual bool UnpackSyspanelIntVar(UINT id, int& value) = 0;
    virtual bool GetSyspanelControlIntValue(UINT id, int& value) = 0;
    virtual void SetSyspanelButtonStatus(UINT id, bool checked, bool disabled) = 0;
    virtual bool GetSyspanelControlState(UINT id, bool& checked, bool& disabled) = 0;
    virtual void* GetSyspanelControlData(UINT id) = 0;

    // Frames, crash flags, drag and drop, object commands
    virtual CXTPRibbonBar* GetRibbonBarOfFrame(CWnd* frame) = 0;
    virtual void* GetFrameToolsData(CWnd* frame) = 0;
    virtual StatusLineProxy* GetStatusLineProxy() = 0;
    virtual bool IsRestartRequested() = 0;
    virtual bool IsCrashFlagSet() = 0;
    virtual void SetCrashFlag() = 0;
    virtual void* GetActiveMainFrameTabs() = 0;
    virtual bool OnDropOnWindow(CWnd* window, COleDataObject* data, DROPEFFECT effect, POINT point) = 0;
    virtual DROPEFFECT OnDragOverWindow(CWnd* window, COleDataObject* data, DWORD keyState, POINT point) = 0;
    virtual BOOL OnObjectCommand(UINT id) = 0;
    virtual BOOL OnUpdateObjectCommand(CCmdUI* cmdUI) = 0;

    // Command registration, icons, menus
    virtual UINT RegisterAppCommand(std::unique_ptr<IApplicationCommand> command, UINT iconId, HICON largeIcon,
                                    HICON smallIcon, const CommandTooltipInfo* tooltip) = 0;
    virtual void SetCommandIcon(UINT id, HMODULE module, LPCWSTR resourceName) = 0;
    virtual void SetCommandIcon(UINT id, const BYTE* svg, std::uint64_t size) = 0;
    virtual void SetCommandIcon(UINT id, CXTPImageManagerIcon* icon) = 0;
    virtual void SetCommandIcon(UINT id, HICON icon) = 0;
    virtual void SetCommandIcon(UINT id, UINT iconId, bool fromResources) = 0;
    virtual bool IsApplicationCommandId(UINT id) = 0;
    virtual int GetApplicationCommandCount() = 0;
    virtual IApplicationCommand* GetApplicationCommand(int index) = 0;
    virtual IApplicationCommand* GetApplicationCommandById(UINT id) = 0;
    virtual IApplicationCommand* FindApplicationCommand(LPCWSTR name) = 0;
    virtual IApplicationCommand* FindApplicationCommandById(UINT id) = 0;
    virtual bool IsRegisteredName(LPCWSTR name) = 0;
    virtual void AddRegisteredName(LPCWSTR name) = 0;
    // Menu insertions of add-on applications: where they go (`mode`, `flags` and `index`
    // relative to command `referenceId`) and, for pop-ups, the key that replaces an earlier
    // insertion.
    virtual bool InsertUserPopupMenu(LPCWSTR caption, HMENU menu, int referenceId, BYTE mode, DWORD flags,
                                     LPCWSTR key, int index) = 0;
    virtual bool RemoveUserPopupMenu(LPCWSTR key) = 0;
    virtual bool InsertUserMenuItem(LPCWSTR caption, UINT command, int referenceId, BYTE mode, DWORD flags,
                                    int index) = 0;
    virtual void InsertRibbonSystemMenuItem(UINT id, LPCWSTR caption, UINT position, bool after) = 0;
    virtual void UpdateInstalledConfigurationsMenu() = 0;
    virtual HICON LoadMainIcon() = 0;

    // Tool bars, panes, images, main-bar tabs, application ids
    virtual bool AppMgr_KVCreateToolbar(UINT barId, LPCWSTR title, const UINT* ids, int count);
    virtual bool AppMgr_KVIsToolbarVisible(UINT barId);
    virtual void AppMgr_KVShowToolbar(UINT barId, bool show);
    virtual bool IsToolBarVisible(UINT barId) = 0;
    virtual void ShowToolbar(UINT barId, bool show);
    virtual LPCWSTR GetRegistryCompanyName() = 0;
    virtual LPCWSTR GetRegistryProductName() = 0;
    virtual bool IsIdleProcessDone() = 0;
    virtual CWnd* GetModelTreeWindow() = 0;
    virtual CWnd* GetTaskWindow() = 0;
    virtual CWnd* GetAbsentPaneD() = 0;
    virtual CWnd* GetNCWindow() = 0;
    virtual CWnd* GetAbsentPaneE() = 0;
    virtual CWnd* GetAbsentPaneF() = 0;
    virtual CDocument* OpenImageDocument(LPCWSTR path) = 0;
    virtual bool CreateImageFrame(CDocument* document, SIZE size, int flag) = 0;
    virtual void* GetWindowPaneObject(CWnd* window) = 0;
    virtual bool API_CreateToolbar(UINT barId, LPCWSTR title);
    virtual bool API_AddCommandsBitmap(UINT barId, HINSTANCE module, UINT bitmapId, const UINT* ids, int count);
    virtual bool AddAppMainBarTab(LPCWSTR title, const GUID& tab);
    virtual int GetMainBarTabCount() = 0;
    virtual bool GetMainBarTab(int index, GUID& tab, bool& customizable) = 0;
    virtual bool ShowMainBarTab(const GUID& tab, bool show);
    virtual void SetDefaultSystemMainBarTab(const GUID& tab);
    virtual void RedrawCommandBars() = 0;
    // Runs a kernel dialog modally (the sketch check list among them); true when it ends with OK.
    virtual bool RunModalDialog(KorvoDialog* dialog) = 0;
    virtual void SetProfileName(LPCWSTR name) = 0;
    virtual UINT GetMainResourceId() = 0;
    virtual UINT SetMainResourceId(UINT id) = 0;
    virtual UINT GetTitleStringId() = 0;
    virtual UINT SetTitleStringId(UINT id) = 0;

    // Clipart panes and PDM panes
    virtual HWND ShowApplicationClipart(LPCWSTR applicationKey, UINT windowId, LPCWSTR title) = 0;
    virtual bool ShowModelTreeClipart(CKvw32Doc* document, UINT windowId) = 0;
    virtual bool IsClipartWindowVisible(LPCWSTR applicationKey, UINT windowId) = 0;
    virtual void ShowClipartWindow(LPCWSTR applicationKey, UINT windowId, bool show) = 0;
    virtual void SetClipartTitle(LPCWSTR applicationKey, UINT windowId, LPCWSTR title) = 0;
    virtual void SetClipartSvgIcon(LPCWSTR applicationKey, UINT windowId, const BYTE* svg, std::uint64_t size) = 0;
    virtual void SetClipartPaneIcon(LPCWSTR applicationKey, UINT windowId, UINT iconId, HINSTANCE owner) = 0;
    virtual void SetClipartIcon(LPCWSTR applicationKey, UINT windowId, HICON icon) = 0;
    virtual void MoveClipartWindow(LPCWSTR applicationKey, UINT windowId, const RECT& rect) = 0;
    virtual bool GetClipartWindowRect(LPCWSTR applicationKey, UINT windowId, RECT& rect) = 0;
    virtual bool IsClipartControlId(UINT id) = 0;
    virtual void ShowVarnelWindows(bool show) = 0;
    virtual void ShowAnalysisPane() = 0;
    virtual bool IsAnalysisPaneOpen() = 0;
    virtual void ShowPane826() = 0;
    virtual bool IsPane826Open() = 0;

    // Profiles, help pane, ini files, form panes
    virtual CString GetProfileFileExtension();
    virtual void GetWindowsProfileCurrentSectionName(CString& name);
    virtual bool ShowEmbeddedHelp(LPCWSTR page, int flag) = 0;
    virtual bool HideEmbeddedHelp() = 0;
    // The product ini file: the command line's "/ini:<path>" (or "-ini:<path>") when given, else
    // "Korvo.ini" in the program folder.
    virtual CString GetProductIniFileName();
    virtual CString GetApplicationsIniPath() = 0;
    virtual bool AttachFormToPane1016(CWnd* form) = 0;
    virtual void DetachFormFromPane1016() = 0;
    virtual void FitPane1016() = 0;
    virtual void ShowExpandedForm(UINT id, CWnd* form, LPCWSTR title) = 0;
    virtual CWnd* DetachExpandedForm(UINT id) = 0;

    // Cameras, panels, diagnostics, frames, state file
    // The document's cameras for the ray-tracing camera popups, with the current one (or null).
    virtual void SetCameraList(const std::vector<KVCameraObject*>& cameras, KVCameraObject* current) = 0;
    // The camera of `document` chosen in the active main frame's camera popup, or null.
    virtual KVCameraObject* GetSelectedCamera(CKvw32Doc* document) = 0;
    // Resets the ray-tracing quality popups with a value (the quality setter).
    virtual void ResetCommandBarControls(UINT id) = 0;
    virtual int GetSyspanelValue2042() = 0;
    virtual CWnd* GetErrorWindow() = 0;
    virtual CWnd* GetDiagnosticsWindow() = 0;
    virtual void* GetActiveFrameMemberA() = 0;
    virtual void* GetActiveFrameMemberB() = 0;
    virtual const void* GetStaticObject() = 0;
    virtual CFrameWnd* CreateMainFrame() = 0;
    virtual bool LoadState() = 0;
    virtual bool SaveState() = 0;
    virtual CString GetCommandSymbolById(UINT id) = 0;

    // Message bars
    virtual Korvo::UI::MessageBar* ShowMessageBar(std::uint64_t id, LPCWSTR title, LPCWSTR text) = 0;
    virtual Korvo::UI::MessageBar* ShowMessageBarEx(std::uint64_t id, LPCWSTR title, LPCWSTR text,
                                                    CObject* boundObject) = 0;
    virtual bool IsValidMessageBar(const Korvo::UI::MessageBar* bar) = 0;
    virtual std::uint64_t GetMessageBarId(const Korvo::UI::MessageBar* bar) = 0;
    virtual INT_PTR GetMessageBarTag(const Korvo::UI::MessageBar* bar) = 0;
    virtual void CloseMessageBar(std::uint64_t id) = 0;
    virtual void CloseMessageBarObject(Korvo::UI::MessageBar* bar) = 0;

    // PDM, settings, product strings, restart manager
    virtual void OnChangeVarnelConnectionState(bool connected);
    virtual void ApplyVarnelProfile() = 0;
    virtual void OnChangeVarnelItemStates() = 0;
    virtual void OnChangeVisualItemStates() = 0;
    virtual void OnChangeSettings(const void* newSettings) = 0;
    virtual void GetProductName(CString& name) = 0;
    virtual CString GetMainWindowTitle() = 0;
    virtual CString GetApplicationStringA() = 0;
    virtual CString GetApplicationStringB() = 0;
    virtual CString GetApplicationStringC() = 0;
    virtual DWORD GetProcessesUsingFile(std::vector<std::pair<CString, CString>>& programs, LPCWSTR path) = 0;
    virtual CXTPCommandBars* GetFrameCommandBars(CWnd* frame) = 0;

    // Backstage
    virtual UINT GetActiveBackstageTabId(CWnd* frame) = 0;
    virtual bool ActivateBackstageTab(CWnd* frame, UINT id) = 0;
    virtual void RefreshBackstage(CWnd* frame) = 0;
    virtual bool ShowRibbonBackstagePrintPage(CWnd* frame, KVDrawingContext* context) = 0;
    virtual bool ShowRibbonBackstagePrintPage(CWnd* frame, CKvw32Doc* document) = 0;

    // Errors and the rest
    virtual void ReportApplicationError(LPCWSTR applicationName, LPCWSTR text);
    virtual void OnCriticalError(LPCWSTR message) = 0;
    virtual bool SetAnalysisMode(CWnd* frame, UINT ribbonId) = 0;
    virtual void* GetFrameTabsState(CWnd* frame) = 0;
    virtual void RefreshVarnelArchives() = 0;
    virtual void ShowSelectionInAssemblyTree(CKvw32Doc* document) = 0;
    virtual void GetApplicationValue(std::uint64_t& value) = 0;
    virtual void KeepRecentEntry() = 0;
    virtual std::unique_ptr<IKorvoFileDialog> CreateDocumentFileDialog(const CKVFileDialogOptions& options,
                                                                       CWnd* parent) = 0;
    virtual void ShowCustomizeSheet(CWnd* frame, UINT pageId, int option1, int option2) = 0;
    virtual std::optional<UINT> SelectCommandId(CWnd* parent) = 0;
    virtual void StartTechRequirementsLeaders() = 0;
    virtual CDocTemplate* GetDocTemplate() = 0;
    virtual void AutoSaveDocuments() = 0;
};
