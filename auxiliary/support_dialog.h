// The support and contact dialog: the mail address and web addresses its template shows become
// links; the mail link prepares a technical-support request, a web link opens in the shell.
#pragma once

#include "platform/mfc.h"

class CSupportDialog : public CDialog {
public:
    static constexpr UINT kTemplate = 1400;
    static constexpr int kMailLink = 5556;
    static constexpr int kWebLink = 5555;

    CSupportDialog() : CDialog(kTemplate) {}

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnMailLink(NMHDR* header, LRESULT* result);
    afx_msg void OnWebLink(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // Puts a link with `markup` over `child` (which is hidden); false when it cannot be made.
    bool ReplaceByLink(HWND child, int id, const CString& markup);

    HWND mailLink_ = nullptr;
};

// Runs the dialog modally, without a parent.
INT_PTR RunSupportDialog();
