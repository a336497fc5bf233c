#include "documentsmenu/libraries_group_record.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/library_drag_drop.h"
#include "documentsmenu/library_record.h"
#include "documentsmenu/record_icons.h"

namespace DocumentsMenu {

LibrariesGroupRecord::~LibrariesGroupRecord() {
    if (group_) group_->RemoveClient(this);
}

int LibrariesGroupRecord::GetIconId() { return GroupRows::GroupIconId(group_, GetControl()); }

Record* LibrariesGroupRecord::CreateLibraryRecord(ILibrary* library) { return new LibraryRecord(library, true); }

Record* LibrariesGroupRecord::CreateLibrariesGroupRecord(ILibrariesGroup* group) {
    return new LibrariesGroupRecord(group);
}

bool LibrariesGroupRecord::NameContains(ILibrariesGroup* group, const CString& filter) {
    return group && ContainsFilter(group->GetSearchName(), filter);
}

bool LibrariesGroupRecord::MatchesSearch(ILibrariesGroup* group, const CString& filter,
                                         const DocumentsMenuDlg* window) {
    return GroupMatchesSearch(group, filter, window);
}

void LibrariesGroupRecord::Init() {
    nameItem_ = static_cast<ReportRecordItem*>(AddItem(new ReportRecordItem(new RecordNameEditor(this), [this] {
        Expand(!IsExpanded());
        Repopulate();
    })));
    nameItem_->SetIconIndex(GetIconId());
    AddItem(new CXTPReportRecordItem(L""))->SetEditable(FALSE);
    AddItem(new ReportRecordItem(new RecordAuthorEditor(this), nullptr));
    AddItem(new ReportRecordItem(new RecordCompanyEditor(this), nullptr));
    AddItem(new ReportRecordItem(new RecordCommentEditor(this), nullptr));
    AddItem(new ReportRecordIconItem(kIconShown, kIconHidden));
    if (group_ && (group_->GetGroupCount() > 0 || group_->GetLibraryCount() > 0)) AddPlaceholderChild();
    if (group_) group_->AddClient(this);
}

void LibrariesGroupRecord::AddMultiSelectionMenuItems(CXTPPopupBar*, const std::vector<Record*>&) {}

void LibrariesGroupRecord::AddMenuItems(CXTPPopupBar* popup) {
    if (group_) AddMenuItem(popup, new LibrariesGroupMenuItems::OpenClipart(group_));
}

CString LibrariesGroupRecord::GetName() { return group_ ? group_->GetName() : CString(); }
bool LibrariesGroupRecord::SetName(const CString& value) { return group_ && group_->SetName(value); }
CString LibrariesGroupRecord::GetPath() { return CString(); }
bool LibrariesGroupRecord::SetPath(const CString&) { return false; }
CString LibrariesGroupRecord::GetAuthor() { return group_ ? group_->GetAuthor() : CString(); }
CString LibrariesGroupRecord::GetCompany() { return group_ ? group_->GetCompany() : CString(); }
CString LibrariesGroupRecord::GetComment() { return group_ ? group_->GetComment() : CString(); }

bool LibrariesGroupRecord::SetAuthor(const CString& value) {
    return SetObjectText(group_, &ILibrariesGroup::SetAuthor, value);
}
bool LibrariesGroupRecord::SetCompany(const CString& value) {
    return SetObjectText(group_, &ILibrariesGroup::SetCompany, value);
}
bool LibrariesGroupRecord::SetComment(const CString& value) {
    return SetObjectText(group_, &ILibrariesGroup::SetComment, value);
}

void LibrariesGroupRecord::OnSelected() {
    DocumentsMenuDlg* window = GetWindow();
    if (!window) return;
    BeginWaitCursor();
    window->ShowInBrowser(group_);
    EndWaitCursor();
}

void LibrariesGroupRecord::BeginDragSelection(const std::vector<Record*>&) {}
void LibrariesGroupRecord::BeginDrag() {}

DROPEFFECT LibrariesGroupRecord::OnDragOver(COleDataObject* data, DWORD keyState) {
    return LibraryDragDrop::OnDragOverRecord(group_, data, keyState);
}

bool LibrariesGroupRecord::OnDrop(COleDataObject* data, DROPEFFECT effect) {
    return LibraryDragDrop::OnDropOnRecord(group_, data, effect);
}

void LibrariesGroupRecord::BeginRename() { nameItem_->StartEdit(); }

void LibrariesGroupRecord::SetHidden(bool hidden) {
    if (DocumentsMenuDlg* window = GetWindow()) window->SetHidden(group_, hidden);
}

bool LibrariesGroupRecord::IsHidden() {
    const DocumentsMenuDlg* window = GetWindow();
    return window && window->IsHidden(group_);
}

GroupChildRows LibrariesGroupRecord::childRows() {
    return {[this](ILibrary* library) { return CreateLibraryRecord(library); },
            [this](ILibrariesGroup* sub) { return CreateLibrariesGroupRecord(sub); }};
}

void LibrariesGroupRecord::UpdateChildren(const CString& filter) { GroupRows(*this).Fill(group_, filter, childRows()); }

void LibrariesGroupRecord::OnExpandedChanged(bool expanded) {
    if (DocumentsMenuDlg* window = GetWindow()) window->SetExpanded(group_, expanded);
}

void LibrariesGroupRecord::LibraryAdded(ILibrariesGroup*, ILibrary* library) {
    GroupRows(*this).LibraryAdded(library, childRows());
}

void LibrariesGroupRecord::LibrariesGroupAdded(ILibrariesGroup*, ILibrariesGroup* added) {
    GroupRows(*this).GroupAdded(added, childRows());
}

void LibrariesGroupRecord::GroupNameChanged(ILibrariesGroup*) {
    nameItem_->SetCaption(group_ ? group_->GetDisplayName() : CString());
    Repopulate();
}

void LibrariesGroupRecord::GroupRemoved(ILibrariesGroup*) {
    CXTPReportControl* control = GetControl();
    Delete();
    Korvo::UI::ReportControl::Populate(control);
}

void LibrariesGroupRecord::GroupDestroyed(ILibrariesGroup*) { group_ = nullptr; }

void LibrariesGroupRecord::refill() {
    UpdateChildren(CString());
    Repopulate();
}

void LibrariesGroupRecord::LibrariesChanged(ILibrariesGroup*) { refill(); }
void LibrariesGroupRecord::GroupsChanged(ILibrariesGroup*) { refill(); }

Record* PDMLibrariesGroupRecord::CreateLibraryRecord(ILibrary* library) { return new PDMLibraryRecord(library); }

Record* PDMLibrariesGroupRecord::CreateLibrariesGroupRecord(ILibrariesGroup* group) {
    return new PDMLibrariesGroupRecord(group);
}

DROPEFFECT PDMLibrariesGroupRecord::OnDragOver(COleDataObject*, DWORD) { return 0; }

}  // namespace DocumentsMenu
