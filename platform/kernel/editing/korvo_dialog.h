// The kernel's base of the program's plain dialogs (those without the toolkit's look): the
// framework's dialog made from the product's template.
#pragma once

#include "platform/mfc.h"

class CKorvoDialog : public CDialog {
public:
    explicit CKorvoDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
};
