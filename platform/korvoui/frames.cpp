#include "platform/korvoui/frames.h"

namespace Korvo::UI {

void MainFrame::MakeActive() { UIModuleProxy::Instance().SetActiveMainFrame(this); }

void MainFrame::SetTheme(const Theme&) {}

void MainFrame::OnChangeActiveMainFrame(MainFrame*) {}

namespace detail {
void registerMainFrame(MainFrame* frame) { UIModuleProxy::Instance().RegisterMainFrame(frame); }
void unregisterMainFrame(MainFrame* frame) { UIModuleProxy::Instance().UnregisterMainFrame(frame); }
}  // namespace detail

IMPLEMENT_DYNCREATE(MdiChildFrame, CMDIChildWnd)

}  // namespace Korvo::UI
