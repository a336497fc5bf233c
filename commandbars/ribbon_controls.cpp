// Walks over every control of the ribbon and the setters by command id built on them.
#include <cstdint>

#include "commandbars/kv_ribbon_bar.h"
#include "services/system_panel.h"

namespace {

bool isSystemPanelId(int id) { return id >= 904 && id <= 999 && id != 912; }

// Raises the ribbon's redraw lock for a scope and redraws once at its end.
class RedrawLock {
public:
    explicit RedrawLock(CXTPCommandBar& bar) : bar_(bar) { bar_.LockRedraw(); }
    ~RedrawLock() { Korvo::UI::UnlockRedraw(&bar_); }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

private:
    CXTPCommandBar& bar_;
};

}  // namespace

void KVRibbonBar::walk(CXTPControls* controls, const ControlChainFunction& function, bool deep,
                       std::vector<CXTPControl*>& parents) const {
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        function(control, parents);
        CXTPCommandBar* bar = control->GetCommandBar();
        if (!deep || !bar) continue;
        parents.push_back(control);
        walk(bar->GetControls(), function, deep, parents);
        parents.pop_back();
    }
}

void KVRibbonBar::ForEachControl(const ControlChainFunction& function, bool deep) const {
    if (!function) return;
    std::vector<CXTPControl*> parents;
    for (int t = 0; t < GetTabCount(); ++t)
        for (int g = 0; g < GetTab(t)->GetGroupCount(); ++g) walk(GetTab(t)->GetGroup(g)->GetControls(), function, deep, parents);
    if (CXTPRibbonControlTab* tabRow = GetControlTab(); tabRow && tabRow->GetCommandBar())
        walk(tabRow->GetCommandBar()->GetControls(), function, deep, parents);
}

void KVRibbonBar::ForEachControl(const ControlFunction& function, bool deep) const {
    if (!function) return;
    ForEachControl([&function](CXTPControl* control, const std::vector<CXTPControl*>&) { function(control); }, deep);
}

void KVRibbonBar::ForEachGroup(const std::function<void(CXTPRibbonGroup*)>& function) const {
    if (!function) return;
    for (int t = 0; t < GetTabCount(); ++t)
        for (int g = 0; g < GetTab(t)->GetGroupCount(); ++g) function(GetTab(t)->GetGroup(g));
}

void KVRibbonBar::forEachControlWithId(int id, const std::function<void(CXTPControl*)>& function) {
    ForEachControl(
        [&](CXTPControl* control) {
            if (control->GetID() == id) function(control);
        },
        true);
}

void KVRibbonBar::EnableControl(int id, bool enable) {
    RedrawLock lock(*this);
    forEachControlWithId(id, [enable](CXTPControl* control) {
        control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
        control->SetEnabled(enable);
    });
}

void KVRibbonBar::SetControlState(int id, bool checked, bool disabled) {
    RedrawLock lock(*this);
    forEachControlWithId(id, [checked, disabled](CXTPControl* control) {
        control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
        control->SetChecked(checked);
        control->SetEnabled(!disabled);
    });
}

void KVRibbonBar::SetControlValue(KVDocument* document, int id, const void* value) {
    RedrawLock lock(*this);
    forEachControlWithId(id, [document, value](CXTPControl* control) {
        auto* exchange = dynamic_cast<IDataExchange*>(control);
        if (!exchange) return;
        exchange->SetValue(document, value);
        control->SetEnabled(TRUE);
    });
}

bool KVRibbonBar::SetControlValue(KVDocument* document, int id, unsigned value) {
    return SetControlValue(document, id, KernelPanelValue::Word(static_cast<std::int32_t>(value)));
}

bool KVRibbonBar::SetControlValue(KVDocument* document, int id, double value, int variable) {
    return SetControlValue(document, id, KernelPanelValue::Measure(value, variable));
}

bool KVRibbonBar::SetControlValue(KVDocument* document, int id, int value, int variable) {
    return SetControlValue(document, id, static_cast<double>(value), variable);
}

bool KVRibbonBar::TakesControlValue(int id, const KernelPanelValue& value) const {
    bool takes = true;
    ForEachControl(
        [&](CXTPControl* control) {
            if (takes && control->GetID() == id) takes = value.CheckFor(*control);
        },
        true);
    return takes;
}

bool KVRibbonBar::SetControlValue(KVDocument* document, int id, const KernelPanelValue& value) {
    if (!TakesControlValue(id, value)) return false;
    RedrawLock lock(*this);
    bool stored = false;
    forEachControlWithId(id, [&](CXTPControl* control) {
        const KernelPanelValue::Stored result = value.StoreIn(*control, document);
        if (result == KernelPanelValue::Stored::NoValue) return;
        control->SetEnabled(TRUE);
        if (result == KernelPanelValue::Stored::Kept) stored = true;
    });
    return stored;
}

CXTPControl* KVRibbonBar::FindDataControl(int id) const {
    CXTPControl* found = nullptr;
    if (CXTPRibbonTab* tab = GetCurrentTab())
        for (int g = 0; g < tab->GetGroupCount() && !found; ++g)
            if (tab->GetGroup(g)->IsVisible()) found = tab->GetGroup(g)->FindControl(id);
    if (!found) found = GetControls()->FindControl(id);
    return found;
}

const void* KVRibbonBar::GetControlData(int id) const {
    auto* exchange = dynamic_cast<IDataExchange*>(FindDataControl(id));
    return exchange ? exchange->GetValue() : nullptr;
}

void KVRibbonBar::PopulateControlData(const CXTPControl* source) {
    auto* from = dynamic_cast<IDataExchange*>(const_cast<CXTPControl*>(source));
    if (!from) return;
    forEachControlWithId(source->GetID(), [&](CXTPControl* control) {
        if (control == source) return;
        if (auto* to = dynamic_cast<IDataExchange*>(control)) to->CopyFrom(from);
    });
}

void KVRibbonBar::DisableSystemPanelControls() {
    RedrawLock lock(*this);
    ForEachControl(
        [](CXTPControl* control) {
            if (!isSystemPanelId(control->GetID())) return;
            if (auto* exchange = dynamic_cast<IDataExchange*>(control)) exchange->Reset();
            control->SetEnabled(FALSE);
        },
        true);
}
