#include "platform/kernel/services/pdm_nomenclature.h"

#include <map>
#include <memory>
#include <string>

#include "platform/core/useragent.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_control.h"

using platform::kernel::quoted;
using platform::kernel::recordCall;

namespace platform::kernel {

KVPDMNomenclatureRecord* nomenclatureRecord(const CString& path) {
    static std::map<std::wstring, std::unique_ptr<KVPDMNomenclatureRecord>, platform::core::NoCaseLess> records;
    auto& record = records[std::wstring(path.view())];
    if (!record) record = std::make_unique<KVPDMNomenclatureRecord>(path);
    return record.get();
}

}  // namespace platform::kernel

void KVPDMNomenclatureRecord::Reload() {
    recordCall(L"KVPDMNomenclatureRecord::Reload(" + quoted(path_.view()) + L")");
    if (platform::kernel::pdmControl().failingCalls.contains(L"Reload"))
        throw new KVPDMExceptionProxy(CString(L"The PDM system did not answer: Reload"));
}

KVPDMObject GetWorkMixRootObject() {
    recordCall(L"KVPDMWorkMix::GetRootObject()");
    if (platform::kernel::pdmControl().failingCalls.contains(L"GetRootObject"))
        throw new KVPDMExceptionProxy(CString(L"The PDM system did not answer: GetRootObject"));
    return KVPDMObject(L"{5A4D0000-0000-4000-8000-000000000001}");
}

namespace ps {

StructureManager& StructureManager::Instance() {
    static StructureManager manager;
    return manager;
}

void StructureManager::UpdateAllProductStructures(CKvw32Doc* document) {
    recordCall(L"ps::StructureManager::UpdateAllProductStructures(" + platform::kernel::documentText(document) + L")");
}

}  // namespace ps

namespace Korvo::UI {

std::optional<VarnelMaterial> ChooseVarnelMaterial(KVPDMNomenclatureRecord* nomenclature, KVPDMItem* item) {
    recordCall(L"Korvo::UI::ChooseVarnelMaterial(" +
               (nomenclature ? quoted(nomenclature->GetPath().view()) : std::wstring(L"null")) + L", " +
               (item ? L"item" : L"null") + L")");
    // The user answers with the four texts, separated by "|".
    platform::core::KernelDialogRequest request;
    request.kind = L"material";
    request.anyText = true;
    const auto chosen = platform::core::userAgent().answerKernelDialog(request);
    if (!chosen) return std::nullopt;
    VarnelMaterial material;
    std::wstring rest = *chosen;
    for (int i = 0; i < 4; ++i) {
        const std::size_t bar = rest.find(L'|');
        const std::wstring field = rest.substr(0, bar);
        (i < 3 ? material.fields[i] : material.id) = CString(field.c_str());
        rest = bar == std::wstring::npos ? std::wstring() : rest.substr(bar + 1);
    }
    return material;
}

}  // namespace Korvo::UI
