#include "syspanel/edit_whole_text.h"

#include "syspanel/syspanel_edit.h"

void ReplaceWholeEditText(CSyspanelEdit& control, const CString& text) {
    control.SetEditText(text);
    control.SetModify(TRUE);
}

void FocusEdit(CSyspanelEdit& control) {
    if (!control.IsFocused()) control.OnSetFocus();
}
