// Proxies of the kernel's modules (the 3D part, the 2D annotation module): the stand-in records
// each call.
#pragma once

#include <vector>

#include "platform/kernel/profiles/settings.h"
#include "platform/mfc.h"

class CKvw32Doc;

// The 3D part of the kernel.
class CKVCom_Is3D {
public:
    static CKVCom_Is3D& Instance();
    // First start-up step (before the built-in commands are registered).
    static void OnStartup();
    // Second start-up step (after the recent-file list is read).
    static void OnStartupCompleted();

    // The kernel's current document changes (reason 0) or a document closes (reason 1, both
    // documents the closed one).
    static void OnCurrentDocumentChanged(CKvw32Doc* previous, CKvw32Doc* next, int reason);
    // The document the panes show changed (null: none).
    static void SetActiveDocument(CKvw32Doc* document);
    // The 3D part's own answer whether a document is a 3D one.
    static bool Is3D(CKvw32Doc* document);
    // Whether the 3D part is in its 3D state, and whether it runs an operation of its own.
    static bool IsIn3DState();
    static bool HasActiveOperation();
    // Whether the system panel should get its default values for the document now.
    static bool IsSyspanelResetNeeded(CKvw32Doc* document);
    // The activation of the document (null: none) is complete.
    static void OnDocumentActivated(CKvw32Doc* document);
    // The main windows were disabled (a modal state began) or enabled again.
    static void SetMainWindowsDisabled(bool disabled);
    // A main frame closes.
    static void OnMainFrameClosing(HWND frame);
    // The kernel's own notice to a main frame (message 1265), handed back to the 3D part.
    static void OnMainFrameNotice(HWND frame, WPARAM wParam, LPARAM lParam);
    // The 3D module's own message to the application (0x53B): its answer is the message's result.
    static LRESULT OnModuleMessage(WPARAM wParam, LPARAM lParam);
    // Imports a file of a foreign format into a new document; null when it cannot (the answer
    // is the test's).
    CKvw32Doc* ImportFile(LPCWSTR path, int mode);
    // Re-reads the 3D part's settings after a settings profile was applied; a message for the
    // user, or empty.
    static CString RefreshSettings();

    // Pane windows the 3D part makes for the application: a new window object (its window not
    // created yet; the application creates it and hands it back with RegisterPaneWindow), or null.
    enum class PaneWindow { ModelTree, Task, NC, GenerationQueue };
    static CWnd* CreatePaneWindow(PaneWindow kind);
    static void RegisterPaneWindow(PaneWindow kind, CWnd* window);

private:
    CKVCom_Is3D() = default;
};

// The 2D annotation module.
class AnnotateModuleProxy {
public:
    static AnnotateModuleProxy& Instance();
    // Opens the settings page named `name`.
    void OpenSettings(LPCWSTR name);
    // Opens a document through the kernel's document template; null when it cannot.
    static CDocument* OpenDocument(LPCWSTR path, int mode, int page, int flags);
    // A document became the one the panes show.
    static void ActivateDocument(CKvw32Doc* document);
    // The kernel's settings changed; `before` is a copy of them as they were.
    static void SettingsChanged(const NativeSettings& before);
    // The automatic parameterisation setting of the view changed.
    static void AutoParameterizationChanged(CView* view);
    // Places a leader line from an inscription to the linked requirement in the view (recorded);
    // the placement runs on until the leaders end.
    void PlaceTechReqLeader(class CKVBaseView* view, const class TechReqLink& link);
    void EndTechReqLeaders();
    // Inserts the file at `path` into the active drawing as the view command `command` asks
    // (recorded).
    void Insert(UINT command, LPCWSTR path);

private:
    AnnotateModuleProxy() = default;
};

// The edit module: owns the weld-tree pane's contents.
class EditModuleProxy {
public:
    static EditModuleProxy& Instance();
    // The module's pane window shows `document` (null: none).
    static void SetPaneDocument(CWnd* pane, CKvw32Doc* document);
    // The weld-tree window object (its window not created yet), or null.
    static CWnd* CreateWeldTreeWindow();

private:
    EditModuleProxy() = default;
};

// The kernel's macro manager (absent unless macros are installed).
class MacroManager {
public:
    MacroManager(const MacroManager&) = delete;
    MacroManager& operator=(const MacroManager&) = delete;

    void SetTheme(LPCWSTR themeName);
    // The main windows were enabled or disabled.
    void OnEnableMainWindows(bool enabled);
    // Asked before the program closes its documents: false while a running macro refuses to stop.
    bool CanStop();
    // Runs the installed macro `name` for `document` (null: no document); false for a macro the
    // manager does not have.
    bool RunMacro(LPCWSTR name, CKvw32Doc* document);
    // The manager's modal macro chooser (a kernel dialog of kind "macro" offering the installed
    // macros): the chosen name, empty when cancelled.
    CString ChooseMacro(CWnd* owner);

private:
    friend MacroManager* MacroManagerInstance();
    MacroManager() = default;
};

// The macro manager, or null when the kernel has none.
MacroManager* MacroManagerInstance();

namespace kvcae {
// The FEA task manager of the kernel's analysis part; null when the part is absent.
class I_FEA_Task_Manager {
public:
    static I_FEA_Task_Manager* Instance();
    // Installs (true) or removes the manager.
    static void SetPresent(bool present);
    bool HasTaskForDocument(const CKvw32Doc* document) const;
    void SetTask(const CKvw32Doc* document, bool has);

private:
    std::vector<const CKvw32Doc*> tasks_;
};
}  // namespace kvcae
