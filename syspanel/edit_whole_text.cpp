#include "syspanel/edit_whole_text.h"

#include "syspanel/syspanel_edit.h"

void ReplaceWholeEditText(CSyspanelEdit& control, const CString& text) {
    CSyspanelEditCtrl* window = control.GetSyspanelEditCtrl();
    if (!window) {
        control.SetEditText(text);
        return;
    }
    window->ReplaceWholeText(text);
    window->SetModify(TRUE);
}

void FocusEdit(CSyspanelEdit& control) {
    if (CSyspanelEditCtrl* window = control.GetSyspanelEditCtrl()) window->SetFocus();
}
