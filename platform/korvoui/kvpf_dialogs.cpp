#include "platform/korvoui/kvpf_dialogs.h"

#include "platform/core/record.h"
#include "platform/core/text.h"

namespace kvpf {

namespace {

int windowButton(int button) { return button == ModalDialog::kOk ? IDOK : IDCANCEL; }

}  // namespace

ModalDialog::ModalDialog(const CString& name) : WpfDockFormView(name, false) {}

ModalDialog::~ModalDialog() = default;

void ModalDialog::AddDialogButton(int button, std::function<void()> pressed) {
    if (button != kOk && button != kCancel) {
        platform::core::reportFailure(L"kvpf::ModalDialog::AddDialogButton(" + std::to_wstring(button) +
                                      L"): the stand-in dialogs have buttons 0 and 3 only");
        return;
    }
    buttons_[button] = Button{true, std::move(pressed)};
}

void ModalDialog::EnableDialogButton(int button, bool enabled) {
    const auto it = buttons_.find(button);
    if (it == buttons_.end()) return;
    it->second.enabled = enabled;
    if (running_) running_->EnableButton(windowButton(button), enabled);
}

bool ModalDialog::IsDialogButtonEnabled(int button) const {
    const auto it = buttons_.find(button);
    return it != buttons_.end() && it->second.enabled;
}

int ModalDialog::DoModal(CWnd* parent) {
    platform::core::recordCall(L"kvpf::ModalDialog::DoModal(" + platform::core::quoted(GetId().view()) + L")");
    ModalFormDialog dialog(parent, GetId().GetString(), *this, size_);
    for (const auto& [button, state] : buttons_) dialog.EnableButton(windowButton(button), state.enabled);
    dialog.AddOkCancelButtons();
    int result = kCancel;
    dialog.OnButton([this, &result](int id) {
        const int button = id == IDOK ? kOk : kCancel;
        const auto it = buttons_.find(button);
        // A button the dialog lacks or greys does not end it.
        if (it == buttons_.end() || !it->second.enabled) return false;
        if (it->second.pressed) it->second.pressed();
        result = button;
        return true;
    });
    running_ = &dialog;
    struct Done {
        ModalFormDialog*& running;
        ~Done() { running = nullptr; }
    } done{running_};
    dialog.Run();
    return result;
}

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
