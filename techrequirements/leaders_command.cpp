// The leader-line command's run: the framework's interactive commands (the kvpf standard command
// with its mouse, key and automenu events) come with the requirements-editing work, which
// replaces this file. Until then starting it is logged and the command ends at once.
#include "platform/diagnostics.h"
#include "techrequirements/tech_requirement_dialog.h"

bool TechRequirementDialog::LeadersCmd::Run(CKVBaseView*, bool) {
    KVLog_Write(5, L"TechRequirementDialog: the leaders command is not built yet");
    return false;
}
