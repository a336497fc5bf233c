#include "app/commands/settings_profile_commands.h"

#include "app/kvw32_app.h"
#include "app/profiles/profile_apply.h"
#include "app/profiles/reset_user_settings.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

namespace AppCommands {

namespace {

constexpr UINT kFirstApplyCommand = 1190;
constexpr unsigned kGallerySize = 10;
constexpr int kProfilesCommand = 1061;
constexpr UINT kApplyFailed = 41013;
constexpr UINT kResetFailed = 41010;
constexpr UINT kConfirmReset = 41012;
constexpr int kProfilesPage = 1;

void EndAllCommands() {
    if (KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance()) shell->TerminateAllCommands(nullptr, true);
}

CString GalleryCaption(unsigned index, const CString& name) {
    CString caption;
    if (index == 9) caption = L"1&0 ";
    else caption.Format(L"&%d ", static_cast<int>(index + 1));
    return caption + name;
}

}  // namespace

int ApplyProfile(unsigned index) {
    const std::vector<CString> profiles = KorvoProfileManager::Instance().GetProfiles();
    if (index >= profiles.size()) return 0;
    EndAllCommands();
    CWaitCursor wait;
    const CString& name = profiles[index];
    if (!KorvoProfileManager::Copy(name)) {
        AfxMessageBox(KVLoadString(kApplyFailed), MB_ICONERROR);
        return 0;
    }
    return KorvoProfiles::LoadAppliedProfile(name) ? 1 : 0;
}

void UpdateProfileGallery(CCmdUI* cmdUI) {
    if (!cmdUI) return;
    const std::vector<CString> profiles = KorvoProfileManager::Instance().GetProfiles();
    auto* bar = dynamic_cast<CXTPCommandBar*>(cmdUI->m_pOther);
    if (cmdUI->m_nID == kFirstApplyCommand && bar && bar->GetControls()) {
        CXTPControls* controls = bar->GetControls();
        for (unsigned i = 0; i < kGallerySize; ++i) {
            const int id = static_cast<int>(kFirstApplyCommand + i);
            CXTPControl* control = controls->FindControl(id);
            if (i < profiles.size()) {
                if (!control) control = controls->Add(xtpControlButton, id, nullptr, static_cast<int>(i));
                if (!control) continue;
                control->SetCaption(GalleryCaption(i, profiles[i]));
                control->SetVisible(TRUE);
            } else if (control) {
                control->SetVisible(FALSE);
            }
        }
        if (CXTPControl* profilesControl = controls->FindControl(kProfilesCommand))
            profilesControl->SetBeginGroup(!profiles.empty());
    }
    cmdUI->Enable(cmdUI->m_nID >= kFirstApplyCommand && cmdUI->m_nID - kFirstApplyCommand < profiles.size());
}

int OnProfiles(std::int64_t) {
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (CKvw32App* app = dynamic_cast<CKvw32App*>(AfxGetApp())) {
        if (CMainFrame* active = app->GetActiveMainFrame()) frame = active;
    }
    if (!frame) return 0;
    frame->ShowCustomizeSheet(kProfilesPage, 0);
    return 1;
}

int OnResetSettings(std::int64_t) {
    EndAllCommands();
    CKvw32App* app = dynamic_cast<CKvw32App*>(AfxGetApp());
    if (!app) return 0;
    CString question = KVLoadString(kConfirmReset);
    question.Replace(L"CAD", app->GetProductTitle());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return 0;
    if (!app->SaveAllModified()) return 0;
    if (!ApplicationManager::CanExitApplication()) return 0;
    const CString company = app->GetCompany();
    const CString registryName = app->GetRegistryName();
    // A name that would widen the key (empty, a path, "." or "..") would wipe far more than the
    // product's own settings.
    const bool safe = KorvoProfiles::IsSafeKeyName(company) && KorvoProfiles::IsSafeKeyName(registryName);
    if (!safe || !ResetUserSettings(L"SOFTWARE\\" + company + L"\\" + registryName))
        AfxMessageBox(KVLoadString(kResetFailed), MB_ICONERROR);
    // Nothing of this session's state may be written back into the emptied key.
    app->Restart(false);
    return 1;
}

}  // namespace AppCommands
