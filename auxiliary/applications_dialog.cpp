#include "auxiliary/applications_dialog.h"

#include "platform/diagnostics.h"

INT_PTR RunApplicationsDialog(CWnd*) {
    KVLog_Write(6, L"The add-on applications dialog is not available");
    return IDCANCEL;
}
