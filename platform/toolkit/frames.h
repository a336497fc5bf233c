// The toolkit's frame windows.
#pragma once

#include "platform/mfc.h"

// The toolkit's MDI main frame (the base of the UI library's main frames).
class CXTPMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CXTPMDIFrameWnd)
public:
    CXTPMDIFrameWnd() = default;
};
