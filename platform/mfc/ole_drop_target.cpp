#include "platform/mfc/ole.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/files/dragdrop.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
    if (!pWnd || m_hWnd) return FALSE;
    if (::RegisterDragDrop(pWnd->GetSafeHwnd(), reinterpret_cast<IDropTarget*>(this)) != 0) return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (!m_hWnd) return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}
