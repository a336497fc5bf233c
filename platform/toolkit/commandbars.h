// The toolkit's command bars, at their least: a bar holds its controls.
#pragma once

#include "platform/mfc.h"
#include "platform/toolkit/controls.h"

class CXTPCommandBar : public CWnd {
public:
    CXTPCommandBar() = default;
    CXTPControls* GetControls() { return &controls_; }
    const CXTPControls* GetControls() const { return &controls_; }

private:
    CXTPControls controls_;
};

// The classic menu bar.
class CXTPMenuBar : public CXTPCommandBar {
public:
    CXTPMenuBar() = default;
};
