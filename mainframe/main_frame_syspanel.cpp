// The kernel's requests for the system panel's controls: the ribbon's twins of a control take
// the same change as the panel bar, so that whichever the frame shows holds the value.
#include <boost/scope_exit.hpp>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "syspanel/data_exchange.h"
#include "syspanel/sys_panel_toolbar.h"
#include "syspanel/syspanel_edit.h"

namespace {
// An edit keeps a measure record, never a bare word: a whole number for it is a plain measure.
bool IsEditControl(const CXTPControl* control) { return dynamic_cast<const CSyspanelEdit*>(control) != nullptr; }
}  // namespace

void CMainFrame::set_syspanel_int(KVDocument* document, unsigned id, int value) {
    const KVRibbonBar* ribbon = GetRibbonBar();
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    if ((ribbon && IsEditControl(ribbon->GetControls()->FindControl(xtpControlError, static_cast<int>(id), FALSE, TRUE))) ||
        (panel && IsEditControl(panel->FindRegisteredControl(static_cast<int>(id))))) {
        set_syspanel_doublevar(document, id, static_cast<double>(value), -1);
        return;
    }
    const std::int32_t word = value;
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->SetControlValue(document, static_cast<int>(id), static_cast<const void*>(&word));
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->set_syspanel_int(document, id, value);
}

void CMainFrame::set_syspanel_intvar(KVDocument* document, unsigned id, int value, short variable) {
    set_syspanel_doublevar(document, id, static_cast<double>(value), variable);
}

void CMainFrame::set_syspanel_doublevar(KVDocument* document, unsigned id, double value, short variable) {
    // The ribbon's edits share the panel's value record.
    const SysPanelValue record{value, variable, CString()};
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->SetControlValue(document, static_cast<int>(id), static_cast<const void*>(&record));
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->set_syspanel_doublevar(document, id, value, variable);
}

void CMainFrame::set_syspanel_cstr(KVDocument* document, unsigned id, const CString& text) {
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->SetControlValue(document, static_cast<int>(id), static_cast<const void*>(&text));
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->set_syspanel_cstr(document, id, text);
}

void CMainFrame::set_syspanel_font(KVDocument* document, unsigned id, const CString& name, int kind) {
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->SetControlValue(document, static_cast<int>(id), static_cast<const void*>(&name));
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->set_syspanel_font(document, id, name, kind);
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
