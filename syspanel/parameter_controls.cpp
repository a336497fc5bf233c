#include "syspanel/parameter_controls.h"

#include "platform/kernel.h"

bool CStringEquals(const CString& a, const CString& b) { return &a == &b || a.view() == b.view(); }

namespace {

// The value of another control of the same class, or null (itself or another class).
template <class Control>
Control* sameKind(IDataExchange* self, IDataExchange* other) {
    if (!other || other == self) return nullptr;
    return dynamic_cast<Control*>(other);
}

std::int32_t int32At(const void* value) { return *static_cast<const std::int32_t*>(value); }

}  // namespace

// Parameter edits

IMPLEMENT_DYNCREATE(CSyspanelEdit, CXTPControlEdit)

CSyspanelEdit::CSyspanelEdit(LPCWSTR name, int style, double spinStep, int settingsKey1, int settingsKey2)
    : m_name(name), m_style(style), m_spinStep(spinStep), m_settingsKey1(settingsKey1), m_settingsKey2(settingsKey2) {}

void CSyspanelEdit::UpdateEditText() {
    if (!m_value.text.IsEmpty()) {
        SetEditText(m_value.text);
        return;
    }
    CString text;
    text.Format(L"%g", m_value.value);
    SetEditText(text);
}

void CSyspanelEdit::Reset() {
    m_value = SysPanelValue{};
    SetEditText(L"");
}

void CSyspanelEdit::SetValue(KVDocument*, const void* value) {
    if (!value) return;
    m_value = *static_cast<const SysPanelValue*>(value);
    UpdateEditText();
}

void CSyspanelEdit::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<CSyspanelEdit>(this, other);
    if (!source) return;
    m_value = source->m_value;
    SetEditText(source->GetEditText());
}

// Word-valued popups

IMPLEMENT_DYNCREATE(CColorPopupControl, CXTPControlPopup)

void CColorPopupControl::SetValue(KVDocument*, const void* value) {
    if (value) m_color = int32At(value);
}

void CColorPopupControl::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CColorPopupControl>(this, other)) m_color = source->m_color;
}

IMPLEMENT_DYNCREATE(CLayerPopupControl, CXTPControlPopup)

void CLayerPopupControl::SetValue(KVDocument*, const void* value) {
    if (value) m_layer = int32At(value);
}

void CLayerPopupControl::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CLayerPopupControl>(this, other)) m_layer = source->m_layer;
}

IMPLEMENT_DYNCREATE(LCSPopupControl, CXTPControlPopup)

void LCSPopupControl::SetValue(KVDocument*, const void* value) {
    if (value) m_index = int32At(value);
}

void LCSPopupControl::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<LCSPopupControl>(this, other)) m_index = source->m_index;
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

void CFontComboBox::SetValue(KVDocument*, const void* value) {
    if (value) SelectFont(*static_cast<const CString*>(value));
}

void CFontComboBox::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CFontComboBox>(this, other)) SelectFont(source->m_name);
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

// Ray tracing

IMPLEMENT_DYNCREATE(OptixCameraPopup, CXTPControlPopup)

void OptixCameraPopup::SetCameraList(const std::vector<Camera>& cameras) {
    m_cameras.clear();
    m_cameras.push_back({0, KVLoadString(12353)});
    m_cameras.insert(m_cameras.end(), cameras.begin(), cameras.end());
}

void OptixCameraPopup::Reset() {
    m_cameras.clear();
    m_current = 0;
}

void OptixCameraPopup::SetValue(KVDocument*, const void* value) {
    if (value) m_current = *static_cast<const std::uint64_t*>(value);
}

void OptixCameraPopup::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<OptixCameraPopup>(this, other)) m_current = source->m_current;
}

IMPLEMENT_DYNCREATE(OptixQualityPopup, CXTPControlPopup)

void OptixQualityPopup::SetValue(KVDocument*, const void* value) {
    if (value) m_quality = int32At(value);
}

void OptixQualityPopup::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<OptixQualityPopup>(this, other)) m_quality = source->m_quality;
}
