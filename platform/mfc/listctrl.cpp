#include "platform/mfc/listctrl.h"

namespace {

LRESULT send(const CListCtrl* list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return list->GetSafeHwnd() ? SendMessageW(list->GetSafeHwnd(), message, wParam, lParam) : 0;
}

}  // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID, nullptr);
}

int CListCtrl::GetItemCount() const { return static_cast<int>(send(this, LVM_GETITEMCOUNT)); }

BOOL CListCtrl::SetBkColor(COLORREF colour) { return static_cast<BOOL>(send(this, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour))); }
BOOL CListCtrl::SetTextColor(COLORREF colour) { return static_cast<BOOL>(send(this, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour))); }
BOOL CListCtrl::SetTextBkColor(COLORREF colour) {
    return static_cast<BOOL>(send(this, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)));
}
COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(send(this, LVM_GETBKCOLOR)); }
COLORREF CListCtrl::GetTextColor() const { return static_cast<COLORREF>(send(this, LVM_GETTEXTCOLOR)); }
COLORREF CListCtrl::GetTextBkColor() const { return static_cast<COLORREF>(send(this, LVM_GETTEXTBKCOLOR)); }

int CListCtrl::InsertItem(const LVITEMW* pItem) {
    if (!GetSafeHwnd()) return -1;
    return static_cast<int>(send(this, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(send(this, LVM_DELETEITEM, static_cast<WPARAM>(nItem))); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(send(this, LVM_DELETEALLITEMS)); }

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // Grows the buffer until the text fits.
    for (int capacity = 256;; capacity *= 2) {
        std::wstring buffer(static_cast<std::size_t>(capacity), L'\0');
        LVITEMW item;
        item.iSubItem = nSubItem;
        item.pszText = buffer.data();
        item.cchTextMax = capacity;
        const auto length = static_cast<int>(send(this, LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
        if (length < capacity - 1) return CString(buffer.c_str());
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
    LVITEMW item;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<wchar_t*>(lpszText);
    return static_cast<BOOL>(send(this, LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetItem(LVITEMW* pItem) const {
    return static_cast<BOOL>(send(this, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::FindItemByData(LPARAM data, int nStart) const {
    if (!GetSafeHwnd()) return -1;
    LVFINDINFOW find;
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(send(this, LVM_FINDITEMW, static_cast<WPARAM>(nStart), reinterpret_cast<LPARAM>(&find)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return static_cast<BOOL>(send(this, LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare)));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast) {
    return static_cast<BOOL>(send(this, LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), static_cast<LPARAM>(nLast)));
}

int CListCtrl::HitTest(POINT pt, UINT* pFlags) const {
    if (!GetSafeHwnd()) return -1;
    LVHITTESTINFO info;
    info.pt = pt;
    const auto item = static_cast<int>(send(this, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags) *pFlags = info.flags;
    return item;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    if (!GetSafeHwnd()) return -1;
    return static_cast<int>(send(this, LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nFlags)));
}

UINT CListCtrl::GetSelectedCount() const {
    UINT count = 0;
    for (int item = GetNextItem(-1, LVNI_SELECTED); item >= 0; item = GetNextItem(item, LVNI_SELECTED)) ++count;
    return count;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
    return static_cast<BOOL>(send(this, LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
}

HWND CListCtrl::EditLabel(int nItem) {
    return reinterpret_cast<HWND>(send(this, LVM_EDITLABELW, static_cast<WPARAM>(nItem)));
}
