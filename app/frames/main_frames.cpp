// Access to the main frames through the kernel's UI module, which keeps them: enumeration, the
// active frame, titles, activating the next frame and enabling them all.
#include <algorithm>

#include <boost/scope_exit.hpp>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"


CMainFrame* CKvw32App::AsMainFrame(CFrameWnd* window) { return dynamic_cast<CMainFrame*>(window); }

std::vector<CMainFrame*> CKvw32App::GetMainFrames() const {
    std::vector<CMainFrame*> frames;
    ForEachMainFrame([&](CMainFrame* frame) { frames.push_back(frame); });
    return frames;
}

CMainFrame* CKvw32App::GetActiveMainFrame() const {
    Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    return active ? AsMainFrame(active->AsWindow()) : nullptr;
}

void* CKvw32App::GetActiveMainFrameTabs() const {
    CMainFrame* frame = GetActiveMainFrame();
    return frame ? frame->GetFrameTabs() : nullptr;
}

CString CKvw32App::GetMainWindowTitle() {
    if (!m_appTitle.IsEmpty()) return m_appTitle;
    // Computed once the title string is known; before that there is nothing to cache.
    if (m_mainWindowTitle.IsEmpty() && m_titleStringId != 0) {
        m_mainWindowTitle = GetProductTitle() + GetVersionText();
    }
    return m_mainWindowTitle;
}

void CKvw32App::UpdateFrameTitles() {
    const std::vector<CMainFrame*> frames = GetMainFrames();
    const CString title = GetMainWindowTitle();
    int number = 0;
    for (CMainFrame* frame : frames) {
        CString frameTitle = title;
        if (frames.size() > 1) frameTitle.Format(L"%s (%d)", title.GetString(), ++number);
        frame->SetTitle(frameTitle);
        frame->OnUpdateFrameTitle(TRUE);
    }
}

void CKvw32App::ActivateNextMainFrame() {
    const std::vector<CMainFrame*> frames = GetMainFrames();
    if (frames.size() < 2) return;
    auto active = std::find(frames.begin(), frames.end(), GetActiveMainFrame());
    CMainFrame* next = active == frames.end() || std::next(active) == frames.end() ? frames.front() : *std::next(active);
    // Activating the window makes the frame the UI module's active frame (CMainFrame::OnActivate),
    // unless it is the active window already: closing an inactive frame made itself active in the
    // UI module alone, and the next one hears no activation.
    next->ActivateFrame();
    if (GetActiveMainFrame() != next) next->BecomeActiveMainFrame();
}

void CKvw32App::EnableMainFrames(bool enable) {
    if (m_enablingMainFrames) return;
    m_enablingMainFrames = true;
    BOOST_SCOPE_EXIT_ALL(this) { m_enablingMainFrames = false; };
    ForEachMainFrame([&](CMainFrame* frame) {
        if (frame->GetSafeHwnd()) frame->EnableWindow(enable ? TRUE : FALSE);
    });
}
