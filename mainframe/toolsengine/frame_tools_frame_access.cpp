// The engine's view of its main frame.
#include "services/application.h"
#include "mainframe/toolsengine/frame_tools_options.h"
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"

namespace frame_tools {

CWnd* FrameWindow(CMainFrame* frame) { return frame; }

CXTPCommandBars* FrameCommandBars(CMainFrame* frame) { return frame->GetCommandBars(); }

CXTPCommandBars* FramelessToolBars(CMainFrame* frame) { return frame->GetFramelessToolBars(); }

void SetFramelessIconSize(CMainFrame* frame, SIZE size) {
    // The selection-filter and split bars keep an icon size of their own.
    using namespace frameless_bars;
    for (const UINT barId : {kAutoMenu, kView, kEditInPlace, kDrawingView, kFeaTaskModel})
        if (Korvo::UI::FramelessToolBar* bar = frame->GetFramelessToolBar(barId)) bar->SetIconSize(size);
}

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
    const ApplicationServices* application = ApplicationServices::Instance();
    return application ? application->GetToolBarIconSize() : SIZE{24, 24};
}

}  // namespace frame_tools
