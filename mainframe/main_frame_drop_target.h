// The main window's OLE drop target: the window answers through its drag-and-drop interface.
#pragma once

#include "platform/mfc.h"

class CMainFrameDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, POINT point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, POINT point) override;
};
