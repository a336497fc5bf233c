#include "documentsmenu/document_record.h"

#include "documentsmenu/record_icons.h"

namespace DocumentsMenu {

void DocumentRecord::Init() {
    // Opening the document belongs to the document rows' actions; until then a double click
    // leaves the name as it is.
    nameItem_ = static_cast<DocumentRecordItemName*>(
        AddItem(new DocumentRecordItemName(library_, name_, new RecordNameEditor(this), [] {})));
    nameItem_->SetSortPriority(name_.GetAt(0) == L'_' ? -1 : 0);
    CString stored = library_ ? library_->GetPath() : CString();
    if (!stored.IsEmpty() && stored.Right(1) != L"\\") stored += L'\\';
    AddItem(new CXTPReportRecordItem(stored + name_))->SetEditable(FALSE);
    for (int column = kColumnAuthor; column <= kColumnComment; ++column) {
        AddItem(new CXTPReportRecordItem(L""))->SetEditable(FALSE);
    }
    AddItem(new ReportRecordIconItem(kIconShown, kIconHidden));
}

void DocumentRecord::SetDocumentName(const CString& name) {
    name_ = name;
    if (!nameItem_) return;
    nameItem_->SetName(name);
    nameItem_->SetCaption(name);
}

void DocumentRecord::ForgetLibrary() { library_ = nullptr; }

void DocumentRecord::AddMultiSelectionMenuItems(CXTPPopupBar*, const std::vector<Record*>&) {}
void DocumentRecord::AddMenuItems(CXTPPopupBar*) {}

// Renaming the file is the document rows' own work; until then a new name is refused.
bool DocumentRecord::SetName(const CString&) { return false; }

CString DocumentRecord::GetPath() { return library_ ? BuildLibraryItemPath(library_, name_) : CString(); }

void DocumentRecord::BeginRename() {
    if (nameItem_) nameItem_->StartEdit();
}

void DocumentRecord::SetHidden(bool hidden) {
    if (DocumentsMenuDlg* window = GetWindow()) window->SetHidden(library_, name_, hidden);
}

bool DocumentRecord::IsHidden() {
    const DocumentsMenuDlg* window = GetWindow();
    return window && window->IsHidden(library_, name_);
}

void DocumentListRecord::Init() {
    DocumentRecord::Init();
    AddItem(new CXTPReportRecordItem(ConfigurationNameOf(GetLibrary())))->SetEditable(FALSE);
}

CString ConfigurationNameOf(ILibrary* library) {
    IConfiguration* configuration = library ? GetConfiguration(library) : nullptr;
    return configuration ? configuration->GetDisplayName() : CString();
}

}  // namespace DocumentsMenu
