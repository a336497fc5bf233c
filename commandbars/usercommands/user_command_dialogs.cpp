#include "commandbars/usercommands/user_command_dialogs.h"

namespace {

constexpr UINT kProgramFilter = 10830;

// The answer of the dialog's control `id` to the message; `missing` when the template lacks it.
LRESULT SendToItem(const CDialog& dialog, int id, UINT message, WPARAM wParam, LRESULT missing = 0) {
    CWnd* item = dialog.GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, 0) : missing;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKVExternalAppDlg, CKorvoDialog)
    ON_BN_CLICKED(CKVExternalAppDlg::kBrowseButton, &CKVExternalAppDlg::OnBrowse)
END_MESSAGE_MAP()

CKVExternalAppDlg::CKVExternalAppDlg(const CString& app, const CString& args, DWORD wait, CWnd* owner)
    : CKorvoDialog(kTemplateId, owner), m_app(app), m_args(args), m_wait(wait) {}

BOOL CKVExternalAppDlg::OnInitDialog() {
    CKorvoDialog::OnInitDialog();
    SetDlgItemText(kAppEdit, m_app);
    SetDlgItemText(kArgsEdit, m_args);
    SendToItem(*this, kWaitCheck, BM_SETCHECK, m_wait ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CKVExternalAppDlg::OnOK() {
    GetDlgItemText(kAppEdit, m_app);
    GetDlgItemText(kArgsEdit, m_args);
    m_wait = SendToItem(*this, kWaitCheck, BM_GETCHECK, 0) == BST_CHECKED ? 1 : 0;
    CKorvoDialog::OnOK();
}

void CKVExternalAppDlg::OnBrowse() {
    CString current;
    GetDlgItemText(kAppEdit, current);
    CFileDialog chooser(TRUE, L"*.exe", current, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                        KVLoadString(kProgramFilter) + L"|", this);
    if (chooser.DoModal() == IDOK) SetDlgItemText(kAppEdit, chooser.GetPathName());
}

CKVOpenLibraryDlg::CKVOpenLibraryDlg(const CString& library, DWORD mode, CWnd* owner)
    : CKorvoDialog(kTemplateId, owner), m_library(library), m_mode(mode) {}

BOOL CKVOpenLibraryDlg::OnInitDialog() {
    CKorvoDialog::OnInitDialog();
    SetDlgItemText(kLibraryEdit, m_library);
    SendToItem(*this, kModeCombo, CB_SETCURSEL, m_mode);
    return TRUE;
}

void CKVOpenLibraryDlg::OnOK() {
    GetDlgItemText(kLibraryEdit, m_library);
    const LRESULT selected = SendToItem(*this, kModeCombo, CB_GETCURSEL, 0, -1);
    // No selection keeps the mode the command had.
    if (selected >= 0) m_mode = static_cast<DWORD>(selected);
    CKorvoDialog::OnOK();
}
