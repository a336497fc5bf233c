#include "documentsmenu/library_listing.h"

namespace DocumentsMenu {

LibraryListing::LibraryListing(ILibrary* library) : library_(library) {
    const CString folder = library ? GetLibraryAbsolutePath(library) : CString();
    if (folder.IsEmpty()) return;
    search_ = FindFirstFileW(folder + L"*.grb", &entry_);
    entryPending_ = search_ != INVALID_HANDLE_VALUE;
}

LibraryListing::~LibraryListing() { close(); }

void LibraryListing::close() {
    if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
    search_ = INVALID_HANDLE_VALUE;
    entryPending_ = false;
}

bool LibraryListing::Next(CString& name, bool& excluded) {
    while (search_ != INVALID_HANDLE_VALUE) {
        if (!entryPending_ && !FindNextFileW(search_, &entry_)) {
            close();
            return false;
        }
        entryPending_ = false;
        if (entry_.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
        name = entry_.cFileName;
        excluded = library_->IsDocumentExcluded(name);
        return true;
    }
    return false;
}

std::wstring FoldedFileName(const CString& name) {
    CString folded = name;
    folded.MakeUpper();
    return std::wstring(folded.view());
}

}  // namespace DocumentsMenu
