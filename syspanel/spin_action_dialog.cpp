#include "syspanel/spin_action_dialog.h"

#include <cmath>
#include <cwchar>

#include "syspanel/panel_parameters.h"
#include "syspanel/syspanel_edit_ctrl.h"

BEGIN_MESSAGE_MAP(CSpinActionDialog, CKorvoXTPDialog)
    ON_BN_CLICKED(CSpinActionDialog::kFirstModeRadio, &CSpinActionDialog::OnModeClicked)
    ON_BN_CLICKED(CSpinActionDialog::kOwnStepRadio, &CSpinActionDialog::OnModeClicked)
    ON_BN_CLICKED(CSpinActionDialog::kLastModeRadio, &CSpinActionDialog::OnModeClicked)
END_MESSAGE_MAP()

CSpinActionDialog::CSpinActionDialog(unsigned mode, double step, CWnd* parent)
    : CKorvoXTPDialog(kTemplateId, parent), mode_(mode <= 2 ? mode : 0), step_(step) {}

BOOL CSpinActionDialog::OnInitDialog() {
    CKorvoXTPDialog::OnInitDialog();
    enableStepEdit();
    return TRUE;
}

void CSpinActionDialog::DoDataExchange(CDataExchange* pDX) {
    CKorvoXTPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kStepEditId, stepEdit_);
    int mode = static_cast<int>(mode_);
    DDX_Radio(pDX, kFirstModeRadio, mode);
    // No radio checked leaves the mode as it was.
    if (pDX->m_bSaveAndValidate && mode >= 0 && mode <= 2) mode_ = static_cast<unsigned>(mode);
    if (!pDX->m_bSaveAndValidate) {
        stepEdit_.SetWindowText(NumberText(step_));
        return;
    }
    CString text;
    stepEdit_.GetWindowText(text);
    step_ = _wtof(text.GetString());
}

void CSpinActionDialog::OnModeClicked() { enableStepEdit(); }

void CSpinActionDialog::enableStepEdit() {
    if (stepEdit_.GetSafeHwnd()) stepEdit_.EnableWindow(IsDlgButtonChecked(kOwnStepRadio) == BST_CHECKED);
}

bool RunSpinActionDialog(CSyspanelEditCtrl& edit, const CXTPControl* control) {
    Korvo::UI::MainFrame* frame = GetControlMainFrame(control);
    CSpinActionDialog dialog(edit.GetSpinMode(), edit.GetSpinStep(), frame ? frame->AsWindow() : nullptr);
    if (dialog.DoModal() != IDOK) return false;
    // A text that is no positive, finite number would stop or reverse the spinning.
    const double step = dialog.GetStep();
    edit.SetSpinAction(dialog.GetMode(), std::isfinite(step) && step > 0.0 ? step : 1.0);
    return true;
}
