#include "syspanel/sys_panel_toolbar.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/kernel.h"
#include "syspanel/panel_parameters.h"
#include "syspanel/parameter_controls.h"

namespace {

constexpr int kIconStylePopupId = 1869;

// The bits of a tag word that hold a group marker. The markers share bits (0x201 | 0x202 is
// 0x203), so a marker is told by all of them, never by its own bits alone.
constexpr DWORD_PTR kMarkerBits = 0x207;

bool isFilterButtonId(unsigned id) { return Korvo::UI::IsFilterButtonId(static_cast<int>(id)); }

IDataExchange* exchangeOf(CXTPControl* control) { return dynamic_cast<IDataExchange*>(control); }

int clampedToInt(double value) {
    if (std::isnan(value)) return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(truncated);
}

}  // namespace

void ResetRemovedFilterButton(CXTPControl* control) {
    auto* button = dynamic_cast<Korvo::UI::SelectionFilterButton*>(control);
    if (!button) return;
    button->ResetIconAndToolTip();
    button->SetVisible(TRUE);
}

void CSysPanelControls::OnControlAdded(CXTPControl* control) {
    CXTPControls::OnControlAdded(control);
    if (auto* edit = dynamic_cast<CSyspanelEdit*>(control)) edit->ShowEditWindow(TRUE);
    if (dynamic_cast<CFontComboBox*>(control)) showFontCombo(*control, true);
}

void CSysPanelControls::OnControlRemoved(CXTPControl* control) {
    CXTPControls::OnControlRemoved(control);
    if (auto* edit = dynamic_cast<CSyspanelEdit*>(control)) edit->ShowEditWindow(FALSE);
    if (dynamic_cast<CFontComboBox*>(control)) showFontCombo(*control, false);
    ResetRemovedFilterButton(control);
}

// A combo added to the bar fills its list, unless the font folder is the one it was filled for.
void CSysPanelControls::showFontCombo(CXTPControl& control, bool shown) {
    if (auto* combo = dynamic_cast<CFontComboBox*>(&control); combo && shown) combo->RefreshFontList();
}


using Korvo::UI::FixableToolBar;
IMPLEMENT_DYNCREATE(CSysPanelToolbar, FixableToolBar)

CSysPanelToolbar::CSysPanelToolbar() {
    SetControls(new CSysPanelControls());
    SetButtonSize({XTPDpiHelper()->ScaleX(kButtonSize), XTPDpiHelper()->ScaleY(kButtonSize)});
}

CSysPanelToolbar::~CSysPanelToolbar() {
    auto release = [](CXTPControl* control) {
        if (control) control->InternalRelease();
    };
    release(m_g1Button);
    release(m_lazyGeometryButton);
    release(m_selectionModePopup);
    for (auto* button : m_geometricTypeButtons) release(button);
    for (auto& entry : m_registry) release(entry.second);
}

CXTPCommandBar* CSysPanelToolbar::Clone(BOOL recursive) {
    auto* copy = new CSysPanelToolbar();
    copy->Copy(this, recursive);
    return copy;
}

// Registry

void CSysPanelToolbar::RegisterSyspanelControls() {
    if (!m_registry.empty()) return;
    CXTPCommandBars* bars = GetCommandBars();
    makeSelectionButtons(bars);
    registerNew(910, new CStaticImageControl(218));
    registerNew(908, new CStaticImageControl(43173));
    registerNew(906, new CStaticImageControl(42977));
    registerNew(911, new CLayerPopupControl());
    registerNew(912, new LCSPopupControl());
    registerNew(907, new CSyspanelEdit("Level", 2, -1.0));
    registerNew(909, new CSyspanelEdit("Priority", 2, -1.0));
    registerNew(904, new CColorPopupControl());
    registerNew(914, new CFontComboBox());
    registerNew(915, new CSyspanelEdit("FontSize", 9, -1.0));
    registerNew(918, new CMaterialPopup(false));
    registerNew(905, new CMaterialPopup(true));
    registerBuiltinFilterButtons();
}

void CSysPanelToolbar::makeSelectionButtons(CXTPCommandBars* bars) {
    m_g1Button = new Korvo::UI::G1SelectionButton();
    m_lazyGeometryButton = new Korvo::UI::LazyGeometrySelectionButton();
    m_selectionModePopup = new Korvo::UI::SelectionModePopup(bars);
    const auto& types = Korvo::UI::GetGeometricTypes();
    for (std::size_t i = 0; i < types.size(); ++i) {
        m_geometricTypeButtons[i] = new Korvo::UI::GeometricTypePopupButton(types[i], bars);
        m_geometricTypeButtons[i]->SetBeginGroup(i == 0 ? TRUE : FALSE);
    }
}

void CSysPanelToolbar::registerBuiltinFilterButtons() {
    CXTPCommandBars* bars = GetCommandBars();
    CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr;
    DWORD_PTR ordinal = 0;
    Korvo::UI::ForEachBuiltinFilterButton(
        [&](int id, GRTypes type, unsigned icon, const CString& tooltip, bool builtIn) {
            auto* button = new Korvo::UI::SelectionFilterButton(id, builtIn);
            if (icon != 0) Korvo::UI::SelectionFilterToolBar::LoadIconW(images, icon, type);
            button->SetIconId(static_cast<int>(icon));
            button->SetTooltip(tooltip);
            button->SaveDefaultIconAndToolTip();
            // The ordinal keeps the built-in buttons in their own order wherever they are shown.
            button->SetTag(ordinal++);
            registerNew(id, button);
        });
}

void CSysPanelToolbar::registerNew(int id, CXTPControl* control) {
    RegisterControl(id, control, -1);
    control->InternalRelease();
}

void CSysPanelToolbar::RegisterControl(int id, CXTPControl* control, int style) {
    if (!control) return;
    control->SetID(id);
    control->SetFlags(xtpFlagManualUpdate);
    if (style != -1 && style != control->GetStyle()) control->SetStyle(static_cast<XTPButtonStyle>(style));
    if (IDataExchange* exchange = exchangeOf(control)) exchange->Initialize();
    const auto it = std::lower_bound(m_registry.begin(), m_registry.end(), id,
                                     [](const auto& entry, int key) { return entry.first < key; });
    if (it == m_registry.end() || it->first != id) {
        control->InternalAddRef();
        m_registry.insert(it, {id, control});
    }
    fitButtonSizeTo(control);
}

void CSysPanelToolbar::fitButtonSizeTo(CXTPControl* control) {
    // The toolkit measures a control on a bar only; one that stands on none borrows this one.
    CXTPControls* controls = GetControls();
    const bool borrowed = control->GetControls() == nullptr;
    if (borrowed) {
        control->InternalAddRef();
        controls->Add(control, control->GetID());
    }
    const HWND window = GetSafeHwnd();
    CDC dc;
    dc.Attach(::GetDC(window));
    const SIZE size = control->GetSize(&dc);
    ::ReleaseDC(window, dc.Detach());
    if (borrowed) controls->Remove(control);

    SIZE buttons = GetButtonSize();
    if (size.cy <= buttons.cy) return;
    buttons.cy = size.cy;
    // Square buttons: at unequal resolutions the same length in 96-dpi units on both axes.
    CXTPDpi* dpi = XTPDpiHelper();
    buttons.cx = dpi->GetDPIX() == dpi->GetDPIY() ? size.cy : dpi->ScaleX(dpi->UnscaleY(size.cy));
    SetButtonSize(buttons);
}

CXTPControl* CSysPanelToolbar::FindRegisteredControl(int id) const {
    const auto it = std::lower_bound(m_registry.begin(), m_registry.end(), id,
                                     [](const auto& entry, int key) { return entry.first < key; });
    return it != m_registry.end() && it->first == id ? it->second : nullptr;
}

bool CSysPanelToolbar::CreateControlForId(XTP_COMMANDBARS_CREATECONTROL* request) {
    if (!request) return false;
    if (request->nID == kIconStylePopupId) {
        request->controlType = xtpControlButtonPopup;
        request->buttonStyle = xtpButtonIcon;
        return true;
    }
    if (CXTPControl* registered = FindRegisteredControl(static_cast<int>(request->nID))) {
        registered->InternalAddRef();
        request->pControl = registered;
        return true;
    }
    if (isFilterButtonId(request->nID)) {
        request->pControl = new Korvo::UI::SelectionFilterButton(static_cast<int>(request->nID), false);
        return true;
    }
    return false;
}

IDataExchange* CSysPanelToolbar::registeredExchange(unsigned id) const {
    return exchangeOf(FindRegisteredControl(static_cast<int>(id)));
}

// Command-control groups

bool CSysPanelToolbar::BeginsCommandGroup(const CXTPControl& control) {
    const DWORD_PTR marker = control.GetTag() & kMarkerBits;
    return marker == kGroupFirst[0] || marker == kGroupFirst[1];
}

int CSysPanelToolbar::FindGroupMarker(DWORD_PTR marker, int from) const {
    const CXTPControls* controls = GetControls();
    for (int index = std::max(from, 0); index < controls->GetCount(); ++index) {
        if ((controls->GetAt(index)->GetTag() & kMarkerBits) == marker) return index;
    }
    return -1;
}

void CSysPanelToolbar::InsertCommandControl(CXTPControl* control, int group) {
    if (!control || group < 1 || group > 2) return;
    const DWORD_PTR first = kGroupFirst[group - 1];
    const DWORD_PTR last = kGroupLast[group - 1];
    CXTPControls* controls = GetControls();
    const int firstIndex = FindGroupMarker(first, 0);
    if (firstIndex < 0) {
        control->SetTag(control->GetTag() | first);
        controls->Add(control, control->GetID());
        return;
    }
    control->SetTag(control->GetTag() | last);
    // A group of one gets its second control right behind the first, so that the group stays
    // together even when other controls follow it on the bar.
    int lastIndex = FindGroupMarker(last, firstIndex);
    if (lastIndex < 0) {
        lastIndex = firstIndex;
    } else {
        CXTPControl* previousLast = controls->GetAt(lastIndex);
        previousLast->SetTag(previousLast->GetTag() & ~last);
    }
    controls->Add(control, control->GetID(), nullptr, lastIndex + 1);
}

void CSysPanelToolbar::removeGroup(int group) {
    const int firstIndex = FindGroupMarker(kGroupFirst[group - 1], 0);
    if (firstIndex < 0) return;
    const int lastIndex = FindGroupMarker(kGroupLast[group - 1], firstIndex);
    CXTPControls* controls = GetControls();
    std::vector<CXTPControl*> members;
    const int end = std::max(firstIndex, lastIndex);
    for (int index = firstIndex; index <= end; ++index) members.push_back(controls->GetAt(index));
    for (CXTPControl* member : members) controls->Remove(member);
}

// Layout lock

unsigned CSysPanelToolbar::LockLayout() {
    if (m_layoutLocks++ == 0) LockRedraw();
    return m_layoutLocks;
}

void CSysPanelToolbar::UnlockLayout() {
    if (m_layoutLocks == 0) return;
    if (--m_layoutLocks != 0) return;
    layOutSelectionArea();
    Korvo::UI::UnlockRedraw(this);
}

// Kernel requests

void CSysPanelToolbar::enable(CXTPControl* control) { control->SetEnabled(TRUE); }

bool CSysPanelToolbar::TakesKernelValue(unsigned id, const KernelPanelValue& value) const {
    CXTPControl* control = FindRegisteredControl(static_cast<int>(id));
    if (!control) return false;
    // The font request is for the font combo only: another control is not even enabled.
    if (value.GetKind() == PanelValueKind::FontName && !exchangeOf(control)) return false;
    return value.CheckFor(*control);
}

bool CSysPanelToolbar::SetKernelValue(KVDocument* document, unsigned id, const KernelPanelValue& value) {
    if (!TakesKernelValue(id, value)) return false;
    CXTPControl* control = FindRegisteredControl(static_cast<int>(id));
    const KernelPanelValue::Stored stored = value.StoreIn(*control, document);
    // The kernel's request enables the control whatever it kept; the answer says whether the
    // value is there: none is for a document the frame does not show.
    enable(control);
    return stored != KernelPanelValue::Stored::OtherDocument;
}

bool CSysPanelToolbar::set_syspanel_int(KVDocument* document, unsigned id, int value) {
    return SetKernelValue(document, id, KernelPanelValue::Word(value));
}

bool CSysPanelToolbar::set_syspanel_intvar(KVDocument* document, unsigned id, int value, short variable) {
    return SetKernelValue(document, id, KernelPanelValue::Measure(static_cast<double>(value), variable));
}

bool CSysPanelToolbar::set_syspanel_doublevar(KVDocument* document, unsigned id, double value, short variable) {
    return SetKernelValue(document, id, KernelPanelValue::Measure(value, variable));
}

bool CSysPanelToolbar::set_syspanel_cstr(KVDocument* document, unsigned id, const CString& text) {
    return SetKernelValue(document, id, KernelPanelValue::Text(text));
}

bool CSysPanelToolbar::set_syspanel_font(KVDocument* document, unsigned id, const CString& name, int) {
    return SetKernelValue(document, id, KernelPanelValue::FontName(name));
}

void CSysPanelToolbar::EnableSyspanelControl(unsigned id, bool enable) {
    CXTPControl* control = GetControls()->FindControl(static_cast<int>(id));
    if (!control) return;
    control->SetFlags(xtpFlagManualUpdate);
    control->SetEnabled(enable ? TRUE : FALSE);
}

void CSysPanelToolbar::SetSyspanelButtonStatus(unsigned id, bool checked, bool disabled) {
    CXTPControl* control = GetControls()->FindControl(static_cast<int>(id));
    if (!control) return;
    control->SetFlags(xtpFlagManualUpdate);
    control->SetEnabled(disabled ? FALSE : TRUE);
    control->SetChecked(checked ? TRUE : FALSE);
}

void CSysPanelToolbar::DisableSyspanelControls() {
    LockRedraw();
    CXTPControls* controls = GetControls();
    for (int index = 0; index < controls->GetCount(); ++index) {
        CXTPControl* control = controls->GetAt(index);
        if (IDataExchange* exchange = exchangeOf(control)) exchange->Reset();
        control->SetEnabled(FALSE);
    }
    Korvo::UI::UnlockRedraw(this);
}

bool CSysPanelToolbar::GetControlState(unsigned id, bool* checked, bool* disabled) const {
    const CXTPControl* control = GetControls()->FindControl(static_cast<int>(id));
    if (!control) return false;
    if (checked) *checked = control->GetChecked() == 1;
    if (disabled) *disabled = !control->GetEnabled();
    return true;
}

const void* CSysPanelToolbar::GetControlValue(unsigned id) const {
    IDataExchange* exchange = registeredExchange(id);
    return exchange ? exchange->GetValue() : nullptr;
}

const void* CSysPanelToolbar::GetControlIntValue(unsigned id, int* out) const {
    CXTPControl* control = FindRegisteredControl(static_cast<int>(id));
    IDataExchange* exchange = exchangeOf(control);
    if (!exchange) return nullptr;
    const void* value = exchange->GetValue();
    if (!value) return nullptr;
    // Only values that are a number can be read as one.
    if (dynamic_cast<CSyspanelEdit*>(control)) {
        if (out) *out = clampedToInt(static_cast<const SysPanelValue*>(value)->value);
        return value;
    }
    const bool int32Value = dynamic_cast<CColorPopupControl*>(control) || dynamic_cast<CLayerPopupControl*>(control) ||
                            dynamic_cast<LCSPopupControl*>(control) || dynamic_cast<OptixQualityPopup*>(control);
    if (!int32Value) return nullptr;
    if (out) *out = *static_cast<const std::int32_t*>(value);
    return value;
}

void CSysPanelToolbar::UnpackDoubleVar(const SysPanelValue* value, double* number, int* variable) {
    if (!value) return;
    if (number) *number = value->value;
    if (variable) *variable = value->variable;
}

void CSysPanelToolbar::UnpackIntVar(const SysPanelValue* value, int* number, int* variable) {
    if (!value) return;
    if (number) *number = clampedToInt(value->value);
    if (variable) *variable = value->variable;
}

bool CSysPanelToolbar::SetSyspanelControls(const stlControlsIDs& records) {
    LockLayout();
    m_currentFilterSet = -1;
    const std::size_t count = std::min<std::size_t>(records.size(), kMaxControls);
    // The bar is emptied with a list of placeholders first, so that no control of the old list
    // survives into the new one by position.
    const std::vector<UINT> placeholders(kMaxControls, static_cast<UINT>(-1));
    std::vector<UINT> ids;
    for (std::size_t i = 0; i < count; ++i) ids.push_back(static_cast<UINT>(records[i].id));
    const bool built = SetButtons(placeholders.data(), kMaxControls) && SetButtons(ids.data(), static_cast<int>(count));
    SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
    if (built) {
        for (std::size_t i = 0; i < count; ++i) {
            const KVControlID& record = records[i];
            const auto id = static_cast<unsigned>(record.id);
            if (record.tooltip != 0) {
                SetFilterButtonText(id, record.icon, LoadSysPanelTooltip(static_cast<unsigned>(record.tooltip)));
            } else {
                SetCommandIcon(id, static_cast<unsigned>(record.icon));
            }
            if (CXTPControl* control = GetControls()->FindControl(record.id)) {
                control->SetFlags(xtpFlagManualUpdate);
                control->SetEnabled(TRUE);
            }
        }
        SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
    }
    UnlockLayout();
    return built;
}

void CSysPanelToolbar::SyspanelStatusChanged() {
    static constexpr std::pair<UINT, int> kTextCommands[] = {
        {1289, 922}, {1290, 923}, {1291, 924}, {1292, 925}, {1293, 926}, {1294, 927},
        {1295, 928}, {1296, 929}, {1297, 930}, {1298, 931}, {1320, 951}, {1327, 952},
    };
    for (const auto& [command, controlId] : kTextCommands) {
        bool enabled = false, checked = false;
        if (!UIModuleProxy::Instance().CommandStateGet(command, enabled, checked)) continue;
        CXTPControl* control = GetControls()->FindControl(controlId);
        if (!control) continue;
        control->SetFlags(xtpFlagManualUpdate);
        control->SetEnabled(enabled ? TRUE : FALSE);
        control->SetChecked(checked ? TRUE : FALSE);
    }
}

void CSysPanelToolbar::CopyControlValue(CXTPControl* source) {
    IDataExchange* from = exchangeOf(source);
    if (!from) return;
    if (IDataExchange* to = registeredExchange(static_cast<unsigned>(source->GetID()))) to->CopyFrom(from);
}

