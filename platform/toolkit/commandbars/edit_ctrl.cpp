#include "platform/toolkit/commandbars/edit_ctrl.h"

#include "platform/toolkit/commandbars/controls.h"
#include "platform/toolkit/commandbars/mouse_manager.h"

IMPLEMENT_DYNCREATE(CXTPControlEditCtrl, CWnd)

BEGIN_MESSAGE_MAP(CXTPControlEditCtrl, CWnd)
    ON_MESSAGE(WM_KEYDOWN, &CXTPControlEditCtrl::OnKeyDownMessage)
    ON_MESSAGE(WM_SYSKEYDOWN, &CXTPControlEditCtrl::OnKeyDownMessage)
    ON_MESSAGE(WM_SETFOCUS, &CXTPControlEditCtrl::OnSetFocusMessage)
    ON_MESSAGE(WM_KILLFOCUS, &CXTPControlEditCtrl::OnKillFocusMessage)
END_MESSAGE_MAP()

CXTPControlEditCtrl::~CXTPControlEditCtrl() {
    control_ = nullptr;
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CXTPControlEditCtrl::CreateEdit(CXTPControlEdit* control, CWnd* parent, const RECT& rect) {
    if (!control || !parent || !parent->GetSafeHwnd()) return FALSE;
    const DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (control->GetReadOnly() ? ES_READONLY : 0) |
                        (control->GetEnabled() ? 0 : WS_DISABLED);
    quiet_ = true;
    const BOOL created = CreateEx(0, L"EDIT", control->GetEditText(), style, rect, parent,
                                  static_cast<UINT>(control->GetID()));
    quiet_ = false;
    if (!created) return FALSE;
    control_ = control;
    OnEditCreated();
    return TRUE;
}

void CXTPControlEditCtrl::GetSel(int& start, int& end) const {
    DWORD first = 0, last = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CXTPControlEditCtrl::SetSel(int start, int end) {
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void CXTPControlEditCtrl::ReplaceSel(LPCWSTR text, BOOL canUndo) {
    ::SendMessageW(m_hWnd, EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text ? text : L""));
}

BOOL CXTPControlEditCtrl::GetModify() const { return ::SendMessageW(m_hWnd, EM_GETMODIFY, 0, 0) ? TRUE : FALSE; }

void CXTPControlEditCtrl::SetModify(BOOL modified) { ::SendMessageW(m_hWnd, EM_SETMODIFY, modified ? TRUE : FALSE, 0); }

BOOL CXTPControlEditCtrl::CanUndo() const { return ::SendMessageW(m_hWnd, EM_CANUNDO, 0, 0) ? TRUE : FALSE; }

BOOL CXTPControlEditCtrl::Undo() { return ::SendMessageW(m_hWnd, EM_UNDO, 0, 0) ? TRUE : FALSE; }

BOOL CXTPControlEditCtrl::SetReadOnly(BOOL readOnly) {
    return ::SendMessageW(m_hWnd, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0) ? TRUE : FALSE;
}

void CXTPControlEditCtrl::SetMargins(UINT left, UINT right) {
    ::SendMessageW(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(static_cast<WORD>(left), static_cast<WORD>(right)));
}

void CXTPControlEditCtrl::SetFontMargins(WPARAM which) {
    ::SendMessageW(m_hWnd, EM_SETMARGINS, which,
                   MAKELPARAM(static_cast<WORD>(EC_USEFONTINFO), static_cast<WORD>(EC_USEFONTINFO)));
}

DWORD CXTPControlEditCtrl::GetMargins() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETMARGINS, 0, 0)); }

BOOL CXTPControlEditCtrl::ScrollCaret() { return ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0) ? TRUE : FALSE; }

void CXTPControlEditCtrl::ReplaceAllText(LPCWSTR text) {
    SetSel(0, -1);
    ScrollCaret();
    ReplaceSel(text, TRUE);
}

void CXTPControlEditCtrl::SetTextQuietly(LPCWSTR text) {
    quiet_ = true;
    SetWindowText(text ? text : L"");
    quiet_ = false;
}

void CXTPControlEditCtrl::OnEditNotification(WORD code) {
    if (code != EN_CHANGE || quiet_ || !control_) return;
    CString text;
    GetWindowText(text);
    control_->OnEditWindowChanged(text);
}

BOOL CXTPControlEditCtrl::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd == m_hWnd && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_CHAR)) {
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

LRESULT CXTPControlEditCtrl::OnKeyDownMessage(WPARAM key, LPARAM) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    if (control_ && control_->OnEditKeyDown(static_cast<UINT>(key), control)) return 0;
    return Default();
}

// While its edit window has the keyboard, the bar tracks the mouse.
LRESULT CXTPControlEditCtrl::OnSetFocusMessage(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (control_) XTPMouseManager()->SetTrack(control_->GetParent());
    if (control_ && !control_->IsFocused()) control_->OnSetFocus();
    return result;
}

LRESULT CXTPControlEditCtrl::OnKillFocusMessage(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (control_) XTPMouseManager()->RemoveTrack(control_->GetParent());
    if (control_ && control_->IsFocused()) control_->OnKillFocus();
    return result;
}
