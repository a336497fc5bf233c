// The PDM system's standard technical requirements: counted objects the work mix hands out.
#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm.h"

namespace {

std::vector<CString>& standardTexts() {
    static std::vector<CString> texts{L"Unspecified tolerances to ISO 2768-m", L"Remove burrs", L"Surface treatment: zinc plating"};
    return texts;
}

}  // namespace

void KVPDMWorkMix::GetStandardTechRequirements(std::vector<KVPDMTechReqHandle>& requirements) {
    platform::kernel::recordCall(L"KVPDMWorkMix::GetStandardTechRequirements(): " + std::to_wstring(standardTexts().size()));
    for (const CString& text : standardTexts()) requirements.push_back(KVPDMTechReqHandle::Adopt(new KVPDMTechReqObjectProxy(text)));
}

void KVPDMWorkMix::SetStandardTechRequirements(std::vector<CString> texts) { standardTexts() = std::move(texts); }
