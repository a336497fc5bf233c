#include "auxiliary/spaceball/spaceball_button_dialogs.h"

#include "platform/win32.h"

namespace {

constexpr WORD kListDoubleClick = 2;  // LBN_DBLCLK

void placeAt(CWnd& dialog, POINT at) {
    ::SetWindowPos(dialog.GetSafeHwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CKVSpaceballConfigDlgImpl::CommandDialog, CDialog)
    ON_CONTROL(kListDoubleClick, CKVSpaceballConfigDlgImpl::CommandDialog::kList, &CKVSpaceballConfigDlgImpl::CommandDialog::OnListDoubleClick)
END_MESSAGE_MAP()

BOOL CKVSpaceballConfigDlgImpl::CommandDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    placeAt(*this, m_at);
    const HWND list = ::GetDlgItem(GetSafeHwnd(), kList);
    for (const UINT id : m_page.m_commands) {
        const CString text = GetStrWithoutCommandLetters(GlobalContainer::GetCmdDescr(id));
        if (text.IsEmpty()) continue;
        const auto row = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        if (row < 0) continue;
        ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(id));
        if (id == m_command && m_command != 0) ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    }
    return TRUE;
}

void CKVSpaceballConfigDlgImpl::CommandDialog::OnOK() {
    const HWND list = ::GetDlgItem(GetSafeHwnd(), kList);
    const auto row = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    m_command = row >= 0 ? static_cast<UINT>(::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0)) : 0;
    m_allModes = IsDlgButtonChecked(kAllModes) == BST_CHECKED;
    EndDialog(IDOK);
}

void CKVSpaceballConfigDlgImpl::CommandDialog::OnListDoubleClick() { OnOK(); }

BOOL CKVSpaceballConfigDlgImpl::KeyDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    placeAt(*this, m_at);
    return TRUE;
}

// Every key goes to the dialog, not to its controls: the first press names the key, its release
// ends the dialog.
BOOL CKVSpaceballConfigDlgImpl::KeyDialog::PreTranslateMessage(MSG* message) {
    switch (message->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            m_key = static_cast<BYTE>(message->wParam);
            m_keyData = static_cast<UINT>(message->lParam);
            return TRUE;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            m_allModes = IsDlgButtonChecked(kAllModes) == BST_CHECKED;
            EndDialog(IDOK);
            return TRUE;
        default: return CDialog::PreTranslateMessage(message);
    }
}
