// The parameter controls of the system panel and of the ribbon's parameter group: colour (904),
// material (905, 918), level (907), priority (909), layer (911), coordinate system (912), font
// (914), font size (915), the icons of the panel (906, 908, 910) and the ray-tracing camera and
// quality (2041, 2042). Each keeps its value in the layout the value protocol names for it, so
// the kernel's values reach them whether or not they are on show.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/toolkit.h"
#include "syspanel/data_exchange.h"
#include "syspanel/syspanel_edit.h"
#include "syspanel/system_panel_control_base.h"

// Popups whose value is one 32-bit word: the colour word (904), the layer (911, -1 none) and the
// coordinate system (912, -1 the page's own).
class CColorPopupControl : public kvui::SystemPanelControlBase<CXTPControlPopup> {
    DECLARE_DYNCREATE(CColorPopupControl)
public:
    CColorPopupControl() = default;
    void Reset() override {}
    void SetValue(KVDocument* document, const void* value) override;  // an int32, for any document
    const void* GetValue() override { return &m_color; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Word; }

protected:
    // The default colour, or the selection's common colour.
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    std::int32_t m_color = 0;
};

class CLayerPopupControl : public kvui::SystemPanelControlBase<CXTPControlPopup> {
    DECLARE_DYNCREATE(CLayerPopupControl)
public:
    CLayerPopupControl() = default;
    void Reset() override { m_layer = -1; }
    // An int32, only for the frame's active document.
    void SetValue(KVDocument* document, const void* value) override;
    const void* GetValue() override { return &m_layer; }
    // Only between frames that show the same document.
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Word; }

protected:
    // The default layer, or the selection's common layer.
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    std::int32_t m_layer = -1;
};

class LCSPopupControl : public CXTPControlPopup, public IDataExchange {
    DECLARE_DYNCREATE(LCSPopupControl)
public:
    LCSPopupControl() = default;
    // Keeps the index while the frame shows a document.
    void Reset() override;
    void SetValue(KVDocument* document, const void* value) override;  // an int32
    const void* GetValue() override { return &m_index; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Word; }

private:
    std::int32_t m_index = -1;
};

// The font combo box (914): its value is the font name; the list comes with the font lists.
class CFontComboBox : public kvui::SystemPanelControlBase<CXTPControlComboBox> {
    DECLARE_DYNCREATE(CFontComboBox)
public:
    explicit CFontComboBox(CXTPCommandBars* commandBars = nullptr) : m_commandBars(commandBars) {}
    // Selects the list entry named `name` (no selection when the list has none) and shows the name.
    void SelectFont(const CString& name);

    void Reset() override;
    // A CString, only for the frame's active document.
    void SetValue(KVDocument* document, const void* value) override;
    const void* GetValue() override { return &m_name; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override {
        return kind == PanelValueKind::Text || kind == PanelValueKind::FontName;
    }

protected:
    // The selection's common font name.
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    CXTPCommandBars* m_commandBars;
    CString m_name;
};

// The material of an element: by name (kind 1) or by its two ids (other kinds); kind 0: none.
struct MaterialRecord {
    std::int32_t kind = 0;
    std::int32_t firstId = -1;
    std::int32_t secondId = -1;
    CString name;
};

// The material popups: 905 (of bodies, `forBodies` true) and 918. SetValue takes the material name.
class CMaterialPopup : public kvui::SystemPanelControlBase<CXTPControlPopup> {
    DECLARE_DYNCREATE(CMaterialPopup)
public:
    explicit CMaterialPopup(bool forBodies = false) : m_forBodies(forBodies) {}
    bool IsForBodies() const { return m_forBodies; }

    void Reset() override { m_record.name.Empty(); }
    void SetValue(KVDocument* document, const void* value) override;  // a CString
    const void* GetValue() override { return &m_record; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Text; }

protected:
    // The material list comes with the material popups; events change nothing yet.
    void OnParameterEvent(UINT, const ApplicationEventArgs&) override {}

private:
    MaterialRecord m_record;
    bool m_forBodies;
};

// An icon on the panel (906, 908, 910).
class CStaticImageControl : public CXTPControlLabel {
    DECLARE_DYNCREATE(CStaticImageControl)
public:
    explicit CStaticImageControl(int iconId = 0);
};

// The ray-tracing camera (2041) and quality (2042) popups.
#include "syspanel/raytracing_popups.h"
