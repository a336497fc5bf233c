#include "techrequirements/types_dialog.h"

#include <algorithm>

#include "platform/textcore.h"
#include "techrequirements/types_dialog_model.h"

namespace {

constexpr SIZE kSize{300, 400};
constexpr int kListMinWidth = 250;
constexpr int kListEditMode = 13;
constexpr int kFillContent = 1;
constexpr UINT kErrorIcon = 16;

// New names count on across every types dialog of the run, so two dialogs never offer one name.
int nextNewTypeNumber = 1;

CString newTypeName() { return Korvo::I18n::FormatTranslation(L"TechRequirementTypesDialog.NewType", nextNewTypeNumber++); }

}  // namespace

TechRequirementTypesDialog::TechRequirementTypesDialog(TechRequirementTypesDb& types)
    : kvpf::ModalDialog(L"TechRequirementTypesDialog"), types_(&types) {
    SetResizable(true);
    SetMinSize(kSize);
    SetInitialSize(kSize);
    auto model = kvpf::MakeRef<ListModel>(types, *this);
    model_ = model.get();
    model_->reload();
    list_ = static_cast<kvpf::ListControl*>(Add(kvpf::MakeRef<kvpf::ListControl>(CString(L"List"))));
    list_->SetModel(model);
    list_->SetSelectionMode(1);
    list_->SetStretchHeight(true);
    list_->SetMinWidth(kListMinWidth);
    using Event = kvpf::ListControl::Event;
    list_->Bind(Event::CellEditBegin, [this](int row, int column) { onCellEditBegin(row, column); });
    list_->Bind(Event::CellEditEnd, [this](int row, int column) { onCellEditEnd(row, column); });
    list_->Bind(Event::SelectionChanged, [this](int, int) { updateButtons(); });
    list_->SetEditMode(kListEditMode);
    model_->NotifyDataReset();
    SetChildFillType(kFillContent);
    nameEditor_ = static_cast<kvpf::StringControl*>(list_->GetEditors().Add(kvpf::MakeRef<kvpf::StringControl>(CString(L"NameEditor"))));
    add_ = addListButton(L"AddButton", L"AssemblyStructureGeneratorAddElement.svg", &TechRequirementTypesDialog::onAdd);
    addEmbedded_ = addListButton(L"AddEmbeddedButton", L"AssemblyStructureGeneratorAddEmbededElement.svg",
                                 &TechRequirementTypesDialog::onAddEmbedded);
    remove_ = addListButton(L"RemoveButton", L"AssemblyStructureGeneratorDeleteElement.svg", &TechRequirementTypesDialog::onRemove);
    clear_ = addListButton(L"ClearButton", L"AssemblyStructureGeneratorClear.svg", &TechRequirementTypesDialog::onClear);
    moveUp_ = addListButton(L"MoveUpButton", L"AssemblyStructureGeneratorMoveUp.svg", &TechRequirementTypesDialog::onMoveUp);
    moveDown_ = addListButton(L"MoveDownButton", L"AssemblyStructureGeneratorMoveDown.svg", &TechRequirementTypesDialog::onMoveDown);
    AddDialogButton(kOk);
    AddDialogButton(kCancel);
    model_->reload();
    model_->NotifyDataReset();
    updateButtons();
    FinishUiSetup();
}

TechRequirementTypesDialog::~TechRequirementTypesDialog() = default;

kvpf::ButtonControl* TechRequirementTypesDialog::addListButton(const wchar_t* id, const wchar_t* svg,
                                                               void (TechRequirementTypesDialog::*handler)()) {
    auto* button = static_cast<kvpf::ButtonControl*>(list_->GetButtons().Add(kvpf::MakeRef<kvpf::ButtonControl>(CString(id))));
    button->SetImage(kvpf::Image::FromFilePath(Korvo::Images::ResourceManager::GetImagePath(svg), {16, 24, 32}));
    button->OnClick([this, handler] { (this->*handler)(); });
    return button;
}

// ---- Walks -----------------------------------------------------------------------------------------

void TechRequirementTypesDialog::walkSelection(bool backward, const std::function<void(const Korvo::UniqueIdentifier&, int)>& step) {
    list_->EndCellEditing();
    std::vector<int> rows = list_->GetSelectedRows();
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    if (backward) std::reverse(rows.begin(), rows.end());
    std::vector<std::pair<Korvo::UniqueIdentifier, int>> selected;
    for (int row : rows) selected.emplace_back(model_->idAt(row), row);
    for (const auto& [id, row] : selected) step(id, row);
}

void TechRequirementTypesDialog::keepSelection(const std::function<void()>& change) {
    std::vector<Korvo::UniqueIdentifier> kept;
    for (int row : list_->GetSelectedRows()) kept.push_back(model_->idAt(row));
    change();
    std::vector<int> rows;
    for (const Korvo::UniqueIdentifier& id : kept)
        if (const int row = model_->rowOf(id); row >= 0) rows.push_back(row);
    list_->SelectRows(rows);
}

std::vector<int> TechRequirementTypesDialog::affectedRows(int row) {
    std::vector<int> selected = list_->GetSelectedRows();
    if (std::find(selected.begin(), selected.end(), row) == selected.end()) {
        list_->SelectRows({row});
        selected = {row};
    }
    return selected;
}

void TechRequirementTypesDialog::notifyCells(const std::vector<int>& rows, int column) {
    model_->reload();
    for (int row : rows) model_->NotifyDataChanged(row, row, column, column);
}

// ---- Buttons ---------------------------------------------------------------------------------------

void TechRequirementTypesDialog::onAdd() {
    list_->EndCellEditing();
    keepSelection([this] {
        const int current = list_->GetSelectedRow(-1);
        Korvo::UniqueIdentifier made;
        if (current < 0) {
            made = types_->AddMainType(newTypeName());
        } else if (const Korvo::UniqueIdentifier id = model_->idAt(current); types_->IsMainType(id)) {
            made = types_->AddMainType(newTypeName(), id);
        } else {
            const Korvo::UniqueIdentifier parent = types_->GetParent(id);
            // A sibling needs its parent: without it the add does nothing.
            if (!types_->Find(parent)) return;
            made = types_->AddChild(parent, newTypeName(), id);
        }
        model_->reload();
        model_->NotifyRowsInserted(model_->rowOf(made), 1);
    });
    updateButtons();
}

void TechRequirementTypesDialog::onAddEmbedded() {
    keepSelection([this] {
        walkSelection(false, [this](const Korvo::UniqueIdentifier& id, int) {
            const Korvo::UniqueIdentifier made = types_->AddChild(id, newTypeName());
            model_->reload();
            model_->NotifyRowsInserted(model_->rowOf(made), 1);
        });
    });
    updateButtons();
}

void TechRequirementTypesDialog::onRemove() {
    // From the last row up: rows not yet removed keep their numbers.
    walkSelection(true, [this](const Korvo::UniqueIdentifier& id, int row) {
        int count = 0;
        if (!types_->Remove(id, count)) return;
        model_->reload();
        model_->NotifyRowsRemoved(row, count);
    });
    updateButtons();
}

void TechRequirementTypesDialog::onClear() {
    list_->EndCellEditing();
    const int count = types_->GetCount();
    types_->Clear();
    model_->reload();
    model_->NotifyRowsRemoved(0, count);
    updateButtons();
}

void TechRequirementTypesDialog::onMoveUp() {
    walkSelection(false, [this](const Korvo::UniqueIdentifier& id, int) { types_->Move(id, true); });
    model_->reload();
    const int last = model_->GetRowCount() - 1;
    model_->NotifyDataChanged(0, last, 0, model_->GetColumnCount() - 1);
    model_->NotifyRowDataChanged(0, last);
}

void TechRequirementTypesDialog::onMoveDown() {
    walkSelection(true, [this](const Korvo::UniqueIdentifier& id, int) { types_->Move(id, false); });
    model_->reload();
    const int last = model_->GetRowCount() - 1;
    model_->NotifyDataChanged(0, last, 0, model_->GetColumnCount() - 1);
    model_->NotifyRowDataChanged(0, last);
}

void TechRequirementTypesDialog::updateButtons() {
    const std::vector<int> rows = list_->GetSelectedRows();
    add_->Enable(true);
    clear_->Enable(true);
    addEmbedded_->Enable(!rows.empty());
    remove_->Enable(!rows.empty());
    // Moving keeps to one parent: every selected type must share the first one's.
    auto canMove = [&](bool up) {
        if (rows.empty()) return false;
        const Korvo::UniqueIdentifier parent = types_->GetParent(model_->idAt(rows.front()));
        return std::all_of(rows.begin(), rows.end(), [&](int row) {
            const Korvo::UniqueIdentifier id = model_->idAt(row);
            return types_->GetParent(id) == parent && types_->CanMove(id, up);
        });
    };
    moveUp_->Enable(canMove(true));
    moveDown_->Enable(canMove(false));
}

// ---- Cells -----------------------------------------------------------------------------------------

void TechRequirementTypesDialog::onCellEditBegin(int row, int column) {
    if (column != ListModel::kName) return;
    list_->SuppressUserEvents(true);
    nameEditor_->SuppressUserEvents(true);
    nameEditor_->SetText(types_->GetName(model_->idAt(row)));
    nameEditor_->SuppressUserEvents(false);
    list_->SuppressUserEvents(false);
    list_->SetCellEditor(nameEditor_);
}

void TechRequirementTypesDialog::onCellEditEnd(int row, int column) {
    if (column != ListModel::kName) return;
    CString name = nameEditor_->GetText();
    if (name.IsEmpty()) {
        KVMessageBox::Show(Korvo::I18n::Translate(L"TechRequirementDialog.ErrorEmptyTypeName"), kErrorIcon);
        return;
    }
    const std::vector<int> rows = affectedRows(row);
    for (int each : rows) types_->SetName(model_->idAt(each), name);
    notifyCells(rows, ListModel::kName);
}

bool TechRequirementTypesDialog::tryChangeData(int row, int column, const kvpf::Variant& value, int) {
    if (column != ListModel::kShowHeader && column != ListModel::kResetNumeration) return true;
    const bool main = types_->IsMainType(model_->idAt(row));
    if ((column == ListModel::kShowHeader) != main) return false;
    const auto* state = std::get_if<kvpf::CheckState>(&value);
    const bool on = state && *state == kvpf::CheckState::Checked;
    const std::vector<int> rows = affectedRows(row);
    for (int each : rows) {
        const Korvo::UniqueIdentifier id = model_->idAt(each);
        // A change reaches the affected types of the column's kind only.
        if (types_->IsMainType(id) != main) continue;
        if (main) types_->SetShowHeader(id, on);
        else types_->SetResetNumeration(id, on);
    }
    notifyCells(rows, column);
    return true;
}
