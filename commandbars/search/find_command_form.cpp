#include "commandbars/search/find_command_form.h"

#include "commandbars/search/command_list.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/textcore.h"

namespace {

constexpr kvpf::Color kEnabledRow{0, 0, 0};
constexpr kvpf::Color kDisabledRow{128, 128, 128};

}  // namespace

FindCommandForm::FindCommandForm(CWnd* frame) : frame_(frame) {
    form_ = kvpf::MakeRef<kvpf::WpfDockFormView>(CString(L"FindCommandDialog"), false);

    auto filter = kvpf::MakeRef<kvpf::StringControl>(CString(L"Filter"));
    filter->SetActive(true);
    filter->SetExplodeMode(false);
    filter->OnTextChanged([this] { Fill(); });
    filter_ = filter.get();
    form_->Add(filter);

    auto commands = kvpf::MakeRef<kvpf::ListControl>(CString(L"Commands"));
    rows_ = kvpf::MakeRef<kvpf::SimpleListModel>(1);
    commands->SetModel(rows_);
    commands->SetIdMapping(true);
    commands->SetGridLines(1);
    commands->SetSelectionMode(0);
    commands->SetEditMode(0);
    commands->Bind(kvpf::ListControl::Event::CellDoubleClick, [this](int, int) {
        if (const auto id = GetSelectedCommand(); id && doubleClicked_) doubleClicked_(*id);
    });
    commands_ = commands.get();
    form_->Add(commands);
    form_->FinishUiSetup();
}

FindCommandForm::~FindCommandForm() {
    // The form may outlive this object while someone still holds it: it must not call back.
    commands_->RemoveAllHandlers();
    filter_->OnTextChanged(nullptr);
}

void FindCommandForm::Fill() {
    filter_->SuppressUserEvents(true);
    commands_->SuppressUserEvents(true);
    const HWND frame = frame_ ? frame_->GetSafeHwnd() : nullptr;
    std::vector<kvpf::SimpleListModel::Row> rows;
    for (const CommandEntry& entry : BuildCommandList(Korvo::GetSearchableEquivalent(filter_->GetText()))) {
        kvpf::SimpleListModel::Row row;
        row.id = static_cast<int>(entry.id);
        row.cells.push_back(entry.text);
        row.tooltip.Format(L"%u", entry.id);
        row.image = kvpf::Image::FromResource(static_cast<int>(entry.id), {16, 24, 32});
        row.color = UIModuleProxy::Instance().IsCommandEnabled(entry.id, frame) ? kEnabledRow : kDisabledRow;
        rows.push_back(std::move(row));
    }
    rows_->SetRows(std::move(rows));
    commands_->SuppressUserEvents(false);
    filter_->SuppressUserEvents(false);
}

std::optional<UINT> FindCommandForm::GetSelectedCommand() const {
    const int row = commands_->GetSelectedRow();
    if (row < 0 || row >= rows_->GetRowCount()) return std::nullopt;
    return static_cast<UINT>(rows_->GetRow(row).id);
}
