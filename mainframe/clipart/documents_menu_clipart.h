// A clipart view browsing a library configuration, a libraries group, a library or a folder of
// the documents menu. What it shows is kept by identity (path or id) and looked up in the global
// configuration group whenever it is needed, so an object the documents menu drops leaves no
// dangling reference behind.
#pragma once

#include <memory>

#include "documentsmenu/window/preview_wnd.h"
#include "mainframe/clipart/clipart_view.h"

// The view hears of its browser's changes (another location, another icon size, a new name) as
// the browser's host, so that the pane's title and saved keys follow what is shown.
class DocumentsMenuClipart : public CClipartView, public DocumentsMenu::IPreviewHost {
public:
    // What the view shows ("ContentType").
    static constexpr int kNone = -1;
    static constexpr int kConfiguration = 0;
    static constexpr int kLibrariesGroup = 1;
    static constexpr int kLibrary = 2;
    static constexpr int kFolder = 3;

    DocumentsMenuClipart() = default;
    ~DocumentsMenuClipart() override;

    // A new view with a pane in the active frame beside `neighbour` (a pane id, 0: none, floating
    // at `position`); null when it cannot be made or shows nothing.
    static DocumentsMenuClipart* ShowFolder(const CString& folder, UINT neighbour, const POINT* position);
    static DocumentsMenuClipart* ShowLibrariesGroup(DocumentsMenu::ILibrariesGroup* group, UINT neighbour, const POINT* position);
    static DocumentsMenuClipart* ShowLibrary(DocumentsMenu::ILibrary* library, UINT neighbour, const POINT* position);

    // Takes what the browser shows now into the view, then the pane's icon and title.
    void UpdateFromDocumentsMenu() override;
    void UpdateCaption() override { UpdateTitle(GetDockingPane(this)); }
    void UpdatePane() override { UpdateFromDocumentsMenu(); }
    DocumentsMenu::PreviewWnd* GetBrowser() const { return browser_.get(); }

    KORVO_CLIPART_KIND_OPERATIONS(L"DocumentsMenu");

private:
    static DocumentsMenuClipart* Show(std::unique_ptr<DocumentsMenuClipart> view, UINT neighbour, const POINT* position);

    int iconSize_ = 32;
    int contentType_ = kNone;
    CString cfgPath_;
    GUID groupId_{};
    GUID libId_{};
    CString folderPath_;
    std::unique_ptr<DocumentsMenu::PreviewWnd> browser_;
};
