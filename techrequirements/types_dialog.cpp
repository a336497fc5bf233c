#include "techrequirements/types_dialog.h"

#include "platform/diagnostics.h"

namespace {
constexpr int kNoChange = 3;
}

// The types editor's form comes with its own work; until then the dialog changes nothing.
int TechRequirementTypesDialog::DoModal() {
    (void)parent_;
    (void)types_;
    KVLog_Write(5, L"TechRequirementTypesDialog: the types editor is not built yet");
    return kNoChange;
}
