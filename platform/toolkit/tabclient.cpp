#include "platform/toolkit/tabclient.h"

#include <algorithm>

#include "platform/toolkit/propexchange.h"

IMPLEMENT_DYNCREATE(CXTPTabClientWnd, CWnd)

CXTPTabClientWnd::~CXTPTabClientWnd() { Detach(); }

BOOL CXTPTabClientWnd::Attach(CMDIFrameWnd* frame, BOOL enableGroups) {
    if (!frame || !frame->m_hWndMDIClient || frame_ || GetSafeHwnd()) return FALSE;
    if (!SubclassWindow(frame->m_hWndMDIClient)) return FALSE;
    frame_ = frame;
    groups_ = enableGroups;
    return TRUE;
}

void CXTPTabClientWnd::Detach() {
    if (!frame_) return;
    if (GetSafeHwnd()) {
        if (::IsWindow(m_hWnd)) UnsubclassWindow();
        else CWnd::Detach();
    }
    frame_ = nullptr;
}

std::vector<HWND> CXTPTabClientWnd::items() const {
    std::vector<HWND> children;
    if (!m_hWnd || !::IsWindow(m_hWnd)) return children;
    // The MDI client keeps its children in z-order; the tabs keep the order the children came.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_MDICHILD) children.insert(children.begin(), child);
    std::sort(children.begin(), children.end());  // handles grow with creation
    return children;
}

HWND CXTPTabClientWnd::GetItemWindow(int index) const {
    const std::vector<HWND> list = items();
    if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
    return list[static_cast<std::size_t>(index)];
}

int CXTPTabClientWnd::GetSelectedItem() const {
    if (!frame_) return -1;
    CMDIChildWnd* active = frame_->MDIGetActive();
    const std::vector<HWND> list = items();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (active && list[i] == active->GetSafeHwnd()) return static_cast<int>(i);
    return -1;
}

CString CXTPTabClientWnd::GetItemText(CWnd* child) const {
    CString text;
    if (child) child->GetWindowText(text);
    return text;
}

void CXTPTabClientWnd::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    int position = position_;
    PX_Int(px, L"TabPosition", position, xtpTabPositionTop);
    PX_Int(px, L"FixedTabWidth", fixedWidth_, 0);
    PX_Bool(px, L"NewWindowItem", newWindowItem_, FALSE);
    if (px->IsLoading()) position_ = position >= 0 && position <= 3 ? static_cast<XTPTabPosition>(position) : xtpTabPositionTop;
}
