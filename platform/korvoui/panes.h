// Pane windows and controls of the UI library that the application hosts in its docking panes,
// and the library's form views and log window: each records what it is given (documents,
// visibility, themes) so that the application's calls can be followed.
#pragma once

#include <set>
#include <string>

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

// The properties pane: one window for the whole process; every Instance call takes a reference.
class PropertiesWindow : public KVCountedPaneWnd {
public:
    static PropertiesWindow* Instance(CWnd* parent);
    void OnSetActiveDoc(CKvw32Doc* oldDocument, CKvw32Doc* newDocument);
    void OnFinalRelease() override;
    void OnIdleUpdate();
    // The window floats: it fits its floating frame to its contents again.
    void UpdateFloatingSize();
};

// A host of command bars inside a pane: it follows the options of the frame's command bars.
class CommandBarsSiteBase {
public:
    virtual ~CommandBarsSiteBase() = default;
    // The bars (when given) take the application's options again: screen tips as the user set
    // them (shown while unset).
    void UpdateCommandBarsOptions(CXTPCommandBars* bars = nullptr);
    int GetOptionsUpdates() const { return optionsUpdates_; }

private:
    int optionsUpdates_ = 0;
};

// A control of the library that fills an application pane window: a child window with a theme
// and values of its own in saved layouts ("ColumnWidths", kept as given).
class HostedPaneControl : public CWnd, public CommandBarsSiteBase {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;
    void SetTheme(const Theme& theme);
    const CString& GetThemeName() const { return themeName_; }
    BOOL DoPropExchange(CXTPPropExchange* px);
    const CString& GetColumnWidths() const { return columnWidths_; }
    void SetColumnWidths(LPCWSTR widths) { columnWidths_ = widths ? widths : L""; }

private:
    CString themeName_;
    CString columnWidths_;
};

// The control site inside the application's assembly-structure pane window.
class AssemblyStructureControlSite : public HostedPaneControl {
public:
    void OnShow(bool shown);
    void SetActiveDocument(CKvw32Doc* document);
    // The document closed: the tree lets go of it when it is the one shown.
    void OnDocumentClosed(CKvw32Doc* document);
    // The document the tree shows, as the journal names documents ("null" for none).
    const std::wstring& GetShownDocument() const { return shown_; }
    // Idle time: the tree is rebuilt when the assembly changed.
    void UpdateIfDirty();
    // The PDM repository states, or the visual states, of the tree's items changed.
    void OnChangeVarnelRepositoryItemStates();
    void OnChangeVisualItemStates();
    void OnChangeVarnelConnectionState(bool connected);
    // Shows the document's selection in the tree.
    void ShowSelection(CKvw32Doc* document);

private:
    std::wstring shown_ = L"null";
};

// Form views shown expanded in their own pane; all of them follow one theme switch. The view
// keeps which form classes float uniquely: one dialog per class id, out in a pane of its own.
class ExpandedFormView : public CBaseDockFormView {
public:
    static void EnableTheme(bool dark);
    static bool IsThemeEnabled();

    void SetFloatingUniquelyDlg(UINT classId) { floating_.insert(classId); }
    bool IsFloatingUniquelyDlg(UINT classId) const { return floating_.count(classId) != 0; }
    // The form of class `classId` floats no more (its pane went): the next request for that
    // class shows it anew (journalled).
    void ResetFloatingUniquelyDlg(UINT classId);
    const std::set<UINT>& GetFloatingUniquelyDlgs() const { return floating_; }

private:
    std::set<UINT> floating_;
};

}  // namespace Korvo::UI

// The model-elements list inside the application's model-elements pane window.
class CModelElementsList : public Korvo::UI::HostedPaneControl {
public:
    void OnShow(bool shown);
    void SetActiveDocument(CKvw32Doc* document);
    // The document closed: the list lets go of it when it is the one shown.
    void OnDocumentClosed(CKvw32Doc* document);
    // The document the list shows, as the journal names documents ("null" for none).
    const std::wstring& GetShownDocument() const { return shown_; }
    // Idle time: the list is refilled when the document's elements changed.
    void UpdateIfDirty();
    // Shows the elements' visual states again (the kernel changed them).
    void Refresh();

private:
    std::wstring shown_ = L"null";
};

namespace kvpf {

// Command forms docked in panes: one default background colour for all of them.
class CmdDockFormView {
public:
    static void SetDefaultBgColor(COLORREF colour);
    static COLORREF GetDefaultBgColor();
};

}  // namespace kvpf
