#include "platform/kernel/services/serverapp.h"

#include <atomic>

#include "platform/core/config.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"

namespace {

using platform::kernel::boolText;
using platform::kernel::quoted;
using platform::kernel::recordCall;

std::atomic<KorvoServerAppProxy*> g_instance{nullptr};

// The path of an "ini:" flag ("/ini:<path>" or "-ini:<path>", quotes around the path removed);
// empty when the argument is no such flag.
std::wstring iniFlagPath(const std::wstring& argument) {
    if (argument.size() < 5 || (argument[0] != L'/' && argument[0] != L'-')) return {};
    if (argument.compare(1, 4, L"ini:") != 0) return {};
    std::wstring path = argument.substr(5);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
    return path;
}

}  // namespace

bool ModuleProxy::IsLoaded() const { return true; }

KorvoServerAppProxy* KorvoServerAppProxy::Instance() { return g_instance.load(); }

bool KorvoServerAppProxy::IsGrsDocumentsShown() { return false; }

KorvoServerAppProxy::KorvoServerAppProxy() { g_instance.store(this); }

KorvoServerAppProxy::~KorvoServerAppProxy() {
    KorvoServerAppProxy* self = this;
    g_instance.compare_exchange_strong(self, nullptr);
}

bool KorvoServerAppProxy::IsConverter() { return false; }
bool KorvoServerAppProxy::IsPreview() { return false; }
bool KorvoServerAppProxy::IsVarnel() { return false; }

Korvo::DocumentManager* KorvoServerAppProxy::GetDocumentManager() { return &Korvo::DocumentManager::Instance(); }

CString KorvoServerAppProxy::BuildDate() { return CString(L"Nov 28 2019"); }

void KorvoServerAppProxy::TerminateAllCommands(CKvw32Doc* document, bool silently) {
    recordCall(L"KorvoServerAppProxy::TerminateAllCommands(" + platform::kernel::documentText(document) + L", " +
               boolText(silently) + L")");
}

void KorvoServerAppProxy::TerminateCurrentCommand2D() { recordCall(L"KorvoServerAppProxy::TerminateCurrentCommand2D()"); }

bool KorvoServerAppProxy::AppMgr_KVCreateToolbar(UINT barId, LPCWSTR title, const UINT*, int count) {
    recordCall(L"KorvoServerAppProxy::AppMgr_KVCreateToolbar(" + std::to_wstring(barId) + L", " + quoted(title) +
               L", " + std::to_wstring(count) + L")");
    return false;
}

bool KorvoServerAppProxy::AppMgr_KVIsToolbarVisible(UINT) { return false; }

void KorvoServerAppProxy::AppMgr_KVShowToolbar(UINT barId, bool show) {
    recordCall(L"KorvoServerAppProxy::AppMgr_KVShowToolbar(" + std::to_wstring(barId) + L", " + boolText(show) + L")");
}

void KorvoServerAppProxy::ShowToolbar(UINT barId, bool show) {
    recordCall(L"KorvoServerAppProxy::ShowToolbar(" + std::to_wstring(barId) + L", " + boolText(show) + L")");
}

bool KorvoServerAppProxy::API_CreateToolbar(UINT, LPCWSTR) { return false; }
bool KorvoServerAppProxy::API_AddCommandsBitmap(UINT, HINSTANCE, UINT, const UINT*, int) { return false; }
bool KorvoServerAppProxy::AddAppMainBarTab(LPCWSTR, const GUID&) { return false; }
bool KorvoServerAppProxy::ShowMainBarTab(const GUID&, bool) { return false; }
void KorvoServerAppProxy::SetDefaultSystemMainBarTab(const GUID&) {}

CString KorvoServerAppProxy::GetProfileFileExtension() { return CString(L"kvenv"); }

void KorvoServerAppProxy::GetWindowsProfileCurrentSectionName(CString& name) { name = L"Windows"; }

CString KorvoServerAppProxy::GetProductIniFileName() {
    const auto& config = platform::core::config();
    return CString(platform::kernel::productIniFileName(config.arguments, config.programFolder));
}

namespace platform::kernel {
std::wstring productIniFileName(const std::vector<std::wstring>& arguments, std::wstring_view programFolder) {
    for (const auto& argument : arguments) {
        if (auto path = iniFlagPath(argument); !path.empty()) return path;
    }
    return std::wstring(programFolder) + L"\\Korvo.ini";
}
}  // namespace platform::kernel

void KorvoServerAppProxy::OnChangeVarnelConnectionState(bool connected) {
    recordCall(std::wstring(L"KorvoServerAppProxy::OnChangeVarnelConnectionState(") + boolText(connected) + L")");
}

void KorvoServerAppProxy::ReportApplicationError(LPCWSTR applicationName, LPCWSTR text) {
    recordCall(L"KorvoServerAppProxy::ReportApplicationError(" + quoted(applicationName) + L", " + quoted(text) + L")");
}
