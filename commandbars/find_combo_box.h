// The find box of command 1251: selects a drawing element of the active view by its name, and
// offers the names found before in the current document.
#pragma once

#include "platform/toolkit.h"

class CFindComboBox : public CXTPControlComboBox {
    DECLARE_DYNCREATE(CFindComboBox)
public:
    static constexpr int kCommand = 1251;
    CFindComboBox();
    void OnExecute() override;
    void OnSelChanged() override { Find(); }
    // The list shows the current document's find history, the most recent first.
    void OnSetFocus() override;

private:
    // Whatever happens, the box is emptied and the keyboard goes back to the main frame, so the
    // next keys reach the drawing.
    void Find();
};
