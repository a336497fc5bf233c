#include "documentsmenu/records/libraries_group_record.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/records/library_record.h"

namespace DocumentsMenu {

int LibrariesGroupRecord::GetIconId() { return GroupRows::GroupIconId(GetLibrariesGroup(), GetControl()); }

bool LibrariesGroupRecord::NameContains(ILibrariesGroup* group, const CString& filter) {
    return group && ContainsFilter(group->GetSearchName(), filter);
}

bool LibrariesGroupRecord::MatchesSearch(ILibrariesGroup* group, const CString& filter,
                                         const DocumentsMenuDlg* window) {
    return GroupMatchesSearch(group, filter, window);
}

void LibrariesGroupRecord::AddMultiSelectionMenuItems(CXTPPopupBar*, const std::vector<Record*>&) {}

void LibrariesGroupRecord::AddMenuItems(CXTPPopupBar* popup) {
    if (ILibrariesGroup* group = GetLibrariesGroup()) AddMenuItem(popup, new LibrariesGroupMenuItems::OpenClipart(group));
}

CString LibrariesGroupRecord::GetName() {
    ILibrariesGroup* group = GetLibrariesGroup();
    return group ? group->GetName() : CString();
}

bool LibrariesGroupRecord::SetName(const CString& value) {
    ILibrariesGroup* group = GetLibrariesGroup();
    return group && group->SetName(value);
}

// A group has no folder.
CString LibrariesGroupRecord::GetPath() { return CString(); }
bool LibrariesGroupRecord::SetPath(const CString&) { return false; }

void LibrariesGroupRecord::BeginRename() { nameItem_->StartEdit(); }

Record* PDMLibrariesGroupRecord::CreateLibraryRecord(ILibrary* library) { return new PDMLibraryRecord(library); }

Record* PDMLibrariesGroupRecord::CreateLibrariesGroupRecord(ILibrariesGroup* group) {
    return new PDMLibrariesGroupRecord(group);
}

DROPEFFECT PDMLibrariesGroupRecord::OnDragOver(COleDataObject*, DWORD) { return 0; }

}  // namespace DocumentsMenu
