#include "platform/korvoui/frames.h"

namespace Korvo::UI {

CMDIChildWnd* MainFrame::GetActiveChildFrame() {
    auto* frame = dynamic_cast<CMDIFrameWnd*>(AsWindow());
    return frame && frame->GetSafeHwnd() ? frame->MDIGetActive() : nullptr;
}

CKvw32Doc* MainFrame::GetActiveKorvoDocument() {
    CFrameWnd* active = AsWindow()->GetActiveFrame();
    return active ? DYNAMIC_DOWNCAST(CKvw32Doc, active->GetActiveDocument()) : nullptr;
}

CKVView* MainFrame::GetActiveKorvoView() {
    CFrameWnd* active = AsWindow()->GetActiveFrame();
    return active ? DYNAMIC_DOWNCAST(CKVView, active->GetActiveView()) : nullptr;
}

CXTPCommandBars* MainFrame::GetCommandBars() { return nullptr; }
CXTPDockingPaneManager* MainFrame::GetDockingPaneManager() { return nullptr; }
const CXTPDockingPaneManager* MainFrame::GetDockingPaneManager() const { return nullptr; }
CXTPToolBar* MainFrame::GetPopupToolbar() { return nullptr; }

int MainFrame::GetSelectionFilterSet() const { return filterSet_; }
void MainFrame::BeginSelectionFilterConfiguration() { ++filterConfiguring_; }
void MainFrame::EndSelectionFilterConfiguration() {
    if (filterConfiguring_ > 0) --filterConfiguring_;
}
void MainFrame::SetSelectionFilterSet(int set) { filterSet_ = set; }
void MainFrame::ShowSelectionFilterButton(int id, bool show) { filterButtons_[id].visible = show; }

int MainFrame::GetSelectionFilterButtonState(int id) const {
    const auto it = filterButtons_.find(id);
    return it == filterButtons_.end() ? 0 : it->second.state;
}

void MainFrame::HideAllSelectionFilterButtons() {
    for (auto& [id, button] : filterButtons_) button.visible = false;
}

void MainFrame::SetSelectionFilterButtonIconAndToolTip(int id, int icon, LPCWSTR tooltip) {
    FilterToolBarButton& button = filterButtons_[id];
    button.icon = icon;
    button.iconPath.Empty();
    button.tooltip = tooltip ? tooltip : L"";
}

void MainFrame::SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR iconPath, LPCWSTR tooltip) {
    FilterToolBarButton& button = filterButtons_[id];
    button.icon = 0;
    button.iconPath = iconPath ? iconPath : L"";
    button.tooltip = tooltip ? tooltip : L"";
}

void MainFrame::SetSelectionFilterButtonState(int id, int state) { filterButtons_[id].state = state; }

void MainFrame::SetSelectionFilterButtonState(LPCWSTR name, int state) {
    // Buttons named by the application get ids of their own, after every numbered one.
    auto [it, added] = filterButtonsByName_.emplace(CString(name ? name : L""), 0);
    if (added) it->second = -static_cast<int>(filterButtonsByName_.size());
    filterButtons_[it->second].state = state;
}

void MainFrame::SetSelectionFilterButtonProperties(int id, DWORD properties) {
    filterButtons_[id].properties = properties;
}

void MainFrame::SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties) {
    auto [it, added] = filterButtonsByName_.emplace(CString(name ? name : L""), 0);
    if (added) it->second = -static_cast<int>(filterButtonsByName_.size());
    filterButtons_[it->second].properties = properties;
}

void MainFrame::MakeActive() { UIModuleProxy::Instance().SetActiveMainFrame(this); }

void MainFrame::SetTheme(const Theme&) {}

void MainFrame::OnChangeActiveMainFrame(MainFrame*) {}

void MainFrame::ViewActivated(CView* view) { lastView_ = view; }

void MainFrame::HidePopupToolbar() {
    if (CXTPToolBar* bar = GetPopupToolbar()) bar->SetVisible(FALSE);
}

namespace detail {
void registerMainFrame(MainFrame* frame) { UIModuleProxy::Instance().RegisterMainFrame(frame); }
void unregisterMainFrame(MainFrame* frame) { UIModuleProxy::Instance().UnregisterMainFrame(frame); }
}  // namespace detail

IMPLEMENT_DYNCREATE(MdiChildFrame, CMDIChildWnd)

void MdiChildFrame::tellMainFrame(CView* view) {
    if (auto* frame = dynamic_cast<MainFrame*>(GetMDIFrame())) frame->ViewActivated(view);
}

void MdiChildFrame::SetActiveView(CView* pViewNew, BOOL bNotify) {
    const CView* old = GetActiveView();
    CMDIChildWnd::SetActiveView(pViewNew, bNotify);
    if (GetActiveView() == old || !m_hWnd) return;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() == this) tellMainFrame(GetActiveView());
}

LRESULT MdiChildFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND self = m_hWnd;
    const HWND client = ::GetParent(self);
    const LRESULT result = CMDIChildWnd::WindowProc(message, wParam, lParam);
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == self) tellMainFrame(GetActiveView());
    // The last document window gone: the frame has no active view any more.
    if (message == WM_DESTROY && client && !::SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) {
        CWnd* owner = CWnd::FromHandlePermanent(::GetParent(client));
        if (auto* frame = dynamic_cast<MainFrame*>(owner)) frame->ViewActivated(nullptr);
    }
    return result;
}

}  // namespace Korvo::UI
