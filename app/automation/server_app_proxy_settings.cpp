// The kernel callback object: the PDM connection change, the settings profile the PDM system
// names, and changed settings.
#include "app/automation/server_app_proxy.h"
#include "app/kvw32_app.h"
#include "auxiliary/start_page.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kProfileAppliedEvent = 1043;
constexpr UINT kExclamationIcon = 0x30;

}  // namespace

void ServerAppProxy::OnChangeVarnelConnectionState(bool connected) {
    if (connected) ApplyVarnelProfile();
    KorvoServerAppProxy::OnChangeVarnelConnectionState(connected);
    app_->OnChangeVarnelConnectionState(connected);
}

void ServerAppProxy::ApplyVarnelProfile() {
    if (app_->GetProfileInt(L"Debug", L"IgnoreVarnelProfile", 0) != 0) return;
    const KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    const CString profile = workMix ? workMix->GetIntegrationProfileName() : CString();
    if (profile.IsEmpty()) return;
    if (!KorvoProfileManager::Copy(profile)) {
        KVLog_WriteF(7, L"Failed to copy profile \"%s\" specified in PDM integration parameters", profile.GetString());
        return;
    }
    KVLog_WriteF(5, L"Applying profile \"%s\" specified in PDM integration parameters...", profile.GetString());
    const NativeSettings before = GetSettings();
    app_->LoadState(profile, false);
    KorvoProfileManager::ApplyProfileItems();
    app_->InitializeTextBrowserProfileItems();
    if (const CString message = CKVCom_Is3D::RefreshSettings(); !message.IsEmpty())
        AfxMessageBox(message, kExclamationIcon);
    AnnotateModuleProxy::SettingsChanged(before);
    ApplicationEventManager::Instance().Raise(kProfileAppliedEvent, ApplicationEventArgs());
}

void ServerAppProxy::OnChangeSettings(const void* newSettings) {
    if (!newSettings) return;
    const auto& next = *static_cast<const NativeSettings*>(newSettings);
    const NativeSettings& current = GetSettings();
    if (next.templateFolder == current.templateFolder && next.templateFolderUse == current.templateFolderUse &&
        next.templateFolderKinds == current.templateFolderKinds)
        return;
    const CString folder = next.templateFolder.IsEmpty() ? CString() : KVAppendProgramPath(next.templateFolder);
    ForEachStartPageView([&](IStartPageView* view) { view->SetPrototypeFolder(folder, true); });
    app_->ForEachMainFrame([](CMainFrame* frame) { frame->ApplySettings(); });
}
