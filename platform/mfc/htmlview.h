// The framework's web-browser view. There is no browser engine: the view keeps the address it
// shows, its title and its history, and raises the browser's events as a browser would.
//
// Navigate2 (and a link the user clicks, which is a navigation) first raises OnBeforeNavigate2;
// a cancel there ends the navigation with nothing changed. A page that can be shown (a web
// address, "http://" or "https://"; an existing file; "mk:@MSITStore:FILE[::/TOPIC]" whose FILE
// exists) becomes the current page: the history drops the pages ahead of it and takes it,
// OnNavigateComplete2 follows, then OnTitleChange with the title: the <title> of a local page
// that has one, else the address. Anything else raises OnNavigateError; unless it is cancelled
// the view shows the browser's error page (its address stays, its title is "Navigation
// canceled"), outside the history. GoBack and GoForward move through the history, raising the
// same events; at either end they do nothing.
#pragma once

#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/mfc/doc.h"
#include "platform/win32/com.h"

class CHtmlView : public CView {
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView() = default;

    void OnDraw(CDC* pDC) override;

    void Navigate2(LPCWSTR url, DWORD flags = 0, LPCWSTR targetFrameName = nullptr, LPCWSTR headers = nullptr,
                   LPVOID postedData = nullptr, DWORD postedLength = 0);
    void GoBack();
    void GoForward();
    // A click on a link of the page (for the harness): a navigation to `url`.
    void ClickLink(LPCWSTR url) { Navigate2(url); }

    CString GetLocationURL() const { return location_; }
    CString GetLocationName() const { return title_; }
    // The pages the view has shown, oldest first, and the index of the current one (-1: none).
    const std::vector<CString>& GetHistory() const { return history_; }
    int GetHistoryIndex() const { return current_; }

    // The browser's register-as-drop-target property (on for a new browser).
    void SetRegisterAsDropTarget(BOOL enable) { registerAsDropTarget_ = enable; }
    BOOL GetRegisterAsDropTarget() const { return registerAsDropTarget_; }
    // What the browser takes as the drop target of its window: the view's answer to
    // OnGetDropTarget, or the browser's own (null) when the view gives none.
    IDropTarget* GetBrowserDropTarget();

protected:
    virtual void OnBeforeNavigate2(LPCWSTR url, DWORD flags, LPCWSTR targetFrameName, LPCWSTR headers, BOOL* cancel);
    virtual void OnNavigateComplete2(LPCWSTR url);
    virtual void OnTitleChange(LPCWSTR text);
    virtual void OnNavigateError(LPCWSTR url, LPCWSTR frame, DWORD statusCode, BOOL* cancel);
    // S_OK with the view's own target in *result, or E_NOTIMPL (the browser keeps its own).
    virtual HRESULT OnGetDropTarget(IDropTarget* dropTarget, IDropTarget** result);

private:
    // Shows `url` when it can be shown; `historyIndex` is the history entry it comes from (-1: a
    // new page).
    void go(const CString& url, int historyIndex);

    CString location_;
    CString title_;
    std::vector<CString> history_;
    int current_ = -1;
    BOOL registerAsDropTarget_ = TRUE;
};
