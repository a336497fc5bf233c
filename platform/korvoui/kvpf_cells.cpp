// The user at a framework list's cells: editing one through its editor, clicking a check box or
// an icon.
#include "platform/korvoui/kvpf.h"

namespace kvpf {

std::optional<std::wstring> ListControl::refuseCell(int row, int column) const {
    const std::wstring name = L"list \"" + std::wstring(GetFullId().view()) + L"\"";
    if (!IsVisible()) return name + L" is hidden";
    if (!IsEnabled()) return name + L" is disabled";
    const int rows = model_ ? model_->GetRowCount() : 0;
    if (row < 0 || row >= rows) return name + L" has no row " + std::to_wstring(row) + L" (" + std::to_wstring(rows) + L" rows)";
    const int columns = model_->GetColumnCount();
    if (column < 0 || column >= columns)
        return name + L" has no column " + std::to_wstring(column) + L" (" + std::to_wstring(columns) + L" columns)";
    return std::nullopt;
}

std::optional<std::wstring> ListControl::UserEditCell(int row, int column, const std::optional<std::wstring>& item) {
    if (auto refusal = refuseCell(row, column)) return refusal;
    const Variant editable = model_->GetData(row, column, 11);
    if (const auto* yes = std::get_if<bool>(&editable); !yes || !*yes)
        return L"cell " + std::to_wstring(row) + L"," + std::to_wstring(column) + L" is not editable";
    EndCellEditing();
    editing_ = std::make_pair(row, column);
    cellEditor_ = nullptr;
    fire(Event::CellEditBegin, row, column);
    if (!editing_) return std::nullopt;
    if (!cellEditor_) {
        editing_.reset();
        return item ? std::optional<std::wstring>(L"the cell has no editor to choose in") : std::nullopt;
    }
    if (!item) return std::nullopt;
    if (auto* text = dynamic_cast<StringControl*>(cellEditor_)) {
        auto refusal = text->UserType(CString(item->c_str()));
        // Applying the typed text ends the edit.
        EndCellEditing();
        return refusal;
    }
    auto* select = dynamic_cast<SelectControl*>(cellEditor_);
    for (int i = 0; select && i < select->GetItemCount(); ++i)
        if (std::wstring(select->GetItem(i).text.view()) == *item) {
            auto refusal = select->UserSelect(select->GetItem(i).customId);
            // Choosing the item it already shows changes nothing, but the edit still ends.
            EndCellEditing();
            return refusal;
        }
    editing_.reset();
    return L"the cell's editor has no item \"" + *item + L"\"";
}

std::optional<std::wstring> ListControl::UserCheck(int row, int column, bool checked) {
    if (auto refusal = refuseCell(row, column)) return refusal;
    const Variant checkable = model_->GetData(row, column, 5);
    if (const auto* yes = std::get_if<bool>(&checkable); !yes || !*yes)
        return L"cell " + std::to_wstring(row) + L"," + std::to_wstring(column) + L" has no check box";
    EndCellEditing();
    // The model may reload itself meanwhile: it is held for the call.
    Ref<ListControlModel> model = model_;
    if (!model->TryChangeData(row, column, checked ? CheckState::Checked : CheckState::Unchecked, 4))
        return L"cell " + std::to_wstring(row) + L"," + std::to_wstring(column) + L" refused the change";
    return std::nullopt;
}

std::optional<std::wstring> ListControl::UserClickIcon(int row, int column) {
    if (auto refusal = refuseCell(row, column)) return refusal;
    if (model_->GetData(row, column, 3).index() == 0)
        return L"cell " + std::to_wstring(row) + L"," + std::to_wstring(column) + L" has no icon";
    EndCellEditing();
    fire(Event::IconClicked, row, column);
    return std::nullopt;
}

}  // namespace kvpf
