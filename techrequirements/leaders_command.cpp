// The leader-line command's run: the framework's interactive commands (the kvpf standard command
// with its mouse, key and automenu events) come with their own work, which replaces this file.
// Until then starting it is logged and the command ends at once.
#include "platform/diagnostics.h"
#include "techrequirements/tech_requirement_dialog.h"

bool TechRequirementDialog::LeadersCmd::Run(CKVBaseView*, bool) {
    KVLog_Write(5, L"TechRequirementDialog: the leaders command is not built yet");
    return false;
}

void TechRequirementDialog::LeadersCmd::CreateLeader(unsigned index, int page) {
    if (dialog_) dialog_->setLeadersState(std::make_unique<TechReqLink>(index, page));
}

bool TechRequirementDialog::runVarnelImportDialog(std::vector<void*>&) {
    KVLog_Write(5, L"TechRequirementDialog: the PDM import dialog is not built yet");
    return false;
}
