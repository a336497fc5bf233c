#include "documentsmenu/tree_outline.h"

#include "documentsmenu/library_record.h"
#include "documentsmenu/record.h"
#include "documentsmenu/tree_view.h"

namespace DocumentsMenu {

std::wstring ConfigurationsTreeOutline() {
    DocumentsMenuDlg window;
    TreeView tree(&window);
    tree.Open();
    // Expanding a row rebuilds the rows; the ones after it are its children, then the rest.
    for (int i = 0; i < tree.GetRows()->GetCount(); ++i) {
        CXTPReportRow* row = tree.GetRows()->GetAt(i);
        if (!row->HasChildren() || row->IsExpanded()) continue;
        CXTPReportRecord* record = row->GetRecord();
        row->SetExpanded(TRUE);
        // A huge folder's rows beyond the first screen would come while the loop is idle.
        if (auto* library = dynamic_cast<LibraryRecord*>(record); library && library->IsFilling()) {
            library->FinishFill();
            tree.Populate();
        }
    }
    std::wstring out;
    CXTPReportRows* rows = tree.GetRows();
    for (int i = 0; i < rows->GetCount(); ++i) {
        auto* record = dynamic_cast<Record*>(rows->GetAt(i)->GetRecord());
        if (!record) continue;
        out += std::wstring(static_cast<std::size_t>(rows->GetAt(i)->GetTreeDepth()) * 2, L' ');
        out += !record->HasChildren() ? L"  " : record->IsExpanded() ? L"- " : L"+ ";
        out += std::wstring(record->GetItem(0)->GetCaption().view());
        const CString path = record->GetPath();
        if (!path.IsEmpty()) out += L"  " + std::wstring(path.view());
        out += L"\n";
    }
    return out;
}

}  // namespace DocumentsMenu
