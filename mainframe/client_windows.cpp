#include "mainframe/client_windows.h"

bool CKVTabClientWnd::LoadState() {
    // The saved tab settings come with the tab client's own work; until then the defaults hold.
    return IsAttached();
}

CKVMDIClientWnd::~CKVMDIClientWnd() { Detach(); }

bool CKVMDIClientWnd::Attach(CMDIFrameWnd* frame) {
    if (!frame || !frame->m_hWndMDIClient || GetSafeHwnd()) return false;
    return SubclassWindow(frame->m_hWndMDIClient) != FALSE;
}

void CKVMDIClientWnd::Detach() {
    if (!GetSafeHwnd()) return;
    if (::IsWindow(m_hWnd)) UnsubclassWindow();
    else CWnd::Detach();
}
