// A control window of a dialog used as a link: it takes the dialog's control over and destroys
// its window with itself.
#pragma once

#include "platform/mfc.h"

class CLinkCtrl : public CWnd {
public:
    CLinkCtrl() = default;
    ~CLinkCtrl() override {
        if (GetSafeHwnd()) DestroyWindow();
    }
    CLinkCtrl(const CLinkCtrl&) = delete;
    CLinkCtrl& operator=(const CLinkCtrl&) = delete;
};
