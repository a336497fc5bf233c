// The kernel callback object: docking pane 1016, which hosts a kernel form window in the
// active main frame, and its fit to the form while it floats.
#include <algorithm>

#include "app/automation/server_app_proxy.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kFormPane = 1016;
// Where a new form pane first docks; the frame's layout moves it from there.
constexpr RECT kInitialFormPaneRect{0, 0, 250, 300};

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

CXTPDockingPane* FormPaneOf(CMainFrame* frame) {
    CXTPDockingPaneManager* manager = frame ? frame->GetDockingPaneManager() : nullptr;
    return manager ? manager->FindPane(kFormPane) : nullptr;
}

}  // namespace

bool ServerAppProxy::AttachFormToPane1016(CWnd* form) {
    CMainFrame* frame = ActiveFrame();
    CXTPDockingPaneManager* manager = frame ? frame->GetDockingPaneManager() : nullptr;
    if (!manager || !form || !form->GetSafeHwnd()) return false;
    CXTPDockingPane* pane = manager->FindPane(kFormPane);
    if (!pane) pane = manager->CreatePane(kFormPane, kInitialFormPaneRect, xtpPaneDockRight);
    if (!pane) return false;
    if (const auto* kernelForm = dynamic_cast<const KVFormWindow*>(form)) {
        if (kernelForm->GetIconId() != 0) pane->SetIconID(static_cast<int>(kernelForm->GetIconId()));
        pane->SetTitle(kernelForm->GetTitle());
        pane->SetTabCaption(kernelForm->GetTitle());
    }
    pane->Attach(form);
    FitPane1016();
    return true;
}

void ServerAppProxy::DetachFormFromPane1016() {
    CMainFrame* frame = ActiveFrame();
    CXTPDockingPane* pane = FormPaneOf(frame);
    if (!pane) return;
    // The form is the kernel's: destroying the pane detaches it first, moving it out of the
    // pane's window, where a bare detach would leave it to be destroyed with that window.
    frame->GetDockingPaneManager()->DestroyPane(pane);
}

void ServerAppProxy::FitPane1016() {
    CMainFrame* frame = ActiveFrame();
    CXTPDockingPane* pane = FormPaneOf(frame);
    if (!pane || !pane->IsFloating()) return;
    auto* form = dynamic_cast<KVFormWindow*>(CWnd::FromHandlePermanent(pane->GetChild()));
    if (!form) return;
    const SIZE minimum = form->GetMinSize();
    pane->SetMinTrackSize(minimum);
    // The floating frame's border and caption around the form.
    RECT outer{}, client{};
    const HWND floatingFrame = pane->GetContainer();
    if (!floatingFrame || !::GetWindowRect(floatingFrame, &outer) || !::GetClientRect(floatingFrame, &client)) return;
    if (form->HasFillingControl()) return;
    const SIZE preferred = form->GetPreferredSize();
    RECT rect = pane->GetFloatingRect();
    rect.right = rect.left + std::max(preferred.cx, minimum.cx) + Width(outer) - Width(client);
    rect.bottom = rect.top + std::max(preferred.cy, minimum.cy) + Height(outer) - Height(client);
    frame->GetDockingPaneManager()->FloatPane(pane, rect);
}
