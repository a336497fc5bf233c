// The types editor's list: one row per type in the database's depth-first order, each row
// naming its parent's row so the list shows the tree.
#pragma once

#include <vector>

#include "techrequirements/types_dialog.h"

class TechRequirementTypesDialog::ListModel : public kvpf::ListControlModel {
public:
    static constexpr int kName = 0, kShowHeader = 1, kResetNumeration = 2;
    static constexpr int kTextRole = 0, kIconRole = 3, kCheckRole = 4, kCheckableRole = 5, kTooltipRole = 8,
                         kAlignmentRole = 10, kEditableRole = 11, kExpandableRole = 16, kWidthRole = 18, kParentRowRole = 22;

    ListModel(TechRequirementTypesDb& types, TechRequirementTypesDialog& dialog) : types_(&types), dialog_(&dialog) {}
    void reload() { rows_ = types_->GetAllSorted(false); }
    Korvo::UniqueIdentifier idAt(int row) const;
    // The row of the type, -1 when it has none.
    int rowOf(const Korvo::UniqueIdentifier& id) const;

    int GetRowCount() const override { return static_cast<int>(rows_.size()); }
    int GetColumnCount() const override { return 3; }
    kvpf::Variant GetRowData(int row, int role) const override;
    kvpf::Variant GetData(int row, int column, int role) const override;
    kvpf::Variant GetHeaderData(int column, int role) const override;
    bool TryChangeData(int row, int column, const kvpf::Variant& value, int role) override;

protected:
    ~ListModel() override = default;

private:
    TechRequirementTypesDb* types_;
    std::vector<Korvo::UniqueIdentifier> rows_;
    TechRequirementTypesDialog* dialog_;
};
