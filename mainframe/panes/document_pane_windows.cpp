#include "mainframe/panes/document_pane_windows.h"

#include "mainframe/main_frame.h"

BEGIN_MESSAGE_MAP(ControlPaneWindow, Korvo::UI::DockingPaneChildWindow)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// The pane's command shows the pane's icon in the active frame's bars.
void BindPaneIcon(UINT paneId, UINT iconId) {
    Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    if (auto* frame = dynamic_cast<CMainFrame*>(active ? active->AsWindow() : nullptr))
        UIModuleProxy::Instance().BindCommandIcon(frame->GetCommandBars(), paneId, iconId);
}

}  // namespace

int ControlPaneWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (Korvo::UI::DockingPaneChildWindow::OnCreate(lpCreateStruct) == -1) return -1;
    BindPaneIcon(m_paneId, m_iconId);
    RECT client{};
    GetClientRect(&client);
    Control().Create(m_controlStyle, client, this, kControlId);
    return 0;
}

void ControlPaneWindow::OnSize(UINT nType, int cx, int cy) {
    Korvo::UI::DockingPaneChildWindow::OnSize(nType, cx, cy);
    if (!Control().GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    Control().MoveWindow(&client);
}

void ControlPaneWindow::SetTheme(const Korvo::UI::Theme& theme) {
    Korvo::UI::DockingPaneChildWindow::SetTheme(theme);
    Control().SetTheme(theme);
}

void ControlPaneWindow::OnAttachedToPane(CXTPDockingPane* pane) {
    Korvo::UI::DockingPaneChildWindow::OnAttachedToPane(pane);
    Control().UpdateCommandBarsOptions();
}

BOOL ControlPaneWindow::DoPropExchange(CXTPPropExchange* px) { return Control().DoPropExchange(px); }

BEGIN_MESSAGE_MAP(CModelElementsListWnd, ControlPaneWindow)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CModelElementsListWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
    ControlPaneWindow::OnShowWindow(bShow, nStatus);
    m_list.OnShow(bShow != FALSE);
}

BEGIN_MESSAGE_MAP(AssemblyStructureWindow, ControlPaneWindow)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void AssemblyStructureWindow::OnShowWindow(BOOL bShow, UINT nStatus) {
    ControlPaneWindow::OnShowWindow(bShow, nStatus);
    m_site.OnShow(bShow != FALSE);
}

BEGIN_MESSAGE_MAP(CProductStructWnd, Korvo::UI::DockingPaneChildWindow)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CProductStructWnd::~CProductStructWnd() { ProductStructEditorProxy::Instance().Detach(); }

int CProductStructWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (Korvo::UI::DockingPaneChildWindow::OnCreate(lpCreateStruct) == -1) return -1;
    BindPaneIcon(kPaneId, kIconId);
    return 0;
}

void CProductStructWnd::OnSize(UINT nType, int cx, int cy) {
    Korvo::UI::DockingPaneChildWindow::OnSize(nType, cx, cy);
    ProductStructEditorProxy::Instance().Resize(cx, cy);
}

void CProductStructWnd::SetTheme(const Korvo::UI::Theme& theme) {
    Korvo::UI::DockingPaneChildWindow::SetTheme(theme);
    ProductStructEditorProxy::Instance().SetTheme(theme);
}

void CProductStructWnd::OnAttachedToPane(CXTPDockingPane* pane) {
    Korvo::UI::DockingPaneChildWindow::OnAttachedToPane(pane);
    ProductStructEditorProxy::Instance().Attach(GetSafeHwnd());
}

void CProductStructWnd::Refresh() {
    if (GetSafeHwnd()) ProductStructEditorProxy::Instance().Refresh();
}

void CProductStructWnd::OnDocumentClosed(CKvw32Doc* document) {
    ProductStructEditorProxy::Instance().OnDocumentClosed(document);
}
