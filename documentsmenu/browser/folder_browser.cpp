#include "documentsmenu/browser/folder_browser.h"

#include "documentsmenu/browser/folder_listing.h"
#include "documentsmenu/browser/list_item.h"
#include "platform/win32/icons.h"

namespace DocumentsMenu {

namespace {

constexpr UINT kFolderIcon = 4302;

}  // namespace

// A folder's path with or without its trailing backslash names the same folder.
bool FolderBrowser::SetFolder(const CString& path) {
    const CString folder = FolderPathWithoutSeparator(path);
    if (folder.CompareNoCase(folder_) == 0) {
        Sort();
        return false;
    }
    if (!folder_.IsEmpty()) StopWatching(this);
    folder_ = folder;
    if (!folder_.IsEmpty()) WatchDirectory(SharedPathName(folder_), this);
    Fill();
    return true;
}

HICON FolderBrowser::GetIcon() const { return LoadIconW(AfxGetResourceHandle(), kFolderIcon); }

void FolderBrowser::FillItems() {
    if (folder_.IsEmpty()) return;
    ForEachSubfolder(folder_, [&](const CString& name) { Append(new FolderItem(this, JoinPath(folder_, name) + L"\\")); });
    ForEachDocumentFile(folder_, [&](const CString& name) { Append(new DocumentItem(this, JoinPath(folder_, name), nullptr)); });
}

void FolderBrowser::FileAdded(const SharedPathName& added) {
    const CString path = added.GetPath();
    // A notification queued before the last fill names what the fill already found.
    if (IsExistingFolder(path)) {
        if (FindByPath(path + L"\\")) return;
        Append(new FolderItem(this, path + L"\\"));
    } else if (IsDocumentPath(path)) {
        if (FindByPath(path)) return;
        Append(new DocumentItem(this, path, nullptr));
    } else {
        return;
    }
    Sort();
}

void FolderBrowser::FileRemoved(const SharedPathName& removed) {
    const CString path = removed.GetPath();
    ListItem* item = FindByPath(path);
    if (!dynamic_cast<DocumentItem*>(item)) item = FindByPath(path + L"\\");
    if (!item) return;
    DeleteRowOf(item);
    Sort();
}

void FolderBrowser::FileNameChanged(const SharedPathName& oldName, const SharedPathName& newName) {
    const CString oldPath = oldName.GetPath();
    const CString newPath = newName.GetPath();
    if (!IsDocumentPath(oldPath)) {
        if (IsExistingFolder(newPath)) {
            auto* folder = dynamic_cast<FolderItem*>(FindByPath(oldPath + L"\\"));
            if (!folder) return;
            folder->SetPath(newPath + L"\\");
            SetText(folder, PathLeaf(newPath));
        } else if (IsDocumentPath(newPath)) {
            if (FindByPath(newPath)) return;
            Append(new DocumentItem(this, newPath, nullptr));
        } else {
            return;
        }
        Sort();
        return;
    }
    auto* document = dynamic_cast<DocumentItem*>(FindByPath(oldPath));
    if (!document) return;
    if (IsDocumentPath(newPath)) {
        document->SetPath(newPath);
        SetText(document, PathLeaf(newPath));
    } else {
        DeleteRowOf(document);
    }
    Sort();
}

}  // namespace DocumentsMenu
