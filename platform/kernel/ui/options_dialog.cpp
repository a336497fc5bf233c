#include "platform/kernel/ui/options_dialog.h"

namespace {

class OptionsDialog : public CDialog {
public:
    OptionsDialog(UINT templateId, const std::vector<OptionsRadioBinding>& bindings, CWnd* parent)
        : CDialog(templateId, parent), bindings_(bindings) {
        for (const OptionsRadioBinding& binding : bindings_) values_.push_back(binding.value ? *binding.value : 0);
    }

    void Commit() const {
        for (std::size_t i = 0; i < bindings_.size(); ++i)
            if (bindings_[i].value) *bindings_[i].value = values_[i];
    }

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        CDialog::DoDataExchange(exchange);
        for (std::size_t i = 0; i < bindings_.size(); ++i) DDX_Radio(exchange, bindings_[i].firstId, values_[i]);
    }

private:
    std::vector<OptionsRadioBinding> bindings_;
    std::vector<int> values_;
};

}  // namespace

INT_PTR RunOptionsDialog(UINT templateId, const std::vector<OptionsRadioBinding>& bindings, CWnd* parent) {
    OptionsDialog dialog(templateId, bindings, parent);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) dialog.Commit();
    return result;
}
