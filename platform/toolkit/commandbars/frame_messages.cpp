// The messages of the site that the command bars look at first: shortcuts of key messages.
#include "platform/toolkit/commandbars/commandbars.h"

namespace {

bool held(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

bool modifiersMatch(const ACCEL& entry) {
    return ((entry.fVirt & FCONTROL) != 0) == held(VK_CONTROL) && ((entry.fVirt & FSHIFT) != 0) == held(VK_SHIFT) &&
           ((entry.fVirt & FALT) != 0) == held(VK_MENU);
}

}  // namespace

BOOL CXTPCommandBars::PreTranslateFrameMessage(MSG* msg) {
    if (msg && TranslateKeyboardMode(*msg)) return TRUE;
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    if (shortcuts_.IsShortcutsDisabled()) return FALSE;
    const HWND site = site_ ? site_->GetSafeHwnd() : nullptr;
    if (!site || !::IsWindowEnabled(site)) return FALSE;
    if (msg->hwnd != site && !::IsChild(site, msg->hwnd)) return FALSE;
    const UINT key = static_cast<UINT>(msg->wParam);
    for (const ACCEL& entry : shortcuts_.GetAccelerators()) {
        if (entry.key != key || !modifiersMatch(entry)) continue;
        ::SendMessageW(site, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPCommandBars::OnFrameWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
