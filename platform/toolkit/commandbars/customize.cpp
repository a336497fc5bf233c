#include "platform/toolkit/commandbars/customize.h"

#include <algorithm>
#include <set>
#include <string>

#include "platform/mfc/dialogs/dialog_templates.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/controls/propsheet_messages.h"

IMPLEMENT_DYNAMIC(CXTPCustomizeSheet, CPropertySheet)
IMPLEMENT_DYNAMIC(CXTPCustomizeCategoriesPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CXTPCustomizeKeyboardPage, CXTPCustomizeCategoriesPage)
IMPLEMENT_DYNAMIC(CXTPCustomizeCommandsPage, CXTPCustomizeCategoriesPage)

namespace {

constexpr int kTabMargin = 8;
constexpr int kTabWidth = 56;
constexpr int kTabHeight = 24;

void releaseControls(CXTPControls* controls) {
    if (controls) controls->InternalRelease();
}

platform::mfc::DialogTemplate categoriesTemplate(UINT id, LPCWSTR caption) {
    platform::mfc::DialogTemplate page;
    page.id = id;
    page.caption = caption;
    page.size = SIZE{460, 300};
    const DWORD list = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
    page.controls.push_back({XTP_IDC_LIST_CATEGORIES, L"LISTBOX", list, L"", RECT{8, 8, 160, 292}});
    page.controls.push_back({XTP_IDC_LIST_COMMANDS, L"LISTBOX", list, L"", RECT{168, 8, 452, 292}});
    return page;
}

LRESULT sendToItem(const CWnd& page, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* item = page.GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

CString withoutMnemonics(CString caption) {
    caption.Replace(L"&&", L"\x1");
    caption.Remove(L'&');
    caption.Replace(L"\x1", L"&");
    return caption;
}

// Clones the captioned sub-controls of `bar` into `into`, captioned by their path.
void addPopupControls(CXTPControls& into, CXTPCommandBar* bar, const CString& path, BOOL withPopups, int depth) {
    if (!bar || depth > 32) return;
    CXTPControls* controls = bar->GetControls();
    for (int index = 0; controls && index < controls->GetCount(); ++index) {
        CXTPControl* control = controls->GetAt(index);
        if (!control || control->GetCaption().IsEmpty()) continue;
        const CString caption = path + L" | " + withoutMnemonics(control->GetCaption());
        CXTPCommandBar* popup = control->GetCommandBar();
        if (!popup || withPopups) {
            if (CXTPControl* clone = into.AddClone(control)) clone->SetCaption(caption);
        }
        if (popup) addPopupControls(into, popup, caption, withPopups, depth + 1);
    }
}

}  // namespace

CXTPCustomizeSheet::CXTPCustomizeSheet(CXTPCommandBars* commandBars, LPCWSTR caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage), commandBars_(commandBars) {}

void CXTPCustomizeSheet::AddPage(CPropertyPage* page) {
    if (!page) return;
    CPropertySheet::AddPage(page);
    pages_.push_back(page);
}

int CXTPCustomizeSheet::GetShownIndex() const {
    const auto it = std::find(pages_.begin(), pages_.end(), GetShownPage());
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

BOOL CXTPCustomizeSheet::OnInitDialog() {
    CPropertySheet::OnInitDialog();
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    tabs_ = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, kTabMargin,
                              client.bottom - kTabMargin - kTabHeight, kTabWidth * 4, kTabHeight, m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(XTP_IDC_SHEET_TABS)), nullptr, nullptr);
    for (CPropertyPage* page : pages_) {
        const std::wstring name = std::to_wstring(page->GetTemplateID());
        ::SendMessageW(tabs_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    OnShownPageChanged();
    return TRUE;
}

bool CXTPCustomizeSheet::ShowPage(CPropertyPage* page) {
    CPropertyPage* shown = GetShownPage();
    if (!page || page == shown) return page != nullptr;
    if (shown && shown->GetSafeHwnd()) {
        if (!shown->OnKillActive()) return false;
        shown->ShowWindow(SW_HIDE);
    }
    auto restore = [&] {
        if (shown && shown->GetSafeHwnd()) shown->ShowWindow(SW_SHOW);
        return false;
    };
    if (!page->GetSafeHwnd()) {
        if (!page->Create(page->GetTemplateID(), this)) return restore();
        RECT rect{};
        ::GetWindowRect(page->GetSafeHwnd(), &rect);
        ::SetParent(page->GetSafeHwnd(), m_hWnd);
        ::SetWindowLongPtrW(page->GetSafeHwnd(), GWL_STYLE, WS_CHILD);
        // Named by its template, as the sheet's own pages are.
        ::SetWindowLongPtrW(page->GetSafeHwnd(), GWLP_ID, static_cast<LONG_PTR>(page->GetTemplateID()));
        ::MoveWindow(page->GetSafeHwnd(), kTabMargin, kTabMargin, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    }
    if (!page->OnSetActive()) {
        page->ShowWindow(SW_HIDE);
        return restore();
    }
    page->ShowWindow(SW_SHOW);
    shown_ = page;
    OnShownPageChanged();
    return true;
}

BOOL CXTPCustomizeSheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(lParam);
    if (control && control == tabs_) {
        const auto index = static_cast<int>(::SendMessageW(tabs_, LB_GETCURSEL, 0, 0));
        if (HIWORD(wParam) == LBN_SELCHANGE && index >= 0 && index < static_cast<int>(pages_.size()))
            ShowPage(pages_[static_cast<std::size_t>(index)]);
        return TRUE;
    }
    const HWND parent = control ? ::GetParent(control) : nullptr;
    if (parent && parent != m_hWnd && ::GetParent(parent) == m_hWnd) {
        ::SendMessageW(parent, WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

LRESULT CXTPCustomizeSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != PSM_SETCURSELID) return CPropertySheet::WindowProc(message, wParam, lParam);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i]->GetTemplateID() != static_cast<UINT>(lParam)) continue;
        if (tabs_) ::SendMessageW(tabs_, LB_SETCURSEL, i, 0);
        return ShowPage(pages_[i]) ? TRUE : FALSE;
    }
    return FALSE;
}

void CXTPCustomizeSheet::OnOK() {
    if (CPropertyPage* shown = GetShownPage(); shown && shown != GetActivePage() && shown->GetSafeHwnd() && !shown->OnApply())
        return;
    CPropertySheet::OnOK();
}

CXTPCustomizeCategoriesPage::CXTPCustomizeCategoriesPage(UINT templateId, LPCWSTR caption) : CPropertyPage(templateId) {
    SetInlineTemplate(categoriesTemplate(templateId, caption), std::wstring());
}

CXTPControls* CXTPCustomizeCategoriesPage::FindControls(LPCWSTR name) const {
    for (const Category& category : categories_)
        if (category.name == name) return category.controls.get();
    return nullptr;
}

CXTPControls* CXTPCustomizeCategoriesPage::GetControls(LPCWSTR name) {
    if (CXTPControls* found = FindControls(name)) return found;
    categories_.push_back(Category{name, {new CXTPControls, releaseControls}});
    return categories_.back().controls.get();
}

void CXTPCustomizeCategoriesPage::AddCategories(CXTPCommandBar* menuBar, BOOL withPopups) {
    CXTPControls* top = menuBar ? menuBar->GetControls() : nullptr;
    for (int index = 0; top && index < top->GetCount(); ++index) {
        CXTPControl* control = top->GetAt(index);
        if (!control) continue;
        const CString name = withoutMnemonics(control->GetCaption());
        CXTPControls* category = GetControls(name);
        if (CXTPCommandBar* popup = control->GetCommandBar()) addPopupControls(*category, popup, name, withPopups, 0);
        else category->AddClone(control);
    }
}

BOOL CXTPCustomizeCategoriesPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (const Category& category : categories_)
        sendToItem(*this, XTP_IDC_LIST_CATEGORIES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category.name.GetString()));
    return TRUE;
}

BOOL CXTPCustomizeCategoriesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == XTP_IDC_LIST_CATEGORIES && HIWORD(wParam) == LBN_SELCHANGE) {
        ShowCategory(static_cast<int>(sendToItem(*this, XTP_IDC_LIST_CATEGORIES, LB_GETCURSEL, 0, 0)));
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CXTPCustomizeCategoriesPage::ShowCategory(int index) {
    sendToItem(*this, XTP_IDC_LIST_COMMANDS, LB_RESETCONTENT, 0, 0);
    if (index < 0 || index >= static_cast<int>(categories_.size())) return;
    const CXTPControls& controls = *categories_[static_cast<std::size_t>(index)].controls;
    for (int each = 0; each < controls.GetCount(); ++each) {
        const CString caption = withoutMnemonics(controls.GetAt(each)->GetCaption());
        sendToItem(*this, XTP_IDC_LIST_COMMANDS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.GetString()));
    }
}

CXTPCustomizeKeyboardPage::CXTPCustomizeKeyboardPage(CXTPCustomizeSheet*)
    : CXTPCustomizeCategoriesPage(XTP_IDD_PAGE_KEYBOARD, L"Keyboard") {}

CXTPCustomizeCommandsPage::CXTPCustomizeCommandsPage(CXTPCustomizeSheet*)
    : CXTPCustomizeCategoriesPage(XTP_IDD_PAGE_COMMANDS, L"Commands") {}

CXTPControls* CXTPCustomizeCommandsPage::InsertAllCommandsCategory() {
    const CString name = XTPResourceString(XTP_IDS_ALL_COMMANDS);
    std::set<int> ids;
    std::vector<CXTPControl*> sources;
    for (const Category& category : GetCategories())
        for (int index = 0; index < category.controls->GetCount(); ++index)
            if (CXTPControl* control = category.controls->GetAt(index); control && ids.insert(control->GetID()).second)
                sources.push_back(control);
    CXTPControls* all = GetControls(name);
    for (CXTPControl* control : sources) all->AddClone(control);
    return all;
}

CXTPControls* CXTPCustomizeCommandsPage::InsertNewMenuCategory() {
    const CString name = XTPResourceString(XTP_IDS_NEW_MENU);
    CXTPControls* category = GetControls(name);
    if (category->GetCount() == 0)
        if (CXTPControl* menu = category->Add(xtpControlPopup, 0)) menu->SetCaption(name);
    return category;
}
