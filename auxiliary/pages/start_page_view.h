// The start page: a document whose one view hosts the managed start-page control and keeps it
// in step with the recent-file list, the theme and the prototype folder.
#pragma once

#include "auxiliary/start_page.h"
#include "platform/managedui.h"
#include "platform/mfc.h"

class CStartPageDocument : public CDocument {
    DECLARE_DYNCREATE(CStartPageDocument)
};

class CManagedStartPage : public CView, public IStartPageView, public KorvoManagedUIProxy::IStartPageCallback {
    DECLARE_DYNCREATE(CManagedStartPage)
public:
    HWND GetControl() const { return m_control; }

    void OnRecentDocumentAdded(int removedIndex) override;
    void OnRecentDocumentRemoved(int index) override;
    void OnRecentDocumentPinStateChanged(int index) override;
    void SetTheme(int themeNumber) override;
    void SetPrototypeFolder(const CString& folder, bool refresh) override;

    void OpenRecentDocument(unsigned index, bool closeAfterOpen) override;
    void RemoveRecentDocument(unsigned index) override;
    void SetRecentDocumentPinned(unsigned index, bool pinned) override;
    void OpenDocument(bool closeAfterOpen) override;
    void Reserved() override {}
    void CreateDocumentFromPrototype(LPCWSTR path, bool closeAfterOpen) override;
    void SetShowOption(bool show) override;
    bool ExecuteLink(LPCWSTR url) override;

    void OnDraw(CDC*) override {}
    // Both page views: no CAD document is current while a page is.
    void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg LRESULT OnClosePage(WPARAM, LPARAM);

private:
    // Closes the page once the control's callback has returned, when a document became active.
    void CloseAfterOpen(bool close);

    HWND m_control = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Tells the UI module that `view` (a page view) is the active view, and that no CAD document is.
void ActivatePageView(CView* view);
