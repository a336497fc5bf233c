// The kernel's requests for the system panel's controls: the ribbon's twins of a control take
// the same change as the panel bar, so that whichever the frame shows holds the value.
#include <boost/scope_exit.hpp>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "syspanel/choosers/frame_values.h"
#include "syspanel/data_exchange.h"
#include "syspanel/sys_panel_toolbar.h"
#include "syspanel/syspanel_edit.h"

namespace {

// Both bars' controls of an id are of one kind, and a value that one of them refuses changes
// neither.
bool SetKernelPanelValue(KVRibbonBar* ribbon, CSysPanelToolbar* panel, KVDocument* document, unsigned id,
                         const KernelPanelValue& value) {
    if (ribbon && !ribbon->TakesControlValue(static_cast<int>(id), value)) return false;
    if (panel && panel->FindRegisteredControl(static_cast<int>(id)) && !panel->TakesKernelValue(id, value)) return false;
    bool stored = ribbon && ribbon->SetControlValue(document, static_cast<int>(id), value);
    if (panel && panel->SetKernelValue(document, id, value)) stored = true;
    return stored;
}

// A choice in one of the panel's choosers reaches the twins through the frame that shows it.
const bool kSettersInstalled = [] {
    SetSyspanelSetters(
        [](Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, int value) {
            auto* main = dynamic_cast<CMainFrame*>(frame);
            return main && main->set_syspanel_int(document, id, value);
        },
        [](Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, const CString& text) {
            auto* main = dynamic_cast<CMainFrame*>(frame);
            return main && main->set_syspanel_cstr(document, id, text);
        });
    return true;
}();

}  // namespace

bool CMainFrame::set_syspanel_int(KVDocument* document, unsigned id, int value) {
    return SetKernelPanelValue(GetRibbonBar(), GetSysPanelToolbar(), document, id, KernelPanelValue::Word(value));
}

bool CMainFrame::set_syspanel_intvar(KVDocument* document, unsigned id, int value, short variable) {
    return SetKernelPanelValue(GetRibbonBar(), GetSysPanelToolbar(), document, id,
                               KernelPanelValue::Measure(static_cast<double>(value), variable));
}

bool CMainFrame::set_syspanel_doublevar(KVDocument* document, unsigned id, double value, short variable) {
    return SetKernelPanelValue(GetRibbonBar(), GetSysPanelToolbar(), document, id, KernelPanelValue::Measure(value, variable));
}

bool CMainFrame::set_syspanel_cstr(KVDocument* document, unsigned id, const CString& text) {
    return SetKernelPanelValue(GetRibbonBar(), GetSysPanelToolbar(), document, id, KernelPanelValue::Text(text));
}

bool CMainFrame::set_syspanel_font(KVDocument* document, unsigned id, const CString& name, int) {
    return SetKernelPanelValue(GetRibbonBar(), GetSysPanelToolbar(), document, id, KernelPanelValue::FontName(name));
}

void CMainFrame::SetSyspanelButtonStatus(unsigned id, bool checked, bool disabled) {
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->SetControlState(static_cast<int>(id), checked, disabled);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->SetSyspanelButtonStatus(id, checked, disabled);
}

bool CMainFrame::SetSyspanelControls(const stlControlsIDs& controls) {
    CSysPanelToolbar* panel = GetSysPanelToolbar();
    return panel && panel->SetSyspanelControls(controls);
}

void CMainFrame::SyspanelStatusChanged() {
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->SyspanelStatusChanged();
}

LRESULT CMainFrame::OnControlExecuted(WPARAM code, LPARAM lParam) {
    const auto* notify = reinterpret_cast<const NMXTPCONTROL*>(lParam);
    if (code != CBN_XTP_EXECUTE || !notify || !notify->pControl) return 0;
    CXTPControl* control = notify->pControl;
    if (ExecuteControlParameter(control)) return TRUE;
    // Copying may execute a twin; the first execution alone hands its value on.
    if (m_copyingControlValue || !dynamic_cast<IDataExchange*>(control)) return 0;
    m_copyingControlValue = true;
    BOOST_SCOPE_EXIT_ALL(this) { m_copyingControlValue = false; };
    // Whichever bar the user entered the value in, the other one holds it too, so the running
    // command reads the same value through any of the panel's getters.
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->PopulateControlData(control);
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->CopyControlValue(control);
    // Not handled: the control's command goes on to the command route.
    return 0;
}
