#include "platform/mfc/dialogs/propsheet.h"

#include "platform/core/record.h"
#include "platform/win32/controls/propsheet_messages.h"

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;

}  // namespace

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* pParentWnd, UINT iSelectPage)
    : CDialog(0, pParentWnd), m_caption(caption ? caption : L""), m_active(iSelectPage) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page) return;
    page->m_pSheet = this;
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return m_active < m_pages.size() ? m_pages[m_active] : nullptr;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty()) {
        platform::core::reportFailure(L"CPropertySheet::DoModal: the sheet has no pages");
        return -1;
    }
    if (m_active >= m_pages.size()) m_active = 0;
    // The sheet is as large as its largest page, with its buttons below.
    SIZE page{};
    for (CPropertyPage* each : m_pages) {
        const auto found = each->FindTemplate();
        if (const auto* problem = std::get_if<std::wstring>(&found)) {
            platform::core::reportFailure(L"CPropertySheet::DoModal(" + std::to_wstring(each->GetTemplateID()) + L"): " +
                                          *problem);
            return -1;
        }
        const SIZE size = std::get<platform::mfc::DialogTemplate>(found).size;
        page.cx = std::max(page.cx, size.cx);
        page.cy = std::max(page.cy, size.cy);
    }
    platform::mfc::DialogTemplate sheet;
    // Expected by the page it opens on.
    sheet.id = m_pages[m_active]->GetTemplateID();
    sheet.caption = m_caption;
    sheet.size = SIZE{page.cx + 2 * kMargin, page.cy + 3 * kMargin + kButtonHeight};
    const int top = page.cy + 2 * kMargin;
    const int right = sheet.size.cx - kMargin;
    sheet.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK",
                              RECT{right - 2 * kButtonWidth - kMargin, top, right - kButtonWidth - kMargin, top + kButtonHeight}});
    sheet.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Cancel",
                              RECT{right - kButtonWidth, top, right, top + kButtonHeight}});
    m_nIDTemplate = sheet.id;
    SetInlineTemplate(std::move(sheet), std::wstring());
    return CDialog::DoModal();
}

BOOL CPropertySheet::OnInitDialog() {
    CPropertyPage* page = GetActivePage();
    if (page && !page->CreateChild(m_hWnd, kMargin, kMargin)) {
        platform::core::reportFailure(L"CPropertySheet: page " + std::to_wstring(page->GetTemplateID()) +
                                      L" cannot be made");
    }
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_pages.size()) return FALSE;
    if (static_cast<UINT>(index) == m_active) return TRUE;
    if (!m_hWnd) {
        m_active = static_cast<UINT>(index);
        return TRUE;
    }
    CPropertyPage* shown = GetActivePage();
    if (shown && shown->GetSafeHwnd() && !shown->OnKillActive()) return FALSE;
    if (shown && shown->GetSafeHwnd()) shown->DestroyWindow();
    m_active = static_cast<UINT>(index);
    CPropertyPage* page = GetActivePage();
    if (!page->CreateChild(m_hWnd, kMargin, kMargin)) {
        platform::core::reportFailure(L"CPropertySheet: page " + std::to_wstring(page->GetTemplateID()) + L" cannot be made");
        return FALSE;
    }
    return page->OnSetActive();
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PSM_SETCURSELID) {
        for (std::size_t i = 0; i < m_pages.size(); ++i)
            if (m_pages[i]->GetTemplateID() == static_cast<UINT>(lParam)) return SetActivePage(static_cast<int>(i));
        return FALSE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CPropertySheet::OnOK() {
    if (CPropertyPage* page = GetActivePage(); page && page->GetSafeHwnd() && !page->OnApply()) return;
    EndDialog(IDOK);
}
