#include "mainframe/main_frame.h"

#include <algorithm>
#include <exception>

#include <boost/scope_exit.hpp>

#include "mainframe/generate_dump_file_app_context.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame_state.h"
#include "mainframe/ribbon_command_bars.h"
#include "mainframe/statusline/stopwatch.h"
#include "services/application.h"
#include "commandbars/auto_menu_command_bars.h"

IMPLEMENT_DYNCREATE(CMainFrame, CXTPMDIFrameWnd)

namespace {

constexpr DWORD kMainFrameStyle = 0xCF8000;
constexpr UINT kRedrawEverything = 1413;  // invalidate, erase, all children, update now, frame

// The frame resource this edition selects.
constexpr UINT kFrameResourceId = 1;

// The layout version a clone's bars are written in: the program's own.
constexpr Korvo::VersionNumber kCloneLayoutVersion(18, 0, 21, 0);

std::function<void()>& InitialShowObserver() {
    static std::function<void()> observer;
    return observer;
}

}  // namespace

void CMainFrame::SetInitialShowObserver(std::function<void()> observer) { InitialShowObserver() = std::move(observer); }

CMainFrame::CMainFrame() : m_showCommand(AfxGetApp() ? AfxGetApp()->m_nCmdShow : SW_SHOWNORMAL) {
    if (ApplicationServices* app = ApplicationServices::Instance()) m_ribbonMode = app->IsRibbonMode();
    InitRibbonApplicationParameters();
    KVLog_WriteF(2, L"Constructed main window @ 0x%p...", static_cast<const void*>(this));
}

CMainFrame::~CMainFrame() {
    m_destroying = true;
    // The UI module dropped the frame with its window; the others are renumbered.
    if (ApplicationServices* app = ApplicationServices::Instance()) app->UpdateFrameTitles();
    SetDockingPaneManager(nullptr);
    m_messageBars.Clear();
    if (m_framelessBars) m_framelessBars->InternalRelease();
    m_fullScreenLayoutSection.reset();
    m_layoutSection.reset();
    // The engine goes before the members it may point at.
}

CMainFrame* CMainFrame::CreateFromState(std::shared_ptr<Korvo::UI::MainFrameState> state, bool restorePlacement,
                                        bool second) {
    if (!state) {
        if (ApplicationServices* app = ApplicationServices::Instance()) state = app->GetDefaultMainFrameState();
    }
    if (!state) return nullptr;
    return Create(*state, restorePlacement, second);
}

CMainFrame* CMainFrame::Create(const Korvo::UI::MainFrameState& state, bool restorePlacement, bool second) {
    const Stopwatch stopwatch;
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    // A frame normally deletes itself with its window; until it exists for good, this owns it.
    std::unique_ptr<CMainFrame> owned;
    try {
        owned = std::make_unique<CMainFrame>();
        owned->m_creating = true;
        if (!owned->LoadFrame(kFrameResourceId, kMainFrameStyle)) {
            if (owned->GetSafeHwnd()) owned->DestroyWindow();
            return nullptr;
        }
        // The frame is in the UI module's list now: every title is renumbered.
        if (ApplicationServices* app = ApplicationServices::Instance()) app->UpdateFrameTitles();
        owned->LoadState(state, restorePlacement, second);
        if (KVRibbonBar* ribbon = owned->GetRibbonBar()) ribbon->GetControls()->CreateOriginalControls();
        owned->RecalcLayout();
        owned->UpdateInstalledConfigurationsMenu();
        KVLog_WriteF(2, L"Created main frame in %lld.%03lld ms", stopwatch.elapsedMicroseconds() / 1000,
                     stopwatch.elapsedMicroseconds() % 1000);
    } catch (const std::exception& e) {
        if (owned && owned->GetSafeHwnd()) owned->DestroyWindow();
        KVLog_WriteF(7, L"Failed to create a main frame: %s", CString(e.what()).GetString());
        return nullptr;
    }
    owned->m_creating = false;
    CMainFrame* frame = owned.release();
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
    return frame;
}

std::shared_ptr<MainFrameState> CMainFrame::SaveStateForClone() const {
    auto state = std::make_shared<MainFrameState>();
    Korvo::UI::XML::ApplicationParameters parameters = m_ribbonParameters;
    parameters.controlName = FrameControlName;
    parameters.writeAttributes = WriteToolBarControlAttributes;
    if (CXTPMenuBar* menuBar = GetMenuBar()) {
        state->menuBar = std::make_shared<Korvo::UI::XML::ToolBar>(L"MenuBar");
        state->menuBar->save(*menuBar, parameters);
    }
    // The clone's ribbon is this frame's, as the user has customised it.
    if (KVRibbonBar* ribbon = GetRibbonBar()) {
        Korvo::UI::XML::ApplicationParameters ribbonParameters = parameters;
        ribbonParameters.writeAttributes = WriteLayoutControlAttributes;
        state->ribbonBar = std::make_shared<Korvo::UI::XML::RibbonBar>();
        state->ribbonBar->save(*ribbon, ribbonParameters, kCloneLayoutVersion);
    }
    BOOL maximized = FALSE;
    const bool hasChild = MDIGetActive(&maximized) != nullptr;
    // Without a document window the kernel session knows how the next one opens.
    state->maximizeMdi = hasChild ? maximized != FALSE : GlobalContainer::GetMaximizeMdi();
    state->workbook = m_workbookMode;
    state->minimizeRibbonWindowed = m_minimizeRibbonWindowed;
    state->minimizeRibbonFullScreen = m_minimizeRibbonFullScreen;
    state->showClassicAutoMenu = m_showClassicAutoMenu;
    if (ApplicationServices* app = ApplicationServices::Instance())
        if (auto defaults = app->GetDefaultMainFrameState()) state->toolBars = defaults->toolBars;
    if (CXTPToolBar* frameless = GetFramelessViewToolBar()) {
        Korvo::UI::XML::ApplicationParameters viewTypes;
        viewTypes.writeAttributes = WriteLayoutControlAttributes;
        auto saved = std::make_shared<Korvo::UI::XML::ToolBar>();
        saved->save(*frameless, viewTypes);
        const auto same = std::find_if(state->toolBars.begin(), state->toolBars.end(),
                                       [&](const auto& bar) { return bar->id() == saved->id(); });
        if (same != state->toolBars.end()) *same = saved;
        else state->toolBars.push_back(saved);
    }
    // The toolkit's layout of the bars (places, shortcuts, options), without the panes: the clone
    // builds its own.
    Korvo::UI::XML::Element root(L"state");
    state->commandBarsLayout = const_cast<CMainFrame*>(this)->SaveCommandBarsLayout(root, false);
    return state;
}

CMainFrame* CMainFrame::Clone() const {
    const Stopwatch stopwatch;
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    const std::shared_ptr<MainFrameState> state = SaveStateForClone();
    const XTPTabLayoutStyle tabLayout = m_paneManager.GetTabPaintManager()->GetLayout();
    const XTPTabLayoutStyle panelLayout = m_paneManager.GetPanelPaintManager()->GetLayout();
    CMainFrame* frame = Create(*state, false, false);
    if (!frame) return nullptr;
    // The clone shares this frame's pane icons and looks like it.
    CXTPImageManager* images = m_paneManager.GetImageManager();
    images->InternalAddRef();
    frame->m_paneManager.SetImageManager(images);
    frame->m_paneManager.GetTabPaintManager()->SetLayout(tabLayout);
    frame->m_paneManager.GetPanelPaintManager()->SetLayout(panelLayout);
    frame->m_paneManager.RedrawPanes();
    if (ApplicationServices* app = ApplicationServices::Instance()) app->UpdateFrameTitles();
    KVLog_WriteF(2, L"Cloned main frame in %lld.%03lld ms", stopwatch.elapsedMicroseconds() / 1000,
                 stopwatch.elapsedMicroseconds() % 1000);
    return frame;
}

void CMainFrame::InitialShow() {
    if (m_shown) return;
    if (const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme()) SetTheme(*theme);
    if (CWinApp* app = AfxGetApp()) app->OnIdle(0);
    if (!IsIconic() && m_shown) {
        RecalcLayout();
        if (CXTPCommandBars* bars = GetCommandBars()) bars->UpdateCommandBars();
        if (CXTPCommandBars* autoMenu = GetAutoMenuBars()) autoMenu->UpdateCommandBars();
    }
    PostMessage(WM_IDLEUPDATECMDUI);
    UpdateWindow();
    if (InitialShowObserver()) InitialShowObserver()();
    ShowWindow(m_showCommand);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawEverything);
    m_shown = true;
    SetActiveView(GetActiveView());
    ApplySettings();
}

void CMainFrame::PostNcDestroy() {
    if (m_creating) return;
    Korvo::UI::MdiMainFrame::PostNcDestroy();
}


bool CMainFrame::IsRibbonMode() const {
    if (const auto* bars = dynamic_cast<const CKVRibbonCommandBars*>(CXTPMDIFrameWnd::GetCommandBars()))
        return bars->IsRibbonMode() != FALSE;
    return m_ribbonMode;
}

void CMainFrame::ApplyToolBarIconSize(SIZE size, bool largeIcons) {
    UIModuleProxy::Instance().SetCommandBarsIconSize(this, size, largeIcons);
    if (CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars()) {
        CXTPCommandBarsOptions* options = bars->GetCommandBarsOptions();
        options->szLargeIcons = size;
        options->bLargeIcons = largeIcons;
    }
    ApplyCommandBarsOptions(true);
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    GenerateDumpFileAppContext context;
    // Context help is the frame's own, before any document's commands see it.
    if (lParam == 0 && LOWORD(wParam) == ID_CONTEXT_HELP) {
        OnContextHelp();
        return TRUE;
    }
    // In context-help mode a command, from a menu, a bar or a key, shows its help and does not run.
    if (m_contextHelpMode && lParam == 0) {
        constexpr UINT kCommandHelpMessage = 0x0365;  // the framework's WM_COMMANDHELP
        constexpr LPARAM kCommandHelpBase = 0x10000;
        m_contextHelpMode = false;
        if (!SendMessage(kCommandHelpMessage, 0, kCommandHelpBase + LOWORD(wParam))) SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    if (LOWORD(wParam) != ID_FILE_PRINT_DIRECT || !app || !app->m_pCmdInfo)
        return Korvo::UI::MdiMainFrame::OnCommand(wParam, lParam);
    // A print the shell asked for runs on a settled program: what was queued before it (the
    // opening of the document among it) is done first.
    MSG pending{};
    while (::PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE)) {
        if (app->PumpMessage()) continue;
        // The end of the program stays for the outer loop to see.
        ::PostQuitMessage(static_cast<int>(pending.wParam));
        return FALSE;
    }
    app->OnIdle(0);
    NativeSettings& settings = GetSettings();
    const bool directPrint = settings.directPrint;
    settings.directPrint = true;
    BOOST_SCOPE_EXIT_ALL(&settings, directPrint) { settings.directPrint = directPrint; };
    return Korvo::UI::MdiMainFrame::OnCommand(wParam, lParam);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    GenerateDumpFileAppContext context;
    return Korvo::UI::MdiMainFrame::WindowProc(message, wParam, lParam);
}

BOOL CMainFrame::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) {
    try {
        return CXTPCommandBarsFrameHook::OnHookMessage(hWnd, message, wParam, lParam, result);
    } catch (CResourceException* error) {
        UIModuleProxy::Instance().ReportResourceFailure(error);
        error->Delete();
        return FALSE;
    }
}

void CMainFrame::EndModalState() {
    Korvo::UI::MdiMainFrame::EndModalState();
    if (GetModalDepth() == 0)
        if (ApplicationServices* app = ApplicationServices::Instance()) app->ProcessPendingDdeCommands();
}

void CMainFrame::GetMessageString(UINT id, CString& text) const {
    if (GetCommandPrompt(id, text)) return;
    // The framework's own lookup: the command's string, up to its first line break.
    text.Empty();
    if (auto prompt = platform::loadStringResource(id)) text = CString(prompt->substr(0, prompt->find(L'\n')));
}
