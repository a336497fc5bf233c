#include "platform/toolkit/commandbars/button.h"

#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/window_classes.h"

BOOL CXTPButton::Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    return CreateEx(0, platform::toolkit::toolkitWindowClass(L"XTPButton"), caption ? caption : L"", style | WS_CHILD,
                    rect, parent, id);
}

CXTPButton::~CXTPButton() {
    if (icon_) icon_->InternalRelease();
}

void CXTPButton::SetIcon(SIZE size, CXTPImageManagerIcon* icon) {
    if (icon) icon->InternalAddRef();
    if (icon_) icon_->InternalRelease();
    icon_ = icon;
    iconSize_ = size;
}

BOOL CXTPButton::Click() {
    if (!m_hWnd || !IsWindowVisible() || !IsWindowEnabled()) return FALSE;
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return FALSE;
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                   reinterpret_cast<LPARAM>(m_hWnd));
    return TRUE;
}
