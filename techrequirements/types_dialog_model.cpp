#include "techrequirements/types_dialog_model.h"

#include <algorithm>

namespace {

constexpr int kHeaderIconSize = 16;
constexpr int kCheckColumnWidth = -24;

kvpf::CheckState checkOf(bool on) { return on ? kvpf::CheckState::Checked : kvpf::CheckState::Unchecked; }

}  // namespace

Korvo::UniqueIdentifier TechRequirementTypesDialog::ListModel::idAt(int row) const {
    return row >= 0 && row < GetRowCount() ? rows_[static_cast<std::size_t>(row)] : Korvo::UniqueIdentifier();
}

int TechRequirementTypesDialog::ListModel::rowOf(const Korvo::UniqueIdentifier& id) const {
    const auto it = std::find(rows_.begin(), rows_.end(), id);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

kvpf::Variant TechRequirementTypesDialog::ListModel::GetRowData(int row, int role) const {
    if (role != kParentRowRole || row < 0 || row >= GetRowCount()) return {};
    const Korvo::UniqueIdentifier id = idAt(row);
    return types_->IsMainType(id) ? -1 : rowOf(types_->GetParent(id));
}

kvpf::Variant TechRequirementTypesDialog::ListModel::GetData(int row, int column, int role) const {
    if (row < 0 || row >= GetRowCount()) return {};
    const Korvo::UniqueIdentifier id = idAt(row);
    const bool main = types_->IsMainType(id);
    switch (column) {
        case kName:
            if (role == kTextRole) return types_->GetName(id);
            if (role == kEditableRole || role == kExpandableRole) return true;
            return {};
        case kShowHeader:
            if (role == kCheckRole && main) return checkOf(types_->GetShowHeader(id));
            if (role == kCheckableRole || role == kEditableRole) return main;
            return {};
        case kResetNumeration:
            if (role == kCheckRole && !main) return checkOf(types_->GetResetNumeration(id));
            if (role == kCheckableRole || role == kEditableRole) return !main;
            return {};
        default: return {};
    }
}

kvpf::Variant TechRequirementTypesDialog::ListModel::GetHeaderData(int column, int role) const {
    auto image = [](const wchar_t* name) {
        return kvpf::Image::FromFilePath(Korvo::Images::ResourceManager::GetImagePath(name), {kHeaderIconSize, kHeaderIconSize});
    };
    if (column == kName) {
        if (role == kTextRole) return Korvo::I18n::Translate(L"TechRequirementTypesDialog.TypeName");
        if (role == kExpandableRole) return true;
        if (role == kWidthRole) return 1;
        return {};
    }
    if (column != kShowHeader && column != kResetNumeration) return {};
    const bool header = column == kShowHeader;
    switch (role) {
        case kIconRole: return image(header ? L"CreateText.svg" : L"EditConnectionTypes.svg");
        case kTooltipRole:
            return Korvo::I18n::Translate(header ? L"TechRequirementTypesDialog.ShowHeader" : L"TechRequirementTypesDialog.ResetNumeration");
        case kAlignmentRole: return kvpf::ListItemAlignment::Center;
        case kWidthRole: return kCheckColumnWidth;
        default: return {};
    }
}

bool TechRequirementTypesDialog::ListModel::TryChangeData(int row, int column, const kvpf::Variant& value, int role) {
    return dialog_->tryChangeData(row, column, value, role);
}
