#include "documentsmenu/records/record.h"

namespace DocumentsMenu {

void Record::Expand(bool expand) {
    if (expand && !childrenFilled_) UpdateChildren(CString());
    SetExpanded(expand ? TRUE : FALSE);
}

void Record::OnKeyDown(UINT) {}

void Record::ToggleExpanded() {
    Expand(!IsExpanded());
    Repopulate();
}

void Record::SetExpanded(BOOL expanded) {
    if (expanded && !childrenFilled_) UpdateChildren(CString());
    CXTPReportRecord::SetExpanded(expanded);
    OnExpandedChanged(expanded != FALSE);
}

DocumentsMenuDlg* Record::GetWindow() const {
    StructureBase* structure = GetStructure();
    return structure ? structure->GetDocumentsMenuDlg() : nullptr;
}

void Record::Repopulate() const { Korvo::UI::ReportControl::Populate(GetControl()); }

void Record::AddPlaceholderChild() { GetChilds()->Add(new CXTPReportRecord); }

void Record::AppendChild(Record* child) {
    GetChilds()->Add(child);
    child->Init();
}

void Record::SetCellsTextColor(COLORREF color) {
    for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->SetTextColor(color);
}

bool Record::ShowHidden() const {
    const DocumentsMenuDlg* window = GetWindow();
    return window && window->IsShowHidden();
}

bool Record::ShowExcluded() const {
    const DocumentsMenuDlg* window = GetWindow();
    return window && window->IsShowExcluded();
}

bool ContainsFilter(const CString& text, const CString& filter) { return text.Find(filter) >= 0; }

}  // namespace DocumentsMenu
