// The edit window of a parameter edit: how its spin buttons step (by a number, or through the
// edit's value list), its keys, its commands and its context menu. The window exists while the
// bar shows its control; its spin mode and steps go with it, so a new window starts again in mode
// 0 with the control's step.
#pragma once

#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit.h"
#include "syspanel/edit_value_list.h"

class CSyspanelEdit;

// The shortest text that reads back as exactly `value`: plain where a number of its size is
// usually written so ("2.223456789", "1234568.89", "0.0001"), with an exponent beyond ("1e-05",
// "1e+20"). A spun number or a step written rounded would become another number when it is read.
CString NumberText(double value);

class CSyspanelEditCtrl : public CXTPControlEditCtrl, public CListButtonXPParent {
public:
    // Spin modes: 0 and 1 add the step (1 with a step of the user's choice), 2 steps through the
    // value list.
    static constexpr unsigned kSpinByDefaultStep = 0;
    static constexpr unsigned kSpinByOwnStep = 1;
    static constexpr unsigned kSpinThroughList = 2;
    static constexpr UINT kContextMenuId = 1139;
    static constexpr UINT kSpinButtonsStringId = 41193;

    CSyspanelEditCtrl(CSyspanelEdit& control, double controlStep);

    unsigned GetSpinMode() const { return spinMode_; }
    double GetSpinStep() const { return spinStep_; }
    // What the spin-step dialog chose: mode 0 steps by 1.0, mode 1 by `step` (a step that is not
    // positive becomes 1.0), mode 2 keeps the step.
    void SetSpinAction(unsigned mode, double step);

    // The entries the edit offers (the kernel's edit settings for the edit's keys).
    const CMenuItemArray& GetValueList() const { return valueList_; }
    void SetValueList(CMenuItemArray entries) { valueList_ = std::move(entries); }
    // Replaces the text by the entry before or after the current text; false when the text is no
    // entry or there is none on that side.
    bool SelectAdjacentItem(bool previous);

    // The spin buttons, `count` steps (negative: down).
    void Spin(int count);
    // The edit's commands and when they are enabled.
    bool IsCommandEnabled(UINT id) const;
    // Runs the command when it is enabled; false when it is not.
    bool ExecuteCommand(UINT id);
    // The context menu at a screen point, as a popup bar of the control's command bars.
    void ShowContextMenu(POINT screen);
    // Selects everything, scrolls the caret into view and replaces the text with undo.
    void ReplaceWholeText(const CString& text);

    const EditListButton& GetListButton() const { return listButton_; }
    // Whether the edit has a list button to show: a value list, and the edit writable.
    bool WantsListButton() const;
    // The list button's click: the value list's menu, and the entry the user picks.
    void OpenValueList();
    void OnListButtonClicked(CListButtonXP& button) override;

    // The update pass of the context menu: an entry is enabled when its command is, except
    // Undo with nothing to undo and Cut, Copy and Clear with nothing selected; the spin-buttons
    // entry is checked while they are shown.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

protected:
    // Menu and accelerator commands (WM_COMMAND without a control) are the edit's own.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnEditKeyDownMessage(WPARAM key, LPARAM flags);
    afx_msg LRESULT OnSysKeyDownMessage(WPARAM key, LPARAM flags);
    afx_msg LRESULT OnContextMenuMessage(WPARAM window, LPARAM point);
    // Created or resized, enabled or disabled: the list button follows.
    afx_msg LRESULT OnSizeMessage(WPARAM type, LPARAM size);
    afx_msg LRESULT OnEnableMessage(WPARAM enabled, LPARAM unused);
    DECLARE_MESSAGE_MAP()

private:
    // The focus leaves the edit for the document: the active main frame's active frame.
    void leaveEdit();
    void runCommand(UINT id) { SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0); }
    void layOutListButton();

    CSyspanelEdit& control_;
    unsigned spinMode_ = kSpinByDefaultStep;
    double defaultStep_ = 1.0;
    double spinStep_;
    CMenuItemArray valueList_;
    EditListButton listButton_;
};
