// The maker's clipboard helper: text put on the process's clipboard.
#pragma once

#include "platform/mfc.h"

namespace Korvo {

class ClipboardManager {
public:
    // Empties the clipboard; false when it cannot be opened.
    bool Clear();
    bool SetText(const CString& text);
    // The text on the clipboard (empty when none).
    static CString GetText();
};

}  // namespace Korvo
