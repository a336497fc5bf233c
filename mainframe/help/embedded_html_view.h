// The browser view of the help window and of tutorial documents. Every navigation passes the
// help-link protocol first; a link it handles is not followed.
#pragma once

#include "platform/mfc.h"

class CEmbeddedHtmlView : public CHtmlView {
    DECLARE_DYNCREATE(CEmbeddedHtmlView)
public:
    CEmbeddedHtmlView() = default;

    // A drop target that takes nothing: files dragged onto a page never open in the browser.
    // It lives inside the view, so its references are not counted.
    class DropTarget : public IDropTarget {
    public:
        HRESULT QueryInterface(REFIID riid, void** object) override;
        ULONG AddRef() override { return 1; }
        ULONG Release() override { return 1; }
        HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
        HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
        HRESULT DragLeave() override { return S_OK; }
        HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    };

    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context = nullptr) override;
    // Hosted: the view of a help window, which owns it and takes its page titles.
    void SetHosted(bool hosted) { m_hosted = hosted; }
    bool IsHosted() const { return m_hosted; }
    bool IsRedrawPending() const { return m_redrawPending; }
    // Redraws the view with its children when a navigation completed since the last redraw.
    void RedrawIfPending();

protected:
    void PostNcDestroy() override;
    HRESULT OnGetDropTarget(IDropTarget* dropTarget, IDropTarget** result) override;
    void OnNavigateComplete2(LPCWSTR url) override;
    void OnBeforeNavigate2(LPCWSTR url, DWORD flags, LPCWSTR targetFrameName, LPCWSTR headers, BOOL* cancel) override;
    void OnTitleChange(LPCWSTR text) override;
    void OnNavigateError(LPCWSTR url, LPCWSTR frame, DWORD statusCode, BOOL* cancel) override;
    afx_msg LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);

private:
    bool m_hosted = false;
    DropTarget m_dropTarget;
    bool m_redrawPending = false;

    DECLARE_MESSAGE_MAP()
};
