#include "platform/korvoui/file_selection_dialog.h"

#include "platform/textcore.h"

namespace Korvo::UI {

IMPLEMENT_DYNAMIC(FileSelectionDialog, CDialog)

FileSelectionDialog::FileSelectionDialog(CWnd* parent, LPCWSTR localisationId) : CDialog(0, parent) {
    platform::mfc::DialogTemplate dialog;
    dialog.caption = Korvo::I18n::Translate(localisationId).GetString();
    dialog.size = SIZE{360, 260};
    dialog.controls.push_back({kListId, L"LISTBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, L"",
                               RECT{10, 10, 340, 200}});
    dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK",
                               RECT{170, 214, 250, 238}});
    dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Cancel",
                               RECT{260, 214, 340, 238}});
    SetInlineTemplate(std::move(dialog), localisationId);
}

BOOL FileSelectionDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND list = ::GetDlgItem(m_hWnd, kListId);
    for (const CString& row : rows_) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.GetString()));
    return TRUE;
}

void FileSelectionDialog::OnOK() {
    const LRESULT selected = ::SendMessageW(::GetDlgItem(m_hWnd, kListId), LB_GETCURSEL, 0, 0);
    selected_ = selected == LB_ERR ? -1 : static_cast<int>(selected);
    CDialog::OnOK();
}

}  // namespace Korvo::UI
