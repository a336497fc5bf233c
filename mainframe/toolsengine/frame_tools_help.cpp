// The frame tools engine's embedded help window.
#include "mainframe/help/embedded_help_frame.h"
#include "mainframe/toolsengine/frame_tools_engine.h"

bool CFrameToolsEngine::ShowEmbeddedHelp(LPCWSTR address, DWORD) {
    if (!address || !*address) {
        if (CEmbeddedHelpFrame* frame = std::exchange(m_embeddedHelp, nullptr)) frame->DestroyWindow();
        return true;
    }
    if (!m_embeddedHelp) {
        auto* frame = new CEmbeddedHelpFrame(this);
        m_embeddedHelp = frame;
        if (!frame->Create()) {
            // A frame whose window was made has destroyed it, deleting itself and telling the
            // engine; one that made no window is still held here.
            if (m_embeddedHelp == frame) {
                m_embeddedHelp = nullptr;
                delete frame;
            }
            return false;
        }
    }
    return m_embeddedHelp->Navigate(address);
}

void CFrameToolsEngine::CloseEmbeddedHelp() {
    CEmbeddedHelpFrame* frame = std::exchange(m_embeddedHelp, nullptr);
    if (!frame) return;
    // The close arrives later; the engine may be gone by then.
    frame->SetOwner(nullptr);
    ::PostMessageW(frame->GetSafeHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CFrameToolsEngine::UpdateEmbeddedHelp() {
    if (m_embeddedHelp) m_embeddedHelp->AttachToMainFrame();
}

void CFrameToolsEngine::OnEmbeddedHelpDestroyed(CEmbeddedHelpFrame* frame) {
    if (frame && m_embeddedHelp == frame) m_embeddedHelp = nullptr;
}

void CFrameToolsEngine::ForgetEmbeddedHelp() {
    // The help window belongs to the main window: it goes with it.
    if (CEmbeddedHelpFrame* frame = std::exchange(m_embeddedHelp, nullptr)) {
        frame->SetOwner(nullptr);
        if (frame->GetSafeHwnd()) frame->DestroyWindow();
    }
}
