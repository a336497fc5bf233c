#include "documentsmenu/records/configuration_record.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/records/libraries_group_record.h"
#include "documentsmenu/records/library_record.h"
#include "documentsmenu/records/record_icons.h"

namespace DocumentsMenu {

int ConfigurationRecord::GetIconId() {
    IConfiguration* configuration = GetConfiguration();
    return configuration && configuration->IsActive() ? kIconActiveConfiguration : kIconConfiguration;
}

bool ConfigurationRecord::NameContains(IConfiguration* configuration, const CString& filter) {
    return configuration && ContainsFilter(configuration->GetSearchName(), filter);
}

bool ConfigurationRecord::MatchesFilterRecursive(IConfiguration* configuration, const CString& filter,
                                                 const DocumentsMenuDlg* window) {
    return configuration && GroupMatchesSearch(configuration, filter, window);
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
    IConfiguration* configuration = GetConfiguration();
    if (!configuration) return;
    AddMenuItem(popup, new ConfigurationMenuItems::Active(configuration));
    AddMenuItem(popup, new ConfigurationMenuItems::OpenInExplorer(configuration, true));
    AddMenuItem(popup, new LibrariesGroupMenuItems::OpenClipart(group()));
    AddMenuItem(popup, new ConfigurationMenuItems::Close(configuration, true));
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

CString ConfigurationRecord::GetName() {
    IConfiguration* configuration = GetConfiguration();
    return configuration ? configuration->GetDisplayName() : CString();
}
// Configurations take their names and paths from their files.
bool ConfigurationRecord::SetName(const CString&) { return false; }
CString ConfigurationRecord::GetPath() {
    IConfiguration* configuration = GetConfiguration();
    return configuration ? configuration->GetPath() : CString();
}
bool ConfigurationRecord::SetPath(const CString&) { return false; }

// The browser pane shows a configuration at once, without a wait cursor.
void ConfigurationRecord::OnSelected() {
    if (DocumentsMenuDlg* window = GetWindow()) window->ShowInBrowser(group());
}

void ConfigurationRecord::BeginRename() {}

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
