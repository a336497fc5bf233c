// The PDM work-mix page: a document whose view hosts the page window the PDM client makes for
// the kernel's work-mix address; the page gives the tab its icon and title.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

class CWorkmixPageDocument : public CDocument {
    DECLARE_DYNCREATE(CWorkmixPageDocument)
public:
    const CString& GetPageTitle() const { return m_pageTitle; }
    void SetPageTitle(const CString& title) { m_pageTitle = title; }

private:
    CString m_pageTitle;
};

class CWorkmixPageView : public CView {
    DECLARE_DYNCREATE(CWorkmixPageView)
public:
    ~CWorkmixPageView() override;

    // Makes the page when there is none (while connected) and puts its window, icon and title
    // into the view; PDM failures are reported and leave the view as it was. Always true.
    bool AttachPage();
    // Destroys the page's window and the view's icon and lets the page go; the tab shows the
    // view's own icon again.
    void DetachPage();
    KVPDMPage* GetPage() const { return m_page; }

    void OnDraw(CDC*) override {}
    void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;

    // The live views, in no particular order.
    static std::vector<CWorkmixPageView*> OpenViews();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);

private:
    CWorkmixPageView();
    // The view's icon becomes `icon` (the old one is destroyed first) and the tab shows it.
    void ShowIcon(HICON icon);
    // The view's own icon, when the page gave none.
    void ShowDefaultIcon();

    KVPDMPage* m_page = nullptr;
    CString m_pageUrl;
    HICON m_icon = nullptr;

    DECLARE_MESSAGE_MAP()
};
