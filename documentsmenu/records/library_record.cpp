#include "documentsmenu/records/library_record.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/records/document_record.h"
#include "documentsmenu/file_drag_source.h"
#include "documentsmenu/group_rows.h"
#include "documentsmenu/idle_work.h"
#include "documentsmenu/pdm_folder_update.h"
#include "documentsmenu/retired_rows.h"
#include "documentsmenu/records/record_icons.h"

namespace DocumentsMenu {

namespace {

constexpr SIZE kBrowseButtonSize{18, 18};

}  // namespace

LibraryRecord::~LibraryRecord() {
    CancelIdleWork(this);
    RetireIndex(std::move(documents_));
    RetireRecords(TakeChilds());
}

DocumentRecord* LibraryRecord::CreateDocumentRecord(const CString& name) {
    return new DocumentRecord(GetLibrary(), name);
}

bool LibraryRecord::NameContains(ILibrary* library, const CString& filter) {
    return library && ContainsFilter(library->GetSearchName(), filter);
}

bool LibraryRecord::MatchesSearch(ILibrary* library, const CString& filter, const DocumentsMenuDlg* window) {
    return LibraryMatchesSearch(library, filter, window);
}

void LibraryRecord::Init() {
    nameItem_ = static_cast<LibraryRecordItemName*>(
        AddItem(new LibraryRecordItemName(GetLibrary(), new RecordNameEditor(this), [this] { ToggleExpanded(); })));
    pathItem_ = static_cast<ReportRecordItem*>(AddItem(new ReportRecordItem(new RecordPathEditor(this), nullptr)));
    if (browseButton_) {
        browse_ = new LibraryRecordButtonBrowse(GetLibrary());
        browse_->SetSize(kBrowseButtonSize);
        browse_->SetAlignment(xtpItemControlRight);
        pathItem_->GetItemControls()->AddControl(browse_);
    }
    AddDescriptionCells();
    // A library may hold documents whatever the model says: the expand button stays until a
    // fill finds none.
    AddPlaceholderChild();
    observeObject();
}

void LibraryRecord::AddMultiSelectionMenuItems(CXTPPopupBar*, const std::vector<Record*>&) {}

void LibraryRecord::AddMenuItems(CXTPPopupBar* popup) {
    const CString folder = GetLibrary() ? GetLibraryAbsolutePath(GetLibrary()) : CString();
    const DWORD attributes = folder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder);
    // A library whose folder is missing offers nothing to do with it.
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    AddMenuItem(popup, new FolderMenuItems::OpenInExplorer(folder));
    AddMenuItem(popup, new LibraryMenuItems::OpenClipart(GetLibrary()));
    AddMenuItem(popup, new LibraryMenuItems::CreateToolBar(GetLibrary()));
}

void PDMLibraryRecord::AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) {
    std::vector<ILibrary*> libraries;
    for (Record* record : selection) {
        auto* row = dynamic_cast<LibraryRecord*>(record);
        if (!row) return;
        if (row->GetLibrary()) libraries.push_back(row->GetLibrary());
    }
    if (!libraries.empty() && IsPdmConnected()) AddMenuItem(popup, new LibraryMenuItems::Update(libraries));
}

void PDMLibraryRecord::AddMenuItems(CXTPPopupBar* popup) {
    LibraryRecord::AddMenuItems(popup);
    if (GetLibrary() && IsPdmConnected()) AddMenuItem(popup, new LibraryMenuItems::Update(GetLibrary(), true));
}

void PDMLibraryRecord::BeforeFill() {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    if (!workMix) return;
    try {
        UpdateLibraryFolderFromPdm(*workMix, GetLibrary());
    } catch (KVPDMExceptionProxy* exception) {
        exception->Report();
        exception->Delete();
    }
}

CString LibraryRecord::GetName() { return object() ? object()->GetName() : CString(); }

std::wstring LibraryRecord::DescribeWatcher() { return L"row \"" + std::wstring(GetName().view()) + L"\""; }
bool LibraryRecord::SetName(const CString& value) { return object() && object()->SetName(value); }
CString LibraryRecord::GetPath() { return object() ? object()->GetPath() : CString(); }
bool LibraryRecord::SetPath(const CString& value) { return object() && object()->SetPath(value); }
DROPEFFECT LibraryRecord::OnDragOver(COleDataObject*, DWORD) { return 0; }

bool LibraryRecord::OnDrop(COleDataObject* data, DROPEFFECT) {
    if (!data || !GetLibrary()) return false;
    return FileDragSource::Instance().CopyDroppedDocuments(data, GetLibraryAbsolutePath(GetLibrary()));
}

void LibraryRecord::BeginRename() { nameItem_->StartEdit(); }

void LibraryRecord::OnExpandedChanged(bool expanded) {
    ModelRecord::OnExpandedChanged(expanded);
    // Collapsing keeps the watch: the children stay current for the next expansion.
    if (expanded && !IsWatching()) watchFolder();
}

void LibraryRecord::watchFolder() {
    const CString folder = GetLibrary() ? GetLibraryAbsolutePath(GetLibrary()) : CString();
    if (!folder.IsEmpty()) WatchDirectory(SharedPathName(folder), this);
}

void LibraryRecord::LibraryPathChanged(ILibrary*) {
    pathItem_->SetCaption(GetPath());
    StopWatching(this);
    if (IsExpanded()) {
        UpdateChildren(CString());
        Repopulate();
        watchFolder();
    } else {
        SetChildrenFilled(false);
    }
}

void LibraryRecord::LibraryNameChanged(ILibrary*) {
    nameItem_->SetCaption(GetLibrary() ? GetLibrary()->GetDisplayName() : CString());
    Repopulate();
}

void LibraryRecord::LibraryRemoved(ILibrary*) { DeleteSelf(); }

void LibraryRecord::LibraryDestroyed(ILibrary*) {
    StopWatching(this);
    forgetObject();
    nameItem_->ForgetLibrary();
    if (browse_) browse_->ForgetLibrary();
    // A fill under way has nothing to list any more.
    CancelIdleWork(this);
    listing_.reset();
    for (const auto& [name, document] : documents_) document->ForgetLibrary();
}

void LibraryRecord::LibraryContentsChanged(ILibrary*) {
    UpdateChildren(CString());
    Repopulate();
}

void LibraryListRecord::Init() {
    LibraryRecord::Init();
    AddItem(new CXTPReportRecordItem(ConfigurationNameOf(GetLibrary())))->SetEditable(FALSE);
}

DocumentRecord* LibraryListRecord::CreateDocumentRecord(const CString& name) {
    return new DocumentListRecord(GetLibrary(), name);
}

DocumentRecord* PDMLibraryRecord::CreateDocumentRecord(const CString& name) {
    return new PDMDocumentRecord(GetLibrary(), name);
}

}  // namespace DocumentsMenu
