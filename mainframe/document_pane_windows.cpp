#include "mainframe/document_pane_windows.h"

BEGIN_MESSAGE_MAP(CModelElementsListWnd, CWnd)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CModelElementsListWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
    CWnd::OnShowWindow(bShow, nStatus);
    if (bShow) m_list.OnShow(true);
}

BEGIN_MESSAGE_MAP(AssemblyStructureWindow, CWnd)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void AssemblyStructureWindow::OnShowWindow(BOOL bShow, UINT nStatus) {
    CWnd::OnShowWindow(bShow, nStatus);
    if (bShow) m_site.OnShow(true);
}
