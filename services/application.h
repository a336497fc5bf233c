// What the main frame and the subsystems under it use of the application object: the one
// application of the process, its main frames, its documents and document templates, its
// recent-file list, its theme menu, its help and its pane windows, and what the main frame
// serves all of them (the shell's folder window, help links and the crash-dump context). The
// application object implements it and registers itself when it is made.
#pragma once

#include <functional>
#include <memory>

#include "platform/diagnostics.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"
#include "services/registry.h"

class MainFrameServices;
class CKVDocTemplate;
class CKVUserCommands;
class CKvw32Doc;
namespace Korvo {
struct DocInitParams;
}
namespace Korvo::UI {
class AutoMenuController;
class MainFrameState;
}  // namespace Korvo::UI

class ApplicationServices {
public:
    static constexpr const char* kServicesName = "application services";

    // The one application object; null only before it is made and after it is gone.
    static ApplicationServices* Instance() { return services::Registry<ApplicationServices>::Find(); }

    virtual ~ApplicationServices() = default;
    ApplicationServices(const ApplicationServices&) = delete;
    ApplicationServices& operator=(const ApplicationServices&) = delete;

    // The main frames the kernel's UI module keeps, and what the application does to all of them.
    virtual MainFrameServices* GetActiveMainFrame() const = 0;
    virtual void ForEachMainFrame(const std::function<void(MainFrameServices*)>& callable) const = 0;
    virtual int NumMainFrames() const = 0;
    virtual void UpdateFrameTitles() = 0;
    virtual void ActivateNextMainFrame() = 0;
    virtual void EnableMainFrames(bool enable) = 0;
    virtual void SetExiting(bool exiting) = 0;
    virtual void SaveOpenDocumentsList() = 0;
    virtual UINT GetPumpDepth() const = 0;
    using ActivationObserver = std::function<void(HWND frame)>;
    virtual const ActivationObserver& GetActivationObserver() const = 0;
    virtual std::shared_ptr<Korvo::UI::MainFrameState> GetDefaultMainFrameState() = 0;
    virtual HMONITOR GetPrimaryMonitor() const = 0;

    // The product's look and the application's crash flags.
    virtual bool IsRibbonMode() const = 0;
    virtual void SetRibbonMode(bool ribbon) = 0;
    virtual SIZE GetToolBarIconSize() const = 0;
    virtual bool IsLargeToolBarIcons() const = 0;
    virtual int GetProductImageIndex() const = 0;
    virtual UINT GetTitleStringId() const = 0;
    virtual const CString& GetBackgroundImage() const = 0;
    virtual BYTE GetApplicationFlags() const = 0;
    virtual void SetApplicationFlag(BYTE flag) = 0;

    // Documents: opening, the current one and saving them all.
    virtual CDocument* OpenDocumentFile(LPCWSTR path) = 0;
    virtual CKVDocTemplate* GetDocTemplate() const = 0;
    virtual CKvw32Doc* GetCurrentDocument() const = 0;
    virtual BOOL SaveAllModified() = 0;
    // The document manager's parameters as every open of a document starts from them.
    virtual Korvo::DocInitParams GetDocumentOpenParameters() const = 0;

    // Commands that arrive by DDE.
    virtual BOOL OnDDECommand(LPWSTR command) = 0;
    virtual void QueueDdeCommand(LPCWSTR command) = 0;
    virtual void ProcessPendingDdeCommands() = 0;

    // Help and tutorials.
    virtual void OnHelp() = 0;
    virtual void ShowHelpTopic(UINT topicId) = 0;
    virtual void ShowHelpContext(UINT id) = 0;
    virtual UINT SetHelpContext(UINT helpId, LPCWSTR helpFile, int delta) = 0;
    virtual CString GetTutorialsFolder() const = 0;
    virtual const CString& GetVideoPlayer() const = 0;

    // The docking-pane windows every main frame shares.
    virtual CWnd* GetDockingPaneWindow(UINT paneId, bool create) = 0;
    virtual CWnd* GetDockingPaneDummyWindow() = 0;
    virtual CWnd* GetVarnelAssemblyWindow(bool onlyWhenAvailable, bool create) = 0;
    virtual CWnd* GetVarnelWindow(int kind, bool onlyWhenAvailable, bool create) = 0;
    virtual CWnd* GetPropertiesWindow(bool create) = 0;
    virtual CWnd* GetBirdsEyeViewWindow(bool create) = 0;
    virtual CWnd* GetErrorWindow() const = 0;
    virtual bool OnFindCommandHelp() = 0;

    // The user's commands, the automatic menus and the critical-error bar.
    virtual CKVUserCommands& GetUserCommands() = 0;
    virtual Korvo::UI::AutoMenuController& GetAutoMenuController() = 0;
    virtual void ForgetCriticalErrorBar(HWND frame) = 0;

    // Used by the subsystems under the main frame.
    // The menu of the UI themes, one item per theme command, as the theme controls copy it.
    virtual void FillThemeMenu(CMenu* menu) const = 0;
    // The recent-file list, or null before the application made it.
    virtual CXTPRecentFileList* GetRecentFileList() const = 0;
    // Makes `document` current for the document-bound panes; null when a page view became active.
    virtual void ActivateDocument(CKvw32Doc* document) = 0;
    // Adds a template that is not null to the application's document templates; returns it.
    virtual CDocTemplate* AddDocTemplateSafe(CDocTemplate* docTemplate) = 0;
    // The main resource and document-template id every child frame is loaded with.
    virtual UINT GetMainResourceId() const = 0;
    // Opens an address in the embedded help view, or runs a "?kvcommand=" link; false when
    // nothing took it.
    virtual bool OnHelpLink(LPCWSTR url) = 0;
    // The shell's folder window on a file's folder with the file selected, or on a folder;
    // nothing opens for a path that does not exist.
    virtual void ShowFileInFolderWindow(const CString& path) = 0;
    virtual void OpenFolderWindow(const CString& folder) = 0;
    // A crash-dump context for the caller's stack: while it lives, a crash on this thread is
    // reported through it.
    virtual std::unique_ptr<GenerateDumpFileContextBase> CreateCrashDumpContext() = 0;

protected:
    ApplicationServices() = default;
};
