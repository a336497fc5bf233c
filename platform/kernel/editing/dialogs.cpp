#include "platform/kernel/editing/dialogs.h"

IMPLEMENT_DYNAMIC(CKorvoXTPDialog, CDialog)
IMPLEMENT_DYNAMIC(CKVBasicEditEx, CWnd)

IMPLEMENT_DYNAMIC(CKVWindowList, CDialog)

CKVWindowList::CKVWindowList(CMDIFrameWnd* frame) : CDialog(0, frame), frame_(frame) {
    platform::mfc::DialogTemplate dialog;
    dialog.caption = L"Windows";
    dialog.size = SIZE{360, 260};
    dialog.controls.push_back({kListId, L"LISTBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, L"",
                               RECT{10, 10, 340, 200}});
    dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"Activate",
                               RECT{170, 214, 250, 238}});
    dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Close",
                               RECT{260, 214, 340, 238}});
    SetInlineTemplate(std::move(dialog), L"dialogs.window_list");
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
