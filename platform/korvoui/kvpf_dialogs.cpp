#include "platform/korvoui/kvpf_dialogs.h"

namespace kvpf {

SimpleListControl::SimpleListControl(CString id, int columns)
    : ListControl(std::move(id)), rowsModel_(MakeRef<SimpleListModel>(columns)) {
    SetModel(rowsModel_);
}

void SimpleListControl::SetColumnHeader(int column, const CString& text) {
    rowsModel_->SetHeader(column, text);
    rowsModel_->NotifyHeaderChanged(column, column);
}

void SimpleListControl::AddRow(std::vector<CString> cells) {
    SimpleListModel::Row row;
    row.id = static_cast<int>(rows_.size());
    row.cells = std::move(cells);
    rows_.push_back(row);
    rowsModel_->SetRows(rows_);
}

void SimpleListControl::OnSelectionChanged(std::function<void()> handler) {
    Bind(Event::SelectionChanged, [handler = std::move(handler)](int, int) { handler(); });
}

}  // namespace kvpf
