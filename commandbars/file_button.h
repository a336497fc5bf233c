// A command button bound to a document file: the file is the control's parameter, and the button
// shows the file's icon once the kernel has found it.
#pragma once

#include "platform/toolkit.h"

namespace Korvo::UI {

class FileButton : public CXTPControlButton {
    DECLARE_DYNCREATE(FileButton)
public:
    FileButton() = default;
    // Looks the icon up at the first update pass only: the kernel's search walks its folders,
    // too slow for every idle pass, and a file missing then stays without an icon.
    void OnIdleUpdate() override;
    bool WasIconLookedUp() const { return iconLookedUp_; }

private:
    bool iconLookedUp_ = false;
};

}  // namespace Korvo::UI
