#include "platform/kernel/services/edit_in_context.h"

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/ui_control.h"

using platform::kernel::documentText;
using platform::kernel::recordCall;

EditInContextInstance* EditInContextInstance::GetInstance() {
    static EditInContextInstance instance;
    return &instance;
}

bool EditInContextInstance::IsActive() const {
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments())
        if (document->IsEditInPlaceActive()) return true;
    return false;
}

int EditInContextInstance::RunCommand(UINT command, CKvw32Doc* fragment) {
    recordCall(L"EditInContextInstance::RunCommand(" + std::to_wstring(command) + L", " + documentText(fragment) + L")");
    if (command != 1744 || !fragment || !fragment->GetEditInPlaceParams()) return 0;
    const KVEditInPlaceParams pair = *fragment->GetEditInPlaceParams();
    for (CKvw32Doc* document : {pair.assemblyDocument, pair.fragmentDocument})
        if (document) platform::kernel::DocumentAccess::clearEditInPlace(*document);
    return 1;
}

void EditInContextInstance::PrepareDocumentForSave(CKvw32Doc* document) {
    recordCall(L"EditInContextInstance::PrepareDocumentForSave(" + documentText(document) + L")");
}
