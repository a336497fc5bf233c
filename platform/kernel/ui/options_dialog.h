// The UI module's generic options dialog: a dialog template whose radio groups are bound to
// integer values (the index of the checked button in its group).
#pragma once

#include <vector>

#include "platform/mfc.h"

struct OptionsRadioBinding {
    int firstId = 0;       // the group's first radio button
    int* value = nullptr;  // read into the group when it opens, written back on OK
};

// Runs dialog `templateId` modally over `parent`; what DoModal answered (1 for OK). The values
// change only on OK.
INT_PTR RunOptionsDialog(UINT templateId, const std::vector<OptionsRadioBinding>& bindings, CWnd* parent);
