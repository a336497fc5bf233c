// The parameter controls of the system panel and of the ribbon's parameter group: colour (904),
// material (905, 918), level (907), priority (909), layer (911), coordinate system (912), font
// (914), font size (915), the icons of the panel (906, 908, 910) and the ray-tracing camera and
// quality (2041, 2042). Each keeps its value in the layout the value protocol names for it, so
// the kernel's values reach them whether or not they are on show.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/kernel/services/materials.h"
#include "platform/toolkit.h"
#include "syspanel/data_exchange.h"
#include "syspanel/fonts/font_combo_list.h"
#include "syspanel/syspanel_edit.h"
#include "syspanel/system_panel_control_base.h"

class CColorSelectDialog;
class CLayerSelectDialog;
class LCSSelectDialog;
class MaterialChooserAccess;

// Popups whose value is one 32-bit word: the colour word (904), the layer (911, -1 none) and the
// coordinate system (912, -1 the page's own).
class CColorPopupControl : public kvui::SystemPanelControlBase<CXTPControlPopup> {
    DECLARE_DYNCREATE(CColorPopupControl)
public:
    CColorPopupControl();
    ~CColorPopupControl() override;

    // A click opens the colour pop-up (on a bar, while enabled).
    void OnExecute() override;
    void ShowColorDialog();
    // Closes the pop-up; a changed colour is stored, and with `apply` carried into the document.
    void SetColor(std::int32_t color, bool apply);
    void ClosePopup();
    // To the selected objects, or to the defaults; inside a command (or to the defaults) the
    // frame hears WM_COMMAND with the id and the colour word.
    void ApplyColor();
    // What the control shows: the colour's name, or "R G B" of a true colour.
    CString GetDrawnText() const;
    CColorSelectDialog* GetDialog() const { return m_dialog.get(); }
    // The control's rectangle shrunk by 2 pixels, filled with the colour.
    void Draw(CDC* dc, RECT rect) override;
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
    std::unique_ptr<CColorSelectDialog> m_dialog;
};

class CLayerPopupControl : public kvui::SystemPanelControlBase<CXTPControlPopup> {
    DECLARE_DYNCREATE(CLayerPopupControl)
public:
    CLayerPopupControl();
    ~CLayerPopupControl() override;

    // A click opens the layer list (on a bar, while enabled).
    void OnExecute() override;
    // A changed number is stored and applied.
    void SetLayer(std::int32_t layer);
    // To the selected objects or the defaults; inside a command (or to the defaults) the frame
    // hears WM_COMMAND with the id and the number, and the twins take it.
    void ApplyLayer();
    // The layer's name and one mark per state flag ("hidden", "frozen", "no-print"); empty
    // without such a layer.
    CString GetDrawnText() const;
    CLayerSelectDialog* GetDialog() const { return m_dialog.get(); }
    // The size its list opens with: 300 by 300 pixels at 96 dpi, then what a choice left.
    SIZE GetDialogSize() const { return m_dialogSize; }
    void SetDialogSize(SIZE size) { m_dialogSize = size; }
    void Draw(CDC* dc, RECT rect) override;
    // Wide enough for the names it draws: 183 pixels at 96 dpi.
    SIZE GetSize(CDC* dc) override;
    void Reset() override { m_layer = -1; }
    // An int32, only for the frame's active document.
    void SetValue(KVDocument* document, const void* value) override;
    bool KeepsValueFor(const KVDocument* document) const override;
    const void* GetValue() override { return &m_layer; }
    // Only between frames that show the same document.
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Word; }

protected:
    // The default layer, or the selection's common layer.
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    std::int32_t m_layer = -1;
    std::unique_ptr<CLayerSelectDialog> m_dialog;
    SIZE m_dialogSize;
};

class LCSPopupControl : public CXTPControlPopup, public IDataExchange {
    DECLARE_DYNCREATE(LCSPopupControl)
public:
    static constexpr UINT kNoSystemCommand = 2875;
    LCSPopupControl();
    ~LCSPopupControl() override;

    // A click opens a new coordinate-system list (on a bar, while enabled).
    void OnExecute() override;
    // A changed index is stored; with `notify` the frame hears of it (an index below -1 becomes
    // -1 and the frame hears command 2875 instead) and the twins take it.
    void SetCurrentIndex(std::int32_t index, bool notify);
    // "PageCoordinateSystem" for the page's own system, else the local system's name.
    CString GetDrawnText() const;
    LCSSelectDialog* GetDialog() const { return m_dialog.get(); }
    // The size its list opens with: 300 by 300 pixels at 96 dpi, then what the last choice left.
    SIZE GetDialogSize() const { return m_dialogSize; }
    void SetDialogSize(SIZE size) { m_dialogSize = size; }
    void Draw(CDC* dc, RECT rect) override;
    // Wide enough for the names it draws: 183 pixels at 96 dpi.
    SIZE GetSize(CDC* dc) override;
    // Keeps the index while the frame shows a document.
    void Reset() override;
    void SetValue(KVDocument* document, const void* value) override;  // an int32
    // Only for the frame's active document.
    bool KeepsValueFor(const KVDocument* document) const override;
    const void* GetValue() override { return &m_index; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Word; }

private:
    std::int32_t m_index = -1;
    std::unique_ptr<LCSSelectDialog> m_dialog;
    SIZE m_dialogSize;
};

// The font combo box (914): its value is the font name it remembers; its list offers the
// default entry, the kernel's own fonts, the vector fonts and the other system fonts.
class CFontComboBox : public kvui::SystemPanelControlBase<CXTPControlComboBox> {
    DECLARE_DYNCREATE(CFontComboBox)
public:
    static constexpr int kId = 914;
    static constexpr int kWidth = 205;  // pixels at 96 dpi
    static constexpr int kFaceNameLimit = 32;

    CFontComboBox();
    ~CFontComboBox() override;
    // The selected entry's face name (at most 32 characters); empty without one.
    CString GetSelectedFontName() const;
    // 1 for a system font, 0 for a vector font, 16 for the default entry, 32 with none selected.
    int GetSelectedFontKind() const;
    // Renews the default entry, remembers `name` and selects the item of exactly that text (item
    // 0 for an empty name; no item when none has it).
    void SelectFont(const CString& name);
    // Makes the list's window once the combo stands on a bar with a site; refills the list only
    // when the settings' font folder changed since it was filled.
    void RefreshFontList();
    const CFontComboBoxList& GetList() const { return *m_list; }
    CFontComboBoxList& GetList() { return *m_list; }

    // What the user does: picks an item, enters the edit, leaves it, presses Enter or Esc.
    void OnSelChanged() override;
    // Typed text that names an item exactly selects that item, as the combo's edit does.
    void OnEditChanged() override;
    void OnSetFocus() override;
    // "$name" makes a text variable of the frame's document and keeps the text; anything else
    // goes back to the remembered name (or the default entry).
    void OnKillFocus() override;
    void OnExecute() override;
    // Enter and Esc in the edit execute the combo; other keys are the edit's.
    bool OnEditKey(UINT virtualKey);

    // Prepares the list's window on the bar's site and fills the list (see RefreshFontList).
    void Initialize() override;
    void Reset() override;
    // A CString, only for the frame's active document.
    void SetValue(KVDocument* document, const void* value) override;
    bool KeepsValueFor(const KVDocument* document) const override;
    const void* GetValue() override { return &m_name; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override {
        return kind == PanelValueKind::Text || kind == PanelValueKind::FontName;
    }

protected:
    // The selection's common font name.
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    int findExact(const CString& text) const;

    std::unique_ptr<CFontComboBoxList> m_list;
    CString m_name;
};

// The material of an element: by name (kind 1) or by its two ids (other kinds); kind 0: none.
using MaterialRecord = KVMaterialRecord;

// The material popups: 905 (of bodies, `forBodies` true) and 918. SetValue takes the material
// name; a click opens the 3D part's material chooser, whose choice goes to the selected bodies.
class CMaterialPopup : public kvui::SystemPanelControlBase<CXTPControlPopup>, public IKVMaterialComboBox {
    DECLARE_DYNCREATE(CMaterialPopup)
public:
    static constexpr int kMinimumChooserWidth = 280;
    static constexpr UINT kUndoString = 41931;
    static constexpr UINT kMixedCaptionString = 43473;

    explicit CMaterialPopup(bool forBodies = false);
    ~CMaterialPopup() override;
    bool IsForBodies() const { return m_forBodies; }

    void OnExecute() override;
    void SetEnabled(BOOL enabled) override;
    // Caption mode 3 shows the fixed caption instead of the name.
    void SetMaterialText(const CString& name, int captionMode, bool notify);
    // The active main frame hears WM_COMMAND with the id and the record; the twins take the name.
    void NotifyFrame();
    void SelectMaterial(const MaterialRecord& record) override;
    void PassToChooser(int first, int second) override;
    const CString& GetDrawnText() const { return m_caption; }
    void Draw(CDC* dc, RECT rect) override;
    // Wide enough for a material name: 137 pixels at 96 dpi.
    SIZE GetSize(CDC* dc) override;
    KVMaterialChooser* GetChooser() const { return m_chooser.get(); }

    void Initialize() override { updateCaption(); }
    void Reset() override;
    void SetValue(KVDocument* document, const void* value) override;  // a CString
    const void* GetValue() override { return &m_record; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Text; }

protected:
    // The bodies' shared material; nothing selected disables the control.
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    void updateCaption();

    MaterialRecord m_record;
    std::unique_ptr<KVMaterialChooser> m_chooser;
    std::unique_ptr<MaterialChooserAccess> m_access;
    CString m_caption;
    int m_captionMode = 0;
    bool m_forBodies;
};

// An icon on the panel (906, 908, 910): the kernel's icon of its id, centred, as large as a
// button of its bar.
class CStaticImageControl : public CXTPControlLabel {
    DECLARE_DYNCREATE(CStaticImageControl)
public:
    explicit CStaticImageControl(int iconId = 0);
    int GetImageId() const { return m_iconId; }
    // Without an icon id it draws nothing.
    void Draw(CDC* dc, RECT rect) override;
    SIZE GetSize(CDC* dc) override;

private:
    int m_iconId;
};

// The ray-tracing camera (2041) and quality (2042) popups.
#include "syspanel/raytracing_popups.h"
