#include "documentsmenu/browser/library_browser.h"

#include <utility>

#include "documentsmenu/browser/folder_listing.h"
#include "documentsmenu/browser/group_browsers.h"
#include "documentsmenu/browser/list_item.h"
#include "platform/win32/icons.h"
#include "documentsmenu/window/preview_wnd.h"

namespace DocumentsMenu {

namespace {

constexpr UINT kFolderIcon = 4302;

}  // namespace

LibraryBrowser::~LibraryBrowser() { leave(); }

void LibraryBrowser::leave() {
    if (library_) library_->RemoveClient(this);
    if (observed_) observed_->RemoveClient(this);
    StopWatching(this);
    library_ = nullptr;
    observed_ = nullptr;
}

void LibraryBrowser::watchFolder() {
    const CString folder = library_ ? GetLibraryAbsolutePath(library_) : CString();
    if (!folder.IsEmpty()) WatchDirectory(SharedPathName(folder), this);
}

bool LibraryBrowser::SetLibrary(ILibrary* library) {
    if (library == library_) {
        Sort();
        return false;
    }
    leave();
    library_ = library;
    if (library_) {
        library_->AddClient(this);
        observed_ = GetWindow();
        if (observed_) observed_->AddClient(this);
        watchFolder();
    }
    Fill();
    return true;
}

HICON LibraryBrowser::GetIcon() const { return LoadIconW(AfxGetResourceHandle(), kFolderIcon); }

void LibraryBrowser::FillItems() {
    const CString folder = library_ ? GetLibraryAbsolutePath(library_) : CString();
    if (folder.IsEmpty()) return;
    const DocumentsMenuDlg* window = GetWindow();
    const bool showHidden = !window || window->IsShowHidden();
    const bool showExcluded = window && window->IsShowExcluded();
    ForEachDocumentFile(folder, [&](const CString& name) {
        if (!showHidden && window->IsHidden(library_, name)) return;
        if (!showExcluded && library_->IsDocumentExcluded(name)) return;
        Append(new DocumentItem(this, JoinPath(folder, name), library_));
    });
}

void LibraryBrowser::LibraryPathChanged(ILibrary*) {
    Fill();
    StopWatching(this);
    watchFolder();
    if (PreviewWnd* pane = GetPane()) pane->LocationRenamed();
}

void LibraryBrowser::LibraryNameChanged(ILibrary*) {
    if (PreviewWnd* pane = GetPane()) pane->LocationRenamed();
}

void LibraryBrowser::LibraryRemoved(ILibrary*) {
    // The model is walking its clients: leave now, stop showing once it is done.
    leave();
    if (GetSafeHwnd()) PostMessage(kHideRemovedLocation);
}

// The icons go with the library (each held its documents' library). Once the model is done,
// the pane shows the library again when its configuration was only read again (the library keeps
// its id), and nothing otherwise.
void LibraryBrowser::LibraryDestroyed(ILibrary* library) {
    StopWatching(this);
    library_ = nullptr;
    if (observed_) observed_->RemoveClient(this);
    observed_ = nullptr;
    destroyed_ = LibraryRef(library);
    Fill();
    if (GetSafeHwnd()) PostMessage(kHideRemovedLocation);
}

void LibraryBrowser::FileAdded(const SharedPathName& added) {
    const CString path = added.GetPath();
    if (!library_ || !IsDocumentPath(path) || FindByPath(path)) return;
    Append(new DocumentItem(this, path, library_));
    Sort();
}

void LibraryBrowser::FileRemoved(const SharedPathName& removed) {
    const CString path = removed.GetPath();
    // The exclusion goes with the file, listed or not.
    if (library_) library_->SetDocumentExcluded(PathLeaf(path), false);
    if (ListItem* item = FindByPath(path)) {
        DeleteRowOf(item);
        Sort();
    }
}

void LibraryBrowser::FileNameChanged(const SharedPathName& oldName, const SharedPathName& newName) {
    const CString oldPath = oldName.GetPath();
    const CString newPath = newName.GetPath();
    if (!IsDocumentPath(oldPath)) {
        if (IsDocumentPath(newPath) && library_ && !FindByPath(newPath)) Append(new DocumentItem(this, newPath, library_));
        Sort();
        return;
    }
    auto* document = dynamic_cast<DocumentItem*>(FindByPath(oldPath));
    if (!document) return;
    const CString oldLeaf = PathLeaf(oldPath);
    if (IsDocumentPath(newPath)) {
        document->SetPath(newPath);
        SetText(document, PathLeaf(newPath));
        if (library_ && library_->IsDocumentExcluded(oldLeaf)) {
            library_->SetDocumentExcluded(oldLeaf, false);
            library_->SetDocumentExcluded(PathLeaf(newPath), true);
        }
    } else {
        DeleteRowOf(document);
        if (library_) library_->SetDocumentExcluded(oldLeaf, false);
    }
    Sort();
}

void LibraryBrowser::DocumentHiddenChanged(ILibrary* library, const CString& documentName) {
    const DocumentsMenuDlg* window = GetWindow();
    if (!library_ || library != library_ || !window || window->IsShowHidden()) return;
    if (!window->IsHidden(library, documentName)) return;
    if (ListItem* item = FindByPath(JoinPath(GetLibraryAbsolutePath(library_), documentName))) DeleteRowOf(item);
}

LRESULT LibraryBrowser::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHideRemovedLocation) {
        ILibrary* again = std::exchange(destroyed_, LibraryRef()).Get();
        // Unless the pane shows something else by now.
        if (PreviewWnd* pane = GetPane(); pane && !library_ && pane->GetShownBrowser() == this) {
            if (again) pane->ShowLibrary(again, false);
            else pane->Hide();
        }
        return 0;
    }
    return Browser::WindowProc(message, wParam, lParam);
}

}  // namespace DocumentsMenu
