// The system panel's selection filter: switching between the filter sets, the looks of their
// buttons, and the selection area (G1, lazy geometry, selection mode, geometric types, 1870,
// 1871) that stands before the filter buttons while any is on the bar.
#include <cstdint>
#include <limits>

#include "platform/diagnostics.h"
#include "platform/textcore.h"
#include "syspanel/filter_sets.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr int kSelectionStartId = 1870;
constexpr int kSelectionEndId = 1871;
constexpr int kSmallIcon = 16;

bool isFilterButton(const CXTPControl& control) { return Korvo::UI::IsFilterButtonId(control.GetID()); }

// The commands of a selection that the panel hides with the filter buttons.
bool isSelectionCommand(int id) { return id == 2791 || id == 2792 || id == 2798 || id == 2824; }

}  // namespace

bool CSysPanelToolbar::SwitchSelectionFilterSet(int set) {
    if (set == m_currentFilterSet) return true;
    const FilterSets::Record* record = FilterSets::Find(set);
    if (!record) return false;
    const auto members = FilterSets::MembersOf(*record);
    const std::vector<UINT> ids(members.begin(), members.end());
    if (!SetButtons(ids.data(), static_cast<int>(ids.size()))) return false;
    m_currentFilterSet = set;
    ApplyFilterSetButtons();
    SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
    KVLog_WriteF(2, L"Switched system panel to selection filter set #%d", set);
    return true;
}

void CSysPanelToolbar::ApplyFilterSetButtons() {
    LockLayout();
    for (const auto& [command, icon] : FilterSets::FixedCommandIcons()) SetCommandIcon(command, icon);
    for (const FilterSets::ButtonLook& look : FilterSets::LooksOf(m_currentFilterSet)) {
        const auto id = static_cast<unsigned>(look.id);
        if (look.key) SetFilterButtonText(id, look.icon, Korvo::I18n::Translate(look.key));
        else SetFilterButton(id, static_cast<unsigned>(look.icon), look.tooltip);
    }
    UnlockLayout();
}

void CSysPanelToolbar::SetFilterButton(unsigned id, unsigned icon, unsigned tooltipStringId) {
    const CString tooltip = KVLoadString(tooltipStringId);
    SetFilterButtonText(id, static_cast<int>(icon), tooltip);
}

void CSysPanelToolbar::SetFilterButtonText(unsigned id, int icon, LPCWSTR tooltip) {
    CXTPControls* controls = GetControls();
    const bool remove = icon == 0 || tooltip == nullptr;
    if (CXTPControl* control = controls->FindControl(static_cast<int>(id))) {
        if (remove) {
            controls->Remove(control);
            return;
        }
        if (control->GetIconId() != icon) {
            control->SetIconId(icon);
            if (GetSafeHwnd()) Invalidate();
        }
        control->SetTooltip(tooltip);
        control->SetVisible(TRUE);
        return;
    }
    if (remove || !Korvo::UI::IsFilterButtonId(static_cast<int>(id))) return;
    CXTPControl* control = FindRegisteredControl(static_cast<int>(id));
    int place = -1;
    if (control) {
        control->InternalAddRef();
        place = FindFilterButtonPlace(control);
    } else {
        control = new Korvo::UI::SelectionFilterButton(static_cast<int>(id), false);
        // A button of a command's own stands before the command's controls.
        for (int index = 0; index < controls->GetCount() && place < 0; ++index)
            if (BeginsCommandGroup(*controls->GetAt(index))) place = index;
    }
    if (control->GetControls()) {
        control->InternalRelease();  // it stands on another bar: only its look changes
    } else {
        controls->Add(control, static_cast<int>(id), nullptr, place);
    }
    control->SetIconId(icon);
    control->SetTooltip(tooltip);
}

int CSysPanelToolbar::FindFilterButtonPlace(const CXTPControl* button) const {
    const CXTPControls* controls = GetControls();
    long long best = std::numeric_limits<std::int32_t>::max();
    int place = -1;
    for (int index = 0; index < controls->GetCount(); ++index) {
        const CXTPControl* control = controls->GetAt(index);
        if (isFilterButton(*control)) {
            const auto distance = static_cast<std::int32_t>(static_cast<std::uint32_t>(control->GetTag()) -
                                                            static_cast<std::uint32_t>(button->GetTag()));
            const long long magnitude = distance < 0 ? -static_cast<long long>(distance) : distance;
            if (magnitude < best) {
                best = magnitude;
                place = distance >= 0 ? index : index + 1;
            }
            continue;
        }
        if (BeginsCommandGroup(*control)) return index;
    }
    return place;
}

void CSysPanelToolbar::HideFilterButtons() {
    LockRedraw();
    for (auto* button : m_geometricTypeButtons)
        if (button) button->SetVisible(FALSE);
    CXTPControls* controls = GetControls();
    for (int index = 0; index < controls->GetCount(); ++index) {
        CXTPControl* control = controls->GetAt(index);
        if (!isFilterButton(*control) && !isSelectionCommand(control->GetID())) continue;
        control->SetVisible(FALSE);
        if (auto* button = dynamic_cast<Korvo::UI::SelectionFilterButton*>(control)) button->ResetIconAndToolTip();
    }
    Korvo::UI::UnlockRedraw(this);
}

void CSysPanelToolbar::ShowRegisteredControl(unsigned id, bool show) {
    CXTPControl* control = FindRegisteredControl(static_cast<int>(id));
    if (!control) return;
    control->SetVisible(show ? TRUE : FALSE);
    if (show && !control->GetControls()) {
        const int place = FindFilterButtonPlace(control);
        insertShared(control, place);
    }
}

void CSysPanelToolbar::SetCommandIcon(unsigned commandId, unsigned iconId) {
    CXTPCommandBars* bars = GetCommandBars();
    CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr;
    if (!images || images->Lookup(commandId, kSmallIcon)) return;
    images->SetIcon(commandId, kSmallIcon, iconId);
}

CString CSysPanelToolbar::LoadSysPanelTooltip(unsigned id) { return KVLoadString(id + 10000); }

void CSysPanelToolbar::SetGeometricTypeState(int geometricType, const TGeomClass* state, bool flag) {
    std::size_t which = 0;
    while (which < m_geometricTypeButtons.size() &&
           (!m_geometricTypeButtons[which] || m_geometricTypeButtons[which]->GetGeometricType() != geometricType))
        ++which;
    if (which == m_geometricTypeButtons.size()) return;
    Korvo::UI::GeometricTypePopupButton* button = m_geometricTypeButtons[which];
    button->SetState(state, flag);
    // Inside a batch the selection area is laid out once at its end.
    if (m_layoutLocks > 0 || !button->IsVisible()) return;
    button->SetEnabled(TRUE);
    if (button->GetControls()) return;
    insertShared(button, geometricTypePlace(which));
}

int CSysPanelToolbar::geometricTypePlace(std::size_t which) const {
    const CXTPControls* controls = GetControls();
    for (std::size_t later = which + 1; later < m_geometricTypeButtons.size(); ++later) {
        const int index = controls->IndexOf(m_geometricTypeButtons[later]);
        if (index >= 0) return index;
    }
    for (std::size_t earlier = which; earlier-- > 0;) {
        const int index = controls->IndexOf(m_geometricTypeButtons[earlier]);
        if (index >= 0) return index + 1;
    }
    for (int index = 0; index < controls->GetCount(); ++index) {
        const int id = controls->GetAt(index)->GetID();
        if (id == kSelectionStartId || id == kSelectionEndId || Korvo::UI::IsFilterButtonId(id)) return index;
    }
    return -1;
}

void CSysPanelToolbar::ShowSelectionModeButtons(bool show) {
    if (m_g1Button) m_g1Button->SetVisible(TRUE);
    if (m_lazyGeometryButton) m_lazyGeometryButton->SetVisible(show ? TRUE : FALSE);
    if (m_selectionModePopup) m_selectionModePopup->SetVisible(show ? TRUE : FALSE);
}

void CSysPanelToolbar::insertShared(CXTPControl* control, int index) {
    control->InternalAddRef();
    GetControls()->Add(control, control->GetID(), nullptr, index);
}

void CSysPanelToolbar::layOutSelectionArea() {
    CXTPControls* controls = GetControls();
    CXTPControl* firstFilter = nullptr;
    for (int index = 0; index < controls->GetCount(); ++index) {
        CXTPControl* control = controls->GetAt(index);
        if (!isFilterButton(*control)) continue;
        control->SetBeginGroup(firstFilter ? FALSE : TRUE);
        if (!firstFilter) firstFilter = control;
    }
    if (!firstFilter) {
        removeSelectionArea();
        return;
    }
    // The area's own buttons go before 1870 when it stands there already, so that the area
    // keeps its order whatever of it was left on the bar.
    CXTPControl* start = controls->FindControl(kSelectionStartId);
    CXTPControl* end = controls->FindControl(kSelectionEndId);
    CXTPControl* anchor = start ? start : (end ? end : firstFilter);
    CXTPControl* const areaButtons[] = {m_g1Button, m_lazyGeometryButton, m_selectionModePopup};
    for (CXTPControl* button : areaButtons)
        if (button && !button->GetControls()) insertShared(button, controls->IndexOf(anchor));
    if (!start) {
        const int afterMode = m_selectionModePopup && m_selectionModePopup->GetControls() == controls
                                  ? controls->IndexOf(m_selectionModePopup) + 1
                                  : controls->IndexOf(anchor);
        start = controls->Add(xtpControlButton, kSelectionStartId, nullptr, afterMode);
    }
    start->SetBeginGroup(TRUE);
    start->SetEnabled(TRUE);
    start->SetFlags(start->GetFlags() | xtpFlagManualUpdate);
    if (!end) end = controls->Add(xtpControlButton, kSelectionEndId, nullptr, controls->IndexOf(start) + 1);
    end->SetEnabled(TRUE);
    end->SetFlags(end->GetFlags() | xtpFlagManualUpdate);
    for (Korvo::UI::GeometricTypePopupButton* button : m_geometricTypeButtons) {
        if (!button || !button->IsVisible()) continue;
        button->SetEnabled(TRUE);
        button->UpdateIconId();
        if (!button->GetControls()) insertShared(button, controls->IndexOf(start));
    }
}

void CSysPanelToolbar::removeSelectionArea() {
    CXTPControls* controls = GetControls();
    CXTPControl* const areaButtons[] = {m_g1Button, m_lazyGeometryButton, m_selectionModePopup};
    for (CXTPControl* button : areaButtons)
        if (button && button->GetControls() == controls) controls->Remove(button);
    for (const int id : {kSelectionStartId, kSelectionEndId})
        if (CXTPControl* control = controls->FindControl(id)) controls->Remove(control);
}
