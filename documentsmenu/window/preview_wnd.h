// The browser pane of the documents menu: shows one location at a time (a configuration, a
// libraries group, a library, a folder as a list of icons, or one document's picture), with a
// small tool bar to go a level up and, in a pane that keeps a history, back and forward. Its
// window text names what it shows; it tells a hosting pane after every change of location.
#pragma once

#include <array>
#include <memory>

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class Browser;
class ConfigurationBrowser;
class DocumentsMenuDlg;
class FilePreview;
class FormFactorPreviewWnd;
class FolderBrowser;
class LibrariesGroupBrowser;
class LibraryBrowser;
struct HistoryEntry;

// The parent window of a browser pane that hears of its changes of location (a clipart pane).
class IPreviewHost {
public:
    virtual ~IPreviewHost() = default;
    // The pane shows another location (or none), or its icons took another size: read them back
    // through the pane's getters.
    virtual void UpdateFromDocumentsMenu() = 0;
    // The shown object took a new name.
    virtual void UpdateCaption() = 0;
    // The shown library's folder changed.
    virtual void UpdatePane() = 0;
};

// A view window with command bars of its own; it is no document's view, and its owner deletes it.
class PreviewWnd : public CXTPDialogBase<CView> {
public:
    // What the pane shows.
    enum Mode {
        kModeNone = 0,
        kModeLibrary = 1,
        kModeFilePreview = 2,
        kModeLibrariesGroup = 3,
        kModeConfiguration = 4,
        kModeFolder = 5,
        kModeFormFactor = 6,
    };
    // The tool bar's buttons.
    static constexpr UINT kBackId = 40812;
    static constexpr UINT kForwardId = 40813;
    static constexpr UINT kLevelUpId = 40819;
    class History;

    // `kind` 1: a pane with its own history (a clipart pane's); 0: without (the documents menu's).
    explicit PreviewWnd(int kind = 0);
    ~PreviewWnd() override;

    BOOL Create(CWnd* parent, DWORD style, UINT id);
    using CWnd::Create;
    int GetMode() const { return mode_; }
    History* GetHistory() const { return history_.get(); }

    // The window whose hidden state the browsers follow; null lets every browser leave it first.
    void SetClient(DocumentsMenuDlg* client);
    DocumentsMenuDlg* GetClient() const { return client_; }
    // A new size rebuilds the browsers' image lists.
    void SetIconSize(int size);
    int GetIconSize() const { return iconSize_; }
    void SetTheme(const Korvo::UI::Theme& theme);
    const CString& GetThemeName() const { return themeName_; }
    COLORREF GetBackgroundColor() const { return background_; }
    // The text colour the browsers were given with the theme.
    COLORREF GetTextColor() const { return text_; }

    // Each shows the object in place of what was shown (nothing for a null object or an empty
    // path); `record` keeps the step in the history of a pane that has one.
    void ShowConfiguration(IConfiguration* configuration, bool record);
    void ShowLibrariesGroup(ILibrariesGroup* group, bool record);
    void ShowLibrary(ILibrary* library, bool record);
    void ShowFolder(const CString& path, bool record);
    // The document at `relativePath` below the library's folder; false when there is none.
    bool ShowDocument(ILibrary* library, const CString& relativePath, bool record);
    // Shows nothing.
    void Hide();

    // The tool bar's steps: to the location above, back and forward in the history.
    void GoLevelUp();
    void GoBack();
    void GoForward();

    // Null (or empty) when another kind of object is shown.
    IConfiguration* GetCurrentConfiguration() const;
    ILibrariesGroup* GetCurrentLibrariesGroup() const;
    ILibrary* GetCurrentLibrary() const;
    CString GetCurrentFolder() const;
    // The shown browser's path (a folder, or a library's or group's name); in a document
    // preview the document's full path; empty when nothing is shown.
    CString GetCurrentPath() const;
    // A copy of the shown location's icon, which the caller destroys; null when none.
    HICON GetCurrentIcon() const;
    // The shown document's picture, null when none.
    FilePreview* GetFilePreview() const { return preview_.get(); }
    // The form factors of the shown document (mode 6), null when they cannot be shown.
    FormFactorPreviewWnd* GetFormFactorPreview() const { return formFactors_.get(); }
    bool showsDocument() const { return mode_ == kModeFilePreview || mode_ == kModeFormFactor; }

    // The browser that shows the location, null when none.
    Browser* GetShownBrowser() const { return shown_; }
    ConfigurationBrowser* GetConfigurationBrowser() const { return configurations_.get(); }
    LibrariesGroupBrowser* GetLibrariesGroupBrowser() const { return groups_.get(); }
    LibraryBrowser* GetLibraryBrowser() const { return libraries_.get(); }
    FolderBrowser* GetFolderBrowser() const { return folders_.get(); }
    CXTPToolBar* GetToolBar() const { return toolBar_; }
    CXTPControl* GetLevelUpButton() const { return levelUp_; }
    // The shown object took a new name: the pane names it again.
    void LocationRenamed();
    // The shown library's folder changed.
    void LocationMoved();

protected:
    // Mode 0 shows the pane's own background; in any other a child fills the pane.
    void OnDraw(CDC* dc) override;
    void PostNcDestroy() override {}
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool createNavigationBar();
    void showChild(Mode mode, CWnd* child);
    // The Level-up button leads to `parent` (named so in its tooltip), or nowhere.
    void setLevelUp(const CString& parent);
    // The group above the shown library or group, null for any other location.
    ILibrariesGroup* shownParent() const;
    // The display name of what Level up leads to from the location shown now; empty for none.
    CString levelUpTarget() const;
    // Sets the button for the location shown now and watches the group above it.
    void refreshLevelUp();
    void showToolBar(bool show);
    void record(HistoryEntry entry, bool record);
    void notifyHost();
    void layout();
    void onContextMenu(POINT screen);
    // Shows the history's entry; false when its object no longer exists.
    bool showEntry(const HistoryEntry& entry);
    void step(int direction);
    // The four browsers (null ones while the pane goes).
    std::array<Browser*, 4> browsers() const;

    Mode mode_ = kModeNone;
    std::unique_ptr<History> history_;
    DocumentsMenuDlg* client_ = nullptr;
    int iconSize_ = 32;
    CString themeName_;
    COLORREF background_;
    COLORREF text_;
    std::unique_ptr<ConfigurationBrowser> configurations_;
    std::unique_ptr<LibrariesGroupBrowser> groups_;
    std::unique_ptr<LibraryBrowser> libraries_;
    std::unique_ptr<FolderBrowser> folders_;
    std::unique_ptr<FilePreview> preview_;
    class ParentWatch;
    std::unique_ptr<ParentWatch> parentWatch_;
    CXTPSmartPtrInternalT<FormFactorPreviewWnd> formFactors_;
    CXTPToolBar* toolBar_ = nullptr;
    CXTPControl* levelUp_ = nullptr;
    CString levelUpTarget_;
    Browser* shown_ = nullptr;
    CWnd* shownChild_ = nullptr;
};

}  // namespace DocumentsMenu
