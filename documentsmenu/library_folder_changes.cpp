// How a library row follows the files of its watched folder. Documents are ".grb" files.
#include "documentsmenu/records/document_record.h"
#include "documentsmenu/records/library_record.h"

namespace DocumentsMenu {

namespace {

bool isDocument(const CString& path) { return path.GetLength() >= 4 && path.Right(4).CompareNoCase(L".grb") == 0; }

CString fileNameOf(const CString& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

bool isExcluded(ILibrary* library, const CString& name) { return library && library->IsDocumentExcluded(name); }

}  // namespace

bool LibraryRecord::MatchesFillFilter(const CString& fileName) const {
    return fillFilter_.IsEmpty() || ContainsFilter(Korvo::GetSearchableEquivalent(fileName), fillFilter_);
}

void LibraryRecord::FileAdded(const SharedPathName& path) {
    const CString& added = path.GetPath();
    if (!isDocument(added) || !MatchesFillFilter(fileNameOf(added))) return;
    // A change queued before a fill that already listed the file must not list it twice.
    if (!ListDocument(fileNameOf(added))) return;
    Expand(true);
    Repopulate();
}

void LibraryRecord::FileRemoved(const SharedPathName& path) {
    const CString name = fileNameOf(path.GetPath());
    if (ILibrary* library = GetLibrary()) library->SetDocumentExcluded(name, false);
    if (DocumentRecord* row = FindDocumentRow(name)) {
        CXTPReportControl* control = GetControl();
        DeleteDocument(row);
        Korvo::UI::ReportControl::Populate(control);
    }
}

void LibraryRecord::FileNameChanged(const SharedPathName& oldPath, const SharedPathName& newPath) {
    const CString& from = oldPath.GetPath();
    const CString& to = newPath.GetPath();
    if (!isDocument(from)) {
        if (isDocument(to) && MatchesFillFilter(fileNameOf(to))) ListDocument(fileNameOf(to));
        Repopulate();
        return;
    }
    const CString oldName = fileNameOf(from);
    const CString newName = fileNameOf(to);
    // The exclusion belongs to the file, and an excluded document has no row while excluded ones
    // are not shown: it moves (or goes) whether or not a row shows the document.
    ILibrary* library = GetLibrary();
    if (isExcluded(library, oldName)) {
        library->SetDocumentExcluded(oldName, false);
        if (isDocument(to)) library->SetDocumentExcluded(newName, true);
    }
    // So does what the user hid of it.
    if (DocumentsMenuDlg* window = GetWindow(); window && window->IsHidden(library, oldName)) {
        window->SetHidden(library, oldName, false);
        if (isDocument(to)) window->SetHidden(library, newName, true);
    }
    DocumentRecord* row = FindDocumentRow(oldName);
    if (!row) return;
    DocumentRecord* replaced = FindDocumentRow(newName);
    if (!isDocument(to) || (replaced && replaced != row)) {
        // A file moved over a listed one leaves that one's row to show it.
        DeleteDocument(row);
    } else {
        RenameDocument(row, newName);
    }
    Repopulate();
}

}  // namespace DocumentsMenu
