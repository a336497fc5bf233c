#include "documentsmenu/window/file_preview.h"

#include "documentsmenu/window/preview_wnd.h"
#include "platform/win32.h"

namespace DocumentsMenu {

namespace {

// Posted to itself by a preview whose library was destroyed, to act once the model is done.
constexpr UINT kLibraryGone = WM_APP + 0x106;
// Posted by a preview whose library's folder changed, for the same reason.
constexpr UINT kLibraryMoved = WM_APP + 0x107;

}  // namespace

FilePreview::~FilePreview() { observe(nullptr); }

void FilePreview::observe(ILibrary* library) {
    if (library == observed_) return;
    if (observed_) observed_->RemoveClient(this);
    observed_ = library;
    if (observed_) observed_->AddClient(this);
}

void FilePreview::LibraryDestroyed(ILibrary* library) {
    if (library != observed_) return;
    observed_ = nullptr;
    if (GetSafeHwnd()) PostMessage(kLibraryGone);
}

void FilePreview::LibraryPathChanged(ILibrary* library) {
    if (library == observed_ && GetSafeHwnd()) PostMessage(kLibraryMoved);
}

// The document shown was the file of the library's old folder: what it names now is the file at
// the same place in the new one, which an insert would link.
void FilePreview::libraryMoved() {
    ILibrary* library = library_.Get();
    auto* pane = dynamic_cast<PreviewWnd*>(GetParent());
    if (!library || library != observed_ || !pane || pane->GetFilePreview() != this || !pane->showsDocument()) return;
    if (GetLibraryAbsolutePath(library) + relativePath_ == path_) return;
    if (!pane->ShowDocument(library, relativePath_, false)) pane->ShowLibrary(library, false);
}

void FilePreview::libraryGone() {
    if (observed_) return;  // another document was shown meanwhile
    if (ILibrary* again = library_.Get()) {
        observe(again);
        return;
    }
    auto* pane = dynamic_cast<PreviewWnd*>(GetParent());
    if (pane && pane->GetFilePreview() == this && pane->showsDocument()) pane->Hide();
}

BOOL FilePreview::Create(CWnd* parent, UINT id) {
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_CLIPSIBLINGS, RECT{0, 0, 0, 0}, parent, id,
                        nullptr);
}

void FilePreview::SetDocument(ILibrary* library, const CString& fullPath, const CString& relativePath) {
    library_ = LibraryRef(library);
    observe(library);
    path_ = fullPath;
    relativePath_ = relativePath;
    // A document without a picture leaves the preview white.
    image_ = KvwLoadKVDocImage(fullPath, g_szDocPV);
    if (GetSafeHwnd()) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void FilePreview::paint(HDC dc) const {
    RECT client{};
    GetClientRect(&client);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &client, white);
    DeleteObject(white);
    if (!image_ || !image_->IsValid()) return;
    HBITMAP picture = platform::win32::createBitmap(image_->width, image_->height, image_->pixels);
    if (!picture) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, source, 0, 0, image_->width,
               image_->height, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(picture);
}

LRESULT FilePreview::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return TRUE;
    if (message == kLibraryGone) {
        libraryGone();
        return 0;
    }
    if (message == kLibraryMoved) {
        libraryMoved();
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(GetSafeHwnd(), &ps);
        if (dc) paint(dc);
        EndPaint(GetSafeHwnd(), &ps);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace DocumentsMenu
