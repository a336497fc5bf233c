// The toolkit's control collections, at their least.
#pragma once

#include "platform/mfc.h"

// The controls of one command bar.
class CXTPControls : public CCmdTarget {
public:
    CXTPControls() = default;
    // Records the present controls as the set a reset of the bar returns to.
    void CreateOriginalControls();
    bool HasOriginalControls() const { return hasOriginal_; }

private:
    bool hasOriginal_ = false;
};
