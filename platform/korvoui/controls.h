// The UI library's own controls that the application creates for layout elements: a button that
// opens a file and a gallery over a library of parts.
#pragma once

#include "platform/toolkit.h"

namespace Korvo::UI {

// The file to open is the control's parameter.
class FileButton : public CXTPControlButton {
    DECLARE_DYNCREATE(FileButton)
public:
    FileButton() = default;
};

class LibraryGallery : public CXTPControl {
    DECLARE_DYNCREATE(LibraryGallery)
public:
    LibraryGallery() : CXTPControl(xtpControlGallery) {}
    const CString& GetLibraryPath() const { return library_; }
    void SetLibraryPath(const CString& path) { library_ = path; }
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width; }

private:
    CString library_;
    int width_ = -1;
};

}  // namespace Korvo::UI
