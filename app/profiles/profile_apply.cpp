#include "app/profiles/profile_apply.h"

#include "app/kvw32_app.h"
#include "app/profiles/registry_key.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "platform/kernel/services/materials.h"

namespace KorvoProfiles {

namespace {

constexpr UINT kProfileAppliedEvent = 1043;
constexpr UINT kWarningHeading = 41014;
constexpr UINT kItemCannotLoad = 41016;
constexpr UINT kItemUnknown = 41015;
// The library settings come back with the material library, not through their item.
constexpr const wchar_t* kLibrariesItem = L"Libraries";

bool HasSummaryVersion(HKEY section, const CString& item) {
    const RegistryKey summary = RegistryKey::OpenSubKey(section, item + L"\\~Summary", KEY_READ);
    return summary && ::RegQueryValueExW(summary.Get(), L"Version", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

bool LoadAppliedProfile(const CString& profile, const ItemFilter& filter, ApplyFrom from) {
    CKvw32App* app = dynamic_cast<CKvw32App*>(AfxGetApp());
    if (!app) return false;
    const RegistryKey appKey(app->GetAppRegistryKey());
    const RegistryKey section =
        appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(profile), KEY_READ);
    const NativeSettings before = GetSettings();
    CString warnings = KVLoadString(kWarningHeading) + L":";
    bool warned = false;
    if (from == ApplyFrom::Gallery) app->LoadState(profile, true);

    CString uiStyle;
    bool styleNoted = false;
    for (DWORD index = 0; section; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumKeyExW(section.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const CString keyName(name);
        if (filter && !filter(keyName)) continue;
        bool claimed = false;
        KorvoProfileManager::ForEachItem([&](KorvoProfileItem& item) {
            if (item.GetProfileItemName().CompareNoCase(keyName) != 0) return true;
            claimed = true;
            if (keyName.CompareNoCase(kLibrariesItem) == 0) return false;
            if (auto* frame = dynamic_cast<CMainFrame*>(&item); frame && !styleNoted) {
                styleNoted = true;
                uiStyle = frame->GetUIStyle();
                if (from == ApplyFrom::ProfilesPage) app->LoadState(profile, true);
            }
            const int result = item.LoadState();
            if (result == 1 || result == 2) {
                warnings += L"\n" + item.GetDisplayName();
                if (result == 2) warnings += L" - " + KVLoadString(kItemCannotLoad);
                warned = true;
            }
            return true;
        });
        if (!claimed && HasSummaryVersion(section.Get(), keyName)) {
            warnings += L"\n" + keyName + L" - " + KVLoadString(kItemUnknown);
            warned = true;
        }
    }
    KVMaterialLibraryManager::Instance().Clear();
    if (const CString message = CKVCom_Is3D::RefreshSettings(); !message.IsEmpty()) AfxMessageBox(message, MB_ICONEXCLAMATION);
    if (!uiStyle.IsEmpty()) app->SetTheme(uiStyle);
    if (warned) AfxMessageBox(warnings, MB_ICONWARNING);
    AnnotateModuleProxy::SettingsChanged(before);
    if (from == ApplyFrom::ProfilesPage) app->OnIdle(0);
    ApplicationEventManager::Instance().Raise(kProfileAppliedEvent, ApplicationEventArgs());
    return !warned;
}

}  // namespace KorvoProfiles
