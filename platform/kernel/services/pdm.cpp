#include "platform/kernel/services/pdm.h"

#include "platform/kernel/services/pdm_control.h"
#include "platform/kernel/services/pdm_failures.h"
#include "platform/kernel/services/pdm_nomenclature.h"
#include "platform/kernel/services/serverapp.h"
#include "platform/kernel/record.h"
#include "platform/kernel/strings.h"
#include "platform/win32/files/file.h"

namespace {

using platform::kernel::quoted;
using platform::kernel::recordCall;

void throwIfFailing(const wchar_t* call) { platform::kernel::throwIfPdmCallFails(call); }

}  // namespace

namespace platform::kernel {

PdmControl& pdmControl() {
    static PdmControl control;
    return control;
}

KVPDMItem* itemOf(const std::wstring& path, const PdmControl::ManagedFile& file) {
    if (file.emptyContext) return new KVPDMItem(CString(path.c_str()), KVPDMOpenningContext());
    return new KVPDMItem(KVPDMOpenningContext(CString(path.c_str()), file.readOnly, file.nomenclature));
}

std::wstring contextText(const KVPDMOpenningContext& context) {
    if (!context.GetItemPath().IsEmpty()) return quoted(context.GetItemPath().GetString());
    if (const KVPDMNomenclatureRecord* record = context.GetNomenclatureObject())
        return L"nomenclature " + quoted(record->GetPath().GetString());
    return L"none";
}

}  // namespace platform::kernel

void KVPDMExceptionProxy::Report() {
    recordCall(L"KVPDMExceptionProxy::Report(" + quoted(message_.GetString()) + L")");
    KVMessageBox::Show(message_, MB_ICONSTOP);
}

void KVPDMOpenningContext::LoadRemainingData() const {
    recordCall(L"KVPDMOpenningContext::LoadRemainingData(" + platform::kernel::contextText(*this) + L")");
    throwIfFailing(L"LoadRemainingData");
}

KVPDMNomenclatureRecord* KVPDMNomenclatureSource::GetNomenclatureObject(const CString& path) {
    recordCall(L"KVPDMNomenclatureSource::GetNomenclatureObject(" + quoted(path.GetString()) + L")");
    throwIfFailing(L"GetNomenclatureObject");
    const auto& nomenclature = platform::kernel::pdmControl().nomenclature;
    const auto named = nomenclature.find(std::wstring(path.GetString()));
    if (named == nomenclature.end()) return nullptr;
    KVPDMNomenclatureRecord* record = platform::kernel::nomenclatureRecord(path);
    if (record->GetChildren().empty())
        for (const std::wstring& document : named->second) record->AddChild(platform::kernel::nomenclatureRecord(CString(document.c_str())));
    return record;
}

KVPDMNomenclatureSource* KVPDMWorkMix::GetNomenclatureSource() {
    static KVPDMNomenclatureSource source;
    return platform::kernel::pdmControl().nomenclatureSource ? &source : nullptr;
}

void KVPDMItem::Update(bool localCopies, bool keepLocalCopies) {
    recordCall(L"KVPDMItem::Update(" + quoted(path_.GetString()) + L", " +
               platform::kernel::boolText(localCopies) + L", " + platform::kernel::boolText(keepLocalCopies) + L")");
    throwIfFailing(L"Update");
}

KVPDMOpenningContext KVPDMItem::GetOpeningContext() const {
    throwIfFailing(L"GetOpeningContext");
    return context_;
}

namespace {

platform::kernel::PdmControl::ManagedFile* managedFile(const CString& path) {
    auto& files = platform::kernel::pdmControl().files;
    const auto it = files.find(std::wstring(path.GetString()));
    return it == files.end() ? nullptr : &it->second;
}

}  // namespace

int KVPDMItem::GetState() const {
    throwIfFailing(L"GetState");
    const auto* file = managedFile(path_);
    return file ? file->state : 0;
}

bool KVPDMItem::Edit(int mode, int keepLocal, int lock, int notify) {
    recordCall(L"KVPDMItem::Edit(" + quoted(path_.GetString()) + L", " + std::to_wstring(mode) + L", " +
               std::to_wstring(keepLocal) + L", " + std::to_wstring(lock) + L", " + std::to_wstring(notify) + L")");
    throwIfFailing(L"Edit");
    auto* file = managedFile(path_);
    if (!file) return false;
    file->state = 2;
    return true;
}

bool KVPDMItem::Submit(const CString& path, int mode, int keepLocal, int notify) {
    recordCall(L"KVPDMItem::Submit(" + quoted(path.GetString()) + L", " + std::to_wstring(mode) + L", " +
               std::to_wstring(keepLocal) + L", " + std::to_wstring(notify) + L")");
    throwIfFailing(L"Submit");
    auto* file = managedFile(path_);
    if (!file) return false;
    file->state = 3;
    return true;
}

bool KVPDMItem::Revert(const CString& path, int mode) {
    recordCall(L"KVPDMItem::Revert(" + quoted(path.GetString()) + L", " + std::to_wstring(mode) + L")");
    throwIfFailing(L"Revert");
    auto* file = managedFile(path_);
    if (!file) return false;
    file->state = 3;
    return true;
}

void KVPDMItem::Release() {
    if (--references_ == 0) delete this;
}

bool KVPDMWorkMix::IsActive() { return platform::kernel::pdmControl().active; }

void KVPDMWorkMix::SetActive(bool active) { platform::kernel::pdmControl().active = active; }

KVPDMWorkMix* KVPDMWorkMix::Instance() {
    static KVPDMWorkMix workMix;
    return IsActive() ? &workMix : nullptr;
}

bool KVPDMWorkMix::AddFileWithDialog(LPCWSTR file, const KVPDMAddDialogParameters& parameters) {
    recordCall(L"KVPDMWorkMix::AddFileWithDialog(" + quoted(file ? file : L"") + L", " + quoted(parameters.name.view()) +
               L", " + quoted(parameters.extension.view()) + L")");
    auto& control = platform::kernel::pdmControl();
    std::string content;
    if (!file || control.failingCalls.count(L"AddDialog") || platform::files::readAll(file, content) != ERROR_SUCCESS)
        return false;
    control.added.push_back({parameters.name.str(), parameters.extension.str(), std::move(content)});
    return true;
}

CString KVPDMWorkMix::VarnelInfo() const {
    CString instance = GetInstanceKeyPath();
    if (instance.IsEmpty()) instance = L"(none)";
    return L"Varnel PDM 11.0\nInstance: " + instance;
}

KVPDMClient* KVPDMClient::Instance() {
    static KVPDMClient client;
    return KVPDMWorkMix::IsActive() ? &client : nullptr;
}

void KVPDMClient::OnMainWindowMoved(HWND frame) {
    recordCall(L"KVPDMClient::OnMainWindowMoved(" + platform::core::handleText(frame) + L")");
}

void KVPDMWorkMix::ResetCacheFor(const SharedPathName& path) {
    recordCall(L"KVPDMWorkMix::ResetCacheFor(" + quoted(path.view()) + L")");
}

KVPDMItem* KVPDMWorkMix::FindFile(const SharedPathName& path) {
    recordCall(L"KVPDMWorkMix::FindFile(" + quoted(path.view()) + L")");
    throwIfFailing(L"FindFile");
    const auto& files = platform::kernel::pdmControl().files;
    const auto it = files.find(std::wstring(path.view()));
    if (it == files.end()) return nullptr;
    return platform::kernel::itemOf(it->first, it->second);
}

KVPDMItem* KVPDMWorkMix::FindFolder(const SharedPathName& path) {
    recordCall(L"KVPDMWorkMix::FindFolder(" + quoted(path.view()) + L")");
    throwIfFailing(L"FindFolder");
    const auto& folders = platform::kernel::pdmControl().folders;
    const auto it = folders.find(std::wstring(path.view()));
    if (it == folders.end()) return nullptr;
    return new KVPDMItem(KVPDMOpenningContext(CString(it->c_str()), false, false));
}

bool KVPDMWorkMix::CanOpenFileFromWorkmix(const SharedPathName& path, const KVPDMOpenningContext& context) {
    recordCall(L"KVPDMWorkMix::CanOpenFileFromWorkmix(" + quoted(path.view()) + L", " +
               (context.IsEmpty() ? std::wstring(L"no context") : platform::kernel::contextText(context)) + L")");
    throwIfFailing(L"CanOpenFileFromWorkmix");
    return !platform::kernel::pdmControl().heldBack.contains(std::wstring(path.view()));
}

std::map<CString, KVPDMItem*> KVPDMWorkMix::FindFiles(const std::set<CString>& paths) {
    std::wstring list;
    for (const CString& path : paths) list += (list.empty() ? L"" : L", ") + quoted(path.GetString());
    recordCall(L"KVPDMWorkMix::FindFiles(" + list + L")");
    throwIfFailing(L"FindFiles");
    std::map<CString, KVPDMItem*> items;
    const auto& files = platform::kernel::pdmControl().files;
    for (const CString& path : paths) {
        const auto it = files.find(std::wstring(path.GetString()));
        if (it != files.end()) items[path] = platform::kernel::itemOf(it->first, it->second);
    }
    return items;
}

namespace {

KVPdmProgram programOf(const platform::kernel::PdmControl::Program& program) {
    return {CString(program.name.c_str()), CString(program.keyPath.c_str()), CString(program.version.c_str()),
            CString(program.folder.c_str())};
}


}  // namespace

std::vector<KVPdmProgram> KVPdmApiProxy::FindInstalledPrograms(LPCWSTR productIniFile) {
    recordCall(L"KVPdmApiProxy::FindInstalledPrograms(" + quoted(productIniFile) + L")");
    std::vector<KVPdmProgram> programs;
    for (const auto& program : platform::kernel::pdmControl().installed) programs.push_back(programOf(program));
    return programs;
}

CString KVPdmApiProxy::GetProgramFolder(LPCWSTR keyPath) {
    for (const auto& program : platform::kernel::pdmControl().installed)
        if (keyPath && platform::core::equalsNoCase(program.keyPath, keyPath)) return CString(program.folder.c_str());
    return CString();
}

CString KVPdmApiProxy::GetProgramFolder(LPCWSTR version, LPCWSTR) {
    for (const auto& program : platform::kernel::pdmControl().installed)
        if (version && *version && program.version == version) return CString(program.folder.c_str());
    return CString();
}

CString KVPDMWorkMix::GetIntegrationProfileName() const {
    return CString(platform::kernel::pdmControl().integrationProfile.c_str());
}
