// The browser pane of the documents menu: shows the object chosen in the structure (a
// configuration, a libraries group, a library, a folder or a document) and remembers its icon
// size. Here it keeps what it shows and names it in its window text; the large-icon lists and
// the navigation history come with the browser work.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class DocumentsMenuDlg;

class PreviewWnd : public CWnd {
public:
    // `mode` 1: the browser of a clipart pane, with its own history; 0: the documents menu's.
    explicit PreviewWnd(int mode = 0) : mode_(mode) {}

    BOOL Create(CWnd* parent, DWORD style, UINT id);
    using CWnd::Create;
    int GetMode() const { return mode_; }

    void SetClient(DocumentsMenuDlg* client) { client_ = client; }
    DocumentsMenuDlg* GetClient() const { return client_; }
    void SetIconSize(int size) { iconSize_ = size; }
    int GetIconSize() const { return iconSize_; }
    void SetTheme(const Korvo::UI::Theme& theme) { themeName_ = theme.name; }
    const CString& GetThemeName() const { return themeName_; }

    // Each shows the object in place of what was shown; `record` keeps the step in the history.
    void ShowConfiguration(IConfiguration* configuration, bool record);
    void ShowLibrariesGroup(ILibrariesGroup* group, bool record);
    void ShowLibrary(ILibrary* library, bool record);
    void ShowFolder(const CString& path, bool record);
    // False when the library's folder has no such document.
    bool ShowDocument(ILibrary* library, const CString& name, bool record);
    // Shows nothing.
    void Hide();

    // Null (or empty) when another kind of object is shown.
    IConfiguration* GetCurrentConfiguration() const { return configuration_; }
    ILibrariesGroup* GetCurrentLibrariesGroup() const { return group_; }
    ILibrary* GetCurrentLibrary() const { return library_; }
    CString GetCurrentFolder() const { return folder_; }
    // The folder (or document) shown, empty when none.
    CString GetCurrentPath() const;
    // The shown location's icon; none in this edition's browser (the caller would destroy it).
    HICON GetCurrentIcon() const { return nullptr; }
    // Steps recorded in the history.
    int GetHistoryCount() const { return history_; }

private:
    void show(const CString& text, bool record);
    void clear();

    int mode_;
    DocumentsMenuDlg* client_ = nullptr;
    int iconSize_ = 32;
    CString themeName_;
    IConfiguration* configuration_ = nullptr;
    ILibrariesGroup* group_ = nullptr;
    ILibrary* library_ = nullptr;
    CString folder_;
    CString document_;
    int history_ = 0;
};

}  // namespace DocumentsMenu
