#include "mainframe/main_frame_drop_target.h"

#include "documentsmenu/library_drag_drop.h"
#include "mainframe/main_frame.h"
#include "platform/korvoui.h"

DROPEFFECT CMainFrameDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, POINT point) {
    auto* window = dynamic_cast<IWSGDragDropInterface*>(pWnd);
    return window ? window->OnDragOver(pWnd, pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL CMainFrameDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, POINT point) {
    auto* window = dynamic_cast<IWSGDragDropInterface*>(pWnd);
    return window && window->OnDrop(pWnd, pDataObject, dropEffect, point) ? TRUE : FALSE;
}

// ---- The frame's part: the documents menu takes what is dropped on the main window -----------

DROPEFFECT CMainFrame::OnDragOver(CWnd*, COleDataObject* data, DWORD keyState, POINT point) {
    return DocumentsMenu::LibraryDragDrop::Instance().OnDragOverWindow(data, keyState, point, this);
}

bool CMainFrame::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT point) {
    return DocumentsMenu::LibraryDragDrop::Instance().OnDropOnWindow(data, effect, point, this);
}
