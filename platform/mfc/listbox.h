// The framework's wrapper of a list box window (bound to a dialog's control with DDX_Control).
#pragma once

#include "platform/mfc/wnd.h"
#include "platform/win32/controls/listbox.h"

class CListBox : public CWnd {
public:
    int AddString(LPCWSTR text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(send(LB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(send(LB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index), 0)); }
    int SetItemDataPtr(int index, void* data) {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data)));
    }
    void* GetItemDataPtr(int index) const {
        const LRESULT data = send(LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
        return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
    }
    void GetText(int index, CString& text) const;
    void SetHorizontalExtent(int extent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0); }
    int GetHorizontalExtent() const { return static_cast<int>(send(LB_GETHORIZONTALEXTENT, 0, 0)); }

private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return ::SendMessageW(GetSafeHwnd(), message, wParam, lParam);
    }
};
