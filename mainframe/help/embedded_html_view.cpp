#include "mainframe/help/embedded_html_view.h"

#include "mainframe/help/help_links.h"

IMPLEMENT_DYNCREATE(CEmbeddedHtmlView, CHtmlView)

BEGIN_MESSAGE_MAP(CEmbeddedHtmlView, CHtmlView)
    ON_MESSAGE(WM_MOUSEACTIVATE, &CEmbeddedHtmlView::OnMouseActivate)
END_MESSAGE_MAP()

HRESULT CEmbeddedHtmlView::DropTarget::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_INVALIDARG;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CEmbeddedHtmlView::DropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
    return effect ? S_OK : E_INVALIDARG;
}

HRESULT CEmbeddedHtmlView::DropTarget::DragOver(DWORD, POINTL, DWORD* effect) { return effect ? S_OK : E_INVALIDARG; }

HRESULT CEmbeddedHtmlView::DropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
    return effect ? S_OK : E_INVALIDARG;
}

BOOL CEmbeddedHtmlView::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                               UINT id, CCreateContext* context) {
    if (!CHtmlView::Create(className, windowName, style, rect, parent, id, context)) return FALSE;
    SetRegisterAsDropTarget(FALSE);
    return TRUE;
}

void CEmbeddedHtmlView::RedrawIfPending() {
    if (!m_redrawPending || !GetSafeHwnd()) return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    m_redrawPending = false;
}

void CEmbeddedHtmlView::PostNcDestroy() {
    // The help window deletes its own view.
    if (!m_hosted) CHtmlView::PostNcDestroy();
}

HRESULT CEmbeddedHtmlView::OnGetDropTarget(IDropTarget*, IDropTarget** result) {
    if (!result) return E_INVALIDARG;
    *result = &m_dropTarget;
    return S_OK;
}

void CEmbeddedHtmlView::OnNavigateComplete2(LPCWSTR url) {
    CHtmlView::OnNavigateComplete2(url);
    m_redrawPending = true;
}

void CEmbeddedHtmlView::OnBeforeNavigate2(LPCWSTR url, DWORD, LPCWSTR, LPCWSTR, BOOL* cancel) {
    const BOOL handled = OnHelpLink(url) ? TRUE : FALSE;
    if (cancel) *cancel = handled;
}

void CEmbeddedHtmlView::OnTitleChange(LPCWSTR text) {
    if (!m_hosted) return;
    if (CWnd* parent = GetParent()) parent->SetWindowText(text);
}

void CEmbeddedHtmlView::OnNavigateError(LPCWSTR, LPCWSTR, DWORD, BOOL* cancel) {
    if (cancel) *cancel = TRUE;
}

LRESULT CEmbeddedHtmlView::OnMouseActivate(WPARAM wParam, LPARAM lParam) {
    // A tutorial page sits in an MDI child: the window's own activation, not the view's.
    return m_hosted ? CHtmlView::OnMouseActivateMessage(wParam, lParam) : Default();
}
