// The commands the application object handles itself. Frames route every command they do not
// handle to the application before the kernel's containers, so these ids reach the application
// from any main frame.
#include "app/kvw32_app.h"

namespace {

constexpr UINT kHelp = 1601;
constexpr UINT kAddOnFirst = 15000;
constexpr UINT kAddOnLast = 16999;
constexpr UINT kInfoTipToggle = 1863;
constexpr UINT kInfoTipNext = 1864;
constexpr UINT kInfoTipPrevious = 1865;
constexpr UINT kInfoTipReload = 1866;
constexpr UINT kRestoreFixedSize = 1868;
constexpr UINT kTutorial = 1206;
constexpr UINT kThemeFirst = 3401;
constexpr UINT kThemeLast = 3449;
constexpr UINT kConnectToVarnel = 2074;
constexpr UINT kRunVarnelClient = 9311;
constexpr UINT kDisconnectFromVarnel = 2075;
constexpr UINT k3DModuleMessage = 0x53B;
constexpr UINT kViewLog = 7306;

}  // namespace

BEGIN_MESSAGE_MAP(CKvw32App, kvaux::MfcApplication)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CKvw32App::OnOpenRecentFile)
    ON_COMMAND(ID_APP_ABOUT, &CKvw32App::OnAppAbout)
    ON_COMMAND(kHelp, &CKvw32App::OnHelp)
    ON_COMMAND(ID_HELP, &CKvw32App::OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, &CKvw32App::OnHelp)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CKvw32App::OnFilePrintSetup)
    ON_COMMAND_RANGE(ApplicationCommands::kFirstId, ApplicationCommands::kLastId, &CKvw32App::OnObjectCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ApplicationCommands::kFirstId, ApplicationCommands::kLastId,
                               &CKvw32App::OnUpdateObjectCommand)
    ON_COMMAND_RANGE(kAddOnFirst, kAddOnLast, &CKvw32App::OnApplicationCommand)
    ON_UPDATE_COMMAND_UI_RANGE(kAddOnFirst, kAddOnLast, &CKvw32App::OnUpdateApplicationCommand)
    ON_COMMAND(kInfoTipToggle, &CKvw32App::OnInfoTipToggle)
    ON_COMMAND(kInfoTipNext, &CKvw32App::OnInfoTipNext)
    ON_COMMAND(kInfoTipPrevious, &CKvw32App::OnInfoTipPrevious)
    ON_COMMAND(kInfoTipReload, &CKvw32App::OnInfoTipReload)
    ON_COMMAND(kRestoreFixedSize, &CKvw32App::OnRestoreFixedSize)
    ON_COMMAND(kTutorial, &CKvw32App::OnTutorial)
    ON_COMMAND_RANGE(kThemeFirst, kThemeLast, &CKvw32App::OnThemeCommand)
    ON_UPDATE_COMMAND_UI_RANGE(kThemeFirst, kThemeLast, &CKvw32App::OnUpdateThemeCommand)
    ON_COMMAND(kConnectToVarnel, &CKvw32App::OnConnectToVarnel)
    ON_UPDATE_COMMAND_UI(kConnectToVarnel, &CKvw32App::OnUpdateConnectToVarnel)
    ON_COMMAND(kRunVarnelClient, &CKvw32App::OnRunVarnelClient)
    ON_UPDATE_COMMAND_UI(kRunVarnelClient, &CKvw32App::OnUpdateVarnelConnected)
    ON_COMMAND(kDisconnectFromVarnel, &CKvw32App::OnDisconnectFromVarnel)
    ON_UPDATE_COMMAND_UI(kDisconnectFromVarnel, &CKvw32App::OnUpdateVarnelConnected)
    // Posted to the program's thread, so it arrives as a thread message.
    ON_THREAD_MESSAGE(k3DModuleMessage, &CKvw32App::On3DModuleMessage)
    ON_COMMAND(kViewLog, &CKvw32App::OnViewLog)
    ON_UPDATE_COMMAND_UI(kViewLog, &CKvw32App::OnUpdateViewLog)
END_MESSAGE_MAP()
