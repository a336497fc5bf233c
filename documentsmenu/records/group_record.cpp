#include "documentsmenu/records/group_record.h"

#include "documentsmenu/records/configuration_record.h"
#include "documentsmenu/records/libraries_group_record.h"
#include "documentsmenu/library_drag_drop.h"
#include "documentsmenu/records/library_record.h"

namespace DocumentsMenu {

template <class Group>
Record* GroupRecord<Group>::CreateLibraryRecord(ILibrary* library) {
    return new LibraryRecord(library, true);
}

template <class Group>
Record* GroupRecord<Group>::CreateLibrariesGroupRecord(ILibrariesGroup* group) {
    return new LibrariesGroupRecord(group);
}

template <class Group>
void GroupRecord<Group>::Init() {
    nameItem_ = static_cast<ReportRecordItem*>(
        this->AddItem(new ReportRecordItem(new RecordNameEditor(this), [this] { this->ToggleExpanded(); })));
    nameItem_->SetIconIndex(GetIconId());
    // A group has no path of its own: its cell stays empty.
    pathItem_ = this->AddItem(new CXTPReportRecordItem(this->GetPath()));
    pathItem_->SetEditable(FALSE);
    this->AddDescriptionCells();
    ILibrariesGroup* model = group();
    if (model && (model->GetGroupCount() > 0 || model->GetLibraryCount() > 0)) this->AddPlaceholderChild();
    this->observeObject();
}

template <class Group>
DROPEFFECT GroupRecord<Group>::OnDragOver(COleDataObject* data, DWORD keyState) {
    return LibraryDragDrop::OnDragOverRecord(group(), data, keyState);
}

template <class Group>
bool GroupRecord<Group>::OnDrop(COleDataObject* data, DROPEFFECT effect) {
    return LibraryDragDrop::OnDropOnRecord(group(), data, effect);
}

template <class Group>
GroupChildRows GroupRecord<Group>::childRows() {
    return {[this](ILibrary* library) { return CreateLibraryRecord(library); },
            [this](ILibrariesGroup* sub) { return CreateLibrariesGroupRecord(sub); }};
}

template <class Group>
void GroupRecord<Group>::UpdateChildren(const CString& filter) {
    GroupRows(*this).Fill(group(), filter, childRows());
}

template <class Group>
void GroupRecord<Group>::LibraryAdded(ILibrariesGroup*, ILibrary* library) {
    GroupRows(*this).LibraryAdded(library, childRows());
}

template <class Group>
void GroupRecord<Group>::LibrariesGroupAdded(ILibrariesGroup*, ILibrariesGroup* added) {
    GroupRows(*this).GroupAdded(added, childRows());
}

template <class Group>
void GroupRecord<Group>::GroupNameChanged(ILibrariesGroup*) {
    ILibrariesGroup* model = group();
    nameItem_->SetCaption(model ? model->GetDisplayName() : CString());
    this->Repopulate();
}

template <class Group>
void GroupRecord<Group>::GroupRemoved(ILibrariesGroup*) {
    this->DeleteSelf();
}

template <class Group>
void GroupRecord<Group>::GroupDestroyed(ILibrariesGroup*) {
    this->forgetObject();
}

template <class Group>
void GroupRecord<Group>::refill() {
    UpdateChildren(CString());
    this->Repopulate();
}

template <class Group>
void GroupRecord<Group>::LibrariesChanged(ILibrariesGroup*) {
    refill();
}

template <class Group>
void GroupRecord<Group>::GroupsChanged(ILibrariesGroup*) {
    refill();
}

template class GroupRecord<IConfiguration>;
template class GroupRecord<ILibrariesGroup>;

}  // namespace DocumentsMenu
