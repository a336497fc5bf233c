// How a library row lists the documents of its folder. A folder may hold a great many: the rows
// of the first screen are made when the row expands, the rest in steps while the UI thread is
// idle, each step sorting its rows in among those shown. What bounds a step is the work it does, not the
// rows it makes: a search that matches little looks at many documents for each row, and one that
// matches nothing would otherwise read the whole folder at once.
#include <climits>
#include <utility>

#include "documentsmenu/records/document_record.h"
#include "documentsmenu/idle_work.h"
#include "documentsmenu/retired_rows.h"
#include "documentsmenu/records/library_record.h"

namespace DocumentsMenu {

namespace {

// More than a tree shows at once.
constexpr int kFirstScreenRows = 64;
// Making a row for a document and sorting it in costs about as much as looking at six more.
constexpr int kRowWork = 6;
// The expansion shows a whole first screen when every document looked at makes a row.
static_assert(kFirstScreenRows * (kRowWork + 1) <= kIdleStepWork);

}  // namespace

void LibraryRecord::clearChildren() {
    CancelIdleWork(this);
    listing_.reset();
    RetireIndex(std::exchange(documents_, {}));
    RetireRecords(TakeChilds());
}

void LibraryRecord::UpdateChildren(const CString& filter) {
    BeginWaitCursor();
    BeforeFill();
    clearChildren();
    if (GetLibrary()) {
        listing_ = std::make_unique<LibraryListing>(GetLibrary());
        fillFilter_ = filter;
        if (fillRows(kFirstScreenRows, kIdleStepWork)) {
            PostIdleWork(this, [this] { return fillStep(); });
        } else {
            listing_.reset();
        }
    }
    SetChildrenFilled(true);
    EndWaitCursor();
}

void LibraryRecord::FinishFill() {
    if (!listing_) return;
    CancelIdleWork(this);
    while (fillRows(INT_MAX, INT_MAX)) {
    }
    listing_.reset();
}

bool LibraryRecord::fillStep() {
    const int shown = GetChilds()->GetCount();
    const bool more = listing_ && fillRows(INT_MAX, kIdleStepWork);
    if (!more) listing_.reset();
    // The rows shown stay; the new ones sort in among them.
    if (CXTPReportControl* control = GetControl()) control->InsertRecordRows(GetChilds(), shown);
    return more;
}

bool LibraryRecord::fillRows(int rows, int work) {
    const bool showExcluded = ShowExcluded();
    CString name;
    bool excluded = false;
    for (int made = 0; made < rows && work > 0;) {
        if (!listing_->Next(name, excluded)) return false;
        --work;
        if (excluded && !showExcluded) continue;
        if (!fillFilter_.IsEmpty() && !ContainsFilter(Korvo::GetSearchableEquivalent(name), fillFilter_)) continue;
        // A folder change heard while the fill was under way may have listed the file already.
        if (AppendDocument(name, excluded)) {
            ++made;
            work -= kRowWork;
        }
    }
    return !listing_->AtEnd();
}

DocumentRecord* LibraryRecord::FindDocumentRow(const CString& fileName) const {
    const auto found = documents_.find(FoldedFileName(fileName));
    return found == documents_.end() ? nullptr : found->second;
}

DocumentRecord* LibraryRecord::AppendDocument(const CString& fileName, bool excluded) {
    auto [slot, added] = documents_.try_emplace(FoldedFileName(fileName), nullptr);
    if (!added) return nullptr;
    DocumentRecord* row = CreateDocumentRecord(fileName);
    slot->second = row;
    AppendChild(row);
    if (excluded) row->SetCellsTextColor(GetSysColor(COLOR_GRAYTEXT));
    const DocumentsMenuDlg* window = GetWindow();
    if (window && window->IsHidden(GetLibrary(), fileName)) row->SetVisible(window->IsShowHidden() ? TRUE : FALSE);
    return row;
}

DocumentRecord* LibraryRecord::ListDocument(const CString& fileName) {
    ILibrary* library = GetLibrary();
    const bool excluded = library && library->IsDocumentExcluded(fileName);
    if (excluded && !ShowExcluded()) return nullptr;
    return AppendDocument(fileName, excluded);
}

void LibraryRecord::DeleteDocument(DocumentRecord* row) {
    documents_.erase(FoldedFileName(row->GetDocumentName()));
    row->Delete();
}

void LibraryRecord::RenameDocument(DocumentRecord* row, const CString& fileName) {
    documents_.erase(FoldedFileName(row->GetDocumentName()));
    row->SetDocumentName(fileName);
    documents_[FoldedFileName(fileName)] = row;
}

}  // namespace DocumentsMenu
