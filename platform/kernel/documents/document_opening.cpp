#include "platform/kernel/documents/document_opening.h"

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/profiles/settings.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm_control.h"

namespace {

using platform::kernel::quoted;
using platform::kernel::recordCall;

using platform::kernel::contextText;

}  // namespace

namespace Korvo {

CKvw32Doc* OpenWithPdmContext(const SharedPathName& path, const DocInitParams& params, const KVPDMOpenningContext& context) {
    recordCall(L"Korvo::DocumentManager::OpenWithPdmContext(" + quoted(path.view()) + L", " + contextText(context) + L")");
    DocInitParams withContext = params;
    withContext.hasPdmContext = !context.IsEmpty();
    return DocumentManager::Instance().Open(path, withContext);
}

CKvw32Doc* OpenInBatch(LPCWSTR path, const BatchOpening& batch) {
    using platform::kernel::boolText;
    recordCall(L"Korvo::DocumentManager::OpenInBatch(" + quoted(path) + L", " + contextText(batch.context) + L", any read-only " +
               boolText(batch.anyReadOnly) + L", any nomenclature " + boolText(batch.anyNomenclature) +
               L", nomenclature wanted " + boolText(batch.nomenclatureWanted) + L")");
    DocumentManager& manager = DocumentManager::Instance();
    DocInitParams params = manager.GetDocInitParams();
    params.options[DocInitParams::kOptionMakeVisible] = 1;
    params.options[DocInitParams::kOptionCreateFrame] = 1;
    params.options[DocInitParams::kOptionAddToRecentList] = 1;
    params.hasPdmContext = !batch.context.IsEmpty();
    params.nomenclature = batch.nomenclatureWanted;
    return manager.Open(SharedPathName(path), params);
}

bool WantsNomenclatureData(const SharedPathName& path) {
    recordCall(L"Korvo::DocumentManager::WantsNomenclatureData(" + quoted(path.view()) + L")");
    return !platform::kernel::pdmControl().nomenclatureNotWanted.contains(std::wstring(path.view()));
}

CKvw32Doc* CreateFromNomenclature(const DocInitParams& params, const KVPDMOpenningContext& context) {
    recordCall(L"Korvo::DocumentManager::CreateFromNomenclature(" + contextText(context) + L", read-only " +
               std::to_wstring(params.options[DocInitParams::kOptionReadOnly]) + L", nomenclature " +
               platform::kernel::boolText(params.nomenclature) + L")");
    if (context.IsEmpty()) return nullptr;
    // The document starts as a drawing, as the kernel's new documents do.
    return DocumentManager::Instance().CreateNewDocument(SharedPathName(NativeSettings::Files::GetPrototypeName(1)), params);
}

void LoadWorkMixParameters(CKvw32Doc& document, const KVPDMOpenningContext& context) {
    recordCall(L"CKvw32Doc::LoadWorkMixParameters(" + platform::kernel::documentText(&document) + L", " + contextText(context) + L")");
}

void Regenerate(CKvw32Doc& document) {
    recordCall(L"CKvw32Doc::Regenerate(" + platform::kernel::documentText(&document) + L")");
    document.SetRegenerationNeeded(false);
}

CancellableTask::CancellableTask(const CString& text) : text_(text) {
    recordCall(L"Korvo::CancellableTask begins " + quoted(text_.GetString()));
}

CancellableTask::~CancellableTask() { recordCall(L"Korvo::CancellableTask ends " + quoted(text_.GetString())); }

}  // namespace Korvo
