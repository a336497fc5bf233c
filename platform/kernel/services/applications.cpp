#include "platform/kernel/services/applications.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/core/api_text.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/services/app_commands.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/ui/ui_control.h"
#include "platform/kernel/record.h"

namespace {

using platform::kernel::boolText;
using platform::kernel::quoted;
using platform::kernel::recordCall;

std::wstring iniName(const kvio::IniFile& ini) { return quoted(ini.GetFileName()); }

// The installed applications, each loaded: made when an ini names them and never destroyed, so a
// pointer handed out stays valid for the whole process.
struct ApplicationObjects {
    std::mutex mutex;
    std::map<std::wstring, std::unique_ptr<CKVApplication>, platform::core::NoCaseLess> byName;
    std::vector<CKVApplication*> installed;  // installation order
    std::vector<std::unique_ptr<CKVApplication>> removed;  // kept: callers may still hold them
    bool unloaded = false;
};

ApplicationObjects& applications() {
    static auto* objects = new ApplicationObjects();
    return *objects;
}

bool installFrom(const kvio::IniFile& ini) {
    const std::vector<CString> names = ini.GetSectionNames();
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    for (const CString& name : names) {
        auto& slot = objects.byName[name.str()];
        if (slot) continue;
        slot = std::make_unique<CKVApplication>(name);
        kvaux::ApplicationIniFileEntry entry;
        if (entry.Read(ini, name, ini.GetFileName())) slot->Describe(entry, CKVBaseApplication::Origin::IniFile, false);
        objects.installed.push_back(slot.get());
    }
    return !names.empty();
}

void runStartingApplications(bool firstPhase) {
    // A copy: the applications may install another action while they run.
    const auto action = platform::kernel::control().applicationsStarting;
    if (action) action(firstPhase);
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
    return installFrom(ini);
}

void CKVApplicationManager::RecreateApplicationsTools() {
    recordCall(L"CKVApplicationManager::RecreateApplicationsTools()");
}

void CKVApplicationManager::StartApplications(bool firstPhase, bool interactive) {
    recordCall(L"CKVApplicationManager::StartApplications(" + phaseArgs(firstPhase, interactive) + L")");
    runStartingApplications(firstPhase);
}

CKVApplication* CKVApplicationManager::FindApplication(LPCWSTR name) {
    if (!name) return nullptr;
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    const auto it = objects.byName.find(std::wstring_view(name));
    return it == objects.byName.end() ? nullptr : it->second.get();
}

BOOL CKVApplication::OnWndMsgAddon(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_COMMAND) return FALSE;
    const auto& taken = platform::kernel::uiControl().addOnCommands;
    const auto it = taken.find(name_.str());
    const UINT id = LOWORD(wParam);
    if (it == taken.end() || it->second.count(id) == 0) return FALSE;
    recordCall(L"CKVApplication::OnWndMsgAddon(" + quoted(name_.str()) + L", WM_COMMAND " + std::to_wstring(id) + L")");
    if (result) *result = 0;
    return TRUE;
}

bool CKVApplicationManager::CanCloseApplication() {
    const bool refuse = platform::kernel::control().applicationsRefuseClose;
    recordCall(std::wstring(L"CKVApplicationManager::CanCloseApplication() = ") + (refuse ? L"false" : L"true"));
    return !refuse;
}

std::vector<CKVApplication*> CKVApplicationManager::GetApplications() {
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    if (objects.unloaded) return {};
    return objects.installed;
}

void CKVApplicationManager::UnloadApplications() {
    recordCall(L"CKVApplicationManager::UnloadApplications()");
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    objects.unloaded = true;
}

CKVApplication* CKVApplicationManager::InstallApplication(LPCWSTR name) {
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    auto& slot = objects.byName[std::wstring(name ? name : L"")];
    if (!slot) {
        slot = std::make_unique<CKVApplication>(name);
        slot->SetOrigin(CKVBaseApplication::Origin::Installed);
        objects.installed.push_back(slot.get());
    }
    return slot.get();
}

CKVApplication* CKVApplicationManager::AddApplication(LPCWSTR identifier, const kvaux::ApplicationIniFileEntry& entry, void*) {
    const std::wstring id = identifier ? identifier : L"";
    recordCall(L"CKVApplicationManager::AddApplication(" + quoted(id) + L")");
    if (id.empty() || entry.type != 1) return nullptr;
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    auto& slot = objects.byName[id];
    if (slot) return nullptr;
    slot = std::make_unique<CKVApplication>(id.c_str());
    slot->Describe(entry, CKVBaseApplication::Origin::Added, false);
    objects.installed.push_back(slot.get());
    return slot.get();
}

bool CKVApplicationManager::RemoveApplication(LPCWSTR identifier) {
    const std::wstring id = identifier ? identifier : L"";
    recordCall(L"CKVApplicationManager::RemoveApplication(" + quoted(id) + L")");
    auto& objects = applications();
    std::lock_guard lock(objects.mutex);
    const auto it = objects.byName.find(id);
    if (it == objects.byName.end()) return false;
    std::erase(objects.installed, it->second.get());
    objects.removed.push_back(std::move(it->second));
    objects.byName.erase(it);
    return true;
}

void CKVApplication::OnCommand(CKvw32Doc* document, UINT id) {
    recordCall(L"CKVApplication::OnCommand(" + quoted(name_.str()) + L", " + platform::kernel::documentText(document) +
               L", " + std::to_wstring(id) + L")");
}

void CKVApplication::OnUpdateCommand(CKvw32Doc* document, CCmdUI* cmdUI) {
    if (!cmdUI) return;
    platform::core::recordIdleCall(L"CKVApplication::OnUpdateCommand(" + quoted(name_.str()) + L", " +
                                   platform::kernel::documentText(document) + L", " + std::to_wstring(cmdUI->m_nID) + L")");
    const bool disabled = std::find(disabledCommands_.begin(), disabledCommands_.end(), cmdUI->m_nID) != disabledCommands_.end();
    cmdUI->Enable(!disabled);
}

void CKVApplication::SetCommandDisabled(UINT id, bool disabled) {
    std::erase(disabledCommands_, id);
    if (disabled) disabledCommands_.push_back(id);
}

ApplicationManager& ApplicationManager::Instance() {
    static ApplicationManager instance;
    return instance;
}

bool ApplicationManager::LoadInstalledApplications(const kvio::IniFile& ini) {
    recordCall(L"ApplicationManager::LoadInstalledApplications(" + iniName(ini) + L")");
    return !ini.GetSectionNames().empty();
}

void ApplicationManager::OnStartup() { recordCall(L"ApplicationManager::OnStartup()"); }

void ApplicationManager::StartApplications(bool firstPhase, bool interactive) {
    recordCall(L"ApplicationManager::StartApplications(" + phaseArgs(firstPhase, interactive) + L")");
}

void ApplicationManager::RunServer() { recordCall(L"ApplicationManager::RunServer()"); }

CString ApplicationManager::GetHelpFile(int) { return {}; }

bool ApplicationManager::CanExitApplication() {
    const bool refuse = platform::kernel::control().applicationsRefuseExit;
    recordCall(std::wstring(L"ApplicationManager::CanExitApplication() = ") + (refuse ? L"false" : L"true"));
    return !refuse;
}

void ApplicationManager::OnExitInstance() { recordCall(L"ApplicationManager::OnExitInstance()"); }

void ApplicationManager::RunCommand(const IApplicationCommand& command, CKvw32Doc* document) {
    recordCall(L"ApplicationManager::RunCommand(" + std::to_wstring(command.GetCommandId()) + L", " +
               quoted(command.GetName().str()) + L", " + platform::kernel::documentText(document) + L")");
}

bool ApplicationManager::UpdateCommand(const IApplicationCommand& command, CKvw32Doc*, CCmdUI*) {
    return !platform::kernel::control().disabledDescribedCommands.contains(command.GetCommandId());
}

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

ApplicationExports& GetApplicationExports() {
    static ApplicationExports exports;
    return exports;
}
