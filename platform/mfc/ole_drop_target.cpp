#include "platform/mfc/ole.h"
#include "platform/mfc/ole_data.h"
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

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, POINT point) {
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, POINT) { return FALSE; }
