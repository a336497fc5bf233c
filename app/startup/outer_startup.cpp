// The outer phase of start-up: command line, product ini, the kernel and its modules, and the
// splash window around the inner phase.
#include "app/commands/command_registration.h"
#include "app/kvw32_app.h"
#include "app/startup/product_settings.h"
#include "app/startup/splash_wnd.h"
#include "app/startup/startup_failure.h"
#include "auxiliary/info_tip.h"
#include "auxiliary/start_page.h"
#include "mainframe/main_frame.h"

namespace {

constexpr const wchar_t* kSettingsMutexName = L"Global\\KorvoCad_ClearSettingsMutex";
constexpr UINT kApplicationTitleString = 57344;
constexpr const wchar_t* kPartnerProductTitle = L"Mardel Korvo CAD";
constexpr UINT kStartupApplicationEvent = 1030;
constexpr int kLayoutProduct = 7;

// Microseconds of the platform's steady clock.
long long SteadyMicroseconds() {
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    if (frequency.QuadPart <= 0) return 0;
    return counter.QuadPart * 1000000 / frequency.QuadPart;
}

bool IsHiddenOrMinimised(int showCommand) {
    return showCommand == SW_HIDE || showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
           showCommand == SW_SHOWMINNOACTIVE;
}

// Closes the splash however the outer phase ends, so its thread never waits for ever.
class SplashCloser {
public:
    SplashCloser() = default;
    ~SplashCloser() { CSplashWnd::SignalClose(); }
    SplashCloser(const SplashCloser&) = delete;
    SplashCloser& operator=(const SplashCloser&) = delete;
};

// The message-box caption is the application's name. The framework's current name points at the
// same string and must follow it, or it would be left pointing at the freed one.
void ReplaceAppName(CWinApp& app, LPCWSTR name) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    const bool shared = state->m_lpszCurrentAppName == app.m_pszAppName;
    free(const_cast<LPWSTR>(app.m_pszAppName));
    app.m_pszAppName = _wcsdup(name);
    if (shared) state->m_lpszCurrentAppName = app.m_pszAppName;
}

}  // namespace

BOOL CKvw32App::InitInstance() {
    const long long started = SteadyMicroseconds();

    KVCommandLineInfo commandLine;
    ParseCommandLine(commandLine);

    kvio::IniFile ini;
    ini.Load(KorvoServerAppProxy::Instance()->GetProductIniFileName());

    m_settingsMutex = CreateMutexW(nullptr, FALSE, kSettingsMutexName);

    const app::RegistryLocation location = app::ReadRegistryLocation(ini);
    m_company = location.company;
    m_registryName = location.registryName;

    CInfoTip::Instance().LoadSettings(ini);
    CInfoTip::Instance().SetActiveFrameSource([this]() -> CMDIFrameWnd* { return GetActiveMainFrame(); });

    const app::ProductSettings settings = app::ReadProductSettings(ini, m_fixedWidth, m_fixedHeight);
    m_fixedWidth = settings.fixedWidth;
    m_fixedHeight = settings.fixedHeight;
    m_tutor = settings.tutor;
    m_tutorHtm = settings.tutorHtm;
    m_tutorDownloadUri = settings.tutorDownloadUri;
    m_videoPlayer = settings.videoPlayer;
    m_language = settings.language;
    m_applicationsFile = settings.applicationsFile;
    m_defaultStateFile = settings.defaultStateFile;
    m_backgroundImage = settings.backgroundImage;
    m_defaultDynamicToolBarFile = settings.defaultDynamicToolBarFile;
    m_defaultContextMenuFile = settings.defaultContextMenuFile;
    m_defaultTemplateFolder = settings.defaultTemplateFolder;
    m_appTitle = settings.appTitle;
    SetAlphaAllowed(settings.alphaAllowed);

    GlobalContainer::EnableMacros(settings.macros);
    GlobalContainer::InitSessionLocale(m_language, settings.metric, app::ProductKindOf(settings));
    KorvoManagedUIProxy::InitManagedResourcesWraps();
    Korvo::UI::XML::SetProduct(kLayoutProduct);

    const bool partner = GlobalContainer::IsMardel();
    m_mainResourceId = partner ? 994 : 1000;
    m_titleStringId = partner ? 14 : 13;
    CString caption = kPartnerProductTitle;
    if (!partner) caption.LoadString(kApplicationTitleString);
    ReplaceAppName(*this, caption);

    if (!IsKernelVersionAccepted()) return FALSE;

    SetRegistryKey(m_company);
    SetProfileName(m_registryName);

    m_atomApp = GlobalAddAtomW(L"korvo");
    m_atomSystemTopic = GlobalAddAtomW(L"system");

    if (commandLine.m_nShellCommand == CCommandLineInfo::FileDDE) {
        QueueDdeCommand(ShellDDERespondWindow::GetShellCommand());
    }

    bool splash = commandLine.m_bShowSplash && ini.GetInt(app::kSettingsSection, L"Splash", 1) != 0;
    g_bShowStartPage = ini.GetInt(app::kSettingsSection, L"StartPage", 1) != 0;
    if (!commandLine.m_bRunEmbedded && IsHiddenOrMinimised(m_nCmdShow)) splash = false;

    SharedPathNameFlagsCacheBlock pathFlagsCache;

    if (!GlobalContainer::PreInitSession(true)) return StartupStepFailed(L"GlobalContainer::PreInitSession");

    ReplaceAppName(*this, KVLoadString(m_titleStringId));

    SplashCloser splashCloser;
    if (splash) {
        CSplashWnd::StartThread(new CSplashWnd(GetIniPath(ini, app::kSettingsSection, L"SplashImage"), true));
    }

    LoadKernelModules();

    GlobalContainer::RestoreSessionLanguage();
    RegisterApplicationCommands(KV_EDITION_CODE);
    const bool sessionReady = GlobalContainer::PostInitSession();
    CXTPPaintManager::GetInstanceAddRef();

    const BOOL result =
        sessionReady ? InitInstance(commandLine, ini) : StartupStepFailed(L"GlobalContainer::PostInitSession");

    CSplashWnd::SignalClose();

    if (result) {
        const std::vector<CMainFrame*> frames = GetMainFrames();
        for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) (*frame)->SetForegroundWindow();
        for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) document->UpdateFrameCounts();
    }

    const long long elapsed = SteadyMicroseconds() - started;
    KVLog_WriteF(2, L"Initialized in %lld.%03lld ms", elapsed / 1000, elapsed % 1000);
    ApplicationEventManager::Instance().Raise(kStartupApplicationEvent, ApplicationEventArgs{});
    return result;
}
