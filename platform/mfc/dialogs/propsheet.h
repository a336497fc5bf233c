// Property sheets: a modal dialog with an OK and a Cancel button that shows one page at a time,
// each page a child dialog made from its own template. The simulated user expects a sheet by the
// template id of its first page; its actions reach the controls of the page shown, and `ok` and
// `cancel` press the sheet's own buttons.
#pragma once

#include <vector>

#include "platform/mfc/dialogs/dialog.h"

class CPropertySheet;

// A page of a sheet (or of another host that shows one page at a time, which makes its window
// itself): told when it becomes the shown page and when it stops being it.
class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() : CDialog(0) {}
    explicit CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}
    // FALSE refuses: the page is not shown.
    virtual BOOL OnSetActive() { return TRUE; }
    // FALSE refuses: the page stays shown.
    virtual BOOL OnKillActive() { return TRUE; }
    // The sheet the page is shown in, or null before it is.
    CPropertySheet* GetParentSheet() const { return m_pSheet; }
    // The sheet's OK: TRUE lets the sheet close.
    virtual BOOL OnApply() { return TRUE; }

private:
    friend class CPropertySheet;
    CPropertySheet* m_pSheet = nullptr;
};

class CPropertySheet : public CDialog {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(LPCWSTR caption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    // Pages are the caller's; they must outlive the sheet's DoModal.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetActivePage() const;
    // Shows page `index` (the shown page may refuse to go); FALSE when it is not shown.
    BOOL SetActivePage(int index);
    // Made from the first page's template id, so a user expects the sheet by it; -1 without pages.
    INT_PTR DoModal() override;

protected:
    BOOL OnInitDialog() override;
    // PSM_SETCURSELID: the page by its template id.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    std::wstring m_caption;
    std::vector<CPropertyPage*> m_pages;
    UINT m_active;
};
