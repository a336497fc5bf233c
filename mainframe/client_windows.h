// The main frame's MDI client in its two forms: the document tabs (workbook mode) and the plain
// MDI client (outside workbook mode). Each takes over the frame's MDI client window while in use.
#pragma once

#include "platform/toolkit.h"

class CKVTabClientWnd : public CXTPTabClientWnd {
public:
    CKVTabClientWnd() = default;
    // Reads the tab settings saved by an earlier run; false when the client is not attached.
    bool LoadState();
};

class CKVMDIClientWnd : public CWnd {
public:
    CKVMDIClientWnd() = default;
    ~CKVMDIClientWnd() override;
    // Takes over `frame`'s MDI client window; false when it has none or one is taken.
    bool Attach(CMDIFrameWnd* frame);
    void Detach();

protected:
    // The client stays a window of the frame when the object lets it go.
    void PostNcDestroy() override {}
};
