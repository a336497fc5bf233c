// The engine's view of its main frame.
#include "app/kvw32_app.h"
#include "mainframe/toolsengine/frame_tools_options.h"
#include "mainframe/main_frame.h"

namespace frame_tools {

CWnd* FrameWindow(CMainFrame* frame) { return frame; }

CXTPCommandBars* FrameCommandBars(CMainFrame* frame) { return frame->GetCommandBars(); }

// The UI library's frameless tool bars are not built yet: there is nothing to pass options or
// shortcuts on to.
CXTPCommandBars* FramelessToolBars(CMainFrame*) { return nullptr; }
void SetFramelessIconSize(CMainFrame*, SIZE) {}

void RecalcFrameLayout(CMainFrame* frame) { frame->RecalcLayout(); }

CXTPDockingPane* FindDockingPane(CMainFrame* frame, UINT paneId) {
    const CXTPDockingPaneManager* panes = frame->GetDockingPaneManager();
    return panes ? panes->FindPane(paneId) : nullptr;
}

bool ActiveDocumentRunsCommand(CMainFrame* frame) {
    const CKvw32Doc* document = frame->GetActiveKorvoDocument();
    return document && document->IsInCommand();
}

SIZE ToolBarIconSize() {
    const CKvw32App* application = CKvw32App::Instance();
    return application ? application->GetToolBarIconSize() : SIZE{24, 24};
}

}  // namespace frame_tools
