// The kernel's requests for the system panel's controls: the ribbon's twins of a control take
// the same change as the panel bar, so that whichever the frame shows holds the value.
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
