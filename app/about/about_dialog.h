// The About box (template 183): the registered owner, the version block, the product and web
// links and the product's texts; its own commands are the support request, the statistics
// behind the product link and the web link.
#pragma once

#include "app/about/link_ctrl.h"
#include "platform/mfc.h"

class CAboutDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 183;
    CAboutDlg() : CDialog(kTemplate) {}
    ~CAboutDlg() override;

    // The statistics text of the product link, for the active frame's image manager (null:
    // none): the named system commands, their icons and every icon set, raster and vector apart.
    static CString CommandStatistics(const class CXTPImageManager* images);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSupportRequest();
    afx_msg void OnProductLink();
    afx_msg void OnWebLink(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void ShowOwner();
    void ShowVersion();
    void PutWebLink();
    void ReplacePlaceholders();

    CLinkCtrl productLink_;
    HICON icon_ = nullptr;
};
