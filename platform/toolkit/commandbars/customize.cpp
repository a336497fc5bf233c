#include "platform/toolkit/commandbars/customize.h"

#include <algorithm>
#include <set>
#include <string>

#include "platform/mfc/dialogs/dialog_templates.h"
#include "platform/toolkit/commandbars/ribbon.h"
#include "platform/toolkit/messages.h"
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

namespace {

// The image the user copied last in customise mode (0: none); one for the program, as the
// clipboard is.
UINT& copiedImage() {
    static UINT id = 0;
    return id;
}

// The button editor: the user draws the image and keeps it (OK) or not.
class CXTPImageEditorDialog : public CDialog {
public:
    explicit CXTPImageEditorDialog(CWnd* parent) : CDialog(0, parent) {}
    INT_PTR DoModal() override {
        platform::mfc::DialogTemplate dialog;
        dialog.caption = L"Button Editor";
        dialog.size = SIZE{260, 200};
        dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK", RECT{80, 160, 160, 184}});
        dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Cancel", RECT{166, 160, 250, 184}});
        SetInlineTemplate(std::move(dialog), L"CXTPImageEditorDialog");
        return CDialog::DoModal();
    }
};

// A new icon of the first free id from XTP_FIRST_CUSTOM_ICON_ID, a copy of `source`'s icons (a
// blank 16-pixel one when it has none); its id.
UINT addCustomIcon(CXTPImageManager& images, UINT source) {
    UINT id = XTP_FIRST_CUSTOM_ICON_ID;
    while (images.GetIconSet(id)) ++id;
    std::vector<CXTPImageManagerIcon*> copies;
    if (const CXTPImageManagerIconSet* set = images.GetIconSet(source))
        for (const auto& [width, icon] : set->GetIcons())
            copies.push_back(icon->GetPixels().empty()
                                 ? new CXTPImageManagerIcon(id, icon->GetWidth(), icon->IsVectorIcon(), icon->GetResourceID())
                                 : new CXTPImageManagerIcon(id, icon->GetWidth(), icon->GetHeight(), icon->GetPixels()));
    if (copies.empty()) copies.push_back(new CXTPImageManagerIcon(id, 16, 16, std::vector<std::uint32_t>(16 * 16, 0)));
    for (CXTPImageManagerIcon* copy : copies) images.SetIcon(id, copy);
    return id;
}

}  // namespace

CXTPCustomizeSheet::~CXTPCustomizeSheet() { SelectControl(nullptr); }

void CXTPCustomizeSheet::SelectControl(CXTPControl* control) {
    if (control) control->InternalAddRef();
    if (selected_) selected_->InternalRelease();
    selected_ = control;
}

CXTPControl* CXTPCustomizeSheet::GetSelectedControl() const {
    return commandBars_ && commandBars_->IsCustomizeMode() ? selected_ : nullptr;
}

void CXTPCustomizeSheet::ShowControlMenu(CXTPControl* control) {
    if (!commandBars_ || !control || !commandBars_->IsCustomizeMode()) return;
    SelectControl(control);
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(commandBars_);
    const struct {
        UINT id;
        const wchar_t* caption;
        bool enabled;
    } items[] = {{XTP_ID_CUSTOMIZE_NAME, L"Name...", true},
                 {XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE, L"Copy Button Image", true},
                 {XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE, L"Paste Button Image", copiedImage() != 0},
                 {XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE, L"Reset Button Image", true},
                 {XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE, L"Edit Button Image...", true}};
    for (const auto& item : items) {
        CXTPControl* entry = popup->GetControls()->Add(xtpControlButton, static_cast<int>(item.id));
        entry->SetCaption(item.caption);
        entry->SetEnabled(item.enabled ? TRUE : FALSE);
        entry->SetFlags(entry->GetFlags() | xtpFlagManualUpdate);
    }
    const int chosen = commandBars_->TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0);
    popup->InternalRelease();
    if (chosen == static_cast<int>(XTP_ID_CUSTOMIZE_NAME))
        SendMessage(XTPWM_CONTROLNOTIFY, XTP_ID_CUSTOMIZE_NAME, reinterpret_cast<LPARAM>(control));
    else if (chosen > 0)
        SendMessage(WM_COMMAND, static_cast<WPARAM>(chosen), 0);
}

bool CXTPCustomizeSheet::OnImageCommand(UINT id) {
    if (id < XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE || id > XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE) return false;
    CXTPControl* control = GetSelectedControl();
    CXTPImageManager* images = commandBars_ ? commandBars_->GetImageManager() : nullptr;
    if (!control || !images) return true;
    const auto current = static_cast<UINT>(control->GetIconId());
    switch (id) {
        case XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE: copiedImage() = current; break;
        case XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE:
            if (copiedImage() != 0) control->SetIconId(static_cast<int>(addCustomIcon(*images, copiedImage())));
            break;
        case XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE: control->SetIconId(0); break;
        default:
            if (CXTPImageEditorDialog(this).DoModal() == IDOK) control->SetIconId(static_cast<int>(addCustomIcon(*images, current)));
            break;
    }
    return true;
}

void CXTPCustomizeSheet::RenameSelectedControl() {
    CXTPControl* control = GetSelectedControl();
    if (!control) return;
    CXTPRibbonRenameDialog rename(this, control->GetCaption());
    if (rename.DoModal() == IDOK) control->SetCaption(rename.GetName());
}

BOOL CXTPCustomizeSheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 && OnImageCommand(LOWORD(wParam))) return TRUE;
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
    if (message == XTPWM_CONTROLNOTIFY && wParam == XTP_ID_CUSTOMIZE_NAME) {
        RenameSelectedControl();
        return TRUE;
    }
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
