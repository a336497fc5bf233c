// The framework's check list: an owner-drawn list box (template flag ownerdraw) whose rows each
// carry a tick box before their text. A click on a row's tick box flips its tick and tells the
// parent (WM_COMMAND with CLBN_CHKCHANGE) before the click selects the row as any list's does.
// Ticks move with their rows as rows are inserted and deleted.
#pragma once

#include <vector>

#include "platform/mfc/wnd.h"
#include "platform/win32/controls/listbox.h"

inline constexpr WORD CLBN_CHKCHANGE = 40;

class CCheckListBox : public CWnd {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;

    int GetCheck(int index) const;
    void SetCheck(int index, int check);

    // The list's own operations (LB_ERR for a bad index).
    int AddString(LPCWSTR text);
    int InsertString(int index, LPCWSTR text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    CString GetText(int index) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws a row: its tick box, then its text.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    std::vector<int> checks_;
};
