#include "platform/korvoui/selection_buttons.h"

#include "platform/textcore.h"

namespace Korvo::UI {

IMPLEMENT_DYNCREATE(SelectionFilterButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(G1SelectionButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(LazyGeometrySelectionButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(SelectionModePopup, CXTPControlPopup)
IMPLEMENT_DYNCREATE(GeometricTypePopupButton, CXTPControlPopup)

namespace {

struct BuiltinFilterButton {
    int id;
    GRTypes type;
    unsigned icon;
    unsigned tooltip;  // the kernel's string
    const wchar_t* key = nullptr;  // or the UI text key of the tooltip
};

// The library's own filter buttons; their order is the order they keep on a bar.
constexpr BuiltinFilterButton kBuiltinFilterButtons[] = {
    {2701, GR_POINT, 4132, 16556},      {2702, GR_LINE, 4134, 16557},      {2703, GR_CIRCLE, 4137, 16558},
    {2704, GR_ARC, 4140, 16559},        {2705, GR_ELLIPSE, 4139, 16560},   {2706, GR_SPLINE, 4138, 16561},
    {2707, GR_POLYLINE, 4141, 16562},   {2708, GR_CONSTRUCTION, 4142, 16563}, {2709, GR_NODE, 4143, 16564},
    {2712, GR_TEXT, 378, 16568},        {2713, GR_DIMENSION, 4118, 16565}, {2714, GR_LEADER, 4121, 16566},
    {2715, GR_HATCH, 4119, 16567},      {2716, GR_TABLE, 4126, 16569},     {2717, GR_FRAGMENT, 4130, 16570},
    {2718, GR_VIEW, 4128, 16571},       {2719, GR_PICTURE, 4129, 16572},   {2720, GR_ROUGHNESS, 4127, 16573},
    {2721, GR_NODE, 4143, 16564},       {2722, GR_CONTOUR, 4242, 13993},   {2723, GR_PATH, 4331, 41197},
    {2724, GR_BODY, 4122, 11522},       {2725, GR_BLOCK, 4117, 13819},     {2733, GR_WIRE, 400, 40281},
    {2734, GR_CABLE, 401, 40282},       {2735, GR_CONNECTOR, 402, 12574},  {2736, GR_HARNESS, 403, 40437},
    // The electric filters: circuit links, circuit elements, groups of links and buses.
    {2738, GR_WIRE, 40832, 0, L"electric.filter.circuitlink"},
    {2739, GR_CONNECTOR, 40834, 0, L"electric.filter.circuitelement"},
    {2740, GR_WIRE, 40837, 0, L"electric.filter.circuitlink.group"},
    {2741, GR_HARNESS, 40930, 0, L"electric.filter.circuitbus"},
};

constexpr int kSmallIcon = 16;

}  // namespace

SelectionFilterButton::SelectionFilterButton(int id, bool builtIn) : builtIn_(builtIn) {
    SetID(id);
    SetStyle(xtpButtonIcon);
    SaveDefaultIconAndToolTip();
}

void SelectionFilterButton::SaveDefaultIconAndToolTip() {
    defaultIcon_ = GetIconId();
    defaultTooltip_ = GetTooltip();
}

void SelectionFilterButton::ResetIconAndToolTip() {
    SetIconId(defaultIcon_);
    SetTooltip(defaultTooltip_);
}

void SelectionFilterButton::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlButton::Copy(source, recursive);
    if (const auto* other = dynamic_cast<const SelectionFilterButton*>(source)) {
        builtIn_ = other->builtIn_;
        defaultIcon_ = other->defaultIcon_;
        defaultTooltip_ = other->defaultTooltip_;
    }
}

void ForEachBuiltinFilterButton(const BuiltinFilterButtonVisitor& visit) {
    for (const BuiltinFilterButton& button : kBuiltinFilterButtons)
        visit(button.id, button.type, button.icon,
              button.key ? I18n::Translate(button.key) : KVLoadString(button.tooltip), true);
}

int GetBuiltinFilterButtonCount() { return static_cast<int>(std::size(kBuiltinFilterButtons)); }

SelectionFilterToolBar::SelectionFilterToolBar() : controls_(new CXTPControls()) {}

SelectionFilterToolBar::~SelectionFilterToolBar() {
    RemoveAllControls(1);
    RemoveAllControls(2);
    controls_->InternalRelease();
}

void SelectionFilterToolBar::AddControl(CXTPControl* control, CKVTypeParentPanel panel, bool activeFrame) {
    if (!control) return;
    // Panel 1's section ends where panel 2's begins.
    int before = -1;
    if (panel == 1) {
        for (const Entry& entry : entries_)
            if (entry.panel == 2) {
                before = controls_->IndexOf(entry.control);
                break;
            }
    }
    entries_.push_back({control, panel, activeFrame});
    controls_->Add(control, control->GetID(), nullptr, before);
}

void SelectionFilterToolBar::RemoveAllControls(CKVTypeParentPanel panel) {
    std::vector<CXTPControl*> leaving;
    std::erase_if(entries_, [&](const Entry& entry) {
        if (entry.panel != panel) return false;
        leaving.push_back(entry.control);
        return true;
    });
    for (CXTPControl* control : leaving) controls_->Remove(control);
}

CKVTypeParentPanel SelectionFilterToolBar::GetPanelOf(const CXTPControl* control) const {
    for (const Entry& entry : entries_)
        if (entry.control == control) return entry.panel;
    return 0;
}

bool SelectionFilterToolBar::WasAddedInActiveFrame(const CXTPControl* control) const {
    for (const Entry& entry : entries_)
        if (entry.control == control) return entry.activeFrame;
    return false;
}

void SelectionFilterToolBar::LoadIconW(CXTPImageManager* images, unsigned icon, GRTypes) {
    if (!images || icon == 0 || images->Lookup(icon, kSmallIcon)) return;
    images->SetIcon(icon, kSmallIcon);
}

// The selection area stands apart from the parameters before it.
G1SelectionButton::G1SelectionButton() {
    SetID(kId);
    SetBeginGroup(TRUE);
}

LazyGeometrySelectionButton::LazyGeometrySelectionButton() { SetID(kId); }

SelectionModePopup::SelectionModePopup(CXTPCommandBars* commandBars) {
    SetID(kId);
    if (commandBars) {
        CXTPPopupBar* modes = CXTPPopupBar::CreatePopupBar(commandBars);
        SetCommandBar(modes);
        modes->InternalRelease();
    }
}

const std::array<GeometricTypeButtonInfo, 10>& GetGeometricTypes() {
    static const std::array<GeometricTypeButtonInfo, 10> types{{
        {GR_POINT, 2825, 4250, 4260},
        {GR_LINE, 2826, 4251, 4261},
        {GR_CIRCLE, 2827, 4252, 4262},
        {GR_ARC, 2828, 4253, 4263},
        {GR_ELLIPSE, 2829, 4254, 4264},
        {GR_SPLINE, 2830, 4255, 4265},
        {GR_POLYLINE, 2831, 4256, 4266},
        {GR_CONTOUR, 2832, 4257, 4267},
        {GR_HATCH, 2833, 4258, 4268},
        {GR_TEXT, 2834, 4259, 4269},
    }};
    return types;
}

GeometricTypePopupButton::GeometricTypePopupButton(const GeometricTypeButtonInfo& info, CXTPCommandBars* commandBars)
    : info_(info) {
    SetID(info.id);
    SetType(xtpControlButtonPopup);
    SetStyle(xtpButtonIcon);
    SetVisible(FALSE);
    if (commandBars) {
        CXTPPopupBar* choices = CXTPPopupBar::CreatePopupBar(commandBars);
        SetCommandBar(choices);
        choices->InternalRelease();
    }
    UpdateIconId();
}

void GeometricTypePopupButton::SetState(const TGeomClass* state, bool show) {
    if (state) state_ = *state;
    SetVisible(show ? TRUE : FALSE);
    UpdateIconId();
}

void GeometricTypePopupButton::UpdateIconId() {
    // A state of 2 takes every element of the type.
    SetIconId(static_cast<int>(state_.state == 2 ? info_.allIcon : info_.icon));
}

void GeometricTypePopupButton::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlPopup::Copy(source, recursive);
    if (const auto* other = dynamic_cast<const GeometricTypePopupButton*>(source)) {
        info_ = other->info_;
        state_ = other->state_;
    }
}

}  // namespace Korvo::UI
