#include "auxiliary/sketch_settings_dialog.h"

#include "platform/win32.h"

namespace {

constexpr UINT kWidestLabel = 1794;
constexpr int kLabelMargin = 30;
constexpr int kKeyColumnWidth = 45;
constexpr LPARAM kAltDown = 1 << 29;  // WM_SYSKEYDOWN's context bit

void InsertColumn(HWND list, int column, int width, int format) {
    LVCOLUMNW info;
    info.mask = LVCF_WIDTH | LVCF_FMT;
    info.cx = width;
    info.fmt = format;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

int TextWidth(HWND window, const CString& text) {
    const HDC dc = ::GetDC(window);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSketchSetGlobalDlg, CDialog)
    ON_BN_CLICKED(CSketchSetGlobalDlg::kSelectAll, &CSketchSetGlobalDlg::OnSelectAll)
    ON_BN_CLICKED(CSketchSetGlobalDlg::kClearAll, &CSketchSetGlobalDlg::OnClearAll)
END_MESSAGE_MAP()

BOOL CSketchSetGlobalDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const HWND list = List();
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    InsertColumn(list, 0, TextWidth(list, KVLoadString(kWidestLabel)) + kLabelMargin, 0);
    InsertColumn(list, 1, kKeyColumnWidth, LVCFMT_RIGHT);
    for (std::size_t index = 0; index < items_.size(); ++index) {
        const KVSketchSetItem& entry = items_[index];
        const CString label = KVLoadString(entry.stringId);
        LVITEMW item;
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(index);
        item.pszText = const_cast<wchar_t*>(label.GetString());
        const auto row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) continue;
        // A row without text or state shows empty and unchecked.
        LVITEMW second;
        second.iSubItem = 1;
        second.pszText = const_cast<wchar_t*>(entry.text ? entry.text : L"");
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&second));
        ShowCheck(row, entry.state && *entry.state != 0);
    }
    return TRUE;
}

void CSketchSetGlobalDlg::ShowCheck(int row, bool checked) {
    LVITEMW item;
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    ::SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool CSketchSetGlobalDlg::IsChecked(int row) const {
    return (::SendMessageW(List(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void CSketchSetGlobalDlg::SetAll(std::int32_t state) {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].state) *items_[index].state = state;
        ShowCheck(static_cast<int>(index), state != 0);
    }
}

void CSketchSetGlobalDlg::OnSelectAll() { SetAll(1); }

void CSketchSetGlobalDlg::OnClearAll() { SetAll(0); }

BOOL CSketchSetGlobalDlg::PreTranslateMessage(MSG* message) {
    if (message->message == WM_SYSKEYDOWN && ((message->lParam & kAltDown) || ::GetKeyState(VK_MENU) < 0)) {
        for (std::size_t index = 0; index < items_.size(); ++index) {
            KVSketchSetItem& item = items_[index];
            if (item.keyCode != static_cast<std::uint64_t>(message->wParam)) continue;
            // Only a row with a state can be toggled; a key no row has does nothing.
            if (item.state) {
                *item.state = *item.state ? 0 : 1;
                ShowCheck(static_cast<int>(index), *item.state != 0);
            }
            break;
        }
        return TRUE;
    }
    if (message->message == WM_KEYDOWN) {
        ::TranslateMessage(message);
        ::DispatchMessageW(message);
        return TRUE;
    }
    return FALSE;
}

void CSketchSetGlobalDlg::OnOK() {
    for (std::size_t index = 0; index < items_.size(); ++index)
        if (items_[index].state) *items_[index].state = IsChecked(static_cast<int>(index)) ? 1 : 0;
    EndDialog(IDOK);
}

bool RunKernelDialog(KorvoDialog* dialog) {
    auto* sketch = dynamic_cast<KVSketchSetGlobalRequest*>(dialog);
    if (!sketch) return false;
    CSketchSetGlobalDlg checkList(sketch->items);
    return checkList.DoModal() == IDOK;
}
