// Whether a library folder holds a document that matches a search, found a bounded number of
// documents at a time: a search over huge folders answers in steps while the UI thread is idle,
// and the fills that follow read the answers instead of reading the folders again.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/kernel.h"

namespace DocumentsMenu {

class DocumentsMenuDlg;

// One library's search, resumable at any document. The library is looked up by its id at every
// step: the model may drop it between steps, and then nothing matches.
class LibrarySearch {
public:
    LibrarySearch(ILibrary* library, const CString& filter, const DocumentsMenuDlg* window);
    ~LibrarySearch();
    LibrarySearch(const LibrarySearch&) = delete;
    LibrarySearch& operator=(const LibrarySearch&) = delete;

    // Looks at documents while `work` lasts, one unit each; the answer once there is one.
    std::optional<bool> Advance(int& work);

private:
    void close();
    // The next extension's listing; false when none is left.
    bool openNext();

    GUID id_;
    CString folder_;
    CString filter_;
    const DocumentsMenuDlg* window_;
    std::vector<const wchar_t*> extensions_;
    std::size_t nextExtension_ = 0;
    HANDLE search_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW entry_{};
    bool entryPending_ = false;
};

// The answers for every library of the open configurations, one library after another.
class SearchAnswers {
public:
    SearchAnswers(const CString& filter, const DocumentsMenuDlg* window);

    const CString& GetFilter() const { return filter_; }
    // Looks at up to `work` more documents; true once every library is answered.
    bool Advance(int work);
    bool IsComplete() const { return next_ >= libraries_.size() && !current_; }
    // The library's answer; none for a library that was not searched.
    std::optional<bool> Answer(ILibrary* library) const;

private:
    struct IdLess {
        bool operator()(const GUID& a, const GUID& b) const;
    };
    CString filter_;
    const DocumentsMenuDlg* window_;
    std::vector<GUID> libraries_;
    std::size_t next_ = 0;
    std::unique_ptr<LibrarySearch> current_;
    std::map<GUID, bool, IdLess> answers_;
};

}  // namespace DocumentsMenu
