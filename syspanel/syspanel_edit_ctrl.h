// The edit window of a parameter edit: how its spin buttons step (by a number, or through the
// edit's value list), its keys and its commands. The window lives with its control.
#pragma once

#include <vector>

#include "platform/mfc.h"
#include "syspanel/edit_value_list.h"

class CSyspanelEdit;

class CSyspanelEditCtrl : public CListButtonXPParent {
public:
    // Spin modes: 0 and 1 add the step (1 with a step of the user's choice), 2 steps through the
    // value list.
    static constexpr unsigned kSpinByDefaultStep = 0;
    static constexpr unsigned kSpinByOwnStep = 1;
    static constexpr unsigned kSpinThroughList = 2;

    CSyspanelEditCtrl(CSyspanelEdit& control, double controlStep);

    unsigned GetSpinMode() const { return spinMode_; }
    double GetSpinStep() const { return spinStep_; }
    // What the spin-step dialog chose: mode 0 steps by 1.0, mode 1 by `step` (a step that is not
    // positive becomes 1.0), mode 2 keeps the step.
    void SetSpinAction(unsigned mode, double step);

    // The entries the edit offers (the kernel's edit settings for the edit's keys).
    const std::vector<CString>& GetValueList() const { return valueList_; }
    void SetValueList(std::vector<CString> entries) { valueList_ = std::move(entries); }
    // Replaces the text by the entry before or after the current text; false when the text is no
    // entry or there is none on that side.
    bool SelectAdjacentItem(bool previous);

    // The spin buttons, `count` steps (negative: down).
    void Spin(int count);
    // A key; true when the edit took it.
    bool OnKeyDown(UINT virtualKey, bool control);
    // The edit's commands and when they are enabled.
    bool IsCommandEnabled(UINT id) const;
    // Runs the command when it is enabled; false when it is not.
    bool OnCommand(UINT id);

    // The edit window was created or resized: the list button follows (`editWindow` is the
    // button's parent).
    void LayoutListButton(CWnd& editWindow);
    const EditListButton& GetListButton() const { return listButton_; }
    // Whether the edit has a list button to show: a value list, and the edit writable.
    bool WantsListButton() const;
    // The list button's click: the value list's menu, and the entry the user picks.
    void OpenValueList();
    void OnListButtonClicked(CListButtonXP& button) override;

private:
    void replaceText(const CString& text);

    CSyspanelEdit& control_;
    unsigned spinMode_ = kSpinByDefaultStep;
    double defaultStep_ = 1.0;
    double spinStep_;
    std::vector<CString> valueList_;
    EditListButton listButton_;
};
