#include "app/toolbars/tool_bar_property_page.h"

#include <string>

#include "app/kvw32_app.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"

namespace {

LRESULT sendTo(const CWnd& page, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    CWnd* item = page.GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : CB_ERR;
}

void addChoice(const CWnd& page, int id, const CString& text, DWORD_PTR data) {
    const LRESULT at = sendTo(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    if (at >= 0) sendTo(page, id, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(data));
}

// Selects the item whose data is `data`, the first when none has it.
void selectByData(const CWnd& page, int id, DWORD_PTR data) {
    const auto count = static_cast<int>(sendTo(page, id, CB_GETCOUNT));
    int chosen = 0;
    for (int index = 0; index < count; ++index)
        if (static_cast<DWORD_PTR>(sendTo(page, id, CB_GETITEMDATA, static_cast<WPARAM>(index))) == data) {
            chosen = index;
            break;
        }
    sendTo(page, id, CB_SETCURSEL, static_cast<WPARAM>(chosen));
}

// The data of the selected item; nullopt without a selection.
std::optional<DWORD_PTR> selectedData(const CWnd& page, int id) {
    const LRESULT at = sendTo(page, id, CB_GETCURSEL);
    if (at < 0) return std::nullopt;
    return static_cast<DWORD_PTR>(sendTo(page, id, CB_GETITEMDATA, static_cast<WPARAM>(at)));
}

}  // namespace

void ToolBarPropertyPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, kGroupLine2, groupLines_[1]);
    DDX_Control(pDX, kGroupLine1, groupLines_[0]);
}

BOOL ToolBarPropertyPage::OnInitDialog() {
    CXTPPropertyPage::OnInitDialog();
    const CKvw32App* app = CKvw32App::Instance();
    for (const UINT size : kIconSizes) {
        const CString key = CString(L"icon_sizes.") + CString(std::to_wstring(size).c_str());
        addChoice(*this, kIconSize, Korvo::I18n::Translate(key.GetString()), size);
    }
    selectByData(*this, kIconSize, app ? static_cast<DWORD_PTR>(app->GetToolBarIconSize().cx) : 0);
    for (UINT text = XTP_IDS_ANIMATION_SYSDEF; text <= XTP_IDS_ANIMATION_NONE; ++text)
        addChoice(*this, kAnimation, XTPResourceString(text), text - XTP_IDS_ANIMATION_SYSDEF);
    selectByData(*this, kAnimation, Options() ? static_cast<DWORD_PTR>(Options()->animationType) : 0);
    RefreshChecks();
    if (CWnd* reset = GetDlgItem(kResetUsage)) reset->EnableWindow(Sheet() ? TRUE : FALSE);
    SetResize(kGroupLine2, 0, 0, 1, 0);
    SetResize(kGroupLine1, 0, 0, 1, 0);
    return TRUE;
}

void ToolBarPropertyPage::RefreshChecks() {
    const CXTPCommandBarsOptions* options = Options();
    const CKvw32App* app = CKvw32App::Instance();
    auto set = [this](int id, bool checked, bool enabled) {
        CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
        if (CWnd* box = GetDlgItem(id)) box->EnableWindow(enabled ? TRUE : FALSE);
    };
    const bool fullMenus = options && options->bAlwaysShowFullMenus;
    const bool tips = options && options->bToolBarScreenTips;
    set(kAlwaysFullMenus, fullMenus, options != nullptr);
    // While menus are always full the delay has no meaning; its value waits, untouched.
    set(kFullMenusAfterDelay, options && options->bShowFullAfterDelay, options && !fullMenus);
    set(kRibbonMode, app && app->IsRibbonMode(), app != nullptr);
    set(kScreenTips, tips, options != nullptr);
    set(kShortcutsInTips, options && options->bToolBarAccelTips, tips);
    set(kCommandNames, GetSettings().showCommandNames, tips);
    set(kExtendedTips, GetKVOptions().extendedTooltips, tips);
}

BOOL ToolBarPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (lParam && code == CBN_SELCHANGE && (id == kIconSize || id == kAnimation)) {
        if (id == kIconSize) OnIconSize();
        else OnAnimation();
        return TRUE;
    }
    if (!lParam || code != BN_CLICKED) return CXTPPropertyPage::OnCommand(wParam, lParam);
    const bool on = IsDlgButtonChecked(id) == BST_CHECKED;
    switch (id) {
        case kResetUsage: OnResetUsage(); return TRUE;
        case kRibbonMode: OnRibbonMode(on); return TRUE;
        case kAlwaysFullMenus:
        case kFullMenusAfterDelay:
        case kShortcutsInTips:
        case kScreenTips:
        case kCommandNames:
        case kExtendedTips: OnCheck(id, on); return TRUE;
        default: return CXTPPropertyPage::OnCommand(wParam, lParam);
    }
}

void ToolBarPropertyPage::OnCheck(int id, bool on) {
    CXTPCommandBarsOptions* options = Options();
    const BOOL value = on ? TRUE : FALSE;
    switch (id) {
        case kAlwaysFullMenus:
            if (options) options->bAlwaysShowFullMenus = value;
            break;
        case kFullMenusAfterDelay:
            if (options) options->bShowFullAfterDelay = value;
            break;
        case kShortcutsInTips:
            if (options) options->bToolBarAccelTips = value;
            break;
        case kScreenTips:
            if (options) options->bToolBarScreenTips = value;
            GetKVOptions().screenTips = on;
            GetKVOptions().screenTipsSet = true;
            break;
        case kCommandNames: GetSettings().showCommandNames = on; break;
        case kExtendedTips: GetKVOptions().extendedTooltips = on; break;
        default: break;
    }
    RefreshChecks();
}

void ToolBarPropertyPage::OnRibbonMode(bool on) {
    if (CKvw32App* app = CKvw32App::Instance()) app->SetRibbonMode(on);
    RefreshChecks();
    // The page shown meets the bars of the other mode.
    if (CXTPCustomizeSheet* sheet = Sheet())
        if (CPropertyPage* shown = sheet->GetShownPage(); shown && shown->GetSafeHwnd()) shown->OnSetActive();
}

void ToolBarPropertyPage::OnIconSize() {
    const auto size = selectedData(*this, kIconSize);
    CKvw32App* app = CKvw32App::Instance();
    if (!size || !app) return;
    // The chosen size rules every frame: the tabbed bars' own large icons give way to it.
    app->ForEachMainFrame([](CMainFrame* frame) {
        if (CKVTabToolBar* tabs = frame->GetTabToolBar()) tabs->SetLargeIcons(false);
    });
    const LONG side = static_cast<LONG>(*size);
    app->SetToolBarIconSize(SIZE{side, side});
}

void ToolBarPropertyPage::OnAnimation() {
    CXTPCommandBarsOptions* options = Options();
    if (const auto animation = selectedData(*this, kAnimation); animation && options && *animation <= xtpAnimateNone)
        options->animationType = static_cast<XTPAnimationType>(*animation);
}

void ToolBarPropertyPage::OnResetUsage() {
    CXTPCustomizeSheet* sheet = Sheet();
    if (!sheet || !bars_) return;
    const int answer = ::MessageBoxW(sheet->GetSafeHwnd(), XTPResourceString(XTP_IDS_CONFIRM_RESET_USAGE).GetString(),
                                     L"", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    if (answer == IDYES) bars_->ResetUsageData();
}
