// The spin-step dialog of a parameter edit: how its spin buttons step (radio buttons 1490, 1491
// and 1492 for modes 0, 1 and 2) and the step of mode 1 (edit 102, enabled only while mode 1 is
// chosen).
#pragma once

#include "platform/kernel.h"

class CSyspanelEditCtrl;

class CSpinActionDialog : public CKorvoXTPDialog {
public:
    static constexpr UINT kTemplateId = 1598;
    static constexpr int kStepEditId = 102;
    static constexpr int kFirstModeRadio = 1490;
    static constexpr int kOwnStepRadio = 1491;
    static constexpr int kLastModeRadio = 1492;

    CSpinActionDialog(unsigned mode, double step, CWnd* parent = nullptr);

    // What the user chose (after OK): the mode, and the step as the edit reads.
    unsigned GetMode() const { return mode_; }
    double GetStep() const { return step_; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnModeClicked();

    DECLARE_MESSAGE_MAP()

private:
    void enableStepEdit();

    unsigned mode_;
    double step_;
    CKVBasicEditEx stepEdit_;
};

// Command 2145 of a parameter edit's window: the dialog with the window's spin mode and step,
// owned by the main frame of `control` (the edit's control). On OK the window takes the chosen
// mode; the step becomes 1.0 for mode 0, the typed step for mode 1 (1.0 when it is not a positive
// number), and stays for mode 2. True when the dialog ended with OK.
bool RunSpinActionDialog(CSyspanelEditCtrl& edit, const CXTPControl* control);
