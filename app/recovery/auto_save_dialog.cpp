#include "app/recovery/auto_save_dialog.h"

namespace {
constexpr int kDocumentName = 1119;
}  // namespace

void CAutoSaveDialog::SetTitle(const CString& title) {
    title_ = title;
    if (GetSafeHwnd() && GetDlgItem(kDocumentName)) SetDlgItemText(kDocumentName, title_);
}

BOOL CAutoSaveDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    SetDlgItemText(kDocumentName, title_);
    return TRUE;
}
