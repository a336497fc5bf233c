#include "commandbars/modespage/mainbar_modes_dialog.h"

#include <algorithm>
#include <iterator>

#include "commandbars/modespage/mainbar_mode_dialogs.h"
#include "platform/kernel.h"

namespace {

constexpr UINT kStartQuestion = 41752;

CXTPCommandBars* activeFrameBars() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    return frame ? frame->GetCommandBars() : nullptr;
}

CKVTabToolBar* activeTabBar() {
    CXTPCommandBars* bars = activeFrameBars();
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        if (auto* tabs = dynamic_cast<CKVTabToolBar*>(bars->GetAt(i))) return tabs;
    return nullptr;
}

// Whether some tab other than `except` has exactly this caption (letter case counts).
bool captionTaken(const CKVTabToolBar& bar, const CString& name, int except) {
    for (int tab = 0; tab < bar.GetItemCount(); ++tab)
        if (tab != except && bar.GetItem(tab)->caption == name) return true;
    return false;
}

}  // namespace

MainbarModesDialog::MainbarModesDialog() : CXTPPropertyPage(kTemplateId), bar_(activeTabBar()) {}

void MainbarModesDialog::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, kModeList, list_); }

BOOL MainbarModesDialog::OnInitDialog() {
    CXTPPropertyPage::OnInitDialog();
    if (bar_) {
        CheckDlgButton(kPrompts, bar_->IsPromptsShown() ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(kStandardFont, bar_->IsStandardFont() ? BST_CHECKED : BST_UNCHECKED);
        for (int tab = 0; tab < bar_->GetItemCount(); ++tab) AddEntry(tab, -1);
    }
    UpdateButtons();
    SetResize(kModeList, 0, 0, 1, 1);
    for (const int button : {kNew, kRename, kDelete, kMakeToolBar, kMoveUp, kMoveDown, kShortcut, kClearShortcut})
        SetResize(button, 1, 0, 1, 0);
    SetResize(kPrompts, 0, 1, 0, 1);
    SetResize(kStandardFont, 0, 1, 0, 1);
    return TRUE;
}

CString MainbarModesDialog::FormatModeEntry(int tab) const {
    const CString text = bar_ ? bar_->GetMenuStringW(tab) : CString();
    const int separator = text.Find(L'\t');
    if (separator < 0) return text;
    const CString name = text.Left(separator), shortcut = text.Mid(separator + 1);
    SIZE nameSize{}, blankSize{};
    HDC dc = ::GetDC(list_.GetSafeHwnd());
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(list_.GetSafeHwnd(), WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    ::GetTextExtentPoint32W(dc, name.GetString(), name.GetLength(), &nameSize);
    ::GetTextExtentPoint32W(dc, L" ", 1, &blankSize);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(list_.GetSafeHwnd(), dc);
    RECT listRect{};
    ::GetWindowRect(list_.GetSafeHwnd(), &listRect);
    const int room = (listRect.right - listRect.left) * 2 / 3 - nameSize.cx;
    const int blanks = blankSize.cx > 0 && room > 0 ? room / blankSize.cx : 0;
    return name + CString(L' ', blanks) + shortcut;
}

int MainbarModesDialog::TabOf(int entry) const {
    if (!bar_ || entry < 0 || entry >= list_.GetCount()) return -1;
    return bar_->IndexOf(reinterpret_cast<const CXTPTabToolBar::TabItem*>(list_.GetItemData(entry)));
}

void MainbarModesDialog::AddEntry(int tab, int at) {
    const int entry = list_.InsertString(at, FormatModeEntry(tab).GetString());
    if (entry < 0) return;
    list_.SetItemData(entry, reinterpret_cast<DWORD_PTR>(bar_->GetItem(tab)));
    list_.SetCheck(entry, bar_->IsCustomizeVisible(tab) ? 1 : 0);
}

void MainbarModesDialog::RewriteEntry(int entry) {
    const int tab = TabOf(entry);
    if (tab < 0) return;
    const bool selected = list_.GetCurSel() == entry;
    list_.DeleteString(entry);
    AddEntry(tab, entry);
    if (selected) list_.SetCurSel(entry);
}

void MainbarModesDialog::UpdateButtons() {
    const int entry = list_.GetCurSel();
    const int tab = TabOf(entry);
    auto enable = [this](int id, bool on) {
        if (CWnd* button = GetDlgItem(id)) button->EnableWindow(on ? TRUE : FALSE);
    };
    enable(kRename, tab >= 0);
    enable(kMakeToolBar, tab >= 0);
    enable(kDelete, tab >= 0 && bar_->IsUserItem(tab));
    enable(kMoveUp, tab >= 0 && entry > 0);
    enable(kMoveDown, tab >= 0 && entry < list_.GetCount() - 1);
}

void MainbarModesDialog::Redraw() const {
    if (CXTPCommandBars* bars = activeFrameBars()) bars->RedrawCommandBars();
}

BOOL MainbarModesDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kModeList && lParam) {
        if (code == LBN_SELCHANGE) UpdateButtons();
        else if (code == CLBN_CHKCHANGE) OnChecksChanged();
        else if (code == LBN_DBLCLK) OnMakeCurrent();
        return TRUE;
    }
    if (code != BN_CLICKED || !bar_) return CXTPPropertyPage::OnCommand(wParam, lParam);
    switch (id) {
        case kNew: OnNewMode(); return TRUE;
        case kRename: OnRename(); return TRUE;
        case kDelete: OnDelete(); return TRUE;
        case kMakeToolBar:
            if (const int tab = SelectedTab(); tab >= 0) bar_->CreateToolBarFromTab(bar_->GetItem(tab));
            return TRUE;
        case kMoveUp: OnMove(-1); return TRUE;
        case kMoveDown: OnMove(1); return TRUE;
        case kShortcut: OnShortcut(); return TRUE;
        case kClearShortcut: OnClearShortcut(); return TRUE;
        case kPrompts:
            bar_->ShowPrompts(IsDlgButtonChecked(kPrompts) == BST_CHECKED);
            Redraw();
            return TRUE;
        case kStandardFont:
            bar_->UseStandardFont(IsDlgButtonChecked(kStandardFont) == BST_CHECKED);
            Redraw();
            return TRUE;
        default: return CXTPPropertyPage::OnCommand(wParam, lParam);
    }
}

void MainbarModesDialog::OnNewMode() {
    MainbarModeNameDialog dialog(CString(), this);
    if (dialog.DoModal() != IDOK) return;
    CString name = dialog.GetName();
    name.Trim();
    if (name.IsEmpty() || captionTaken(*bar_, name, -1)) return;
    const bool extended = KVMessageBox::Show(KVLoadString(kStartQuestion), MB_YESNO | MB_ICONQUESTION) == IDYES;
    const UINT* ids = extended ? kExtendedStart : kShortStart;
    const int count = static_cast<int>(extended ? std::size(kExtendedStart) : std::size(kShortStart));
    CXTPTabToolBar::TabItem* item = bar_->AddTab(name.GetString(), ids, count, TRUE);
    if (!item) return;
    const int tab = bar_->IndexOf(item);
    bar_->SetCurSel(tab);
    AddEntry(tab, -1);
    list_.SetCurSel(list_.GetCount() - 1);
    // The bar lays itself out again with the new mode's buttons.
    bar_->ShowPrompts(bar_->IsPromptsShown());
    Redraw();
    UpdateButtons();
}

void MainbarModesDialog::OnRename() {
    const int entry = list_.GetCurSel();
    const int tab = TabOf(entry);
    if (tab < 0) return;
    CXTPTabToolBar::TabItem* item = bar_->GetItem(tab);
    MainbarModeNameDialog dialog(item->caption, this);
    if (dialog.DoModal() != IDOK) return;
    CString name = dialog.GetName();
    name.Trim();
    if (name.IsEmpty() || captionTaken(*bar_, name, tab)) return;
    const CString old = item->caption;
    item->caption = name;
    bar_->RenameCategory(old, name);
    RewriteEntry(entry);
    Redraw();
}

void MainbarModesDialog::OnDelete() {
    const int entry = list_.GetCurSel();
    const int tab = TabOf(entry);
    // The button is disabled for the bar's own modes; a click that arrives anyway changes nothing.
    if (tab < 0 || !bar_->IsUserItem(tab)) return;
    bar_->DeleteItem(tab);
    list_.DeleteString(entry);
    Redraw();
    UpdateButtons();
}

void MainbarModesDialog::OnMove(int step) {
    const int entry = list_.GetCurSel();
    const int tab = TabOf(entry);
    const int target = entry + step;
    if (tab < 0 || target < 0 || target >= list_.GetCount() || !bar_->MoveItem(tab, tab + step)) return;
    const DWORD_PTR data = list_.GetItemData(entry);
    const int check = list_.GetCheck(entry);
    const CString text = list_.GetText(entry);
    list_.DeleteString(entry);
    list_.InsertString(target, text.GetString());
    list_.SetItemData(target, data);
    list_.SetCheck(target, check);
    list_.SetCurSel(target);
    Redraw();
    UpdateButtons();
}

void MainbarModesDialog::OnShortcut() {
    const int entry = list_.GetCurSel();
    const int tab = TabOf(entry);
    CXTPCommandBars* bars = activeFrameBars();
    if (tab < 0 || !bars) return;
    ACCEL accel;
    accel.fVirt = static_cast<BYTE>(bar_->GetAccelModifiers(tab) | FVIRTKEY);
    accel.key = static_cast<WORD>(bar_->GetAccelKey(tab));
    MainbarModeShortcut dialog(bars->GetShortcutManager(), accel, this);
    if (dialog.DoModal() != IDOK) return;
    const ACCEL& chosen = dialog.GetAccel();
    bar_->SetAccel(tab, chosen.key != 0 ? chosen.fVirt & (FCONTROL | FSHIFT | FALT) : 0, chosen.key);
    RewriteEntry(entry);
}

void MainbarModesDialog::OnClearShortcut() {
    const int entry = list_.GetCurSel();
    const int tab = TabOf(entry);
    if (tab < 0) return;
    bar_->SetAccel(tab, 0, 0);
    RewriteEntry(entry);
}

void MainbarModesDialog::OnChecksChanged() {
    // The click's row may not be the selected one yet: every tab follows its entry's tick.
    for (int entry = 0; entry < list_.GetCount(); ++entry) {
        const int tab = TabOf(entry);
        const bool visible = list_.GetCheck(entry) != 0;
        if (tab >= 0 && bar_->IsCustomizeVisible(tab) != visible) bar_->SetCustomizeVisible(tab, visible);
    }
    Redraw();
}

void MainbarModesDialog::OnMakeCurrent() {
    if (const int tab = SelectedTab(); tab >= 0) {
        bar_->SetCurSel(tab);
        Redraw();
    }
}
