#include "platform/kernel/profiles/profile_manager.h"

#include <algorithm>

#include "platform/core/config.h"
#include "platform/kernel/profiles/profile_item.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"
#include "platform/kernel/services/serverapp.h"

namespace {
// The program's major version, as the items' summaries carry it.
constexpr int kSummaryVersion = 18;
}  // namespace

KorvoProfileManager& KorvoProfileManager::Instance() {
    static KorvoProfileManager manager;
    return manager;
}

CString KorvoProfileManager::GetProfileSectionName(LPCWSTR profile) {
    return CString(L"Profiles\\") + (profile && *profile ? CString(profile) : GetDefaultProfileName());
}

CString KorvoProfileManager::GetProfileSectionAppDataPath(LPCWSTR profile, LPCWSTR item) {
    const CWinApp* app = AfxGetApp();
    if (!app || !app->m_pszRegistryKey || !app->m_pszProfileName) return CString();
    CString path = CString(platform::core::config().localAppData.c_str()) + L"\\" + app->m_pszRegistryKey + L"\\" +
                   app->m_pszProfileName + L"\\" + GetProfileSectionName(profile);
    if (item && *item) path += CString(L"\\") + item;
    return path;
}

void KorvoProfileManager::ApplyProfileItems() {
    platform::core::recordCall(L"KorvoProfileManager::ApplyProfileItems()");
    // An item's LoadState may make or drop items (a frame's engine): walk a copy.
    const std::vector<KorvoProfileItem*> items = KorvoProfileItem::GetItems();
    for (KorvoProfileItem* item : items) {
        const auto& live = KorvoProfileItem::GetItems();
        if (std::find(live.begin(), live.end(), item) == live.end()) continue;
        item->LoadState();
    }
}

CString KorvoProfileManager::GetProfileFileExtension() {
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    return shell ? shell->GetProfileFileExtension() : CString(L"kvenv");
}

void KorvoProfileManager::ForEachItem(const std::function<bool(KorvoProfileItem&)>& visit) {
    const std::vector<KorvoProfileItem*> items = KorvoProfileItem::GetItems();
    for (KorvoProfileItem* item : items) {
        const auto& live = KorvoProfileItem::GetItems();
        if (std::find(live.begin(), live.end(), item) == live.end()) continue;
        if (!visit(*item)) return;
    }
}

bool KorvoProfileManager::LoadState() {
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    const bool loaded = shell && shell->LoadState();
    // Every live item takes its part of the current settings: the user commands, the frames'
    // tools and whatever else keeps its state in the profile.
    ForEachItem([](KorvoProfileItem& item) {
        item.LoadState();
        return true;
    });
    loaded_ = true;
    return loaded;
}

bool KorvoProfileManager::SaveState() {
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    const bool saved = shell && shell->SaveState();
    // Each live item keeps its state, and is described in the default profile so the profiles
    // page can list it.
    CWinApp* app = AfxGetApp();
    ForEachItem([&](KorvoProfileItem& item) {
        item.SaveState();
        if (!app) return true;
        const CString summary = GetProfileSectionName(nullptr) + L"\\" + item.GetProfileItemName() + L"\\~Summary";
        app->WriteProfileString(summary, L"Name", item.GetDisplayName());
        app->WriteProfileInt(summary, L"Version", kSummaryVersion);
        return true;
    });
    return saved;
}
