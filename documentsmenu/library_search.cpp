#include "documentsmenu/library_search.h"

#include <climits>
#include <cstring>

#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/records/record.h"

namespace DocumentsMenu {

LibrarySearch::LibrarySearch(ILibrary* library, const CString& filter, const DocumentsMenuDlg* window)
    : id_(library ? library->GetId() : GUID{}),
      folder_(library ? GetLibraryAbsolutePath(library) : CString()),
      filter_(filter),
      window_(window) {
    extensions_.push_back(L"grb");
    KorvoServerAppProxy* server = KorvoServerAppProxy::Instance();
    if (server && server->IsGrsDocumentsShown()) extensions_.push_back(L"grs");
}

LibrarySearch::~LibrarySearch() { close(); }

void LibrarySearch::close() {
    if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
    search_ = INVALID_HANDLE_VALUE;
    entryPending_ = false;
}

bool LibrarySearch::openNext() {
    close();
    while (nextExtension_ < extensions_.size()) {
        search_ = FindFirstFileW(folder_ + L"*." + extensions_[nextExtension_++], &entry_);
        if (search_ != INVALID_HANDLE_VALUE) {
            entryPending_ = true;
            return true;
        }
    }
    return false;
}

std::optional<bool> LibrarySearch::Advance(int& work) {
    ILibrary* library = FindLibrary(id_);
    if (folder_.IsEmpty() || !library) return false;
    const bool skipHidden = !(window_ && window_->IsShowHidden());
    while (work > 0) {
        if (search_ == INVALID_HANDLE_VALUE && !openNext()) return false;
        if (!entryPending_ && !FindNextFileW(search_, &entry_)) {
            close();
            continue;
        }
        entryPending_ = false;
        --work;
        if (entry_.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY)) continue;
        const CString name(entry_.cFileName);
        if (skipHidden && window_ && window_->IsHidden(library, name)) continue;
        if (ContainsFilter(Korvo::GetSearchableEquivalent(name), filter_)) return true;
    }
    return std::nullopt;
}

bool SearchAnswers::IdLess::operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof a) < 0; }

SearchAnswers::SearchAnswers(const CString& filter, const DocumentsMenuDlg* window) : filter_(filter), window_(window) {
    std::vector<ILibrary*> libraries;
    CollectAllLibraries(GlobalCfgGroup(), libraries);
    for (ILibrary* library : libraries) {
        if (library) libraries_.push_back(library->GetId());
    }
}

bool SearchAnswers::Advance(int work) {
    while (work > 0 && !IsComplete()) {
        if (!current_) {
            const GUID id = libraries_[next_++];
            if (answers_.contains(id)) continue;
            current_ = std::make_unique<LibrarySearch>(FindLibrary(id), filter_, window_);
            // A library the model dropped since is answered at once.
            --work;
        }
        const std::optional<bool> answer = current_->Advance(work);
        if (!answer) break;
        answers_[libraries_[next_ - 1]] = *answer;
        current_.reset();
    }
    return IsComplete();
}

std::optional<bool> SearchAnswers::Answer(ILibrary* library) const {
    if (!library) return std::nullopt;
    const auto found = answers_.find(library->GetId());
    return found == answers_.end() ? std::nullopt : std::optional<bool>(found->second);
}

}  // namespace DocumentsMenu
