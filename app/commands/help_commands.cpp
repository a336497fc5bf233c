// The application command table's commands that open help, the web and other modules: File
// Open, the analysis help files, the API reference, the update check, document protection and
// the add-on applications dialog.
#include "app/commands/application_command_handlers.h"
#include "app/commands/update_check_address.h"
#include "app/kvw32_app.h"
#include "app/startup/machine_registry.h"
#include "auxiliary/applications_dialog.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"

namespace AppCommands {

namespace {

constexpr UINT kOpenHelpContext = 100100;
constexpr UINT kManageApplicationsHelpContext = 125800;
constexpr UINT kApiReferenceMissing = 61703;
constexpr int kFileEntry = 1;  // Korvo::GetFileSystemEntryType's answer for a file
constexpr const wchar_t* kUpdateSite = L"https://www.velmora.example";
constexpr const wchar_t* kPartnerUpdateSite = L"https://www.korvo-partner.example";
constexpr const wchar_t* kDocAccessModule = L"KVDocAccess.dll";

// A help context pushed for as long as the object lives; the one before comes back after.
class HelpContextScope {
public:
    HelpContextScope(CKvw32App* app, UINT helpId, LPCWSTR helpFile)
        : app_(app), previousFile_(app->GetHelpFile()), previousId_(app->SetHelpContext(helpId, helpFile, 1)) {}
    ~HelpContextScope() { app_->SetHelpContext(previousId_, previousFile_, -1); }
    HelpContextScope(const HelpContextScope&) = delete;
    HelpContextScope& operator=(const HelpContextScope&) = delete;

private:
    CKvw32App* app_;
    CString previousFile_;
    UINT previousId_;
};

bool HelpFileExists(LPCWSTR name) {
    return Korvo::GetFileSystemEntryType(KVAppendProgramPath(name, 0, false)) == kFileEntry;
}

int ShowAnalysisHelp(LPCWSTR helpFile) {
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return 1;
    const HelpContextScope scope(app, app->GetHelpId(), helpFile);
    app->OnHelp();
    return 1;
}

bool IsDocumentProtectionDisabled() {
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return false;
    const std::optional<DWORD> value =
        ReadMachineDword(L"SOFTWARE\\" + app->GetCompany() + L"\\" + app->GetRegistryName(), L"DisableDocumentProtection");
    return value == 1u;
}

}  // namespace

int OnDocumentOpen(std::int64_t) {
    CKvw32App* app = CKvw32App::Instance();
    if (!app || !app->m_pDocManager) return 0;
    const HelpContextScope scope(app, kOpenHelpContext, nullptr);
    app->OnFileOpen();
    return 1;
}

int OnFeaHelp(std::int64_t) { return ShowAnalysisHelp(L"FEA.chm"); }
int OnDynamicsHelp(std::int64_t) { return ShowAnalysisHelp(L"KVDynamics.chm"); }
void UpdateFeaHelp(CCmdUI* cmdUI) { cmdUI->Enable(HelpFileExists(L"FEA.chm")); }
void UpdateDynamicsHelp(CCmdUI* cmdUI) { cmdUI->Enable(HelpFileExists(L"KVDynamics.chm")); }

int OnApiReference(std::int64_t) {
    const CString file = KVAppendProgramPath(L"korvoapi.chm", 0, false);
    if (!HtmlHelpW(nullptr, file, HH_DISPLAY_TOPIC, 0)) KVMessageBox::Show(KVLoadString(kApiReferenceMissing), MB_ICONERROR);
    return 1;
}

int OnCheckForUpdates(std::int64_t) {
    UpdateCheckQuery query;
    query.language = GlobalContainer::GetLocaleAlpha2Code();
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance()) kernel->GetProductName(query.product);
    const CString address = UpdateCheckAddress(GlobalContainer::IsOstrel() ? kPartnerUpdateSite : kUpdateSite, query);
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOW);
    return 1;
}

int OnDocumentSetAccess(std::int64_t) {
    if (IsDocumentProtectionDisabled()) return 0;
    const HMODULE module = Korvo::Module::loadMfcAndInitialize(KVAppendProgramPath(kDocAccessModule, 0, false));
    using Wizard = int (*)(HWND parent);
    const FARPROC entry = module ? GetProcAddress(module, "ShowDocAccessWizard") : nullptr;
    int result = 0;
    if (entry) {
        GlobalContainer::RestoreSessionLanguage();
        CKvw32App* app = CKvw32App::Instance();
        CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
        result = reinterpret_cast<Wizard>(reinterpret_cast<void (*)()>(entry))(frame ? frame->GetSafeHwnd() : nullptr);
    } else {
        KVMessageBox::Show(L"Cannot load module KVDocAccess.dll", MB_ICONERROR);
    }
    // Only a module that loaded is shut down.
    if (module) Korvo::Module::shutdownAndUnloadMfc(module);
    return result;
}

void UpdateDocumentSetAccess(CCmdUI* cmdUI) { cmdUI->Enable(!IsDocumentProtectionDisabled()); }

namespace {

// The ribbon tab add-on applications put their tools on.
constexpr GUID kApplicationsTab = {0x2A629998, 0x3570, 0x4D28, {0x95, 0xF3, 0xC6, 0x1F, 0x7A, 0x8B, 0x1D, 0xBE}};

// A started application's tools are on the applications tab: the user is taken there, even
// when the tab had been switched off.
void ShowApplicationsTab() {
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
    KVRibbonBar* ribbon = frame ? frame->GetRibbonBar() : nullptr;
    Korvo::UI::RibbonTab* tab = ribbon ? ribbon->FindTabByGuid(kApplicationsTab) : nullptr;
    if (!tab) return;
    if (!tab->IsVisible()) {
        if (tab->IsDisabledByUser()) tab->SetDisabledByUser(false);
        tab->SetVisible(TRUE);
    }
    ribbon->SelectTabSilently(tab->GetIndex());
}

}  // namespace

int OnManageApplications(std::int64_t) {
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return 1;
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance()) kernel->TerminateAllCommands(nullptr, true);
    const HelpContextScope scope(app, kManageApplicationsHelpContext, nullptr);
    RunApplicationsDialog(app->GetActiveMainFrame(), ApplicationsDialogHost{app->GetApplicationsIniPath(), &ShowApplicationsTab});
    return 1;
}

}  // namespace AppCommands
