// The framework's list control: a CWnd over the common list view.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/controls/listview.h"

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    int GetItemCount() const;
    // The new row's index, or -1.
    int InsertItem(const LVITEMW* pItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    DWORD_PTR GetItemData(int nItem) const;
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    BOOL GetItem(LVITEMW* pItem) const;
    // The row after nStart (-1: from the first) whose item data is the one given, or -1.
    int FindItemByData(LPARAM data, int nStart = -1) const;
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    BOOL RedrawItems(int nFirst, int nLast);
    int HitTest(POINT pt, UINT* pFlags = nullptr) const;
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    HWND EditLabel(int nItem);
    // The list's colours (LVM_SETBKCOLOR, LVM_SETTEXTCOLOR, LVM_SETTEXTBKCOLOR); false without a
    // window.
    BOOL SetBkColor(COLORREF colour);
    BOOL SetTextColor(COLORREF colour);
    BOOL SetTextBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    COLORREF GetTextColor() const;
    COLORREF GetTextBkColor() const;
};
