// The main frame's window creation (WM_CREATE): sixteen steps, each of which can fail and so make
// the window's creation fail.
#include <array>

#include "services/application.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "mainframe/ribbon_command_bars.h"
#include "platform/faults.h"

namespace {

constexpr int kPlacementMargin = 15;
constexpr UINT kAcceleratorsId = 1;
constexpr int kLargeIconScreenWidth = 1280;
constexpr DWORD kPaneDisplayFlags = 4;

// Commands shown only in full menus. 8059 stands twice in the list.
constexpr std::array<UINT, 97> kHiddenCommands = {
    1045, 57612, 1248, 1739, 1252, 1989, 1409, 1699, 1217, 1708, 1050, 1790, 1932, 1258, 1089, 1345, 1007,
    1233, 1231, 1232, 8013, 8139, 8140, 8028, 8066, 8141, 8143, 8003, 8014, 8027, 8025, 8033, 8174, 8164,
    8166, 8165, 8167, 8162, 8168, 8034, 8036, 8044, 8050, 8051, 8216, 8217, 8207, 8206, 8057, 2036, 8058,
    8059, 8060, 8061, 8067, 8091, 8092, 8093, 8095, 8102, 8103, 8105, 8124, 8125, 1901, 1265, 1113, 1041,
    1051, 1731, 1737, 1720, 1721, 1722, 1723, 1724, 1725, 1726, 1727, 1728, 1716, 1034, 1070, 1071, 1621,
    1466, 2860, 1703, 1448, 1382, 1377, 1611, 1215, 8059, 1683, 1094, 1246};

// The modifier keys named by kernel strings (their "+" removed), then the other named keys.
struct KeyName {
    UINT stringId;
    UINT virtualKey;
};
constexpr std::array<KeyName, 3> kModifierNames = {{{10386, 17}, {10387, 18}, {10388, 16}}};
constexpr std::array<KeyName, 8> kKeyNames = {
    {{41768, 34}, {41769, 33}, {41770, 36}, {41771, 35}, {41772, 45}, {41773, 46}, {41774, 27}, {41775, 32}}};

}  // namespace

bool CMainFrame::CreateStep(int number, bool succeeded) {
    // A failed step fails the window's creation; Create then gives null without a log line.
    return succeeded && !platform::faultInjected(L"CMainFrame::OnCreate " + std::to_wstring(number));
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (!CreateStep(1, Korvo::UI::MdiMainFrame::OnCreate(lpCreateStruct) != -1)) return -1;

    SetOwningFrame(this);
    DragAcceptFiles(m_hWnd, TRUE);
    if (!CreateStep(2, true)) return -1;

    PlaceOnMonitor();
    if (!CreateStep(3, true)) return -1;

    if (!CreateStep(4, m_dropTarget.Register(this) != FALSE)) return -1;

    const bool statusLine = GetStatusLine().Create(this, CStatusLine::kStyle, CStatusLine::kId) && GetStatusLine().CreatePanes();
    if (!CreateStep(5, statusLine)) return -1;

    if (!CreateStep(6, CreateCommandBarsStep())) return -1;

    ApplyCommandBarsOptionsStep();
    if (!CreateStep(7, true)) return -1;

    {
        ApplyCommandBarsOptions(false);
        CopyShortcutsToFramelessToolBars();
    }
    if (!CreateStep(8, true)) return -1;

    if (!CreateStep(9, InstallDockingPanesStep())) return -1;

    if (!CreateStep(10, CreateMenuBarStep())) return -1;

    if (!CreateStep(11, InitRibbonBar(*this))) return -1;

    if (!CreateStep(12, InitDockingPanesAndToolBars())) return -1;
    // The ribbon's twins of the panel's controls can follow the panel now. Whichever frame this
    // is, they start as the first frame's do at start-up: reset and disabled until the kernel
    // enables them.
    InitRibbonControls();
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->DisableSystemPanelControls();

    SetWorkbookMode(true);
    // The tab settings the last run saved on closing; a state file's layout may change them later.
    m_tabClient.CXTPTabClientWnd::LoadState();
    if (!CreateStep(13, m_tabClient.LoadState())) return -1;

    SetKeyNamesStep();
    if (!CreateStep(14, true)) return -1;

    if (CKVTabToolBar* tabs = GetTabToolBar()) tabs->UpdateAccelerators();
    if (!CreateStep(15, true)) return -1;

    if (!CreateStep(16, true)) return -1;
    if (ApplicationServices* app = ApplicationServices::Instance()) app->UpdateFrameTitles();
    return 0;
}

void CMainFrame::PlaceOnMonitor() {
    HMONITOR monitor = nullptr;
    ApplicationServices* app = ApplicationServices::Instance();
    if (CMainFrame* active = CMainFrame::GetActive(); active && active != this)
        monitor = MonitorFromWindow(active->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST);
    else if (app)
        monitor = app->GetPrimaryMonitor();
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return;
    const RECT& work = info.rcWork;
    ::SetWindowPos(m_hWnd, nullptr, work.left + kPlacementMargin, work.top + kPlacementMargin,
                   work.right - work.left - 2 * kPlacementMargin, work.bottom - work.top - 2 * kPlacementMargin,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool CMainFrame::CreateCommandBarsStep() {
    if (!InitCommandBars(RUNTIME_CLASS(CKVRibbonCommandBars))) return false;
    // The menu bar and the ribbon come with their own steps; the state applied after creation
    // chooses between them.
    return dynamic_cast<CKVRibbonCommandBars*>(GetCommandBars()) != nullptr;
}

void CMainFrame::ApplyCommandBarsOptionsStep() {
    CXTPCommandBars* bars = GetCommandBars();
    CXTPPaintManager* paintManager = CXTPPaintManager::GetInstanceAddRef();
    paintManager->GetIconsInfo()->bUseDpiIcons = TRUE;
    CXTPCommandBarsOptions* options = bars->GetCommandBarsOptions();
    options->ShowKeyboardCues(xtpKeyboardCuesShowWindowsDefault);
    options->bToolBarAccelTips = TRUE;
    options->bAlwaysShowFullMenus = TRUE;
    options->szIcons = SIZE{16, 16};
    options->szPopupIcons = SIZE{16, 16};
    ApplicationServices* app = ApplicationServices::Instance();
    if (app) options->szLargeIcons = app->GetToolBarIconSize();
    if (GetSystemMetrics(SM_CXFULLSCREEN) > kLargeIconScreenWidth) options->bLargeIcons = TRUE;
    UIModuleProxy::Instance().AdjustCommandBarsOptions(bars);
    for (CXTPToolTipContext* tips : {bars->GetToolTipContext()}) {
        tips->SetStyle(xtpToolTipMarkup);
        tips->ShowTitleAndDescription(TRUE);
    }
    bars->GetShortcutManager()->SetAccelerators(kAcceleratorsId);
    if (CXTPCommandBars* autoMenu = GetAutoMenuBars()) autoMenu->GetToolTipContext()->SetStyle(xtpToolTipMarkup);
    // The frameless bars exist from here on, so that the options, the shortcuts and a loaded
    // state reach them.
    CreateFramelessToolBars();
    if (Korvo::UI::FramelessToolBars* frameless = GetFramelessToolBars())
        frameless->GetToolTipContext()->SetStyle(xtpToolTipMarkup);
}

bool CMainFrame::InstallDockingPanesStep() {
    if (!m_paneManager.InstallDockingPanes(this)) return false;
    m_paneManager.SetThemedFloatingFrames(TRUE);
    // The four display flags of the program's panes.
    m_paneManager.SetShowContentsWhileDragging(TRUE);
    m_paneManager.SetAlphaDockingContext(TRUE);
    m_paneManager.SetShowDockingContextStickers(TRUE);
    m_paneManager.SetCloseGroupOnButtonClick(TRUE);
    static_assert(kPaneDisplayFlags == 4);
    m_paneManager.LockSplitters(GetSettings().lockPanes);
    SetDockingPaneManager(&m_paneManager);
    return true;
}

bool CMainFrame::CreateMenuBarStep() {
    auto* bars = dynamic_cast<CKVRibbonCommandBars*>(GetCommandBars());
    if (!bars || !bars->GetMainMenuBar()) return false;
    bars->HideCommands(kHiddenCommands.data(), static_cast<int>(kHiddenCommands.size()));
    return true;
}

void CMainFrame::SetKeyNamesStep() {
    CXTPShortcutManager* shortcuts = GetCommandBars()->GetShortcutManager();
    for (const KeyName& key : kModifierNames) {
        CString name = KVLoadString(key.stringId);
        name.Remove(L'+');
        shortcuts->SetKeyNameText(key.virtualKey, name);
    }
    for (const KeyName& key : kKeyNames) shortcuts->SetKeyNameText(key.virtualKey, KVLoadString(key.stringId));
}
