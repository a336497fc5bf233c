#include "documentsmenu/window/preview_form_factor_apply_manager.h"

namespace DocumentsMenu {

PreviewFormFactorApplyManager& PreviewFormFactorApplyManager::Instance() {
    static PreviewFormFactorApplyManager manager;
    return manager;
}

void PreviewFormFactorApplyManager::SetPending(const CString& path, std::vector<FormFactorValue> values) {
    pending_ = Pending{path, std::move(values)};
}

std::optional<std::vector<FormFactorValue>> PreviewFormFactorApplyManager::PendingFor(const CString& path) const {
    if (!pending_ || path.IsEmpty() || pending_->path.CompareNoCase(path) != 0) return std::nullopt;
    return pending_->values;
}

void PreviewFormFactorApplyManager::Apply(FormFactorTarget& target) const {
    const auto values = PendingFor(target.GetPath());
    if (!values) return;
    for (const auto& [name, value] : *values) target.SetVariableValue(name, value);
}

}  // namespace DocumentsMenu
