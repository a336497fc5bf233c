// The numeric parameter edit of the panel ("Level", "Priority", "FontSize"; unnamed on a
// manipulator panel). It shows a number or the name of a document variable, commits what the user
// typed when its value is read, and writes an entered value to the selected objects or the
// defaults, or hands it to the running command.
#pragma once

#include <memory>
#include <string_view>

#include "syspanel/syspanel_edit_ctrl.h"
#include "syspanel/system_panel_control_base.h"

class CSyspanelEdit : public kvui::SystemPanelControlBase<CXTPControlEdit> {
    DECLARE_DYNCREATE(CSyspanelEdit)
public:
    // Style bits.
    static constexpr unsigned kDefaultText = 1;  // the "default" text and sentinel; a wide edit
    static constexpr unsigned kDefault255 = 2;   // the sentinel is 255 instead of 99999
    static constexpr unsigned kAtLeastOne = 4;   // a value below 1e-6 becomes 1.0
    static constexpr unsigned kNotNegative = 8;  // a negative value becomes 0.0

    // What the toolkit makes when it clones an edit: no name, style 0, spin step -1.0.
    CSyspanelEdit();
    // `name` must outlive the control (a literal).
    CSyspanelEdit(std::string_view name, unsigned style, double spinStep, int settingsKey1 = -1, int settingsKey2 = -1);
    ~CSyspanelEdit() override;

    std::string_view GetParameterName() const { return m_name; }
    unsigned GetEditStyle() const { return m_style; }
    // The step of the spin buttons: the constructor's when positive, else 1.0.
    double GetSpinStep() const { return m_spinStep > 0.0 ? m_spinStep : 1.0; }
    int GetSettingsKey1() const { return m_settingsKey1; }
    int GetSettingsKey2() const { return m_settingsKey2; }
    void SetFormatValue(double format) { m_formatValue = format; }
    double GetFormatValue() const { return m_formatValue; }
    // False: the edit shows the magnitude and keeps the stored value's sign for typed numbers.
    void SetShowSign(bool show) { m_showSign = show; }
    bool GetShowSign() const { return m_showSign; }
    // Every key reaching the edit window first; true takes it from the edit.
    virtual bool OnHookKeyDown(UINT key, UINT flags) { (void)key, (void)flags; return false; }
    // The edit window while the bar shows the control, else null.
    CSyspanelEditCtrl* GetSyspanelEditCtrl() const;

    // Shows the stored value: the variable's name, the "default" text for the sentinel, or the
    // number.
    void UpdateEditText();
    // The number behind the text, without committing anything.
    double GetNumericValue() const;
    // Writes the entered value when the edit was changed: to the running command, or to the
    // selected objects or the defaults.
    void ApplyValue();

    void Reset() override;
    void SetValue(KVDocument* document, const void* value) override;  // a SysPanelValue
    // Only for the frame's active document (null: a frame without one).
    bool KeepsValueFor(const KVDocument* document) const override;
    // Commits the typed text first.
    const void* GetValue() override;
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Measure; }

    void OnSetSelected(BOOL selected) override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    // Any change of the text marks the edit window modified.
    void OnEditChanged() override;
    void NotifySpinChanged(int delta, int direction) override;
    BOOL OnEditCommand(UINT id) override;
    void OnExecute() override;
    // Two pixels lower than the toolkit's edit, so that it sits inside the bar's buttons.
    SIZE GetSize(CDC* dc) override;
    // The edit window is drawn at once with the control, so the two never show different states.
    void Draw(CDC* dc, RECT rect) override;

protected:
    std::unique_ptr<CXTPControlEditCtrl> CreateEditControl() override;
    void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    double sentinel() const { return (m_style & kDefault255) ? 255.0 : 99999.0; }
    // The number a text reads as ("," as "."), with the stored value's sign when signs are hidden.
    double parsedText(const CString& text) const;
    // Style bits 8 and 4: a negative number becomes 0, then one below 1e-6 becomes 1.
    double withinStyleLimits(double number) const;
    // The value of a number text: read, the "default" sentinel for a text without a number, and
    // the style's limits.
    double committedNumber(const CString& text) const;
    // Turns a non-numeric text into a variable of the document; true when the value is settled.
    bool commitVariable(CKvw32Doc& document);
    // Commits the typed text into the value; false when the text was refused (the value and
    // its binding stay and the edit shows them again).
    bool commitText();
    bool refuseText(const SysPanelValue& before);

    std::string_view m_name;
    SysPanelValue m_value;
    unsigned m_style = 0;
    CString m_savedText;
    double m_spinStep = -1.0;
    double m_formatValue = 0.0;
    int m_settingsKey1 = -1;
    int m_settingsKey2 = -1;
    bool m_showSign = true;
    bool m_committing = false;
    bool m_executing = false;
};
