#include "syspanel/edit_kernel_commands.h"

#include "platform/kernel.h"
#include "syspanel/panel_parameters.h"
#include "syspanel/syspanel_edit.h"

namespace {

constexpr int kTextOutput = 2;

// Replacing the whole text is undoable and marks the edit modified, as the user's replacement is.
void replaceWholeText(CSyspanelEditCtrl& window, const CString& text) {
    window.ReplaceWholeText(text);
    window.SetModify(TRUE);
}

}  // namespace

void RunInsertVariable(CSyspanelEditCtrl& window, CSyspanelEdit& control) {
    KVDocument* document = GetControlDocument(&control);
    if (!document) return;
    int index = -1;
    CString name;
    if (!LTModuleProxy::Instance().InsertVariableDialog(document, kTextOutput, index, name)) return;
    if (index < 0 || name.IsEmpty()) return;
    replaceWholeText(window, name);
    window.SetFocus();
}

void RunTextModule(CSyspanelEditCtrl& window, CSyspanelEdit& control) {
    KVDocument* document = GetControlDocument(&control);
    if (!document) return;
    CString text;
    if (!LTModuleProxy::Instance().TextModule(document, control.GetEditText(), text)) return;
    replaceWholeText(window, text);
}

void RunAngleInfo(CSyspanelEditCtrl& window, CSyspanelEdit& control) {
    CString degrees;
    if (!CKVBasicEdit::GetAngleInfo(control.GetEditText(), degrees)) return;
    replaceWholeText(window, degrees);
}
