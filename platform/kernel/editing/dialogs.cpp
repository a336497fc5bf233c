#include "platform/kernel/editing/dialogs.h"

IMPLEMENT_DYNAMIC(CKorvoXTPDialog, CDialog)
IMPLEMENT_DYNAMIC(CKVBasicEditEx, CWnd)

IMPLEMENT_DYNAMIC(CKVWindowList, CDialog)

CKVWindowList::CKVWindowList(CMDIFrameWnd* frame) : CDialog(0, frame), frame_(frame) {
    SetInlineTemplate(platform::mfc::listChoiceTemplate(L"Windows", kListId, L"Activate", L"Close"),
                      L"dialogs.window_list");
}

BOOL CKVWindowList::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND list = ::GetDlgItem(m_hWnd, kListId);
    const HWND client = frame_ ? frame_->m_hWndMDIClient : nullptr;
    for (HWND child = client ? ::GetTopWindow(client) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CString title;
        if (CWnd* window = CWnd::FromHandlePermanent(child)) window->GetWindowText(title);
        windows_.push_back(child);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.GetString()));
    }
    return TRUE;
}

void CKVWindowList::OnOK() {
    const LRESULT selected = ::SendMessageW(::GetDlgItem(m_hWnd, kListId), LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR && frame_ && static_cast<std::size_t>(selected) < windows_.size())
        frame_->MDIActivate(CWnd::FromHandlePermanent(windows_[static_cast<std::size_t>(selected)]));
    CDialog::OnOK();
}
