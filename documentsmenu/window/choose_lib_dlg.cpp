#include "documentsmenu/window/choose_lib_dlg.h"

INT_PTR CChooseLibDlg::DoModal() {
    library_ = nullptr;
    return IDCANCEL;
}
