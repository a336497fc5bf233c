#include "services/system_panel.h"

#include <cmath>

#include "platform/diagnostics.h"

const wchar_t* PanelValueKindName(PanelValueKind kind) {
    switch (kind) {
        case PanelValueKind::Word: return L"whole number";
        case PanelValueKind::Measure: return L"measure";
        case PanelValueKind::Text: return L"text";
        case PanelValueKind::FontName: return L"font name";
    }
    return L"unknown";
}

KernelPanelValue::KernelPanelValue(PanelValueKind kind, double number, int variable, const CString& text)
    : m_kind(kind), m_measure{number, variable, CString()}, m_text(text) {}

KernelPanelValue KernelPanelValue::Word(std::int32_t value) {
    KernelPanelValue word(PanelValueKind::Word, static_cast<double>(value), -1, CString());
    word.m_word = value;
    return word;
}

KernelPanelValue KernelPanelValue::Measure(double value, int variable) {
    return KernelPanelValue(PanelValueKind::Measure, value, variable, CString());
}

KernelPanelValue KernelPanelValue::Text(const CString& text) { return KernelPanelValue(PanelValueKind::Text, 0.0, -1, text); }

KernelPanelValue KernelPanelValue::FontName(const CString& name) {
    return KernelPanelValue(PanelValueKind::FontName, 0.0, -1, name);
}

const void* KernelPanelValue::LayoutFor(const IDataExchange& control) const {
    if (control.TakesValue(m_kind)) {
        switch (m_kind) {
            case PanelValueKind::Word: return &m_word;
            case PanelValueKind::Measure: return std::isfinite(m_measure.value) ? &m_measure : nullptr;
            case PanelValueKind::Text:
            case PanelValueKind::FontName: return &m_text;
        }
    }
    // The one conversion: a whole number is a plain measure.
    if (m_kind == PanelValueKind::Word && control.TakesValue(PanelValueKind::Measure)) return &m_measure;
    return nullptr;
}

bool KernelPanelValue::CheckFor(const CXTPControl& control) const {
    const auto* exchange = dynamic_cast<const IDataExchange*>(&control);
    if (!exchange || LayoutFor(*exchange)) return true;
    const bool notFinite = m_kind == PanelValueKind::Measure && exchange->TakesValue(m_kind);
    const CRuntimeClass* type = control.GetRuntimeClass();
    KVLog_WriteF(6, notFinite ? L"Control %d (%hs) refused a %s that is no finite number" : L"Control %d (%hs) takes no %s",
                 control.GetID(), type ? type->m_lpszClassName : "control", PanelValueKindName(m_kind));
    return false;
}

KernelPanelValue::Stored KernelPanelValue::StoreIn(CXTPControl& control, KVDocument* document) const {
    auto* exchange = dynamic_cast<IDataExchange*>(&control);
    const void* layout = exchange ? LayoutFor(*exchange) : nullptr;
    if (!layout) return Stored::NoValue;
    if (!exchange->KeepsValueFor(document)) return Stored::OtherDocument;
    exchange->SetValue(document, layout);
    return Stored::Kept;
}
