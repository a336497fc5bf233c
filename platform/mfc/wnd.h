// The framework's window object: a CWnd attached to a window handle, the process-wide map from
// handles to their permanent CWnd, and the framework's window procedure.
//
// Dispatch order: AfxWndProc -> AfxCallWndProc (keeps the current message for Default(), turns a
// framework exception into CWinThread::ProcessWndProcException) -> WindowProc -> OnWndMsg
// (WM_COMMAND to OnCommand, WM_NOTIFY to OnNotify, everything else through the message map
// chain) -> DefWindowProc for what the map leaves unhandled.
//
// Creation attaches the CWnd to its handle before WM_NCCREATE (a CBT hook), so WM_NCCREATE and
// WM_CREATE already reach the message map. Destruction detaches it at WM_NCDESTROY and then calls
// PostNcDestroy, which self-deleting classes (frames, views) override to delete the object.
#pragma once

#include "platform/mfc/cmdtarget.h"
#include "platform/mfc/cstring.h"
#include "platform/win32/window/scrollbars.h"
#include "platform/win32/types.h"
#include "platform/win32/window/window.h"
#include "platform/win32/controls/tooltip.h"

class CDC;
class CFrameWnd;
class CScrollBar;  // scroll-bar controls are not modelled: window bars pass null
struct CCreateContext;

using CREATESTRUCT = CREATESTRUCTW;
using LPCREATESTRUCT = LPCREATESTRUCTW;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    // Destroys a window still attached (its handlers then see a plain CWnd), as the framework does.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    // The handle, or null for a CWnd without one. (Never call it through a null pointer.)
    HWND GetSafeHwnd() const { return m_hWnd; }
    // Null-tolerant form for pointers that may be null.
    static HWND SafeHwnd(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }

    // The permanent CWnd of a handle (process-wide map), or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The permanent CWnd, or a temporary wrapper that lives until the thread's next idle pass
    // (count 1) frees it. Null only for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // Frees the calling thread's temporary wrappers.
    static void DeleteTempMap();

    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes an existing window through AfxWndProc; its old procedure becomes the default.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // Destroys the window; a self-deleting object is gone when this returns TRUE.
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual BOOL IsFrameWnd() const { return FALSE; }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: menu and accelerator commands are refused while their update handler disables
    // them; then routed through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // An owner-drawn control's WM_DRAWITEM or WM_DELETEITEM that its parent's message map does
    // not handle comes back to the control's own object, which handles it here (TRUE).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
    // The default processing of the message being handled.
    LRESULT Default();

    // Offers the message to the PreTranslateMessage of every permanent window from its target up
    // the parent chain, stopping after hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // Hides the tip the thread shows now: its window (see platform::mfc::setThreadToolTip) gets
    // TTM_ACTIVATE with FALSE. bKeys would also put the status line's fly-by text back; the
    // stand-in's frames show no fly-by text, so there is nothing more to do for it.
    static void CancelToolTips(BOOL bKeys = FALSE);
    // Tips for the window's children: the mouse messages that reach the window's
    // PreTranslateMessage go to a tooltip control of the window's own, whose tool under the mouse
    // OnToolHitTest finds; the tips' texts come to this window by TTN_NEEDTEXTW.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tool at `point` (client coordinates): by default the visible child with a control id
    // there, as a tool whose id is the child's window and whose text comes by callback; the
    // child's control id, or -1 for no tool.
    virtual INT_PTR OnToolHitTest(POINT point, TOOLINFOW* pTI) const;
    // Hands a mouse message to the window's tooltip control while the window shows tips.
    void FilterToolTipMessage(MSG* pMsg);
    // The window's tooltip control (null until a tip was asked for).
    HWND GetToolTipControl() const { return m_hToolTip; }

    // Sends to every child (every descendant with bDeep); with bOnlyPerm only to windows that have
    // a permanent CWnd, straight into their WindowProc.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);

    // ---- Thin wrappers over the window functions ---------------------------------------------
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCWSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const;
    int GetWindowTextLength() const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetDlgItem(int nID) const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; with nFlags, also applies them with SetWindowPos. TRUE when
    // the style changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    // Centres the window on `pAlternateOwner`, else on its owner or parent, else in the work
    // area of the primary monitor; a top-level window is kept inside that work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, void* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // The window's own scroll bars (SB_HORZ, SB_VERT).
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    // Shows or hides SB_HORZ, SB_VERT or SB_BOTH.
    virtual void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ---- Default message handlers (Default processing) ---------------------------------------
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    // Detaches the object, then calls PostNcDestroy; ends the thread's loop when this is its main
    // window.
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

protected:
    WNDPROC m_pfnSuper = nullptr;
    BOOL m_bToolTips = FALSE;
    HWND m_hToolTip = nullptr;
    UINT_PTR m_nToolTipTool = 0;  // the tool the control holds (a child window), 0 for none

    DECLARE_MESSAGE_MAP()

private:
    BOOL reflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

// The framework's window procedure; every window created through CWnd runs through it.
LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Calls pWnd->WindowProc as a dispatched message would reach it.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
// Registers (once) a window class with the framework's window procedure and returns its name,
// valid for the life of the process.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
// The message being handled on this thread (for handlers that need the raw parameters).
const MSG* AfxGetCurrentMessage();

namespace platform::mfc {
// The tooltip window whose tip the calling thread shows now, as CWnd::CancelToolTips finds it:
// a tip window sets itself when it shows a tip and clears itself (null) when it hides.
void setThreadToolTip(HWND tip);
HWND threadToolTip();
}  // namespace platform::mfc

