// The main frames as the frame code finds them: through the services the application registered.
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
