// The UI library's own controls that the application creates for layout elements: a gallery over
// a library of parts.
#pragma once

#include "platform/toolkit.h"

namespace Korvo::UI {

class LibraryGallery : public CXTPControl {
    DECLARE_DYNCREATE(LibraryGallery)
public:
    LibraryGallery() : CXTPControl(xtpControlGallery) {}
    const CString& GetLibraryPath() const { return library_; }
    void SetLibraryPath(const CString& path) { library_ = path; }
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    // Items per row: -1 automatic (counts at or below 0 become -1); the parent bar is laid out
    // again, at once with `immediate`, else at its next layout.
    int GetItemsPerRow() const { return width_ > 0 ? width_ : -1; }
    void SetItemsPerRow(int count, bool immediate);
    // The columns the gallery shows: its items per row, one with automatic width; 0 without
    // items (no library).
    int GetColumnCount() const;

private:
    CString library_;
    int width_ = -1;
};

// Whether the window takes typed text: an edit control (class "Edit", any case) or a window of
// the toolkit's edit controls.
bool IsEditBox(HWND window);

}  // namespace Korvo::UI
