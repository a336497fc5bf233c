#include "syspanel/parameter_controls.h"

#include "platform/kernel.h"
#include "syspanel/panel_parameters.h"

bool CStringEquals(const CString& a, const CString& b) { return &a == &b || a.view() == b.view(); }

namespace {

// The value of another control of the same class, or null (itself or another class).
template <class Control>
Control* sameKind(IDataExchange* self, IDataExchange* other) {
    if (!other || other == self) return nullptr;
    return dynamic_cast<Control*>(other);
}

std::int32_t int32At(const void* value) { return *static_cast<const std::int32_t*>(value); }

// Whether `document` is the 2D container of the active document of the control's frame (null:
// the frame shows none).
bool isFramesDocument(const CXTPControl* control, const KVDocument* document) {
    return document == GetControlDocument(control);
}

bool sameActiveDocument(const CXTPControl* a, const CXTPControl* b) {
    return GetControlKorvoDocument(a) == GetControlKorvoDocument(b);
}

// Stores a new word (the stand-in's bars draw nothing, so a change needs no redraw).
void storeWord(std::int32_t& stored, std::int32_t value) { stored = value; }

}  // namespace

// Word-valued popups

IMPLEMENT_DYNCREATE(CColorPopupControl, CXTPControlPopup)

void CColorPopupControl::SetValue(KVDocument*, const void* value) {
    if (value) storeWord(m_color, int32At(value));
}

void CColorPopupControl::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CColorPopupControl>(this, other)) storeWord(m_color, source->m_color);
}

void CColorPopupControl::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, false);
    if (!target) return;
    std::int32_t color = target->document->GetDefaultParameters()->GetDefaultColor(target->is3D);
    const auto common = GetSelectionCommonParameter(target->document, "Color");
    if (const auto* selected = common ? common->Get<kveval::ColorParameter>() : nullptr) color = selected->color;
    storeWord(m_color, color);
    SetEnabled(TRUE);
}

IMPLEMENT_DYNCREATE(CLayerPopupControl, CXTPControlPopup)

void CLayerPopupControl::SetValue(KVDocument* document, const void* value) {
    if (value && isFramesDocument(this, document)) storeWord(m_layer, int32At(value));
}

void CLayerPopupControl::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<CLayerPopupControl>(this, other);
    if (source && sameActiveDocument(this, source)) storeWord(m_layer, source->m_layer);
}

void CLayerPopupControl::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, false);
    if (!target) return;
    std::int32_t layer = target->document->GetDefaultParameters()->GetDefaultLayer(target->is3D);
    const auto common = GetSelectionCommonParameter(target->document, "Layer");
    if (const auto* selected = common ? common->Get<std::int32_t>() : nullptr) layer = *selected;
    storeWord(m_layer, layer);
    SetEnabled(TRUE);
}

IMPLEMENT_DYNCREATE(LCSPopupControl, CXTPControlPopup)

void LCSPopupControl::Reset() {
    if (!GetControlDocument(this)) storeWord(m_index, -1);
}

void LCSPopupControl::SetValue(KVDocument* document, const void* value) {
    if (value && isFramesDocument(this, document)) storeWord(m_index, int32At(value));
}

void LCSPopupControl::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<LCSPopupControl>(this, other);
    if (source && sameActiveDocument(this, source)) storeWord(m_index, source->m_index);
}

// Font

IMPLEMENT_DYNCREATE(CFontComboBox, CXTPControlComboBox)

void CFontComboBox::SelectFont(const CString& name) {
    m_name = name;
    int found = -1;
    for (int index = 0; index < GetCount() && found < 0; ++index) {
        if (CStringEquals(GetLBText(index), name)) found = index;
    }
    SetCurSel(found);
    SetEditText(name);
}

void CFontComboBox::Reset() {
    m_name.Empty();
    SetCurSel(-1);
    SetEditText(L"");
}

void CFontComboBox::SetValue(KVDocument* document, const void* value) {
    if (value && isFramesDocument(this, document)) SelectFont(*static_cast<const CString*>(value));
}

void CFontComboBox::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<CFontComboBox>(this, other);
    if (source) SetValue(GetControlDocument(source), &source->m_name);
}

void CFontComboBox::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, true);
    if (!target) return;
    const auto common = GetSelectionCommonParameter(target->document, "FontName");
    const CString* name = common ? common->Get<CString>() : nullptr;
    if (!name || name->IsEmpty()) return;
    SelectFont(*name);
    SetEnabled(TRUE);
}

// Material

IMPLEMENT_DYNCREATE(CMaterialPopup, CXTPControlPopup)

void CMaterialPopup::SetValue(KVDocument*, const void* value) {
    if (!value) return;
    m_record.kind = 1;
    m_record.name = *static_cast<const CString*>(value);
}

void CMaterialPopup::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CMaterialPopup>(this, other)) m_record = source->m_record;
}

// Icons

IMPLEMENT_DYNCREATE(CStaticImageControl, CXTPControlLabel)

CStaticImageControl::CStaticImageControl(int iconId) {
    SetIconId(iconId);
    SetStyle(xtpButtonIcon);
}
