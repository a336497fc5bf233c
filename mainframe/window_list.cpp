#include "mainframe/window_list.h"

BOOL CMainFrameWindowList::OnInitDialog() {
    const BOOL result = CKVWindowList::OnInitDialog();
    if (workbook_)
        for (const int id : kArrangeButtons)
            if (CWnd* button = GetDlgItem(id)) button->ShowWindow(SW_HIDE);
    return result;
}

void CMainFrameWindowList::OnSelectionChanged() {
    bool savable = false;
    for (CWnd* window : GetSelectedWindows()) {
        auto* child = dynamic_cast<CMDIChildWnd*>(window);
        savable = savable || (child && dynamic_cast<CKvw32Doc*>(child->GetActiveDocument()));
    }
    if (CWnd* save = GetDlgItem(kSaveButton)) save->EnableWindow(savable ? TRUE : FALSE);
}
