// The main frames as the frame code finds them: through the services the application registered;
// and a frame's own docking panes as the subsystems under it find them.
#include "mainframe/main_frame.h"
#include "services/application.h"

std::vector<CMainFrame*> CMainFrame::GetAll() {
    std::vector<CMainFrame*> frames;
    if (const ApplicationServices* app = ApplicationServices::Instance())
        app->ForEachMainFrame([&](MainFrameServices* frame) { frames.push_back(From(frame)); });
    return frames;
}

CMainFrame* CMainFrame::GetActive() {
    const ApplicationServices* app = ApplicationServices::Instance();
    return app ? From(app->GetActiveMainFrame()) : nullptr;
}

CXTPDockingPane* CMainFrame::FindPane(int paneId) {
    return dynamic_cast<CKVDockingPane*>(m_paneManager.FindPane(paneId));
}
