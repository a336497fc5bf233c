// Application commands (17000 to 32000) and the add-on applications' commands (15000 to 16999).
// An active document the kernel does not let the user change (editing blocked, or a PDM file not
// taken for editing) runs none of them.
#include "app/kvw32_app.h"

namespace {

bool IsEditable(const CKvw32Doc* document) { return document->IsEditable(); }

}  // namespace

void CKvw32App::OnObjectCommand(UINT id) {
    IApplicationCommand* command = m_applicationCommands.GetById(id);
    if (!command) return;
    CKvw32Doc* document = KVGetActiveDoc();
    if (document && !IsEditable(document)) return;
    if (const auto record = command->GetCallbacks()) {
        if (!record->execute) return;
        if (!document && !record->allowWithoutDocument) return;
        record->execute(document, id);
        return;
    }
    if (command->GetDescriptionKind() == IApplicationCommand::kNoDescription) return;
    ApplicationManager::RunCommand(*command, document);
    if (command->AsksForSelection() && document && document->GetStoredSelectionCount() > 0) {
        if (auto* view = dynamic_cast<CKVView*>(document->GetActiveView())) view->OnObjectCommand(id);
    }
}

void CKvw32App::OnUpdateObjectCommand(CCmdUI* cmdUI) {
    IApplicationCommand* command = m_applicationCommands.GetById(cmdUI->m_nID);
    if (!command) {
        cmdUI->Enable(FALSE);
        return;
    }
    CKvw32Doc* document = KVGetActiveDoc();
    if (const auto record = command->GetCallbacks()) {
        // The flag enables the command for a read-only document too; running it there still
        // does nothing.
        if (!record->allowWithoutDocument && (!document || !IsEditable(document))) {
            cmdUI->Enable(FALSE);
            return;
        }
        if (record->update) record->update(document, cmdUI);
        else cmdUI->Enable(record->execute ? TRUE : FALSE);
        return;
    }
    if (command->GetDescriptionKind() == IApplicationCommand::kNoDescription) return;
    if (document && !IsEditable(document)) {
        cmdUI->Enable(FALSE);
        return;
    }
    if (!ApplicationManager::UpdateCommand(*command, document, cmdUI)) cmdUI->Enable(FALSE);
}

namespace {

bool HoldsCommand(const CKVApplication& application, UINT id) {
    UINT first = 0;
    UINT last = 0;
    application.GetCommandRange(first, last);
    return id >= first && id <= last;
}

}  // namespace

void CKvw32App::OnApplicationCommand(UINT id) {
    CKvw32Doc* document = KVGetActiveDoc();
    if (document && !IsEditable(document)) return;
    // Several applications may own the same id: each runs it.
    for (CKVApplication* application : CKVApplicationManager::GetApplications()) {
        if (HoldsCommand(*application, id)) application->OnCommand(document, id);
    }
}

void CKvw32App::OnUpdateApplicationCommand(CCmdUI* cmdUI) {
    CKvw32Doc* document = KVGetActiveDoc();
    if (document && !IsEditable(document)) {
        cmdUI->Enable(FALSE);
        return;
    }
    for (CKVApplication* application : CKVApplicationManager::GetApplications()) {
        if (HoldsCommand(*application, cmdUI->m_nID)) application->OnUpdateCommand(document, cmdUI);
    }
}
