#include "documentsmenu/browser/list_item.h"

#include "documentsmenu/browser/browser.h"
#include "documentsmenu/browser/shell_rename.h"
#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/file_drag_source.h"
#include "documentsmenu/library_drag_drop.h"
#include "documentsmenu/window/preview_wnd.h"
#include "services/application.h"

namespace DocumentsMenu {

namespace {

// The kernel's standard library icons, loaded first into every browser's list.
constexpr int kGroupIcon = 1;
constexpr int kFolderIcon = 3;
constexpr int kDocumentIcon = 5;
constexpr int kMissingFolderIcon = 8;
constexpr int kSharedNameIcon = 11;

int pathIconOr(Browser* browser, const CString& path, int fallback) {
    Korvo::UI::CachingImageList* images = browser ? browser->GetImageList() : nullptr;
    if (!images) return fallback;
    const int index = images->AddForPath(path);
    return index == -1 ? fallback : index;
}

}  // namespace

bool IsDocumentPath(const CString& path) {
    const int dot = path.ReverseFind(L'.');
    const int separator = path.ReverseFind(L'\\');
    return dot > separator && path.Mid(dot).CompareNoCase(L".grb") == 0;
}

CString PathLeaf(const CString& path) {
    CString trimmed = path;
    while (trimmed.GetLength() > 0 && trimmed.Right(1) == L"\\") trimmed = trimmed.Left(trimmed.GetLength() - 1);
    return trimmed.Mid(trimmed.ReverseFind(L'\\') + 1);
}

bool IsExistingFolder(const CString& path) { return !path.IsEmpty() && Korvo::GetFileSystemEntryType(path) == 2; }

UINT ListItem::nextId() {
    static UINT counter = 0;
    return counter++;
}

ListItem::ListItem(Browser* browser, const CString& text) : id_(nextId()), browser_(browser), text_(text) {}

ListItem::~ListItem() {
    if (browser_) browser_->forget(this);
}

// ---- Documents --------------------------------------------------------------------------------

DocumentItem::DocumentItem(Browser* browser, const CString& path, ILibrary* library)
    : ListItem(browser, PathLeaf(path)), path_(path), library_(library) {}

int DocumentItem::GetSortGroup() const { return GetText().Left(1) == L"_" ? 1 : 2; }

int DocumentItem::GetIconIndex() const { return pathIconOr(GetBrowser(), path_, kDocumentIcon); }

void DocumentItem::AddMenuItems(CXTPPopupBar* popup) {
    AddMenuItem(popup, new DocumentMenuItems::OpenInExplorer(path_));
    AddMenuItem(popup, new DocumentMenuItems::Open(path_));
    AddMenuItem(popup, new DocumentMenuItems::Insert(path_, library_.Get()));
    AddMenuItem(popup, new DocumentMenuItems::InsertAsImage(path_, library_.Get()));
    AddMenuItem(popup, new DocumentMenuItems::Properties(path_));
}

void DocumentItem::Rename(const CString& text) { RenameOnDisk(GetBrowser(), path_, text); }

void DocumentItem::Open() {
    if (ApplicationServices* application = ApplicationServices::Instance()) application->OpenDocumentFile(path_);
}

void DocumentItem::BeginDrag() { FileDragSource::Instance().DragFile(path_, DROPEFFECT_COPY); }

// ---- Folders ----------------------------------------------------------------------------------

FolderItem::FolderItem(Browser* browser, const CString& path) : ListItem(browser, PathLeaf(path)), path_(path) {}

int FolderItem::GetIconIndex() const {
    if (!GetBrowser()) return kFolderIcon;
    if (!IsExistingFolder(path_)) return kMissingFolderIcon;
    return pathIconOr(GetBrowser(), path_, kFolderIcon);
}

void FolderItem::AddMenuItems(CXTPPopupBar* popup) {
    AddMenuItem(popup, new FolderMenuItems::OpenInExplorer(path_));
    AddMenuItem(popup, new FolderMenuItems::OpenClipart(path_));
}

void FolderItem::Rename(const CString& text) { RenameOnDisk(GetBrowser(), path_, text); }

void FolderItem::Open() {
    // The pane refills this very browser: nothing of this item is used afterwards.
    if (PreviewWnd* pane = GetBrowser() ? GetBrowser()->GetPane() : nullptr) pane->ShowFolder(path_, true);
}

// ---- Libraries groups -------------------------------------------------------------------------

LibrariesGroupItem::LibrariesGroupItem(Browser* browser, ILibrariesGroup* group)
    : ListItem(browser, group ? group->GetDisplayName() : CString()), group_(group) {
    if (group_) group_->AddClient(this);
}

LibrariesGroupItem::~LibrariesGroupItem() {
    if (group_) group_->RemoveClient(this);
}

int LibrariesGroupItem::GetIconIndex() const {
    if (!GetBrowser() || !GetBrowser()->GetImageList() || !group_) return kGroupIcon;
    for (int index = 0; index < group_->GetLibraryCount(); ++index) {
        ILibrary* library = group_->GetLibraryAt(index);
        const int icon = library ? GetBrowser()->GetImageList()->AddForPath(GetLibraryAbsolutePath(library)) : -1;
        if (icon != -1) return icon;
    }
    return kGroupIcon;
}

void LibrariesGroupItem::AddMenuItems(CXTPPopupBar* popup) {
    if (group_) AddMenuItem(popup, new LibrariesGroupMenuItems::OpenClipart(group_));
}

void LibrariesGroupItem::Rename(const CString& text) {
    if (group_) group_->SetName(text);
}

void LibrariesGroupItem::Open() {
    if (PreviewWnd* pane = GetBrowser() ? GetBrowser()->GetPane() : nullptr; pane && group_)
        pane->ShowLibrariesGroup(group_, true);
}

void LibrariesGroupItem::BeginDrag() {
    if (group_) LibraryDragDrop::DoDragLibrariesGroup(group_);
}

void LibrariesGroupItem::GroupNameChanged(ILibrariesGroup* group) {
    if (GetBrowser()) GetBrowser()->SetText(this, group->GetDisplayName());
}

void LibrariesGroupItem::GroupRemoved(ILibrariesGroup*) {
    if (GetBrowser()) GetBrowser()->DeleteRowOf(this);  // deletes this item
}

void LibrariesGroupItem::GroupDestroyed(ILibrariesGroup*) { group_ = nullptr; }

// ---- Libraries --------------------------------------------------------------------------------

LibraryItem::LibraryItem(Browser* browser, ILibrary* library)
    : ListItem(browser, library ? library->GetDisplayName() : CString()), library_(library) {
    if (library_) library_->AddClient(this);
}

LibraryItem::~LibraryItem() {
    if (library_) library_->RemoveClient(this);
}

int LibraryItem::GetIconIndex() const {
    if (!GetBrowser() || !library_) return kFolderIcon;
    const CString folder = GetLibraryAbsolutePath(library_);
    if (!IsExistingFolder(folder)) return kMissingFolderIcon;
    if (FindLibraryByName(GlobalCfgGroup(), library_->GetDisplayName()) != library_) return kSharedNameIcon;
    return pathIconOr(GetBrowser(), folder, kFolderIcon);
}

void LibraryItem::AddMenuItems(CXTPPopupBar* popup) {
    const CString folder = library_ ? GetLibraryAbsolutePath(library_) : CString();
    // A library whose folder is missing offers nothing to do with it.
    if (!IsExistingFolder(folder)) return;
    AddMenuItem(popup, new FolderMenuItems::OpenInExplorer(folder));
    AddMenuItem(popup, new LibraryMenuItems::OpenClipart(library_));
    AddMenuItem(popup, new LibraryMenuItems::CreateToolBar(library_));
}

void LibraryItem::Rename(const CString& text) {
    if (library_) library_->SetName(text);
}

void LibraryItem::Open() {
    if (PreviewWnd* pane = GetBrowser() ? GetBrowser()->GetPane() : nullptr; pane && library_)
        pane->ShowLibrary(library_, true);
}

void LibraryItem::BeginDrag() {
    if (library_) LibraryDragDrop::DoDragLibrary(library_);
}

void LibraryItem::LibraryPathChanged(ILibrary*) {
    if (!GetBrowser()) return;
    const int row = GetBrowser()->RowOf(this);
    if (row >= 0) GetBrowser()->RedrawItems(row, row);
}

void LibraryItem::LibraryNameChanged(ILibrary* library) {
    if (GetBrowser()) GetBrowser()->SetText(this, library->GetDisplayName());
}

void LibraryItem::LibraryRemoved(ILibrary*) {
    if (GetBrowser()) GetBrowser()->DeleteRowOf(this);
}

void LibraryItem::LibraryDestroyed(ILibrary*) { library_ = nullptr; }

}  // namespace DocumentsMenu
