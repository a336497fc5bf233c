// The toolkit's resizable dialog: each control given anchors keeps, as the dialog grows or
// shrinks, the share of the change its anchors give: its top-left corner follows the size change
// by (left, top), its bottom-right corner by (right, bottom), each from 0 to 1.
#pragma once

#include <vector>

#include "platform/mfc.h"

struct XTP_RESIZEPOINT {
    double x = 0;
    double y = 0;
};

class CXTPResizeDialog : public CDialog {
public:
    using CDialog::CDialog;
    // Takes the control's place now as its place at the dialog's present size; FALSE when the
    // dialog has no such control.
    BOOL SetResize(int id, XTP_RESIZEPOINT topLeft, XTP_RESIZEPOINT bottomRight);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Anchored {
        int id;
        XTP_RESIZEPOINT topLeft, bottomRight;
        RECT rect;    // in the dialog's client area, at `base`
        SIZE base;    // the client size when the anchors were set
    };
    void arrange();
    std::vector<Anchored> anchored_;
};
