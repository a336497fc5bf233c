#include "platform/kernel/services/session.h"

#include <array>
#include <atomic>

#include <mutex>
#include <utility>

#include "platform/core/journal.h"

#include "platform/kernel/ui/command_control.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/profiles/profile_manager.h"
#include "platform/kernel/profiles/settings.h"
#include "platform/kernel/record.h"
#include "platform/textcore.h"
#include "platform/win32/process/module.h"
#include "platform/win32/process/thread.h"

BOOL g_bTraceMessages = FALSE;

namespace {

struct SessionState {
    bool macros = true;
    bool maximizeMdi = true;
    CString language;
    bool metric = true;
    KorvoOemProduct product = KorvoOemProduct::None;
    platform::kernel::SessionStage stage = platform::kernel::SessionStage::NotStarted;
};

SessionState& session() {
    static SessionState state;
    return state;
}

bool runStep(const wchar_t* name, bool fails, platform::kernel::SessionStage reached) {
    if (fails) {
        platform::kernel::recordWarning(std::wstring(L"GlobalContainer::") + name + L" failed (injected)");
        return false;
    }
    session().stage = reached;
    return true;
}

}  // namespace

platform::kernel::SessionStage platform::kernel::sessionStage() { return session().stage; }

GlobalContainer& GlobalContainer::Instance() {
    static GlobalContainer instance;
    return instance;
}

void GlobalContainer::EnableMacros(bool enable) {
    platform::kernel::recordCall(std::wstring(L"GlobalContainer::EnableMacros(") + platform::kernel::boolText(enable) +
                                 L")");
    session().macros = enable;
}

bool GlobalContainer::AreMacrosEnabled() { return session().macros; }

void GlobalContainer::SetMaximizeMdi(bool maximize) {
    platform::kernel::recordCall(std::wstring(L"GlobalContainer::SetMaximizeMdi(") + platform::kernel::boolText(maximize) +
                                 L")");
    session().maximizeMdi = maximize;
}

bool GlobalContainer::GetMaximizeMdi() { return session().maximizeMdi; }

namespace {
bool g_mdiSwitchFlag = true;
}

void GlobalContainer::SetMdiSwitchFlag(bool on) { g_mdiSwitchFlag = on; }
bool GlobalContainer::GetMdiSwitchFlag() { return g_mdiSwitchFlag; }

void GlobalContainer::InitSessionLocale(LPCWSTR language, bool metric, KorvoOemProduct product) {
    platform::kernel::recordCall(L"GlobalContainer::InitSessionLocale(" + platform::kernel::quoted(language) + L", " +
                                 platform::kernel::boolText(metric) + L", " +
                                 std::to_wstring(static_cast<int>(product)) + L")");
    auto& state = session();
    state.language = language ? language : L"";
    state.metric = metric;
    state.product = product;
    Korvo::I18n::SetLanguage(state.language);
}

CString GlobalContainer::GetSessionLanguage() { return session().language; }
bool GlobalContainer::IsMetric() { return session().metric; }
bool GlobalContainer::IsMardel() { return session().product == KorvoOemProduct::Mardel; }
bool GlobalContainer::IsQuenta() { return session().product == KorvoOemProduct::Quenta; }
bool GlobalContainer::IsOstrel() { return session().product == KorvoOemProduct::Ostrel; }
bool GlobalContainer::InAppCreateToolsMode() { return platform::kernel::control().inAppCreateToolsMode; }

namespace {

// The settings the kernel keeps in the user's "Settings" section across runs: read when the
// session starts, written when it ends.
constexpr const wchar_t* kSettingsSection = L"Settings";

// A yes/no setting kept under its value name; `starting` is the value as the session started: an
// unchanged setting is not written back.
struct StoredFlag {
    const wchar_t* name;
    bool& (*field)(NativeSettings&);
    bool starting = false;
};

std::array<StoredFlag, 4>& storedFlags() {
    static std::array<StoredFlag, 4> flags{{
        {L"StartPageDisplayOption", [](NativeSettings& s) -> bool& { return s.startPage.displayOption; }},
        {L"ShowStartPage", [](NativeSettings& s) -> bool& { return s.startPage.show; }},
        // The user's choices of the tool-bar options page and the diagnostics pane's tool bar.
        {L"ShowCommandNames", [](NativeSettings& s) -> bool& { return s.showCommandNames; }},
        {L"DiagnosticsWarnings", [](NativeSettings& s) -> bool& { return s.diagnosticsWarnings; }},
    }};
    return flags;
}

void loadStoredSettings() {
    for (StoredFlag& flag : storedFlags()) flag.starting = flag.field(GetSettings());
    CWinApp* app = AfxGetApp();
    const HKEY root = app ? app->GetAppRegistryKey() : nullptr;
    if (!root) return;
    HKEY section = nullptr;
    if (::RegOpenKeyExW(root, kSettingsSection, 0, KEY_READ, &section) == ERROR_SUCCESS) {
        for (StoredFlag& flag : storedFlags()) {
            DWORD stored = 0, type = 0, size = sizeof(stored);
            if (::RegQueryValueExW(section, flag.name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) ==
                    ERROR_SUCCESS &&
                type == REG_DWORD)
                flag.field(GetSettings()) = flag.starting = stored != 0;
        }
        ::RegCloseKey(section);
    }
    ::RegCloseKey(root);
}

void saveStoredSettings() {
    for (const StoredFlag& flag : storedFlags()) {
        if (flag.field(GetSettings()) == flag.starting) continue;
        CWinApp* app = AfxGetApp();
        const HKEY section = app ? app->GetSectionKey(kSettingsSection) : nullptr;
        if (!section) return;
        const DWORD stored = flag.field(GetSettings()) ? 1 : 0;
        if (::RegSetValueExW(section, flag.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof(stored)) !=
            ERROR_SUCCESS)
            platform::core::reportFailure(L"GlobalContainer::DestroySession: the settings were not written");
        ::RegCloseKey(section);
    }
}

}  // namespace

bool GlobalContainer::PreInitSession(bool interactive) {
    platform::kernel::installStringLoader();
    platform::kernel::recordCall(std::wstring(L"GlobalContainer::PreInitSession(") +
                                 platform::kernel::boolText(interactive) + L")");
    loadStoredSettings();
    return runStep(L"PreInitSession", platform::kernel::control().failPreInitSession,
                   platform::kernel::SessionStage::PreInitialised);
}

void GlobalContainer::RestoreSessionLanguage() {
    platform::kernel::recordCall(L"GlobalContainer::RestoreSessionLanguage()");
    Korvo::I18n::SetLanguage(session().language);
}

bool GlobalContainer::PostInitSession() {
    platform::kernel::recordCall(L"GlobalContainer::PostInitSession()");
    // The program links the kernel rather than loading it: the kernel's own load time is spent
    // here, where it sets up its libraries, while the splash still shows.
    if (const DWORD millis = platform::modules::loadMilliseconds(L"KorvoKernel.dll"); millis != 0) Sleep(millis);
    return runStep(L"PostInitSession", platform::kernel::control().failPostInitSession,
                   platform::kernel::SessionStage::PostInitialised);
}

namespace {
std::atomic<int> sessionIdleCount{0};
}  // namespace

void GlobalContainer::OnSessionIdle() { ++sessionIdleCount; }

int GlobalContainer::GetSessionIdleCount() { return sessionIdleCount.load(); }

bool GlobalContainer::FinishInitSession() {
    platform::kernel::recordCall(L"GlobalContainer::FinishInitSession()");
    if (!runStep(L"FinishInitSession", platform::kernel::control().failFinishInitSession,
                 platform::kernel::SessionStage::Finished))
        return false;
    // The session ends its start-up with the user's settings profile, the shell's UI state with it.
    KorvoProfileManager::Instance().LoadState();
    return true;
}

void automenu(int mode) { platform::kernel::recordCall(L"automenu(" + std::to_wstring(mode) + L")"); }

void ShowSyspanelSet(int mode) { platform::kernel::recordCall(L"ShowSyspanelSet(" + std::to_wstring(mode) + L")"); }

namespace {

bool& sessionDestroyed() {
    static bool destroyed = false;
    return destroyed;
}

}  // namespace

void GlobalContainer::DestroySession(bool keepSettings) {
    platform::kernel::recordCall(std::wstring(L"GlobalContainer::DestroySession(") +
                                 platform::kernel::boolText(keepSettings) + L")");
    if (std::exchange(sessionDestroyed(), true)) {
        platform::core::reportFailure(L"GlobalContainer::DestroySession: the session was destroyed already");
        return;
    }
    saveStoredSettings();
}

bool GlobalContainer::IsSessionDestroyed() { return sessionDestroyed(); }

HMODULE GlobalContainer::GetIconsDll() { return GetModuleHandleW(nullptr); }
