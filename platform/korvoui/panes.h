// Pane windows and controls of the UI library that the application hosts in its docking panes,
// and the library's form views and log window: each records what it is given (documents,
// visibility, themes) so that the application's calls can be followed.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

namespace Korvo::UI {

// The properties pane: one window for the whole process; every Instance call takes a reference.
class PropertiesWindow : public KVCountedPaneWnd {
public:
    static PropertiesWindow* Instance(CWnd* parent);
    void OnSetActiveDoc(CKvw32Doc* oldDocument, CKvw32Doc* newDocument);
    void OnFinalRelease() override;
};

// The control site inside the application's assembly-structure pane window.
class AssemblyStructureControlSite {
public:
    void OnShow(bool shown);
    void SetActiveDocument(CKvw32Doc* document);
};

// The base of the application's error (diagnostics) pane window.
class ErrorWindowBase : public CWnd {
public:
    ErrorWindowBase() = default;
    // Shows the messages of `container` (the container must already be bound to this window).
    void ShowErrors(KVErrorContainer* container);
    // Shows no messages.
    void ClearErrors();
    KVErrorContainer* GetShownContainer() const { return shown_; }

private:
    KVErrorContainer* shown_ = nullptr;
};

// Form views shown expanded in their own pane; all of them follow one theme switch.
class ExpandedFormView {
public:
    static void EnableTheme(bool dark);
    static bool IsThemeEnabled();
};

// The top-level window that shows the program's log.
class LogWindow : public CWnd {
public:
    LogWindow() = default;
    using CWnd::Create;  // the window's own Create below does not hide the framework's
    // Creates the window (caption from the text key "log_window"); false on failure.
    bool Create();
    // The UI theme id for the window's edit control.
    void SetTheme(int themeId);
    int GetTheme() const { return themeId_; }

private:
    int themeId_ = -1;
};

}  // namespace Korvo::UI

// The model-elements list inside the application's model-elements pane window.
class CModelElementsList {
public:
    void OnShow(bool shown);
    void SetActiveDocument(CKvw32Doc* document);
};

namespace kvpf {

// Command forms docked in panes: one default background colour for all of them.
class CmdDockFormView {
public:
    static void SetDefaultBgColor(COLORREF colour);
    static COLORREF GetDefaultBgColor();
};

}  // namespace kvpf
