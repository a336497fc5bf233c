// Moving a document window from another main frame into this one.
#include "mainframe/main_frame.h"

namespace {

constexpr DWORD kChildFrameStyles = 0xC70000;  // caption, sizing border, minimise and maximise boxes

// Moves every child window of `from` under `to`.
void reparentChildren(HWND from, HWND to) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(from, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    for (HWND child : children) ::SetParent(child, to);
}

}  // namespace

bool CMainFrame::AttachChildFrame(CMDIChildWnd* child) {
    if (!child || !child->GetSafeHwnd()) return false;
    CMDIFrameWnd* oldFrame = child->GetMDIFrame();
    if (oldFrame != this) {
        wchar_t className[257] = {};
        ::GetClassNameW(child->GetSafeHwnd(), className, 257);
        CString title;
        child->GetWindowText(title);
        const bool visible = child->IsWindowVisible() != FALSE;
        auto* holder = new CMDIChildWnd;  // deletes itself when its window goes
        if (!holder->Create(className, title, child->GetStyle() & ~(WS_VISIBLE | WS_MAXIMIZE), CFrameWnd::rectDefault, this))
            return false;
        // The old frame's next child takes over when the moving one holds its active view.
        if (oldFrame && oldFrame->GetActiveView() && child->IsChild(oldFrame->GetActiveView()))
            ::SendMessageW(oldFrame->m_hWndMDIClient, WM_MDINEXT, reinterpret_cast<WPARAM>(child->GetSafeHwnd()), 0);
        reparentChildren(child->GetSafeHwnd(), holder->GetSafeHwnd());
        // The objects swap windows: the child's object (with its views and document) now owns the
        // window in this frame; the holder object gets the old window and goes with it.
        HWND oldWindow = child->Detach();
        HWND newWindow = holder->Detach();
        child->Attach(newWindow);
        holder->Attach(oldWindow);
        // The icons the views gave their frame window (the tab shows the small one) go along;
        // the views set them once, when they were made.
        for (const WPARAM kind : {WPARAM{ICON_SMALL}, WPARAM{ICON_BIG}})
            if (const LRESULT icon = ::SendMessageW(oldWindow, WM_GETICON, kind, 0))
                ::SendMessageW(newWindow, WM_SETICON, kind, icon);
        child->RecalcLayout();
        if (visible) child->ShowWindow(SW_SHOW);
        holder->DestroyWindow();
        if (auto* oldMain = dynamic_cast<CMainFrame*>(oldFrame)) oldMain->SetActiveView(nullptr, FALSE);
    }
    if (!m_workbookMode) {
        child->ModifyStyle(0, kChildFrameStyles, SWP_FRAMECHANGED);
        BOOL maximized = FALSE;
        CMDIChildWnd* active = MDIGetActive(&maximized);
        if (active && active != child && maximized) MDIMaximize(child);
        else MDIRestore(child);
    }
    BringWindowToTop();
    MDIActivate(child);
    if (CView* view = child->GetActiveView()) ViewActivated(view);
    if (m_shown && !IsIconic()) {
        RecalcLayout();
        if (CXTPCommandBars* bars = GetCommandBars()) bars->UpdateCommandBars();
    }
    return true;
}
