// The edit window of a command bar's edit control: a child "EDIT" window of the bar that exists
// while the bar shows the control. The control keeps its text while the window does not exist;
// the window's selection, modification flag and undo step go with the window.
#pragma once

#include "platform/mfc.h"

class CXTPControlEdit;

class CXTPControlEditCtrl : public CWnd {
    DECLARE_DYNCREATE(CXTPControlEditCtrl)
public:
    CXTPControlEditCtrl() = default;
    ~CXTPControlEditCtrl() override;

    // Creates the window under `parent` (the bar's window) for `control`, with the control's text.
    BOOL CreateEdit(CXTPControlEdit* control, CWnd* parent, const RECT& rect);
    // The control the window edits; null once the control let it go.
    CXTPControlEdit* GetControl() const { return control_; }
    // The control no longer hears of the window (it is going).
    void ReleaseControl() { control_ = nullptr; }

    // The edit control's messages.
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end);
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE);
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
    BOOL CanUndo() const;
    BOOL Undo();
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    BOOL IsMultiLine() const { return (GetStyle() & ES_MULTILINE) != 0; }
    void SetMargins(UINT left, UINT right);
    // EC_USEFONTINFO for the margins named by `which` (EC_LEFTMARGIN, EC_RIGHTMARGIN).
    void SetFontMargins(WPARAM which);
    DWORD GetMargins() const;
    BOOL ScrollCaret();
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }
    // Selects everything, scrolls the caret into view and replaces the text with undo: a change
    // the control hears of as the user's.
    void ReplaceAllText(LPCWSTR text);
    // Sets the text as the program does: the control does not hear of it as a change.
    void SetTextQuietly(LPCWSTR text);

    // A notification of the window (EN_CHANGE, EN_SETFOCUS, ...), which its parent bar passes on.
    virtual void OnEditNotification(WORD code);
    // The edit keeps its keys from the frame's accelerators: they go straight to the window.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // After the window was created for its control.
    virtual void OnEditCreated() {}
    // Keys: the control's key handling first; what it leaves goes to the edit.
    afx_msg LRESULT OnKeyDownMessage(WPARAM key, LPARAM flags);
    afx_msg LRESULT OnSetFocusMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnKillFocusMessage(WPARAM, LPARAM);
    void PostNcDestroy() override {}  // the control owns the object
    DECLARE_MESSAGE_MAP()

private:
    CXTPControlEdit* control_ = nullptr;
    bool quiet_ = false;
};
