// The spin-step dialog of a parameter edit: how its spin buttons step (radio buttons 1490, 1491
// and 1492 for modes 0, 1 and 2) and the step of mode 1 (edit 102, enabled only in mode 1).
#pragma once

#include "platform/mfc.h"

class CSpinActionDialog {
public:
    static constexpr UINT kTemplateId = 1598;
    static constexpr int kStepEditId = 102;
    static constexpr int kFirstModeRadio = 1490;

    CSpinActionDialog(unsigned mode, double step);

    // A radio button was clicked (1490 to 1492; others change nothing).
    void OnModeRadio(int radioId);
    unsigned GetMode() const { return mode_; }
    bool IsStepEditEnabled() const { return mode_ == 1; }
    const CString& GetStepText() const { return stepText_; }
    void SetStepText(const CString& text) { stepText_ = text; }
    // The step as read from the edit when the dialog closes with OK.
    double GetStep() const;

private:
    unsigned mode_;
    CString stepText_;
};
