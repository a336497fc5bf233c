// What the main frame does for the UI library's main-frame interface, its accessors and the
// system-panel forwarders.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "mainframe/pane_windows.h"
#include "mainframe/ribbon_command_bars.h"

namespace {

constexpr int kFontComboId = 914;
constexpr int kFontComboTextLimit = 3;
constexpr UINT kScreenModeThird = 2;
// Outside ribbon mode only the frameless bars of bits 4 and 5 show.
constexpr DWORD kClassicFramelessBars = 48;

}  // namespace

// ---- Selection filters: the library's tool bar first, then the system panel ----------------------

#define KORVO_FORWARD_TO_PANEL(call)                                   \
    Korvo::UI::MdiMainFrame::call;                                     \
    if (SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr) panel->call

void CMainFrame::BeginSelectionFilterConfiguration() { KORVO_FORWARD_TO_PANEL(BeginSelectionFilterConfiguration()); }
void CMainFrame::SetSelectionFilterSet(int set) { KORVO_FORWARD_TO_PANEL(SetSelectionFilterSet(set)); }
void CMainFrame::ShowSelectionFilterButton(int id, bool show) {
    KORVO_FORWARD_TO_PANEL(ShowSelectionFilterButton(id, show));
}
void CMainFrame::HideAllSelectionFilterButtons() { KORVO_FORWARD_TO_PANEL(HideAllSelectionFilterButtons()); }
void CMainFrame::SetSelectionFilterButtonIconAndToolTip(int id, int icon, LPCWSTR tooltip) {
    KORVO_FORWARD_TO_PANEL(SetSelectionFilterButtonIconAndToolTip(id, icon, tooltip));
}
void CMainFrame::SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR iconPath, LPCWSTR tooltip) {
    KORVO_FORWARD_TO_PANEL(SetSelectionFilterButtonIconAndToolTip(id, iconPath, tooltip));
}
void CMainFrame::SetSelectionFilterButtonState(int id, int state) {
    KORVO_FORWARD_TO_PANEL(SetSelectionFilterButtonState(id, state));
}
void CMainFrame::SetSelectionFilterButtonState(LPCWSTR name, int state) {
    KORVO_FORWARD_TO_PANEL(SetSelectionFilterButtonState(name, state));
}
void CMainFrame::SetSelectionFilterButtonProperties(int id, DWORD properties) {
    KORVO_FORWARD_TO_PANEL(SetSelectionFilterButtonProperties(id, properties));
}
void CMainFrame::SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties) {
    KORVO_FORWARD_TO_PANEL(SetSelectionFilterButtonProperties(name, properties));
}
void CMainFrame::EndSelectionFilterConfiguration() { KORVO_FORWARD_TO_PANEL(EndSelectionFilterConfiguration()); }

#undef KORVO_FORWARD_TO_PANEL

// ---- Frameless tool bars, panes and controls -------------------------------------------------------

DWORD CMainFrame::GetVisibleFramelessToolBars(int viewType) const {
    const Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    if (active != this || !m_shown || m_screenMode == kScreenModeThird) return 0;
    const DWORD bars = Korvo::UI::MdiMainFrame::GetVisibleFramelessToolBars(viewType);
    // In ribbon mode the ribbon shows no frameless bar of its own, so the library's set stands.
    return IsRibbonMode() ? bars : (bars & kClassicFramelessBars);
}

CWnd* CMainFrame::GetPaneWindow(CXTPDockingPane* pane) {
    if (!pane) return nullptr;
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return nullptr;
    PaneWindows& windows = app->GetPaneWindows();
    switch (pane->GetID()) {
        case 1003: return windows.birdsEyeView.Get();
        case 1005: return windows.error.Get();
        case 1006: return windows.modelTree.Get();
        case 1007: return windows.properties.Get();
        case 1008: return windows.tasks.Get();
        case 1011: return windows.weldTree.Get();
        case 1012: return windows.varnelArchives.Get();
        case 1013: return windows.varnelDesktop.Get();
        case 1014: return windows.varnelFavorites.Get();
        case 1015: return windows.varnelFind.Get();
        case 1019: return windows.varnelAssembly.Get();
        case 1022: return windows.modelElements.Get();
        case 1023: return windows.assemblyStructure.Get();
        case 1027: return windows.varnelMail.Get();
        case 1028: return windows.findCommand.Get();
        case 1029: return windows.annotations.Get();
        case 1030: return windows.configurations.Get();
        case 1031: return windows.layers.Get();
        case 1033: return windows.varnelConfigurationSettings.Get();
        case 1035: return windows.formFactor.Get();
        case 1039: return windows.generationQueue.Get();
        case 1040: return windows.varnelLibraryElements.Get();
        default: return nullptr;
    }
}

CXTPControl* CMainFrame::CreateCustomControl(UINT, DWORD_PTR, CXTPCommandBar*) {
    // The program's control factory comes with the control work; plain buttons until then.
    return nullptr;
}

// ---- Accessors -----------------------------------------------------------------------------------

KVRibbonBar* CMainFrame::GetRibbonBar() const {
    const CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    if (!bars) return nullptr;
    for (int i = 0; i < bars->GetCount(); ++i)
        if (auto* ribbon = dynamic_cast<KVRibbonBar*>(bars->GetAt(i))) return ribbon;
    return nullptr;
}

CXTPMenuBar* CMainFrame::GetMenuBar() const {
    const CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    return bars ? bars->GetMenuBar() : nullptr;
}

CXTPControls* CMainFrame::GetMenuBarControls() const {
    CXTPMenuBar* menuBar = GetMenuBar();
    return menuBar ? menuBar->GetControls() : nullptr;
}

CKVView* CMainFrame::GetActiveKVView() { return DYNAMIC_DOWNCAST(CKVView, GetActiveView()); }

CString CMainFrame::GetUIStyle() const {
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(L"MainFrame", L"UIStyle", L"") : CString();
}

// ---- System-panel forwarders ---------------------------------------------------------------------

bool CMainFrame::GetSyspanelControlState(int id, bool& checked, bool& disabled) const {
    SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr;
    return panel && panel->GetSyspanelControlState(id, checked, disabled);
}

bool CMainFrame::GetSyspanelControlIntValue(int id, int& value) const {
    SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr;
    return panel && panel->GetSyspanelControlIntValue(id, value);
}

bool CMainFrame::UnpackSyspanelDoubleVar(int id, double& value) const {
    SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr;
    return panel && panel->UnpackSyspanelDoubleVar(id, value);
}

bool CMainFrame::UnpackSyspanelIntVar(int id, int& value) const {
    SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr;
    return panel && panel->UnpackSyspanelIntVar(id, value);
}

int CMainFrame::GetSyspanelCurrentId() const {
    SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr;
    return panel ? panel->GetSyspanelCurrentId() : -1;
}

IDataExchange* CMainFrame::GetSyspanelControlData(int id) const {
    // In ribbon mode the ribbon's twins of the panel's controls hold the data; the ribbon comes
    // with its own work.
    if (IsRibbonMode() && GetRibbonBar()) return nullptr;
    SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr;
    return panel ? panel->GetSyspanelControlData(id) : nullptr;
}

void CMainFrame::DisableSyspanelControls() {
    if (SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr) panel->DisableSyspanelControls();
}

void CMainFrame::EnableSyspanelControl(int id, bool enable) {
    if (SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr) panel->EnableSyspanelControl(id, enable);
}

void CMainFrame::FindCommandControl(CString& text, int id) const {
    text.Empty();
    if (id == -1) id = kFontComboId;
    CXTPControl* control = nullptr;
    if (IsRibbonMode()) {
        if (const KVRibbonBar* ribbon = GetRibbonBar()) control = ribbon->GetControls()->FindControl(xtpControlError, id, FALSE, TRUE);
    } else if (SysPanelAccess* panel = m_tools ? m_tools->GetSysPanel() : nullptr) {
        if (CXTPToolBar* bar = panel->GetBar()) control = bar->GetControls()->FindControl(id);
        if (!control) control = panel->FindControl(id);
    }
    const auto* combo = dynamic_cast<const CXTPControlComboBox*>(control);
    if (!combo) return;
    const int selection = combo->GetCurSel();
    if (selection >= 0 && selection < kFontComboTextLimit) text = combo->GetLBText(selection);
}
