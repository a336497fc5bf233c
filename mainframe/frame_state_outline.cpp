#include "mainframe/frame_state_outline.h"

#include "mainframe/main_frame.h"

std::wstring FrameStateOutline(HWND frame) {
    auto* mainFrame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame));
    if (!mainFrame) return std::wstring();
    Korvo::UI::XML::Element element(Korvo::UI::XML::TagNames::MainWindow);
    mainFrame->SaveXmlState(element, true, true);
    return element.toXml();
}
