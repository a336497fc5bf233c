// How a library row follows the files of its watched folder. Documents are ".grb" files.
#include "documentsmenu/document_record.h"
#include "documentsmenu/library_record.h"

namespace DocumentsMenu {

namespace {

bool isDocument(const CString& path) { return path.GetLength() >= 4 && path.Right(4).CompareNoCase(L".grb") == 0; }

CString fileNameOf(const CString& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

}  // namespace

void LibraryRecord::FileAdded(const SharedPathName& path) {
    const CString& added = path.GetPath();
    // A change queued before a fill that already listed the file must not list it twice.
    if (!isDocument(added) || FindDocumentRow(added)) return;
    AppendChild(CreateDocumentRecord(fileNameOf(added)));
    Expand(true);
    Repopulate();
}

void LibraryRecord::FileRemoved(const SharedPathName& path) {
    const CString& removed = path.GetPath();
    if (ILibrary* library = GetLibrary()) library->SetDocumentExcluded(fileNameOf(removed), false);
    if (DocumentRecord* row = FindDocumentRow(removed)) {
        CXTPReportControl* control = GetControl();
        row->Delete();
        Korvo::UI::ReportControl::Populate(control);
    }
}

void LibraryRecord::FileNameChanged(const SharedPathName& oldPath, const SharedPathName& newPath) {
    const CString& from = oldPath.GetPath();
    const CString& to = newPath.GetPath();
    ILibrary* library = GetLibrary();
    if (!isDocument(from)) {
        if (isDocument(to) && !FindDocumentRow(to)) AppendChild(CreateDocumentRecord(fileNameOf(to)));
        Repopulate();
        return;
    }
    DocumentRecord* row = FindDocumentRow(from);
    if (!row) return;
    const CString oldName = fileNameOf(from);
    const bool wasExcluded = library && library->IsDocumentExcluded(oldName);
    if (!isDocument(to)) {
        row->Delete();
        if (wasExcluded) library->SetDocumentExcluded(oldName, false);
    } else {
        row->SetDocumentName(fileNameOf(to));
        if (wasExcluded) {
            library->SetDocumentExcluded(oldName, false);
            library->SetDocumentExcluded(fileNameOf(to), true);
        }
    }
    Repopulate();
}

}  // namespace DocumentsMenu
