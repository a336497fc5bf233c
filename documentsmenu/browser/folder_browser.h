// The browser of a plain folder: its subfolders, then its documents, following the disk.
#pragma once

#include "documentsmenu/browser/browser.h"
#include "documentsmenu/directory_changes_handler.h"

namespace DocumentsMenu {

class FolderBrowser : public Browser, public DirectoryChangesHandler {
public:
    // False for the same folder (any case); else watches the new one and fills.
    bool SetFolder(const CString& path);
    const CString& GetFolder() const { return folder_; }
    HICON GetIcon() const override;
    CString GetPath() const override { return folder_; }
    void Detach() override { SetFolder(CString()); }

    void FileAdded(const SharedPathName& path) override;
    void FileRemoved(const SharedPathName& path) override;
    void FileNameChanged(const SharedPathName& oldPath, const SharedPathName& newPath) override;
    std::wstring DescribeWatcher() override { return L"browser of folder \"" + std::wstring(folder_.view()) + L"\""; }

protected:
    void FillItems() override;

private:
    CString folder_;
};

}  // namespace DocumentsMenu
