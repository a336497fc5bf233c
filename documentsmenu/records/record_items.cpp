#include "documentsmenu/records/record_items.h"

#include "documentsmenu/records/record_icons.h"
#include "documentsmenu/structure_base.h"

namespace DocumentsMenu {

namespace {

Korvo::UI::CachingImageManager* cachingImages(const CXTPReportRecordItem& item) {
    CXTPReportRecord* record = item.GetRecord();
    CXTPReportControl* control = record ? record->GetControl() : nullptr;
    return control ? dynamic_cast<Korvo::UI::CachingImageManager*>(control->GetImageManager()) : nullptr;
}

bool folderExists(const CString& path) {
    const DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool fileExists(const CString& path) {
    const DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int imageForPath(const CXTPReportRecordItem& item, const CString& path, int fallback) {
    Korvo::UI::CachingImageManager* images = cachingImages(item);
    const int image = images ? images->AddForPath(path) : -1;
    return image == -1 ? fallback : image;
}

// Another library of the global group with the same display name. Every library of such a pair
// says so, not only the one a lookup by name does not find first.
bool sharesNameWithAnother(ILibrary* library) {
    const CString name = library->GetDisplayName();
    std::vector<ILibrary*> libraries;
    CollectAllLibraries(GlobalCfgGroup(), libraries);
    for (ILibrary* other : libraries) {
        if (other != library && other->GetDisplayName().CompareNoCase(name) == 0) return true;
    }
    return false;
}

}  // namespace

// --- text cells ---

ReportRecordItem::ReportRecordItem(IRecordTextValueEditor* editor, Action action)
    : editor_(editor), action_(std::move(action)) {
    if (editor_) SetCaption(editor_->GetValue());
}

void ReportRecordItem::OnDblClick(XTP_REPORTRECORDITEM_CLICKARGS*) {
    if (action_) {
        // The action may delete this cell's row: nothing of the cell is touched after it.
        const Action action = action_;
        action();
        return;
    }
    if (IsEditable()) StartEdit();
}

int ReportRecordItem::Compare(CXTPReportColumn* column, CXTPReportRecordItem* item) {
    if (!item) return 0;
    if (GetSortPriority() != item->GetSortPriority()) return GetSortPriority() - item->GetSortPriority();
    CXTPReportRecords* records = GetRecord() ? GetRecord()->GetRecords() : nullptr;
    return records ? records->Compare(GetCaption(column), item->GetCaption(column))
                   : GetCaption(column).Compare(item->GetCaption(column));
}

bool ReportRecordItem::GetSortKey(CXTPReportColumn* column, int& priority, CString& caption) const {
    priority = GetSortPriority();
    caption = GetCaption(column);
    return true;
}

void ReportRecordItem::OnEditChanged(XTP_REPORTRECORDITEM_ARGS* args, LPCWSTR text) {
    CXTPReportInplaceEdit* editor = args && args->pControl ? args->pControl->GetInplaceEdit() : nullptr;
    if (!editor) return;
    if (editor->IsWindowVisible()) editor->HideWindow();
    // The caption changes only when the row took the value: a refused rename shows the old name.
    const CString value = text ? text : L"";
    if (editor_ && editor_->SetValue(value)) SetCaption(value);
}

void ReportRecordItem::StartEdit() {
    CXTPReportRecord* record = GetRecord();
    CXTPReportControl* control = record ? record->GetControl() : nullptr;
    if (!control) return;
    XTP_REPORTRECORDITEM_ARGS args;
    args.pControl = control;
    args.pRow = control->GetRows()->Find(record);
    args.pColumn = control->GetColumns()->Find(GetIndex());
    args.pItem = this;
    control->EditItem(&args);
}

// --- name cells ---

LibraryRecordItemName::LibraryRecordItemName(ILibrary* library, IRecordTextValueEditor* editor, Action action)
    : ReportRecordItem(editor, std::move(action)), library_(library) {}

int LibraryRecordItemName::GetIconIndex() const {
    const CString folder = library_ ? GetLibraryAbsolutePath(library_) : CString();
    if (!folderExists(folder)) return kIconMissingFolder;
    return sharesNameWithAnother(library_) ? kIconSharedLibraryName : imageForPath(*this, folder, kIconLibrary);
}

DocumentRecordItemName::DocumentRecordItemName(ILibrary* library, const CString& documentName,
                                               IRecordTextValueEditor* editor, Action action)
    : ReportRecordItem(editor, std::move(action)), library_(library), documentName_(documentName) {}

int DocumentRecordItemName::GetIconIndex() const {
    const CString path = library_ ? GetLibraryAbsolutePath(library_) + documentName_ : CString();
    return fileExists(path) ? imageForPath(*this, path, kIconDocument) : kIconDocument;
}

// --- Visible cell ---

ReportRecordIconItem::ReportRecordIconItem(UINT shownIcon, UINT hiddenIcon)
    : shownIcon_(shownIcon), hiddenIcon_(hiddenIcon) {
    SetEditable(FALSE);
}

int ReportRecordIconItem::GetIconIndex() const {
    auto* record = dynamic_cast<Record*>(GetRecord());
    if (!record) return -1;
    return static_cast<int>(record->IsHidden() ? hiddenIcon_ : shownIcon_);
}

void ReportRecordIconItem::OnClick(XTP_REPORTRECORDITEM_CLICKARGS* args) {
    CXTPReportRecordItem::OnClick(args);
    auto* structure = dynamic_cast<StructureBase*>(args ? args->pControl : nullptr);
    if (!structure) return;
    const std::vector<CXTPReportRow*> selected = structure->GetSelectedRows();
    if (selected.empty()) return;
    const DocumentsMenuDlg* window = structure->GetDocumentsMenuDlg();
    const bool showHidden = window && window->IsShowHidden();

    // The row the selection leaves its place to once hidden rows drop out of the view.
    CXTPReportRecord* following = nullptr;
    if (!showHidden) {
        CXTPReportRecord* last = selected.back()->GetRecord();
        CXTPReportRecords* siblings = last->GetRecords();
        following = siblings ? siblings->GetAt(last->GetIndex() + 1) : nullptr;
        if (!following) {
            CXTPReportRow* before = structure->GetRows()->GetAt(selected.front()->GetIndex() - 1);
            following = before ? before->GetRecord() : nullptr;
        }
    }

    auto* clicked = dynamic_cast<Record*>(GetRecord());
    if (!clicked) return;
    const bool hide = !clicked->IsHidden();
    std::vector<Record*> rows;
    for (CXTPReportRow* row : selected) {
        if (auto* record = dynamic_cast<Record*>(row->GetRecord())) rows.push_back(record);
    }
    for (Record* record : rows) {
        record->SetHidden(hide);
        if (!showHidden && hide) record->SetVisible(FALSE);
    }
    if (showHidden) return;
    Korvo::UI::ReportControl::Populate(structure);
    if (CXTPReportRow* focus = following ? structure->GetRows()->Find(following) : nullptr) {
        structure->SelectRow(focus, FALSE);
    }
    structure->UpdateVisibleColumnIcon();
}

// --- browse button ---

LibraryRecordButtonBrowse::LibraryRecordButtonBrowse(ILibrary* library) : library_(library) { SetCaption(L"..."); }

void LibraryRecordButtonBrowse::OnLButtonUp(XTP_REPORTRECORDITEM_CLICKARGS* args) {
    if (library_) {
        const CString title = KVLoadString(kBrowseTitleString);
        const CString start = GetLibraryAbsolutePath(library_);
        const bool keepRelative = !folderExists(start) || PathIsRelativeW(library_->GetPath()) != FALSE;
        std::vector<CString> chosen;
        SelectFolders(chosen, nullptr, start, title, true, false);
        if (!chosen.empty() && !chosen.front().IsEmpty() && library_->SetPath(chosen.front()) && keepRelative) {
            library_->SetPath(GetLibraryRelativePath(library_));
        }
    }
    CXTPReportRecordItemButton::OnLButtonUp(args);
}

}  // namespace DocumentsMenu
