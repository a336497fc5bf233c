// The browser pane's picture of one document: white, with the document's preview picture over
// the whole window when the document has one.
#pragma once

#include <memory>

#include "documentsmenu/library_ref.h"
#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

// It follows the document's library: once the library is destroyed (and not read again with its
// configuration), the pane showing the document shows nothing.
class FilePreview : public CWnd, private ILibrary::IClient {
public:
    ~FilePreview() override;
    BOOL Create(CWnd* parent, UINT id);
    using CWnd::Create;
    // Reads the document's picture (none when it has no preview) and redraws at once;
    // `relativePath` is where the document lies below the library's folder.
    void SetDocument(ILibrary* library, const CString& fullPath, const CString& relativePath);
    // Null once the library is gone.
    ILibrary* GetLibrary() const { return library_.Get(); }
    const CString& GetPath() const { return path_; }
    const CWinBMP* GetImage() const { return image_.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc) const;
    void observe(ILibrary* library);
    // After a destroyed library: the same library read again is followed, else the pane hides.
    void libraryGone();
    // After the library's folder changed: the pane shows the document at its place in the new
    // folder, or the library when it has none there.
    void libraryMoved();

    void LibraryPathChanged(ILibrary* library) override;
    void LibraryNameChanged(ILibrary*) override {}
    // A removed library is destroyed next.
    void LibraryRemoved(ILibrary*) override {}
    void LibraryDestroyed(ILibrary* library) override;
    void LibraryContentsChanged(ILibrary*) override {}

    LibraryRef library_;
    // The library this preview is a client of; cleared by its destroyed notification.
    ILibrary* observed_ = nullptr;
    CString path_;
    CString relativePath_;
    std::unique_ptr<CWinBMP> image_;
};

}  // namespace DocumentsMenu
