// What the main frame does for the UI library's main-frame interface, its accessors and the
// system-panel forwarders.
#include "services/application.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/popups/move_to_main_window_popup.h"
#include "mainframe/popups/profile_popup.h"
#include "mainframe/ribbon_command_bars.h"
#include "commandbars/user_commands.h"
#include "syspanel/manip_panel.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr int kFontComboId = 914;
constexpr int kFontComboTextLimit = 3;
constexpr UINT kScreenModeThird = 2;
// Outside ribbon mode only the frameless bars of bits 4 and 5 show.
constexpr DWORD kClassicFramelessBars = 48;

}  // namespace

// ---- Selection filters: the library's tool bar first, then the system panel ----------------------

// The panel takes the operations it has: configuration under its layout lock, sets, shown
// buttons, icons with tooltips, check states and geometric types. Icons from image files, named
// buttons and the library's own button properties are the selection-filter tool bar's alone.
int CMainFrame::GetSelectionFilterSet() const {
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel ? panel->GetCurrentFilterSet() : Korvo::UI::MdiMainFrame::GetSelectionFilterSet();
}
void CMainFrame::BeginSelectionFilterConfiguration() {
    Korvo::UI::MdiMainFrame::BeginSelectionFilterConfiguration();
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->LockLayout();
}
bool CMainFrame::SetSelectionFilterSet(int set) {
    const bool shown = Korvo::UI::MdiMainFrame::SetSelectionFilterSet(set);
    CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel ? panel->SwitchSelectionFilterSet(set) : shown;
}
void CMainFrame::ShowSelectionFilterButton(int id, bool show) {
    Korvo::UI::MdiMainFrame::ShowSelectionFilterButton(id, show);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->ShowRegisteredControl(static_cast<unsigned>(id), show);
}
void CMainFrame::HideAllSelectionFilterButtons() {
    Korvo::UI::MdiMainFrame::HideAllSelectionFilterButtons();
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->HideFilterButtons();
}
void CMainFrame::SetSelectionFilterButtonIconAndToolTip(int id, int icon, LPCWSTR tooltip) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonIconAndToolTip(id, icon, tooltip);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->SetFilterButtonText(static_cast<unsigned>(id), icon, tooltip);
}
void CMainFrame::SetSelectionFilterButtonIconAndToolTip(int id, int icon, UINT tooltipStringId) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonIconAndToolTip(id, icon, tooltipStringId);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar())
        panel->SetFilterButton(static_cast<unsigned>(id), static_cast<unsigned>(icon), tooltipStringId);
}
void CMainFrame::SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR iconPath, LPCWSTR tooltip) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonIconAndToolTip(id, iconPath, tooltip);
}
void CMainFrame::SetSelectionFilterButtonState(int id, int state) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonState(id, state);
    // The state is the button's check mark; the library's buttons are never disabled by it.
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->SetSyspanelButtonStatus(static_cast<unsigned>(id), state == 1, false);
}
void CMainFrame::SetSelectionFilterButtonState(int id, bool checked, bool disabled) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonState(id, checked, disabled);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->SetSyspanelButtonStatus(static_cast<unsigned>(id), checked, disabled);
}
void CMainFrame::SetSelectionFilterButtonState(int geometricType, const TGeomClass* state, bool show) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonState(geometricType, state, show);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->SetGeometricTypeState(geometricType, state, show);
}
void CMainFrame::SetSelectionFilterButtonState(LPCWSTR name, int state) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonState(name, state);
}
void CMainFrame::SetSelectionFilterButtonProperties(int id, DWORD properties) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonProperties(id, properties);
}
void CMainFrame::SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonProperties(name, properties);
}
void CMainFrame::SetSelectionFilterButtonProperties(int id, int icon, UINT tooltipStringId, bool checked, bool disabled) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonProperties(id, icon, tooltipStringId, checked, disabled);
    CSysPanelToolbar* panel = GetSysPanelToolbar();
    if (!panel) return;
    panel->SetFilterButton(static_cast<unsigned>(id), static_cast<unsigned>(icon), tooltipStringId);
    panel->SetSyspanelButtonStatus(static_cast<unsigned>(id), checked, disabled);
}
void CMainFrame::SetSelectionFilterButtonProperties(int id, int icon, LPCWSTR tooltip, bool checked, bool disabled) {
    Korvo::UI::MdiMainFrame::SetSelectionFilterButtonProperties(id, icon, tooltip, checked, disabled);
    CSysPanelToolbar* panel = GetSysPanelToolbar();
    if (!panel) return;
    panel->SetFilterButtonText(static_cast<unsigned>(id), icon, tooltip);
    panel->SetSyspanelButtonStatus(static_cast<unsigned>(id), checked, disabled);
}
void CMainFrame::EndSelectionFilterConfiguration() {
    Korvo::UI::MdiMainFrame::EndSelectionFilterConfiguration();
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->UnlockLayout();
}
void CMainFrame::UpdateSelectionFilters(bool showSelectionMode) {
    Korvo::UI::MdiMainFrame::UpdateSelectionFilters(showSelectionMode);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->ShowSelectionModeButtons(showSelectionMode);
    // Outside a drawing or 3D view, a panel with no filter set has nothing its controls could act on.
    constexpr int kDrawingViewKind = 1, k3DViewKind = 2;
    const CKVView* view = GetActiveKorvoView();
    const int viewKind = view ? view->GetViewKind() : 0;
    if (viewKind != kDrawingViewKind && viewKind != k3DViewKind && GetSelectionFilterSet() == -1) DisableSyspanelControls();
}
CManipPanelProxy* CMainFrame::GetManipPanelProxy(int id) { return GetManipPanel(id); }

// ---- Frameless tool bars, panes and controls -------------------------------------------------------

DWORD CMainFrame::GetVisibleFramelessToolBars(int viewType) const {
    const Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    if (active != this || !m_shown || m_screenMode == kScreenModeThird) return 0;
    const DWORD bars = Korvo::UI::MdiMainFrame::GetVisibleFramelessToolBars(viewType);
    // In ribbon mode the ribbon shows no frameless bar of its own, so the library's set stands.
    return IsRibbonMode() ? bars : (bars & kClassicFramelessBars);
}

CWnd* CMainFrame::GetPaneWindow(CXTPDockingPane* pane) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (!pane || !app) return nullptr;
    // Panes are made only for windows that exist (the pane initialisation makes them first).
    return app->GetDockingPaneWindow(pane->GetID(), false);
}

namespace {
// The bar takes ownership of the control it is given.
template <class Popup>
CXTPControl* BuildPopup(CXTPCommandBars* bars) {
    auto* popup = new Popup;
    popup->Build(bars);
    return popup;
}
}  // namespace

CXTPControl* CMainFrame::CreateCustomControl(UINT id, DWORD_PTR tag, CXTPCommandBar* bar) {
    // The frame's own popups, rebuilt whenever they open.
    if (id == kMoveToMainWindowCommand) return BuildPopup<MoveToMainWindowPopup>(GetCommandBars());
    if (id == ProfilePopup::kCommand) return BuildPopup<ProfilePopup>(GetCommandBars());
    constexpr UINT kFindCommand = 799, kPseudoMenuBar = 900, kDockingPanes = 2852;
    if (id == kFindCommand) return new FindCommandButton;
    if (id == kPseudoMenuBar) {
        CXTPMenuBar* menuBar = GetMenuBar();
        auto* popup = new Korvo::UI::PseudoMenuBar(menuBar);
        if (menuBar) popup->SetCaption(menuBar->GetTitle());
        if (ApplicationServices* app = ApplicationServices::Instance()) popup->SetIconId(app->GetProductImageIndex());
        return popup;
    }
    if (id == kDockingPanes) return new Korvo::UI::DockingPanesPopup(&m_paneManager);
    // The tag is the layout element's name; without one only the id speaks.
    const CString tagName = tag ? CString(reinterpret_cast<const wchar_t*>(tag)) : CString();
    if (CXTPControl* control = CreateFramePopupControl(id, tagName, bar ? bar->GetCommandBars() : nullptr)) return control;
    if (CXTPControl* control = CreateFrameControl(id, tagName)) return control;
    if (ApplicationServices* app = ApplicationServices::Instance())
        if (const CKVUserCommand* command = app->GetUserCommands().Lookup(id))
            return command->CreateControl(tagName == L"SplitButtonPopup", bar ? bar->GetCommandBars() : GetCommandBars());
    return Korvo::UI::MdiMainFrame::CreateCustomControl(id, tag, bar);
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

CString CMainFrame::GetUIStyle() const {
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(L"MainFrame", L"UIStyle", L"") : CString();
}

// ---- System-panel forwarders ---------------------------------------------------------------------

bool CMainFrame::GetSyspanelControlState(int id, bool& checked, bool& disabled) const {
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel && panel->GetControlState(static_cast<unsigned>(id), &checked, &disabled);
}

const void* CMainFrame::TakeRibbonTwinValue(int id) const {
    if (!IsRibbonMode()) return nullptr;
    const KVRibbonBar* ribbon = GetRibbonBar();
    CXTPControl* twin = ribbon ? ribbon->FindDataControl(id) : nullptr;
    auto* exchange = dynamic_cast<IDataExchange*>(twin);
    const void* value = exchange ? exchange->GetValue() : nullptr;
    if (!value) return nullptr;
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->CopyControlValue(twin);
    return value;
}

bool CMainFrame::GetSyspanelControlIntValue(int id, int& value) const {
    TakeRibbonTwinValue(id);
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel && panel->GetControlIntValue(static_cast<unsigned>(id), &value) != nullptr;
}

namespace {
// The measure of a panel edit, or null for controls whose value is not one.
const SysPanelValue* measureOf(const CSysPanelToolbar* panel, int id) {
    if (!panel || !dynamic_cast<CSyspanelEdit*>(panel->FindRegisteredControl(id))) return nullptr;
    return static_cast<const SysPanelValue*>(panel->GetControlValue(static_cast<unsigned>(id)));
}
}  // namespace

bool CMainFrame::UnpackSyspanelDoubleVar(int id, double& value) const {
    TakeRibbonTwinValue(id);
    const SysPanelValue* measure = measureOf(GetSysPanelToolbar(), id);
    if (!measure) return false;
    CSysPanelToolbar::UnpackDoubleVar(measure, &value, nullptr);
    return true;
}

bool CMainFrame::UnpackSyspanelIntVar(int id, int& value) const {
    TakeRibbonTwinValue(id);
    const SysPanelValue* measure = measureOf(GetSysPanelToolbar(), id);
    if (!measure) return false;
    CSysPanelToolbar::UnpackIntVar(measure, &value, nullptr);
    return true;
}

int CMainFrame::GetSyspanelCurrentId() const {
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel ? panel->GetCurrentFilterSet() : -1;
}

const void* CMainFrame::GetSyspanelControlData(int id) const {
    if (const void* value = TakeRibbonTwinValue(id)) return value;
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel ? panel->GetControlValue(static_cast<unsigned>(id)) : nullptr;
}

void CMainFrame::DisableSyspanelControls() {
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->DisableSystemPanelControls();
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->DisableSyspanelControls();
}

void CMainFrame::EnableSyspanelControl(int id, bool enable) {
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->EnableControl(id, enable);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->EnableSyspanelControl(static_cast<unsigned>(id), enable);
}

void CMainFrame::FindCommandControl(CString& text, int id) const {
    text.Empty();
    if (id == -1) id = kFontComboId;
    CXTPControl* control = nullptr;
    if (IsRibbonMode()) {
        if (const KVRibbonBar* ribbon = GetRibbonBar()) control = ribbon->GetControls()->FindControl(xtpControlError, id, FALSE, TRUE);
        // The ribbon's font combo sits in a group of a tab, which the bar's own collection does
        // not reach.
        CXTPControl* font = nullptr;
        if (const KVRibbonBar* ribbon = GetRibbonBar(); ribbon && !dynamic_cast<CFontComboBox*>(control))
            ribbon->ForEachControl(
                [&](CXTPControl* each) {
                    if (!font && each->GetID() == id && dynamic_cast<CFontComboBox*>(each)) font = each;
                },
                true);
        if (font) control = font;
    } else if (const CSysPanelToolbar* panel = GetSysPanelToolbar()) {
        control = panel->GetControls()->FindControl(id);
        if (!control) control = panel->FindRegisteredControl(id);
    }
    // The font combo names its selected entry's font, whatever the item shows.
    if (const auto* font = dynamic_cast<const CFontComboBox*>(control)) {
        text = font->GetSelectedFontName();
        return;
    }
    const auto* combo = dynamic_cast<const CXTPControlComboBox*>(control);
    if (!combo) return;
    const int selection = combo->GetCurSel();
    if (selection >= 0 && selection < kFontComboTextLimit) text = combo->GetLBText(selection);
}

