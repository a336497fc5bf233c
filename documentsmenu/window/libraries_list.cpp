#include "documentsmenu/window/libraries_list.h"

#include <vector>

#include "documentsmenu/group_rows.h"
#include "documentsmenu/records/library_record.h"

namespace DocumentsMenu {

void LibrariesList::Fill(const CString& filter) {
    if (!ResetRows(filter)) return;
    const DocumentsMenuDlg* window = GetDocumentsMenuDlg();
    std::vector<ILibrary*> libraries;
    CollectAllLibraries(GlobalCfgGroup(), libraries);
    for (ILibrary* library : libraries) {
        if (!library) continue;
        bool expand = window && window->IsExpanded(library);
        CString childFilter;
        if (!filter.IsEmpty()) {
            const bool nameMatches = LibraryRecord::NameContains(library, filter);
            expand = LibraryMatchesSearch(library, filter, window, GetSearchAnswers());
            if (!nameMatches && !expand) continue;
            if (!nameMatches) childFilter = filter;
        }
        auto* row = new LibraryListRecord(library);
        AddRecord(row);
        row->Init();
        PlaceRow(row, library->IsExcluded(), expand, childFilter, window && window->IsHidden(library));
    }
    EndFill();
    Korvo::UI::ReportControl::Populate(this);
}

void LibrariesList::ConfigurationAdded(IConfiguration* configuration) {
    if (!configuration) return;
    auto* group = static_cast<ILibrariesGroup*>(configuration);
    if (group->IsExcluded() && !ShowExcluded()) return;
    const DocumentsMenuDlg* window = GetDocumentsMenuDlg();
    std::vector<ILibrary*> libraries;
    CollectAllLibraries(group, libraries);
    for (ILibrary* library : libraries) {
        if (!library || (library->IsExcluded() && !ShowExcluded())) continue;
        Record* row = configuration->IsFromVarnel() ? static_cast<Record*>(new PDMLibraryRecord(library))
                                                    : new LibraryListRecord(library);
        AddRecord(row);
        row->Init();
        if (library->IsExcluded()) row->SetCellsTextColor(GetSysColor(COLOR_GRAYTEXT));
        if (window && window->IsExpanded(library)) row->Expand(true);
        if (window && window->IsHidden(library)) row->SetVisible(IsShowHidden() ? TRUE : FALSE);
    }
    if (GetUpdateCount() == 0) Korvo::UI::ReportControl::Populate(this);
}

}  // namespace DocumentsMenu
