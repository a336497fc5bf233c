#include "documentsmenu/tree_view.h"

#include "documentsmenu/group_rows.h"
#include "documentsmenu/records/configuration_record.h"

namespace DocumentsMenu {

Record* TreeView::addConfigurationRow(IConfiguration* configuration) {
    Record* row = configuration->IsFromVarnel() ? new PDMConfigurationRecord(configuration)
                                                : new ConfigurationRecord(configuration);
    AddRecord(row);
    row->Init();
    return row;
}

void TreeView::Fill(const CString& filter) {
    if (!ResetRows(filter)) return;
    const DocumentsMenuDlg* window = GetDocumentsMenuDlg();
    IConfigurationsGroup* global = GlobalCfgGroup();
    for (int i = 0; i < global->GetCount(); ++i) {
        IConfiguration* configuration = global->GetConfigurationAt(i);
        if (!configuration) continue;
        auto* group = static_cast<ILibrariesGroup*>(configuration);
        if (group->IsExcluded() && !ShowExcluded()) continue;
        bool expand = window && window->IsExpanded(group);
        CString childFilter;
        if (!filter.IsEmpty()) {
            // A configuration whose own name matches is listed, expanded, with all it holds.
            const bool nameMatches = ConfigurationRecord::NameContains(configuration, filter);
            expand = nameMatches || GroupMatchesSearch(group, filter, window, GetSearchAnswers());
            if (!expand) continue;
            if (!nameMatches) childFilter = filter;
        }
        Record* row = addConfigurationRow(configuration);
        PlaceRow(row, group->IsExcluded(), expand, childFilter, window && window->IsHidden(group));
    }
    EndFill();
    Korvo::UI::ReportControl::Populate(this);
}

void TreeView::ConfigurationAdded(IConfiguration* configuration) {
    if (!configuration) return;
    auto* group = static_cast<ILibrariesGroup*>(configuration);
    if (group->IsExcluded() && !ShowExcluded()) return;
    const DocumentsMenuDlg* window = GetDocumentsMenuDlg();
    Record* row = addConfigurationRow(configuration);
    if (group->IsExcluded()) row->SetCellsTextColor(GetSysColor(COLOR_GRAYTEXT));
    if (window && window->IsExpanded(group)) row->Expand(true);
    if (window && window->IsHidden(group)) row->SetVisible(IsShowHidden() ? TRUE : FALSE);
    if (GetUpdateCount() != 0) return;
    Korvo::UI::ReportControl::Populate(this);
    if (CXTPReportRow* shown = GetRows()->Find(row)) SetFocusedRow(shown);
}

}  // namespace DocumentsMenu
