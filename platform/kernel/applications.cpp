#include "platform/kernel/applications.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "platform/core/api_text.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/kernel/documents.h"
#include "platform/kernel/control.h"
#include "platform/kernel/record.h"

namespace {

using platform::kernel::boolText;
using platform::kernel::quoted;
using platform::kernel::recordCall;

std::wstring iniName(const kvio::IniFile& ini) { return quoted(ini.GetFileName()); }

struct ApplicationObjects {
    std::mutex mutex;
    std::map<std::wstring, std::unique_ptr<CKVApplication>, platform::core::NoCaseLess> byName;
};

// Application objects of the names the harness reports as loaded; made at the first lookup and
// never destroyed, so a pointer handed out stays valid for the whole process.
CKVApplication* loadedApplication(LPCWSTR name) {
    static auto* objects = new ApplicationObjects();
    if (!name) return nullptr;
    const auto& loaded = platform::kernel::control().loadedApplications;
    const bool isLoaded = std::any_of(loaded.begin(), loaded.end(),
                                      [&](const std::wstring& n) { return platform::core::equalsNoCase(n, name); });
    if (!isLoaded) return nullptr;
    std::lock_guard lock(objects->mutex);
    auto& slot = objects->byName[name];
    if (!slot) slot = std::make_unique<CKVApplication>(name);
    return slot.get();
}

std::wstring phaseArgs(bool firstPhase, bool interactive) {
    return std::wstring(boolText(firstPhase)) + L", " + boolText(interactive);
}

}  // namespace

CKVApplicationManager& CKVApplicationManager::Instance() {
    static CKVApplicationManager instance;
    return instance;
}

bool CKVApplicationManager::LoadInstalledApplications(const kvio::IniFile& ini) {
    recordCall(L"CKVApplicationManager::LoadInstalledApplications(" + iniName(ini) + L")");
    return !platform::kernel::control().loadedApplications.empty();
}

void CKVApplicationManager::StartApplications(bool firstPhase, bool interactive) {
    recordCall(L"CKVApplicationManager::StartApplications(" + phaseArgs(firstPhase, interactive) + L")");
}

CKVApplication* CKVApplicationManager::FindApplication(LPCWSTR name) { return loadedApplication(name); }

ApplicationManager& ApplicationManager::Instance() {
    static ApplicationManager instance;
    return instance;
}

bool ApplicationManager::LoadInstalledApplications(const kvio::IniFile& ini) {
    recordCall(L"ApplicationManager::LoadInstalledApplications(" + iniName(ini) + L")");
    return !platform::kernel::control().loadedApplications.empty();
}

void ApplicationManager::OnStartup() { recordCall(L"ApplicationManager::OnStartup()"); }

void ApplicationManager::StartApplications(bool firstPhase, bool interactive) {
    recordCall(L"ApplicationManager::StartApplications(" + phaseArgs(firstPhase, interactive) + L")");
}

void ApplicationManager::RunServer() { recordCall(L"ApplicationManager::RunServer()"); }

CDocument* ApplicationManager::OpenDocument(LPCWSTR path) {
    recordCall(L"ApplicationManager::OpenDocument(" + platform::kernel::quoted(path) + L")");
    if (!platform::kernel::control().addOnOpensFiles) return nullptr;
    const auto templates = CKVDocTemplate::GetTemplates();
    if (templates.empty()) return nullptr;
    CKvw32Doc* document = templates.back()->OpenNewDocument(TRUE);
    if (document) document->SetTitle(std::wstring(platform::core::winpath::namePart(platform::core::viewOf(path))).c_str());
    return document;
}

void LoadInstalledApplicationsFromRegistry(LPCWSTR language, LPCWSTR company, LPCWSTR editionName, int editionKind,
                                           bool is3D) {
    recordCall(L"LoadInstalledApplicationsFromRegistry(" + quoted(language) + L", " + quoted(company) + L", " +
               quoted(editionName) + L", " + std::to_wstring(editionKind) + L", " + boolText(is3D) + L")");
}
