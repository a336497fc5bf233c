// The tool bar's editing operations on the bound document's requirements. Every change of the
// document happens inside one undo step, so a user undoes a whole button press at once.
#include <string>

#include "platform/diagnostics.h"
#include "platform/textcore.h"
#include "techrequirements/list_model.h"
#include "techrequirements/tech_requirement_dialog.h"
#include "techrequirements/types_dialog.h"

namespace {

constexpr int kUndoAdd = 1, kUndoChange = 3, kUndoDelete = 4;
constexpr int kImportFromDictionary = 0, kImportFromVarnel = 1, kImportFromFile = 2;
constexpr int kTypesDialogNoChange = 3;
constexpr UINT kQuestionYesNo = 36;
constexpr int kAnswerYes = 6;
constexpr int kPageView = 2;

}  // namespace

void TechRequirementDialog::onToolButton(const wchar_t* id) {
    list_->EndCellEditing();
    const std::wstring name(id);
    if (name == L"ImportSource") return onImport();
    if (!document_) return;
    if (name == L"Add") onAdd();
    else if (name == L"Edit") onEdit();
    else if (name == L"Duplicate") onDuplicate();
    else if (name == L"Copy") onCopy();
    else if (name == L"Paste") onPaste();
    else if (name == L"Remove") onRemove();
    else if (name == L"MoveUp") moveSelected(true);
    else if (name == L"MoveDown") moveSelected(false);
    else if (name == L"TypesSettings") onTypesSettings();
    else if (name == L"CreateText") onCreateText();
    else if (name == L"CreateInscription") onCreateInscription();
    else if (name == L"Export") onExport();
    else if (name == L"ExportToVarnel") onExportToVarnel();
    else if (name == L"SyncWithVarnel") onSyncWithVarnel();
    else if (name == L"RemoveFromVarnel") onRemoveFromVarnel();
}

CWnd* TechRequirementDialog::paneWindow() { return CWnd::FromHandle(::GetTopWindow(GetWindow().GetSafeHwnd())); }

void TechRequirementDialog::onAdd() {
    TechRequirementManager manager(document_);
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoAdd));
    std::unique_ptr<Rich::Document> text = manager.CreateEmptyRichDocument(false);
    if (!text || !TechRequirementEditor::EditText(paneWindow(), *text)) return;
    const std::vector<TechRequirement*> made = manager.CreateTechRequirementsFromText(*text, true);
    if (made.empty()) {
        undo.Cancel();
        return;
    }
    if (manager.IsWorkWithVarnelEnabled())
        for (TechRequirement* requirement : made) manager.AddToVarnelWorkItem(requirement);
    if (activePage_) {
        for (TechRequirement* requirement : made) TechRequirement::Properties(requirement).AddToPage(*activePage_);
        KVDocRegenContext regeneration(document_, true, false, false);
        manager.UpdateTechNotes(*activePage_, true, regeneration);
    }
    refresh(false);
}

void TechRequirementDialog::onEdit() {
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoChange));
    const std::vector<TechRequirement*> selected = getSelectedTechRequirements();
    if (selected.empty()) {
        if (TechRequirementEditor::EditAllRequirements(paneWindow(), document_)) refresh(false);
    } else if (TechRequirementEditor::EditSingleRequirement(paneWindow(), selected.front())) {
        model_->reload(false);
    }
}

void TechRequirementDialog::onDuplicate() {
    UndoBlock undo(document_, Korvo::I18n::Translate(L"TechRequirement.UndoNames.Duplicate"));
    TechRequirementManager manager(document_);
    bool made = false;
    {
        KVDocRegenContext regeneration(document_, true, false, false);
        forEachSelected([&](TechRequirement* requirement) {
            made |= manager.AddToDocument(requirement, true, nullptr, false, false) != nullptr;
            return false;
        }, false);
    }
    if (made) refresh(false);
}

void TechRequirementDialog::onImport() {
    importPopup_->SetOpen(false);
    const std::optional<int> source = importSource_->GetSelectedCustomId();
    importSource_->SuppressUserEvents(true);
    importSource_->SetSelectedIndex(-1);
    importSource_->SuppressUserEvents(false);
    if (source == kImportFromDictionary) {
        CWnd& own = GetWindow();
        const HWND parent = ::GetParent(own.GetSafeHwnd());
        if (KorvoServerAppProxy* application = KorvoServerAppProxy::Instance())
            application->BrowseText(-1, parent ? parent : own.GetSafeHwnd(), L"");
        return;
    }
    if (!document_) return;
    TechRequirementManager manager(document_);
    if (source == kImportFromVarnel) {
        if (!manager.IsWorkWithVarnelEnabled()) return;
        std::vector<KVPDMTechReqHandle> handles;
        if (!runVarnelImportDialog(handles)) return;
        if (manager.ImportStandardReqsFromVarnel(handles)) refresh(false);
    } else if (source == kImportFromFile) {
        Rich::Document text;
        if (!text.readFromFile(paneWindow(), document_->GetActiveKVView())) return;
        if (!manager.CreateTechRequirementsFromText(text, false).empty()) refresh(false);
    }
}

void TechRequirementDialog::onCopy() {
    TechRequirementManager(document_).CopyToClipboard(paneWindow(), getSelectedTechRequirements());
}

void TechRequirementDialog::onPaste() {
    if (TechRequirementManager(document_).PasteFromClipboard(paneWindow(), activePage_)) refresh(false);
}

void TechRequirementDialog::onRemove() {
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoDelete));
    {
        PositionsChangesScope positions(document_, true);
        TechRequirementManager manager(document_);
        SimpleParentsArray removed;
        forEachSelected([&](TechRequirement* requirement) {
            removed.push_back(requirement);
            manager.DeleteInVarnel(requirement, false);
            return false;
        }, false);
        document_->DeleteElements(removed, 0);
    }
    refresh(false);
}

void TechRequirementDialog::moveSelected(bool up) {
    const std::optional<int> page = filterPage();
    UndoBlock undo(document_, TechRequirement::GetUndoName(kUndoChange));
    TechRequirementManager manager(document_);
    bool moved = false;
    forEachSelected([&](TechRequirement* requirement) {
        moved |= manager.MoveRequirementPosition(requirement, page, up);
        return false;
    }, !up);
    if (!moved) return;
    model_->reload(false);
    // Rows that would fall off the list are not reselected.
    std::vector<int> rows;
    for (int row : list_->GetSelectedRows()) {
        const int next = up ? row - 1 : row + 1;
        if (next >= 0 && next < model_->GetRowCount()) rows.push_back(next);
    }
    list_->SelectRows(rows);
    updateEnabilityDefaultMode();
}

void TechRequirementDialog::onTypesSettings() {
    TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(document_);
    TechRequirementTypesDb copy = types;
    const auto dialog = kvpf::MakeRef<TechRequirementTypesDialog>(copy);
    if (dialog->DoModal(paneWindow()) == kTypesDialogNoChange || copy == types) return;
    UndoManager undo = document_->GetUndoManager(true);
    undo.Open(Korvo::I18n::Translate(L"TechRequirementType.UndoBlockName"));
    // The block closes however the assignment ends, so the document never keeps one open.
    struct CloseUndo {
        UndoManager& undo;
        ~CloseUndo() { undo.Close(true, false); }
    } close{undo};
    undo.CopyScreenStatus();
    {
        TypesChangesScope scope(document_, true);
        types = copy;
    }
    fillTypeEditor();
    KVDocRegenContext regeneration(document_, true, false, false);
    TechRequirementManager(document_).UpdateAllTechNotes(true, regeneration);
}

void TechRequirementDialog::onCreateText() {
    const std::optional<int> page = filterPage();
    if (!page) return;
    CKVBaseView* view = document_->GetActiveKVView();
    if (!view || view->GetCurrentPage() != *page) {
        if (KVMessageBox::Show(Korvo::I18n::Translate(L"TechRequirementDialog.ActivatePageMessage"), kQuestionYesNo) != kAnswerYes)
            return;
        view = nullptr;
        for (CView* candidate : document_->GetViews()) {
            auto* kernelView = dynamic_cast<CKVBaseView*>(candidate);
            if (kernelView && kernelView->GetCurrentPage() == *page && UIModuleProxy::Instance().CanCreateTextIn(kernelView)) {
                view = kernelView;
                break;
            }
        }
        if (!view) view = document_->CreateNewView(kPageView, *page);
        if (!view) return;
    }
    KVTextCoreModule::Instance().CreateText(view);
}

void TechRequirementDialog::onCreateInscription() {
    startLeadersCommand();
    const std::optional<int> page = filterPage();
    const int row = list_->GetSelectedRow(-1);
    if (document_ && page && row != -1 && leadersCommand_)
        if (TechRequirement* requirement = requirementAtRow(row))
            leadersCommand_->CreateLeader(TechRequirement::Properties(requirement).GetReqIndex(), *page);
    list_->SuppressUserEvents(true);
    list_->ClearSelection();
    list_->SuppressUserEvents(false);
}

void TechRequirementDialog::onExport() {
    const std::optional<int> page = filterPage();
    std::unique_ptr<Rich::Document> text = TechRequirementManager(document_).CreateRichDocument(true, page.value_or(-1), false);
    if (text) text->writeToFile(paneWindow(), document_->GetActiveKVView());
}

void TechRequirementDialog::onExportToVarnel() {
    TechRequirementManager manager(document_);
    forEachSelected([&](TechRequirement* requirement) {
        manager.AddToVarnelWorkItem(requirement);
        return false;
    }, false);
    refresh(false);
}

void TechRequirementDialog::onSyncWithVarnel() {
    TechRequirementManager(document_).SyncRequirementsWithVarnel();
    refresh(false);
}

void TechRequirementDialog::onRemoveFromVarnel() {
    TechRequirementManager manager(document_);
    forEachSelected([&](TechRequirement* requirement) {
        manager.DeleteInVarnel(requirement, true);
        return false;
    }, false);
    refresh(false);
}
