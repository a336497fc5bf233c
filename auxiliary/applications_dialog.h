// The add-on applications dialog (the user loads and unloads add-on applications). The dialog
// itself comes with the add-on application dialogs' own work; until then running it is logged
// and shows nothing.
#pragma once

#include "platform/mfc.h"

// Runs the dialog modally over `parent`; the dialog's answer (IDCANCEL while it does not exist).
INT_PTR RunApplicationsDialog(CWnd* parent);
