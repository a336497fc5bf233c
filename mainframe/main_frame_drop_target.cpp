#include "mainframe/main_frame_drop_target.h"

#include "documentsmenu/library_drag_drop.h"

DROPEFFECT CMainFrameDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, POINT point) {
    return DocumentsMenu::LibraryDragDrop::Instance().OnDragOverWindow(pDataObject, dwKeyState, point, pWnd);
}

BOOL CMainFrameDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, POINT point) {
    return DocumentsMenu::LibraryDragDrop::Instance().OnDropOnWindow(pDataObject, dropEffect, point, pWnd) ? TRUE
                                                                                                              : FALSE;
}
