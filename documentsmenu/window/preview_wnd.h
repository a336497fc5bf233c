// The browser pane of the documents menu: shows the object chosen in the structure (a
// configuration, a libraries group, a library, a folder or a document) as a list of large icons,
// one browser per kind of location, and remembers its icon size. Its window text names what it
// shows; the navigation history comes with the pane's own work.
#pragma once

#include <array>
#include <memory>

#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class Browser;
class ConfigurationBrowser;
class DocumentsMenuDlg;
class FolderBrowser;
class LibrariesGroupBrowser;
class LibraryBrowser;

class PreviewWnd : public CWnd {
public:
    // `mode` 1: the browser of a clipart pane, with its own history; 0: the documents menu's.
    explicit PreviewWnd(int mode = 0);
    ~PreviewWnd() override;

    BOOL Create(CWnd* parent, DWORD style, UINT id);
    using CWnd::Create;
    int GetMode() const { return mode_; }

    // The window whose hidden state the browsers follow; null lets every browser leave it first.
    void SetClient(DocumentsMenuDlg* client);
    DocumentsMenuDlg* GetClient() const { return client_; }
    // A new size rebuilds the browsers' image lists.
    void SetIconSize(int size);
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
    IConfiguration* GetCurrentConfiguration() const;
    ILibrariesGroup* GetCurrentLibrariesGroup() const;
    ILibrary* GetCurrentLibrary() const;
    CString GetCurrentFolder() const;
    // The folder (or document) shown, empty when none.
    CString GetCurrentPath() const;
    // The shown location's icon (the caller destroys it); null when nothing is shown.
    HICON GetCurrentIcon() const;
    // Steps recorded in the history.
    int GetHistoryCount() const { return history_; }

    // The browser that shows the location, null when none.
    Browser* GetShownBrowser() const { return shown_; }
    ConfigurationBrowser* GetConfigurationBrowser() const { return configurations_.get(); }
    LibrariesGroupBrowser* GetLibrariesGroupBrowser() const { return groups_.get(); }
    LibraryBrowser* GetLibraryBrowser() const { return libraries_.get(); }
    FolderBrowser* GetFolderBrowser() const { return folders_.get(); }
    // The shown object took a new name: the pane names it again.
    void LocationRenamed();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void show(const CString& text, bool record);
    void clear();
    // Shows `browser` (filling the pane) and hides the others, which lets them go of their
    // locations.
    void showBrowser(Browser* browser);
    void layout();
    // The four browsers (null ones while the pane goes).
    std::array<Browser*, 4> browsers() const;

    int mode_;
    DocumentsMenuDlg* client_ = nullptr;
    int iconSize_ = 32;
    CString themeName_;
    CString document_;
    int history_ = 0;
    std::unique_ptr<ConfigurationBrowser> configurations_;
    std::unique_ptr<LibrariesGroupBrowser> groups_;
    std::unique_ptr<LibraryBrowser> libraries_;
    std::unique_ptr<FolderBrowser> folders_;
    Browser* shown_ = nullptr;
};

}  // namespace DocumentsMenu
