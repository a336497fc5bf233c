// The main frame's window list: the kernel's dialog with the frame's rules for its buttons.
#pragma once

#include "platform/kernel.h"

class CMainFrameWindowList : public CKVWindowList {
public:
    // `workbook`: the frame shows its document windows as tabs, which cannot be arranged.
    CMainFrameWindowList(CMDIFrameWnd* frame, bool workbook) : CKVWindowList(frame), workbook_(workbook) {}
    BOOL OnInitDialog() override;

protected:
    // Save is offered only for a window that shows one of the kernel's documents.
    void OnSelectionChanged() override;

private:
    bool workbook_;
};
