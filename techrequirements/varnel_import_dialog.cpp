#include "techrequirements/varnel_import_dialog.h"

#include "techrequirements/tech_requirement_dialog.h"

namespace {

constexpr SIZE kSize{600, 300};

}  // namespace

TechRequirementVarnelImportDialog::TechRequirementVarnelImportDialog(CKvw32Doc* document)
    : kvpf::ModalDialog(L"TechRequirementVarnelImportDialog"), document_(document) {
    auto list = kvpf::MakeRef<kvpf::SimpleListControl>(CString(L"StandardReqsList"), 1);
    list_ = list.get();
    Add(list);
    SetChildFillType(1);
    list_->SetColumnHeader(0, Korvo::I18n::Translate(L"TechRequirementVarnelImportDialog.Text"));
    if (KVPDMWorkMix* pdm = KVPDMWorkMix::Instance()) pdm->GetStandardTechRequirements(rows_);
    for (const KVPDMTechReqHandle& row : rows_) list_->AddRow({row ? row->GetDisplayText() : CString()});
    list_->SetSelectionMode(1);
    list_->OnSelectionChanged([this] { EnableDialogButton(kOk, !list_->GetSelectedRows().empty()); });
    list_->SetWidthCoefficients({1.0});
    list_->SetStretchHeight(true);
    AddDialogButton(kOk, [this] { chosen_ = list_->GetSelectedRows(); });
    EnableDialogButton(kOk, false);
    AddDialogButton(kCancel);
    SetMinSize(kSize);
    SetInitialSize(kSize);
    SetResizable(true);
    FinishUiSetup();
}

std::vector<KVPDMTechReqHandle> TechRequirementVarnelImportDialog::getChosenHandles() const {
    std::vector<KVPDMTechReqHandle> handles;
    for (int row : chosen_)
        if (row >= 0 && row < static_cast<int>(rows_.size())) handles.push_back(rows_[static_cast<std::size_t>(row)]);
    return handles;
}

bool TechRequirementDialog::runVarnelImportDialog(std::vector<KVPDMTechReqHandle>& handles) {
    const auto dialog = kvpf::MakeRef<TechRequirementVarnelImportDialog>(document_);
    if (dialog->DoModal(paneWindow()) != kvpf::ModalDialog::kOk) return false;
    handles = dialog->getChosenHandles();
    return true;
}
