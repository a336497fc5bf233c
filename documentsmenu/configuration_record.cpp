#include "documentsmenu/configuration_record.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/libraries_group_record.h"
#include "documentsmenu/library_drag_drop.h"
#include "documentsmenu/library_record.h"
#include "documentsmenu/record_icons.h"

namespace DocumentsMenu {

ConfigurationRecord::~ConfigurationRecord() {
    if (configuration_) configuration_->RemoveClient(this);
}

int ConfigurationRecord::GetIconId() {
    return configuration_ && configuration_->IsActive() ? kIconActiveConfiguration : kIconConfiguration;
}

Record* ConfigurationRecord::CreateLibraryRecord(ILibrary* library) { return new LibraryRecord(library, true); }

Record* ConfigurationRecord::CreateLibrariesGroupRecord(ILibrariesGroup* group) {
    return new LibrariesGroupRecord(group);
}

bool ConfigurationRecord::NameContains(IConfiguration* configuration, const CString& filter) {
    return configuration && ContainsFilter(configuration->GetSearchName(), filter);
}

bool ConfigurationRecord::MatchesFilterRecursive(IConfiguration* configuration, const CString& filter,
                                                 const DocumentsMenuDlg* window) {
    return configuration && GroupMatchesSearch(configuration, filter, window);
}

void ConfigurationRecord::Init() {
    nameItem_ = static_cast<ReportRecordItem*>(AddItem(new ReportRecordItem(new RecordNameEditor(this), [this] {
        Expand(!IsExpanded());
        Repopulate();
    })));
    nameItem_->SetIconIndex(GetIconId());
    pathItem_ = AddItem(new CXTPReportRecordItem(GetPath()));
    pathItem_->SetEditable(FALSE);
    AddItem(new ReportRecordItem(new RecordAuthorEditor(this), nullptr));
    AddItem(new ReportRecordItem(new RecordCompanyEditor(this), nullptr));
    AddItem(new ReportRecordItem(new RecordCommentEditor(this), nullptr));
    AddItem(new ReportRecordIconItem(kIconShown, kIconHidden));
    if (configuration_ && (configuration_->GetGroupCount() > 0 || configuration_->GetLibraryCount() > 0)) {
        AddPlaceholderChild();
    }
    if (configuration_) configuration_->AddClient(static_cast<IConfiguration::IClient*>(this));
}

// The configuration menu items belong to the documents menu's menus.
namespace {

// The configurations of the selected rows; empty unless every one is a configuration row.
std::vector<IConfiguration*> selectedConfigurations(const std::vector<Record*>& selection) {
    std::vector<IConfiguration*> configurations;
    for (Record* record : selection) {
        auto* row = dynamic_cast<ConfigurationRecord*>(record);
        if (!row) return {};
        if (row->GetConfiguration()) configurations.push_back(row->GetConfiguration());
    }
    return configurations;
}

}  // namespace

void ConfigurationRecord::AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) {
    const std::vector<IConfiguration*> configurations = selectedConfigurations(selection);
    if (configurations.empty()) return;
    AddMenuItem(popup, new ConfigurationMenuItems::Close(configurations));
}

void ConfigurationRecord::AddMenuItems(CXTPPopupBar* popup) {
    if (!configuration_) return;
    AddMenuItem(popup, new ConfigurationMenuItems::Active(configuration_));
    AddMenuItem(popup, new ConfigurationMenuItems::OpenInExplorer(configuration_, true));
    AddMenuItem(popup, new LibrariesGroupMenuItems::OpenClipart(static_cast<ILibrariesGroup*>(configuration_)));
    AddMenuItem(popup, new ConfigurationMenuItems::Close(configuration_, true));
}

void PDMConfigurationRecord::AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) {
    const std::vector<IConfiguration*> configurations = selectedConfigurations(selection);
    if (configurations.empty()) return;
    AddMenuItem(popup, new ConfigurationMenuItems::Close(configurations));
    if (IsPdmConnected()) AddMenuItem(popup, new ConfigurationMenuItems::Update(configurations));
}

void PDMConfigurationRecord::AddMenuItems(CXTPPopupBar* popup) {
    IConfiguration* configuration = GetConfiguration();
    if (!configuration) return;
    AddMenuItem(popup, new ConfigurationMenuItems::Active(configuration, true));
    AddMenuItem(popup, new ConfigurationMenuItems::OpenInExplorer(configuration, true));
    if (IsPdmConnected()) AddMenuItem(popup, new ConfigurationMenuItems::Update(configuration, true));
    AddMenuItem(popup, new ConfigurationMenuItems::Close(configuration, true));
}

CString ConfigurationRecord::GetName() { return configuration_ ? configuration_->GetDisplayName() : CString(); }
// Configurations take their names from their files.
bool ConfigurationRecord::SetName(const CString&) { return false; }
CString ConfigurationRecord::GetPath() { return configuration_ ? configuration_->GetPath() : CString(); }
bool ConfigurationRecord::SetPath(const CString&) { return false; }
CString ConfigurationRecord::GetAuthor() { return configuration_ ? configuration_->GetAuthor() : CString(); }
CString ConfigurationRecord::GetCompany() { return configuration_ ? configuration_->GetCompany() : CString(); }
CString ConfigurationRecord::GetComment() { return configuration_ ? configuration_->GetComment() : CString(); }

bool ConfigurationRecord::SetAuthor(const CString& value) {
    return SetObjectText(group(), &ILibrariesGroup::SetAuthor, value);
}
bool ConfigurationRecord::SetCompany(const CString& value) {
    return SetObjectText(group(), &ILibrariesGroup::SetCompany, value);
}
bool ConfigurationRecord::SetComment(const CString& value) {
    return SetObjectText(group(), &ILibrariesGroup::SetComment, value);
}

void ConfigurationRecord::OnSelected() {
    if (DocumentsMenuDlg* window = GetWindow()) window->ShowInBrowser(group());
}

void ConfigurationRecord::BeginDragSelection(const std::vector<Record*>&) {}
void ConfigurationRecord::BeginDrag() {}

DROPEFFECT ConfigurationRecord::OnDragOver(COleDataObject* data, DWORD keyState) {
    return LibraryDragDrop::OnDragOverRecord(group(), data, keyState);
}

bool ConfigurationRecord::OnDrop(COleDataObject* data, DROPEFFECT effect) {
    return LibraryDragDrop::OnDropOnRecord(group(), data, effect);
}

void ConfigurationRecord::BeginRename() {}

void ConfigurationRecord::SetHidden(bool hidden) {
    if (DocumentsMenuDlg* window = GetWindow()) window->SetHidden(group(), hidden);
}

bool ConfigurationRecord::IsHidden() {
    const DocumentsMenuDlg* window = GetWindow();
    return window && window->IsHidden(group());
}

GroupChildRows ConfigurationRecord::childRows() {
    return {[this](ILibrary* library) { return CreateLibraryRecord(library); },
            [this](ILibrariesGroup* sub) { return CreateLibrariesGroupRecord(sub); }};
}

void ConfigurationRecord::UpdateChildren(const CString& filter) { GroupRows(*this).Fill(group(), filter, childRows()); }

void ConfigurationRecord::OnExpandedChanged(bool expanded) {
    if (DocumentsMenuDlg* window = GetWindow()) window->SetExpanded(group(), expanded);
}

void ConfigurationRecord::LibraryAdded(ILibrariesGroup*, ILibrary* library) {
    GroupRows(*this).LibraryAdded(library, childRows());
}

void ConfigurationRecord::LibrariesGroupAdded(ILibrariesGroup*, ILibrariesGroup* added) {
    GroupRows(*this).GroupAdded(added, childRows());
}

void ConfigurationRecord::GroupNameChanged(ILibrariesGroup*) {
    nameItem_->SetCaption(GetName());
    Repopulate();
}

void ConfigurationRecord::GroupRemoved(ILibrariesGroup*) {
    CXTPReportControl* control = GetControl();
    Delete();
    Korvo::UI::ReportControl::Populate(control);
}

void ConfigurationRecord::GroupDestroyed(ILibrariesGroup*) { configuration_ = nullptr; }

void ConfigurationRecord::refill() {
    UpdateChildren(CString());
    Repopulate();
}

void ConfigurationRecord::LibrariesChanged(ILibrariesGroup*) { refill(); }
void ConfigurationRecord::GroupsChanged(ILibrariesGroup*) { refill(); }

void ConfigurationRecord::ActiveChanged(IConfiguration*) {
    nameItem_->SetIconIndex(GetIconId());
    Repopulate();
}

void ConfigurationRecord::PathChanged(IConfiguration*) { pathItem_->SetCaption(GetPath()); }

void ConfigurationRecord::reload() {
    SetExpanded(FALSE);
    refill();
}

void ConfigurationRecord::Reloaded(IConfiguration*) { reload(); }
void ConfigurationRecord::ReloadedFromVarnel(IConfiguration*) { reload(); }

// --- PDM ---

int PDMConfigurationRecord::GetIconId() {
    IConfiguration* configuration = GetConfiguration();
    return configuration && configuration->IsActive() ? kIconActivePdmConfiguration : kIconPdmConfiguration;
}

Record* PDMConfigurationRecord::CreateLibraryRecord(ILibrary* library) { return new PDMLibraryRecord(library); }

Record* PDMConfigurationRecord::CreateLibrariesGroupRecord(ILibrariesGroup* group) {
    return new PDMLibrariesGroupRecord(group);
}

DROPEFFECT PDMConfigurationRecord::OnDragOver(COleDataObject*, DWORD) { return 0; }

}  // namespace DocumentsMenu
