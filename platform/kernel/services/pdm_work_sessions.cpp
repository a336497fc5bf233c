#include "platform/kernel/services/pdm_work_sessions.h"

#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/kernel/services/pdm_failures.h"
#include "platform/kernel/services/pdm_nomenclature.h"

namespace {

using platform::kernel::quoted;
using platform::kernel::recordCall;

void throwIfFailing(const wchar_t* call) { platform::kernel::throwIfPdmCallFails(call); }

std::vector<CString> texts(const std::vector<std::wstring>& values) {
    std::vector<CString> result;
    for (const std::wstring& value : values) result.emplace_back(value.c_str());
    return result;
}

}  // namespace

void KVPDMWorkSessionContext::LoadRemainingData() const {
    recordCall(L"KVPDMWorkSessionContext::LoadRemainingData(" + quoted(opening_.GetItemPath().GetString()) + L")");
    throwIfFailing(L"LoadRemainingData");
}

void KVPDMWorkSessionContext::ResetWorkObjectItem() const {
    recordCall(L"KVPDMWorkSessionContext::ResetWorkObjectItem(" + quoted(opening_.GetItemPath().GetString()) + L")");
}

KVPDMWorkSessionContext GetWorkSessionContext(KVPDMWorkMix&, const SharedPathName& path) {
    recordCall(L"KVPDMWorkMix::GetOpeningContext(" + quoted(path.view()) + L")");
    throwIfFailing(L"GetOpeningContext");
    const auto& control = platform::kernel::pdmControl();
    const std::wstring key(path.view());
    const auto file = control.files.find(key);
    const auto session = control.workSessions.find(key);
    const auto named = control.nomenclature.find(key);
    const bool managed = file != control.files.end();
    if (!managed && session == control.workSessions.end() && named == control.nomenclature.end()) return {};
    KVPDMWorkSessionContext context(KVPDMOpenningContext(CString(key.c_str()), managed && file->second.readOnly,
                                                         named != control.nomenclature.end() || (managed && file->second.nomenclature)));
    if (session != control.workSessions.end())
        context.SetWorkSession(CString(session->second.name.c_str()), texts(session->second.documents));
    if (named != control.nomenclature.end()) {
        KVPDMNomenclatureRecord* record = platform::kernel::nomenclatureRecord(CString(key.c_str()));
        if (record->GetChildren().empty())
            for (const std::wstring& document : named->second)
                record->AddChild(platform::kernel::nomenclatureRecord(CString(document.c_str())));
        context.SetNomenclature(record);
    }
    return context;
}
