// The kernel's dialog bases for the program's own dialogs: the dialog with the product's look
// and the edit its dialogs use for numbers. The look is not modelled; both behave as the
// framework's dialog and a plain edit control.
#pragma once

#include <vector>

#include "platform/mfc.h"

class CKorvoXTPDialog : public CDialog {
    DECLARE_DYNAMIC(CKorvoXTPDialog)
public:
    explicit CKorvoXTPDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
};

// An edit control of a kernel dialog, tied to the template's "EDIT" control (DDX_Control).
class CKVBasicEditEx : public CWnd {
    DECLARE_DYNAMIC(CKVBasicEditEx)
public:
    CKVBasicEditEx() = default;
};

// The kernel's window-list dialog: the document windows of a main frame in a list; OK makes the
// selected one the active window.
class CKVWindowList : public CDialog {
    DECLARE_DYNAMIC(CKVWindowList)
public:
    static constexpr int kListId = 1000;
    explicit CKVWindowList(CMDIFrameWnd* frame);
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CMDIFrameWnd* frame_;
    std::vector<HWND> windows_;
};
