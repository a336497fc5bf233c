// What a user does in the requirements list itself: editing a row's type or text, flipping its
// suppression or a page check, and selecting rows (which marks their inscriptions and, while
// leader lines are placed, picks the requirement to lead to).
#include <algorithm>

#include "platform/textcore.h"
#include "techrequirements/list_model.h"
#include "techrequirements/tech_requirement_dialog.h"

namespace {

constexpr int kUndoChange = 3;
constexpr int kMarkContextInscriptions = 2;

using Properties = TechRequirement::Properties;

}  // namespace

void TechRequirementDialog::onListEvent(kvpf::ListControl::Event event, int row, int column) {
    using Event = kvpf::ListControl::Event;
    switch (event) {
        case Event::SelectionChanged: onSelectionChanged(); break;
        case Event::CellEditBegin: onCellEditBegin(row, column); break;
        case Event::CellEditEnd: onCellEditEnd(row, column); break;
        case Event::IconClicked: onClickListIcon(row, column); break;
        default: break;
    }
}

void TechRequirementDialog::onSelectionChanged() {
    if (!document_) return;
    CMarkContainer& marks = document_->GetMarkContainer();
    marks.RemoveAllObjects();
    const std::optional<int> page = filterPage();
    if (marks.GetContextKind() == kMarkContextInscriptions && marks.GetGeomData().IsEmpty()) {
        forEachSelected([&](TechRequirement* requirement) {
            for (const INSCR* inscription : requirement->GetInscriptions()) {
                for (const TechReqLink& link : inscription->GetTechNotesLinks()) {
                    if (link.ReqIndex() != Properties(requirement).GetReqIndex()) continue;
                    if (page && link.Page() != page) continue;
                    marks.AddObj(inscription);
                }
            }
            return false;
        }, false);
    }
    if (mode_ == kModeDefault) {
        updateEnabilityDefaultMode();
        return;
    }
    if (mode_ != kModeLeaders) return;
    list_->SuppressUserEvents(true);
    const int row = list_->GetSelectedRow(-1);
    // The row's requirement is looked up again: one another command removed is skipped.
    if (page && row != -1 && leadersCommand_)
        if (TechRequirement* requirement = requirementAtRow(row))
            leadersCommand_->CreateLeader(Properties(requirement).GetReqIndex(), *page);
    list_->ClearSelection();
    list_->SuppressUserEvents(false);
}

void TechRequirementDialog::onCellEditBegin(int row, int column) {
    if (!document_) return;
    TechRequirement* requirement = requirementAtRow(row);
    if (!requirement) return;
    if (column == TechRequirementListModel::kType) {
        const auto sorted = TechRequirementTypesDb::Instance(document_).GetAllSorted(false);
        const auto type = Properties(requirement).GetTechTypeId();
        const auto found = std::find(sorted.begin(), sorted.end(), type);
        const int position = found == sorted.end() ? -1 : static_cast<int>(found - sorted.begin());
        typeEditor_->SuppressUserEvents(true);
        list_->SuppressUserEvents(true);
        typeEditor_->SetSelectedIndex(typeEditor_->GetIndexByCustomId(position));
        list_->SuppressUserEvents(false);
        typeEditor_->SuppressUserEvents(false);
        list_->SetCellEditor(typeEditor_);
    } else if (column == TechRequirementListModel::kText) {
        UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoChange));
        list_->SetCellEditor(nullptr);
        if (TechRequirementEditor::EditSingleRequirement(paneWindow(), requirement)) refresh(false);
    }
}

void TechRequirementDialog::onCellEditEnd(int row, int column) {
    if (!document_ || column != TechRequirementListModel::kType || !requirementAtRow(row)) return;
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoChange));
    const auto sorted = TechRequirementTypesDb::Instance(document_).GetAllSorted(false);
    const int chosen = typeEditor_->GetSelectedCustomId().value_or(-1);
    const Korvo::UniqueIdentifier type =
        chosen >= 0 && chosen < static_cast<int>(sorted.size()) ? sorted[static_cast<std::size_t>(chosen)] : Korvo::UniqueIdentifier();
    bool changed = false;
    typeEditor_->SuppressUserEvents(true);
    list_->SuppressUserEvents(true);
    {
        PositionsChangesScope positions(document_, true);
        onCellValueEdit(row, undo, [&](TechRequirement* requirement) {
            Properties properties(requirement);
            if (properties.GetTechTypeId() == type) return;
            if (type == Korvo::UniqueIdentifier()) properties.UnassignTechType();
            else properties.SetTechTypeId(type);
            changed = true;
        });
    }
    list_->SuppressUserEvents(false);
    typeEditor_->SuppressUserEvents(false);
    if (!changed) return;
    {
        KVDocRegenContext regeneration(document_, true, false, false);
        TechRequirementManager(document_).UpdateAllTechNotes(true, regeneration);
    }
    refresh(false);
}

void TechRequirementDialog::onCellValueEdit(int row, UndoBlock& undo, const std::function<void(TechRequirement*)>& step) {
    const std::vector<int> selected = list_->GetSelectedRows();
    if (std::find(selected.begin(), selected.end(), row) == selected.end()) {
        if (TechRequirement* requirement = requirementAtRow(row)) {
            undo.RegForChange(requirement);
            step(requirement);
        }
        return;
    }
    const std::vector<TechRequirement*> requirements = getSelectedTechRequirements();
    for (TechRequirement* requirement : requirements) undo.RegForChange(requirement);
    for (TechRequirement* requirement : requirements) step(requirement);
}

void TechRequirementDialog::onClickListIcon(int row, int column) {
    if (!document_ || column != TechRequirementListModel::kSuppress) return;
    TechRequirement* requirement = requirementAtRow(row);
    if (!requirement) return;
    const bool suppress = !Properties(requirement).IsSuppressed();
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoChange));
    onCellValueEdit(row, undo, [suppress](TechRequirement* each) { Properties(each).SetSuppressed(suppress, -1); });
    KVDocRegenContext regeneration(document_, true, false, false);
    TechRequirementManager(document_).UpdateAllTechNotes(true, regeneration);
    model_->reload(false);
    updateEnabilityDefaultMode();
}

bool TechRequirementDialog::changePageCheck(int row, int column, const kvpf::Variant& value, int role) {
    if (!document_ || column < TechRequirementListModel::kFirstPage || role != TechRequirementListModel::kCheck) return false;
    const std::size_t pageColumn = static_cast<std::size_t>(column - TechRequirementListModel::kFirstPage);
    if (pageColumn >= model_->pages().size()) return false;
    const int page = model_->pages()[pageColumn];
    const auto* state = std::get_if<kvpf::CheckState>(&value);
    const bool add = state && *state == kvpf::CheckState::Checked;
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoChange));
    {
        PositionsChangesScope positions(document_, true);
        onCellValueEdit(row, undo, [add, page](TechRequirement* requirement) {
            if (add) Properties(requirement).AddToPage(page);
            else Properties(requirement).RemoveFromPage(page);
        });
    }
    {
        KVDocRegenContext regeneration(document_, true, false, false);
        TechRequirementManager(document_).UpdateTechNotes(page, true, regeneration);
    }
    refresh(false);
    return true;
}

bool TechRequirementListModel::TryChangeData(int row, int column, const kvpf::Variant& value, int role) {
    return dialog_ && dialog_->changePageCheck(row, column, value, role);
}
