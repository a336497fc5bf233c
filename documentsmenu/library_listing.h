// The documents of a library folder, read one at a time and resumable at any point, so a fill can
// stop after the first screen of rows and go on later. The kernel's document enumeration calls
// back over the whole folder at once; this one keeps the same rules (".grb" files directly in the
// folder, neither hidden nor folders; excluded as the library says).
#pragma once

#include "platform/kernel.h"

namespace DocumentsMenu {

class LibraryListing {
public:
    explicit LibraryListing(ILibrary* library);
    ~LibraryListing();
    LibraryListing(const LibraryListing&) = delete;
    LibraryListing& operator=(const LibraryListing&) = delete;

    // The next document; false once the folder has no more.
    bool Next(CString& name, bool& excluded);
    bool AtEnd() const { return search_ == INVALID_HANDLE_VALUE; }

private:
    void close();

    ILibrary* library_;
    HANDLE search_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW entry_{};
    bool entryPending_ = false;
};

// A file name folded as the file system compares names (without regard to case).
std::wstring FoldedFileName(const CString& name);

}  // namespace DocumentsMenu
