#include "syspanel/spin_action_dialog.h"

#include <cwchar>

CSpinActionDialog::CSpinActionDialog(unsigned mode, double step) : mode_(mode <= 2 ? mode : 0) {
    stepText_.Format(L"%lg", step);
}

void CSpinActionDialog::OnModeRadio(int radioId) {
    if (radioId >= kFirstModeRadio && radioId <= kFirstModeRadio + 2) mode_ = static_cast<unsigned>(radioId - kFirstModeRadio);
}

double CSpinActionDialog::GetStep() const { return std::wcstod(stepText_.GetString(), nullptr); }
