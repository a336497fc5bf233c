// The About box (template 183): its own commands. Its contents come with the splash and dialogs
// work; here are the support request, the statistics behind the product link and the web link.
#pragma once

#include "platform/mfc.h"

class CAboutDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 183;
    CAboutDlg() : CDialog(kTemplate) {}

    // The statistics text of the product link, for the active frame's image manager (null:
    // none): the named system commands, their icons and every icon set, raster and vector apart.
    static CString CommandStatistics(const class CXTPImageManager* images);

protected:
    afx_msg void OnSupportRequest();
    afx_msg void OnProductLink();
    afx_msg void OnWebLink(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()
};
