// The browser of a library: the documents of its folder as the documents-menu window shows them,
// following the model and the disk.
#pragma once

#include "documentsmenu/browser/browser.h"
#include "documentsmenu/directory_changes_handler.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/library_ref.h"

namespace DocumentsMenu {

class LibraryBrowser : public Browser,
                       public ILibrary::IClient,
                       public DirectoryChangesHandler,
                       public DocumentsMenuDlg::IClient {
public:
    ~LibraryBrowser() override;
    // False for the same library; else leaves the old one, watches the new one's folder and fills.
    bool SetLibrary(ILibrary* library);
    ILibrary* GetLibrary() const { return library_; }
    HICON GetIcon() const override;
    CString GetPath() const override { return library_ ? library_->GetDisplayName() : CString(); }
    void Detach() override { SetLibrary(nullptr); }

    // ILibrary::IClient
    void LibraryPathChanged(ILibrary* library) override;
    void LibraryNameChanged(ILibrary* library) override;
    void LibraryRemoved(ILibrary* library) override;
    void LibraryDestroyed(ILibrary* library) override;
    void LibraryContentsChanged(ILibrary*) override { Fill(); }

    // DirectoryChangesHandler
    void FileAdded(const SharedPathName& path) override;
    void FileRemoved(const SharedPathName& path) override;
    void FileNameChanged(const SharedPathName& oldPath, const SharedPathName& newPath) override;
    std::wstring DescribeWatcher() override { return L"browser of library \"" + std::wstring(GetPath().view()) + L"\""; }

    // DocumentsMenuDlg::IClient
    void ShowHiddenChanged() override { Fill(); }
    void ShowExcludedChanged() override { Fill(); }
    void DocumentHiddenChanged(ILibrary* library, const CString& documentName) override;
    void LibrariesGroupHiddenChanged(ILibrariesGroup*) override {}
    void LibraryHiddenChanged(ILibrary*) override {}

protected:
    void FillItems() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void leave();
    void watchFolder();

    ILibrary* library_ = nullptr;
    DocumentsMenuDlg* observed_ = nullptr;
    // The library destroyed while shown, until the pane has dealt with it.
    LibraryRef destroyed_;
};

}  // namespace DocumentsMenu
