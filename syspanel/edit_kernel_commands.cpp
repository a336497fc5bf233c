#include "syspanel/edit_kernel_commands.h"

#include "platform/kernel.h"
#include "syspanel/edit_whole_text.h"
#include "syspanel/panel_parameters.h"
#include "syspanel/syspanel_edit.h"

namespace {
constexpr int kTextOutput = 2;
}  // namespace

void RunInsertVariable(CSyspanelEdit& control) {
    KVDocument* document = GetControlDocument(&control);
    if (!document) return;
    int index = -1;
    CString name;
    if (!LTModuleProxy::Instance().InsertVariableDialog(document, kTextOutput, index, name)) return;
    if (index < 0 || name.IsEmpty()) return;
    ReplaceWholeEditText(control, name);
    FocusEdit(control);
}

void RunTextModule(CSyspanelEdit& control) {
    KVDocument* document = GetControlDocument(&control);
    if (!document) return;
    CString text;
    if (!LTModuleProxy::Instance().TextModule(document, control.GetEditText(), text)) return;
    ReplaceWholeEditText(control, text);
}

void RunAngleInfo(CSyspanelEdit& control) {
    CString degrees;
    if (!CKVBasicEdit::GetAngleInfo(control.GetEditText(), degrees)) return;
    ReplaceWholeEditText(control, degrees);
    control.SetModify(TRUE);
}
