// How a library row follows the files of its watched folder. Documents are ".grb" files.
#include "documentsmenu/document_record.h"
#include "documentsmenu/library_record.h"

namespace DocumentsMenu {

namespace {

bool isDocument(const CString& path) { return path.GetLength() >= 4 && path.Right(4).CompareNoCase(L".grb") == 0; }

CString fileNameOf(const CString& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

bool isExcluded(ILibrary* library, const CString& name) { return library && library->IsDocumentExcluded(name); }

}  // namespace

void LibraryRecord::FileAdded(const SharedPathName& path) {
    const CString& added = path.GetPath();
    // A change queued before a fill that already listed the file must not list it twice.
    if (!isDocument(added)) return;
    const CString name = fileNameOf(added);
    if (!AppendDocument(name, false)) return;
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
    ILibrary* library = GetLibrary();
    if (!isDocument(from)) {
        if (isDocument(to)) AppendDocument(fileNameOf(to), false);
        Repopulate();
        return;
    }
    DocumentRecord* row = FindDocumentRow(fileNameOf(from));
    if (!row) return;
    const CString oldName = fileNameOf(from);
    const bool wasExcluded = isExcluded(library, oldName);
    if (!isDocument(to)) {
        DeleteDocument(row);
        if (wasExcluded) library->SetDocumentExcluded(oldName, false);
    } else {
        RenameDocument(row, fileNameOf(to));
        if (wasExcluded) {
            library->SetDocumentExcluded(oldName, false);
            library->SetDocumentExcluded(fileNameOf(to), true);
        }
    }
    Repopulate();
}

}  // namespace DocumentsMenu
