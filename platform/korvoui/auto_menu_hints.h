// The auto-menu controller's hints: the status-line text of an auto-menu command (6001-6999).
#pragma once

#include "platform/mfc.h"

namespace Korvo::UI {

class AutoMenuControllerBase {
public:
    // The hint for `id`; empty when there is no controller or it has no hint for the id.
    static CString GetCmdHint(UINT id);
};

}  // namespace Korvo::UI
