// The items of the documents menu's context menus: each a menu button that knows its caption key,
// its icon and its targets and runs its action when picked. Menus are built afresh each time they
// open, so items hold their targets without observing them.
#pragma once

#include <string>
#include <vector>

#include "documentsmenu/library_ref.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class ContextMenuItem : public CXTPControlButton {
public:
    // The caption is the key's translation; -1: no icon.
    ContextMenuItem(LPCWSTR captionKey, int iconId, bool beginGroup);
    // The toolkit's own handling, then the item's action.
    void OnExecute() override;
    virtual void Execute() {}
};

// An item acting on a list of targets (several for the multi-selection menus); single actions do
// nothing unless the list holds exactly one.
template <class Target>
class TargetsMenuItem : public ContextMenuItem {
public:
    TargetsMenuItem(std::vector<Target> targets, LPCWSTR captionKey, int iconId, bool beginGroup)
        : ContextMenuItem(captionKey, iconId, beginGroup), targets_(std::move(targets)) {}
    const std::vector<Target>& GetTargets() const { return targets_; }

protected:
    const Target* Single() const { return targets_.size() == 1 ? &targets_.front() : nullptr; }

private:
    std::vector<Target> targets_;
};

class DocumentsMenuDlg;
class PreviewWnd;

// An item acting on the documents-menu window.
class DocumentsMenuDlgMenuItem : public ContextMenuItem {
public:
    DocumentsMenuDlgMenuItem(DocumentsMenuDlg* window, LPCWSTR captionKey, int iconId, bool beginGroup)
        : ContextMenuItem(captionKey, iconId, beginGroup), window_(window) {}

protected:
    DocumentsMenuDlg* window_;
};

// An item acting on the browser pane.
class BrowserContextMenuItem : public ContextMenuItem {
public:
    BrowserContextMenuItem(PreviewWnd* pane, LPCWSTR captionKey, int iconId, bool beginGroup)
        : ContextMenuItem(captionKey, iconId, beginGroup), pane_(pane) {}

protected:
    PreviewWnd* pane_;
};

using ConfigurationMenuItem = TargetsMenuItem<IConfiguration*>;
using LibrariesGroupMenuItem = TargetsMenuItem<ILibrariesGroup*>;
using LibraryMenuItem = TargetsMenuItem<ILibrary*>;
using DocumentMenuItem = TargetsMenuItem<CString>;  // document paths
using FolderMenuItem = TargetsMenuItem<CString>;    // folder paths

// Declares a leaf item: its base, caption key and icon are fixed; the targets and the begin-group
// flag are the menu's.
#define KORVO_DOCUMENTS_MENU_ITEM(Name, Base, Target)                                    \
    class Name : public Base {                                                          \
    public:                                                                             \
        explicit Name(std::vector<Target> targets, bool beginGroup = false);            \
        Name(Target target, bool beginGroup = false)                                    \
            : Name(std::vector<Target>{std::move(target)}, beginGroup) {}               \
        void Execute() override;                                                        \
    }

namespace ConfigurationMenuItems {
KORVO_DOCUMENTS_MENU_ITEM(Active, ConfigurationMenuItem, IConfiguration*);
KORVO_DOCUMENTS_MENU_ITEM(Close, ConfigurationMenuItem, IConfiguration*);
KORVO_DOCUMENTS_MENU_ITEM(OpenInExplorer, ConfigurationMenuItem, IConfiguration*);
KORVO_DOCUMENTS_MENU_ITEM(Update, ConfigurationMenuItem, IConfiguration*);
}  // namespace ConfigurationMenuItems

namespace LibrariesGroupMenuItems {
KORVO_DOCUMENTS_MENU_ITEM(OpenClipart, LibrariesGroupMenuItem, ILibrariesGroup*);
}  // namespace LibrariesGroupMenuItems

namespace LibraryMenuItems {
KORVO_DOCUMENTS_MENU_ITEM(OpenClipart, LibraryMenuItem, ILibrary*);
KORVO_DOCUMENTS_MENU_ITEM(CreateToolBar, LibraryMenuItem, ILibrary*);
KORVO_DOCUMENTS_MENU_ITEM(Update, LibraryMenuItem, ILibrary*);
}  // namespace LibraryMenuItems

namespace FolderMenuItems {
KORVO_DOCUMENTS_MENU_ITEM(OpenInExplorer, FolderMenuItem, CString);
KORVO_DOCUMENTS_MENU_ITEM(OpenClipart, FolderMenuItem, CString);
}  // namespace FolderMenuItems

// The configurations of the whole program: open one, open one from the PDM system, close all.
namespace ConfigurationsGroupMenuItems {
class OpenCfg : public ContextMenuItem {
public:
    explicit OpenCfg(bool beginGroup = false);
    void Execute() override;
};
class OpenCfgFromVARNEL : public ContextMenuItem {
public:
    explicit OpenCfgFromVARNEL(bool beginGroup = false);
    void Execute() override;
};
class CloseAllCfgs : public ContextMenuItem {
public:
    explicit CloseAllCfgs(bool beginGroup = false);
    void Execute() override;
};
}  // namespace ConfigurationsGroupMenuItems

// The documents-menu window's own choices; caption, icon and mark follow its state as the menu
// opens.
#define KORVO_WINDOW_MENU_ITEM(Name)                                        \
    class Name : public DocumentsMenuDlgMenuItem {                         \
    public:                                                                \
        explicit Name(DocumentsMenuDlg* window, bool beginGroup = false);  \
        void Execute() override;                                           \
    }
namespace DocumentsMenuDlgMenuItems {
KORVO_WINDOW_MENU_ITEM(ShowHidden);
KORVO_WINDOW_MENU_ITEM(ShowExcluded);
KORVO_WINDOW_MENU_ITEM(SplitModeNone);
KORVO_WINDOW_MENU_ITEM(SplitModeHorizontal);
KORVO_WINDOW_MENU_ITEM(SplitModeVertical);
KORVO_WINDOW_MENU_ITEM(TreeView);
KORVO_WINDOW_MENU_ITEM(LibrariesList);
}  // namespace DocumentsMenuDlgMenuItems
#undef KORVO_WINDOW_MENU_ITEM

// The browser pane's icon sizes, the one in use marked.
namespace PreviewMenuItems {
class IconSizeItem : public BrowserContextMenuItem {
public:
    IconSizeItem(PreviewWnd* pane, LPCWSTR captionKey, int size);
    void Execute() override;

private:
    int size_;
};
#define KORVO_ICON_SIZE_ITEM(Name)                     \
    class Name : public IconSizeItem {                 \
    public:                                            \
        explicit Name(PreviewWnd* pane);               \
    }
KORVO_ICON_SIZE_ITEM(HugeIcons);
KORVO_ICON_SIZE_ITEM(LargeIcons);
KORVO_ICON_SIZE_ITEM(MediumIcons);
KORVO_ICON_SIZE_ITEM(SmallIcons);
#undef KORVO_ICON_SIZE_ITEM
}  // namespace PreviewMenuItems

namespace DocumentMenuItems {
KORVO_DOCUMENTS_MENU_ITEM(Open, DocumentMenuItem, CString);
KORVO_DOCUMENTS_MENU_ITEM(OpenInExplorer, DocumentMenuItem, CString);
KORVO_DOCUMENTS_MENU_ITEM(CopyFullPath, DocumentMenuItem, CString);
KORVO_DOCUMENTS_MENU_ITEM(Properties, DocumentMenuItem, CString);
KORVO_DOCUMENTS_MENU_ITEM(Update, DocumentMenuItem, CString);
// The insert items also hold the document's library (none when it comes from none), by id: a
// library closed while the menu is open leaves a plain insert of the file.
class Insert : public DocumentMenuItem {
public:
    Insert(CString path, ILibrary* library, bool beginGroup = false);
    void Execute() override;

protected:
    Insert(CString path, ILibrary* library, LPCWSTR captionKey, int iconId, bool beginGroup);
    CFragmentPath& Prepare() const;
    LibraryRef library_;
};
class InsertAsImage : public Insert {
public:
    InsertAsImage(CString path, ILibrary* library, bool beginGroup = false);
    void Execute() override;
};
}  // namespace DocumentMenuItems

#undef KORVO_DOCUMENTS_MENU_ITEM

// Appends the item (the popup holds it from now on).
void AddMenuItem(CXTPPopupBar* popup, ContextMenuItem* item);
// A new image manager with the icons of every documents-menu context menu (the caller owns it).
CXTPImageManager* CreateContextMenuImageManager();
// A popup on the active main frame's command bars with the context-menu icons; null without an
// active main frame. The caller releases it.
CXTPPopupBar* CreateContextMenu();
// Appends a sub-menu captioned by the key (no icon) and returns its popup, which it holds.
CXTPPopupBar* AddSubMenu(CXTPPopupBar* popup, LPCWSTR captionKey, bool beginGroup);
// Shows the menu at the screen point (the user chooses, or not) and releases it.
void TrackContextMenu(CXTPPopupBar* popup, POINT screen);
// While the program works with the PDM system, its update items are offered.
bool IsPdmConnected();

}  // namespace DocumentsMenu
