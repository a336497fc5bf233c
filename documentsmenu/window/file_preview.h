// The browser pane's picture of one document: white, with the document's preview picture over
// the whole window when the document has one.
#pragma once

#include <memory>

#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class FilePreview : public CWnd {
public:
    BOOL Create(CWnd* parent, UINT id);
    using CWnd::Create;
    // Reads the document's picture (none when it has no preview) and redraws at once.
    void SetDocument(ILibrary* library, const CString& fullPath);
    ILibrary* GetLibrary() const { return library_; }
    const CString& GetPath() const { return path_; }
    const CWinBMP* GetImage() const { return image_.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc) const;

    ILibrary* library_ = nullptr;
    CString path_;
    std::unique_ptr<CWinBMP> image_;
};

}  // namespace DocumentsMenu
