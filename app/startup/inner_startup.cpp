// The inner phase of start-up: everything the user sees, from the framework's initialisation to
// the documents of the last run.
#include "app/commands/command_registration.h"
#include "app/kvw32_app.h"
#include "app/profiles/profile_item_copy.h"
#include "app/startup/product_settings.h"
#include "app/startup/startup_failure.h"
#include "auxiliary/start_page.h"
#include "mainframe/main_frame.h"

namespace {

// The icon sizes the command bars draw, and how many icons of each to make room for.
constexpr int kIconSizes[] = {16, 24, 32};
constexpr int kReservedIcons = 881;
// Tells the options application that the shell started it.
constexpr DWORD kOptionsApplicationFlag = 0x1;

}  // namespace

BOOL CKvw32App::InitInstance(KVCommandLineInfo& commandLine, const kvio::IniFile& ini) {
    if (!kvaux::MfcApplication::InitInstance()) return StartupStepFailed(L"CWinApp::InitInstance");

    FindPrimaryMonitor();

    m_startupComplete = 0;
    m_varnelProfileFileName = GetProfileString(L"Settings", L"VarnelProfileFileName", L"");

    EnableDockingPaneWindows(ini);
    // A profile the last run left half renamed, deleted or filled is made whole before any
    // profile is read.
    KorvoProfiles::FinishInterruptedWork();
    ApplyStartupProfile();
    LoadAddOnApplications();
    m_textBrowsers.Load();
    Korvo::UI::ImageManager::GetInstance().ReserveResources(kIconSizes, kReservedIcons);

    CKVCom_Is3D::OnStartup();
    RegisterBuiltInCommands();

    LoadApplicationCommandsFile();

    ApplicationManager::OnStartup();
    KorvoManagedUIProxy::StringResourceAccessor::UpdateResourcesCulture();
    CKVApplicationManager::StartApplications(true, true);
    ApplicationManager::StartApplications(true, true);

    if (CKVApplication* options = CKVApplicationManager::FindApplication(L"KVOPT")) {
        options->SetFlag(kOptionsApplicationFlag, true);
    }

    SetUpHelpPath();

    AfxEnableControlContainer();
    wchar_t trace[8] = {};
    if (GetEnvironmentVariableW(L"KORVO_STRING_ID", trace, 8) == 1 && trace[0] == L'1') g_bTraceMessages = TRUE;

    AddDocTemplateSafe(CKVDocTemplate::Create(m_mainResourceId, RUNTIME_CLASS(CKvw32Doc),
                                              RUNTIME_CLASS(Korvo::UI::MdiChildFrame), RUNTIME_CLASS(CKVTabView)));

    if (!ApplyStartupTheme()) {
        KVLog_Write(8, L"Failed to initialize theme");
        return FALSE;
    }

    CMainFrame::CreateFromState(nullptr);
    if (!m_pMainWnd) {
        KVLog_Write(8, L"Failed to create main window");
        return FALSE;
    }

    RegisterOle();

    m_watchedHandle = nullptr;
    m_watchedCallback = nullptr;

    LoadLanguageSpecificRibbon();

    CKVApplicationManager::StartApplications(false, true);
    ApplicationManager::StartApplications(false, true);
    const std::vector<CMainFrame*> frames = GetMainFrames();
    if (!frames.empty()) {
        if (CXTPControls* menuBarControls = frames.front()->GetMenuBarControls()) {
            menuBarControls->CreateOriginalControls();
        }
    }

    if (m_helpLevel == 0) SetHelpContext(1, nullptr, 0);
    automenu(0);
    ShowSyspanelSet(0);
    ForEachMainFrame([](CMainFrame* frame) { frame->DisableSyspanelControls(); });
    m_startupComplete = 1;

    SetApplicationName();

    if (!GlobalContainer::FinishInitSession()) return StartupStepFailed(L"GlobalContainer::FinishInitSession");

    if (GetSettings().runAsServer || ini.GetInt(app::kSettingsSection, L"SERVER", 0) != 0) {
        ApplicationManager::RunServer();
    }

    if (ConnectPdmAtStartup() == 3) return StartupStepFailed(L"CKvw32App::ConnectPdmAtStartup");

    CreateRecentFileList();

    CKVCom_Is3D::OnStartupCompleted();

    if (commandLine.m_bRunEmbedded || commandLine.m_bRunAutomated) {
        // An automation client or container drives the program: no window is shown and no
        // documents are restored, but DDE commands must not wait for a first showing that never
        // comes.
        m_startupComplete = 1;
        if (!frames.empty()) frames.front()->RecalcLayout();
        FinishStartupForDde();
        return TRUE;
    }

    RefreshRegistrationIfWritable();
    ResetCrashRestoreState();

    if (GetSettings().startPage.show && g_bShowStartPage) ShowStartPageOnStartup();

    // No empty document at start-up.
    if (commandLine.m_nShellCommand == CCommandLineInfo::FileNew) {
        commandLine.m_nShellCommand = CCommandLineInfo::FileNothing;
    }

    RestoreCrashCopies();

    m_openingStartupShellCommand = true;
    const BOOL processed = ProcessShellCommand(commandLine);
    m_openingStartupShellCommand = false;
    if (!processed) {
        // Printing from the command line answers FALSE once the document is printed: the
        // framework's print-and-exit, not a failure.
        const bool printed = commandLine.m_nShellCommand == CCommandLineInfo::FilePrint ||
                             commandLine.m_nShellCommand == CCommandLineInfo::FilePrintTo;
        return printed ? FALSE : StartupStepFailed(L"CWinApp::ProcessShellCommand");
    }

    const int iconSize = static_cast<int>(GetProfileInt(L"Settings", L"ToolBarIconSize", 24));
    if (iconSize > 0) SetToolBarIconSize({iconSize, iconSize});
    SetRibbonMode(GetProfileInt(L"Settings", L"RibbonMode", 1) != 0);

    for (CMainFrame* frame : GetMainFrames()) {
        if (!frame->IsShown()) frame->InitialShow();
    }

    FinishStartupForDde();

    ReopenDocumentsOfLastRun();

    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!PumpMessage()) return StartupStepFailed(L"CWinApp::PumpMessage (a quit message)");
    }
    return TRUE;
}
