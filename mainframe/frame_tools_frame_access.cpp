// The engine's view of its main frame. The frame's command bars, frameless tool bars and docking
// panes come with the frame's own construction.
#include "app/kvw32_app.h"
#include "mainframe/frame_tools_options.h"
#include "mainframe/main_frame.h"

namespace frame_tools {

CWnd* FrameWindow(CMainFrame* frame) { return frame; }
CXTPCommandBars* FrameCommandBars(CMainFrame*) { return nullptr; }
CXTPCommandBars* FramelessToolBars(CMainFrame*) { return nullptr; }
void SetFramelessIconSize(CMainFrame*, SIZE) {}
void RecalcFrameLayout(CMainFrame* frame) { frame->RecalcLayout(); }
CXTPDockingPane* FindDockingPane(CMainFrame*, UINT) { return nullptr; }

SIZE ToolBarIconSize() {
    const CKvw32App* application = CKvw32App::Instance();
    return application ? application->GetToolBarIconSize() : SIZE{24, 24};
}

}  // namespace frame_tools
