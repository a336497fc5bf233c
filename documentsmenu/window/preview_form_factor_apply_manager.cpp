#include "documentsmenu/window/preview_form_factor_apply_manager.h"

namespace DocumentsMenu {

using Korvo::XmlDB::FormFactor::VarValueRep;

PreviewFormFactorApplyManager& PreviewFormFactorApplyManager::Instance() {
    static PreviewFormFactorApplyManager manager;
    return manager;
}

void PreviewFormFactorApplyManager::Apply(CFragmentPath& fragment) {
    const std::shared_ptr<Provider> pending = std::move(pending_);
    pending_.reset();
    if (!pending || !fragment.HasPath() || pending->GetDocumentPath() != fragment.GetPath()) return;
    pending->ForEachVariableValue(pending->GetCurrentFormFactor(), [&fragment](const CString& name, const VarValueRep& value) {
        CFragmentVariable variable(name);
        if (value.IsNumeric()) variable.SetValue(value.GetNumber());
        else variable.SetValue(value.GetString());
        fragment.GetVariables().AddVariable(variable);
    });
}

void PreviewFormFactorApplyManager::ApplyToOpenedDocument(CKvw32Doc* document) {
    const std::shared_ptr<Provider> pending = std::move(pending_);
    pending_.reset();
    if (!pending || !document || document->GetPathName() != pending->GetDocumentPath()) return;
    if (const auto own = FormFactorInstance(document)) own->SetCurrentFormFactor(pending->GetCurrentFormFactor());
}

}  // namespace DocumentsMenu
