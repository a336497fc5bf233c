#include "platform/korvoui/file_selection_dialog.h"

#include "platform/textcore.h"

namespace Korvo::UI {

IMPLEMENT_DYNAMIC(FileSelectionDialog, CDialog)

FileSelectionDialog::FileSelectionDialog(CWnd* parent, LPCWSTR localisationId) : CDialog(0, parent) {
    SetInlineTemplate(platform::mfc::listChoiceTemplate(Korvo::I18n::Translate(localisationId).GetString(), kListId,
                                                        L"OK", L"Cancel"),
                      localisationId);
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
