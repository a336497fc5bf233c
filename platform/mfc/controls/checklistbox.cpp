#include "platform/mfc/controls/checklistbox.h"

#include "platform/win32/gdi.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CWnd)

int CCheckListBox::GetCheck(int index) const {
    return index >= 0 && index < static_cast<int>(checks_.size()) ? checks_[static_cast<std::size_t>(index)] : 0;
}

void CCheckListBox::SetCheck(int index, int check) {
    if (index < 0 || index >= static_cast<int>(checks_.size())) return;
    checks_[static_cast<std::size_t>(index)] = check;
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CCheckListBox::AddString(LPCWSTR text) { return static_cast<int>(send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
int CCheckListBox::InsertString(int index, LPCWSTR text) {
    return static_cast<int>(send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CCheckListBox::DeleteString(int index) { return static_cast<int>(send(LB_DELETESTRING, static_cast<WPARAM>(index))); }
void CCheckListBox::ResetContent() { send(LB_RESETCONTENT); }
int CCheckListBox::GetCount() const { return static_cast<int>(send(LB_GETCOUNT)); }
int CCheckListBox::GetCurSel() const { return static_cast<int>(send(LB_GETCURSEL)); }
int CCheckListBox::SetCurSel(int index) { return static_cast<int>(send(LB_SETCURSEL, static_cast<WPARAM>(index))); }
DWORD_PTR CCheckListBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(send(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}
int CCheckListBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(send(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

CString CCheckListBox::GetText(int index) const {
    const auto length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return CString();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return CString(text.c_str());
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool valid = index >= 0 && index < static_cast<int>(checks_.size());
    switch (message) {
        case CLB_GETCHECK: return valid ? checks_[static_cast<std::size_t>(index)] : LB_ERR;
        case LB_ADDSTRING:
        case LB_INSERTSTRING: {
            const LRESULT at = CWnd::WindowProc(message, wParam, lParam);
            if (at >= 0 && at <= static_cast<LRESULT>(checks_.size())) checks_.insert(checks_.begin() + at, 0);
            return at;
        }
        case LB_DELETESTRING:
            if (valid) checks_.erase(checks_.begin() + index);
            return CWnd::WindowProc(message, wParam, lParam);
        case LB_RESETCONTENT:
        case WM_DESTROY:
            checks_.clear();
            return CWnd::WindowProc(message, wParam, lParam);
        case WM_LBUTTONDOWN: {
            const int x = static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)));
            const int y = static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
            const auto height = static_cast<int>(send(LB_GETITEMHEIGHT));
            const int row = height > 0 && y >= 0 ? y / height : -1;
            if (row >= 0 && row < static_cast<int>(checks_.size()) && x >= 0 && x < height) {
                int& check = checks_[static_cast<std::size_t>(row)];
                check = check ? 0 : 1;
                ::InvalidateRect(m_hWnd, nullptr, FALSE);
                ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND,
                               MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(m_hWnd)), CLBN_CHKCHANGE),
                               reinterpret_cast<LPARAM>(m_hWnd));
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
        default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM || !lParam) return FALSE;
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const RECT& row = draw.rcItem;
    const int box = row.bottom - row.top;
    ::Rectangle(draw.hDC, row.left + 2, row.top + 2, row.left + box - 2, row.bottom - 2);
    if (GetCheck(static_cast<int>(draw.itemID))) {
        ::MoveToEx(draw.hDC, row.left + 4, row.top + box / 2, nullptr);
        ::LineTo(draw.hDC, row.left + box / 2, row.bottom - 4);
        ::LineTo(draw.hDC, row.left + box - 4, row.top + 4);
    }
    const CString text = GetText(static_cast<int>(draw.itemID));
    RECT textRect{row.left + box + 2, row.top, row.right, row.bottom};
    ::DrawTextW(draw.hDC, text.GetString(), text.GetLength(), &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (pResult) *pResult = TRUE;
    return TRUE;
}
