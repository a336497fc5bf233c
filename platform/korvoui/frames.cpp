#include "platform/korvoui/frames.h"

#include <map>
#include <mutex>

#include "platform/core/record.h"

namespace Korvo::UI {

namespace {

// The library's own part of a theme change: the frame, and the windows its panes host, take it.
void takeTheme(MainFrame& frame, const Theme& theme) {
    frame.SetTheme(theme);
    CXTPDockingPaneManager* panes = frame.GetDockingPaneManager();
    if (!panes) return;
    for (CXTPDockingPane* pane : std::vector<CXTPDockingPane*>(panes->GetPaneList())) {
        CWnd* child = pane->HoldsChild() ? CWnd::FromHandlePermanent(pane->GetChild()) : nullptr;
        if (auto* hosted = dynamic_cast<DockingPaneChild*>(child)) hosted->SetTheme(theme);
    }
}

}  // namespace

MainFrame::MainFrame() {
    static const bool installed = [] {
        InstallMainFrameCalls({
            [](MainFrame& frame) { return frame.AsWindow(); },
            takeTheme,
            [](MainFrame& frame, MainFrame* previous) { frame.OnChangeActiveMainFrame(previous); },
        });
        return true;
    }();
    (void)installed;
}

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
void MainFrame::UnlockLayout() {
    if (layoutLocks_ > 0) --layoutLocks_;
    if (layoutLocks_ != 0 || !layoutPending_) return;
    layoutPending_ = false;
    if (CFrameWnd* window = AsWindow(); window && window->GetSafeHwnd()) window->RecalcLayout();
}

void MainFrame::BeginSelectionFilterConfiguration() { ++filterConfiguring_; }
void MainFrame::EndSelectionFilterConfiguration() {
    if (filterConfiguring_ > 0) --filterConfiguring_;
}
bool MainFrame::SetSelectionFilterSet(int set) {
    filterSet_ = set;
    return true;
}
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

void MainFrame::SetSelectionFilterButtonIconAndToolTip(int id, int icon, UINT tooltipStringId) {
    // Not through the virtual text form: an override forwards each form once.
    MainFrame::SetSelectionFilterButtonIconAndToolTip(id, icon, static_cast<LPCWSTR>(KVLoadString(tooltipStringId)));
}

void MainFrame::SetSelectionFilterButtonState(int id, int state) { filterButtons_[id].state = state; }

void MainFrame::SetSelectionFilterButtonState(int id, bool checked, bool disabled) {
    FilterToolBarButton& button = filterButtons_[id];
    button.state = checked ? 1 : 0;
    button.disabled = disabled;
}

void MainFrame::SetSelectionFilterButtonState(int geometricType, const TGeomClass* state, bool) {
    if (state) geometricStates_[geometricType] = *state;
}

int MainFrame::namedFilterButtonId(LPCWSTR name) {
    // Buttons named by the application get ids of their own, after every numbered one (command
    // ids are 16-bit), in the order they were first named.
    constexpr int kFirstNamedId = 0x10000;
    auto [it, added] = filterButtonsByName_.emplace(CString(name ? name : L""), 0);
    if (added) it->second = kFirstNamedId + static_cast<int>(filterButtonsByName_.size()) - 1;
    return it->second;
}

void MainFrame::SetSelectionFilterButtonState(LPCWSTR name, int state) {
    filterButtons_[namedFilterButtonId(name)].state = state;
}

void MainFrame::SetSelectionFilterButtonProperties(int id, DWORD properties) {
    filterButtons_[id].properties = properties;
}

void MainFrame::SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties) {
    filterButtons_[namedFilterButtonId(name)].properties = properties;
}

void MainFrame::SetSelectionFilterButtonProperties(int id, int icon, UINT tooltipStringId, bool checked,
                                                   bool disabled) {
    MainFrame::SetSelectionFilterButtonProperties(id, icon, static_cast<LPCWSTR>(KVLoadString(tooltipStringId)), checked,
                                                  disabled);
}

void MainFrame::SetSelectionFilterButtonProperties(int id, int icon, LPCWSTR tooltip, bool checked, bool disabled) {
    FilterToolBarButton& button = filterButtons_[id];
    button.icon = icon;
    button.iconPath.Empty();
    button.tooltip = tooltip ? tooltip : L"";
    button.state = checked ? 1 : 0;
    button.disabled = disabled;
}

void MainFrame::UpdateSelectionFilters(bool showSelectionMode) { selectionModeShown_ = showSelectionMode; }

void MainFrame::MakeActive() { UIModuleProxy::Instance().SetActiveMainFrame(this); }

void MainFrame::SetTheme(const Theme&) {}

void MainFrame::OnChangeActiveMainFrame(MainFrame*) {}

void MainFrame::ViewActivated(CView* view) { lastView_ = view ? view->GetSafeHwnd() : nullptr; }

const CView* MainFrame::GetLastActivatedView() const {
    return lastView_ ? DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(lastView_)) : nullptr;
}

void MainFrame::HidePopupToolbar() {
    if (CXTPToolBar* bar = GetPopupToolbar()) bar->SetVisible(FALSE);
}

namespace {

// The windows of the registered main frames, for the type test other threads make on a handle.
struct MainFrameWindows {
    std::mutex mutex;
    std::map<MainFrame*, HWND> windows;
};

MainFrameWindows& mainFrameWindows() {
    static MainFrameWindows windows;
    return windows;
}

}  // namespace

bool IsMainFrameWindow(HWND hwnd) {
    if (!hwnd) return false;
    MainFrameWindows& registry = mainFrameWindows();
    std::lock_guard lock(registry.mutex);
    for (const auto& [frame, window] : registry.windows)
        if (window == hwnd) return true;
    return false;
}

namespace detail {
void registerMainFrame(MainFrame* frame) {
    {
        MainFrameWindows& registry = mainFrameWindows();
        std::lock_guard lock(registry.mutex);
        registry.windows[frame] = frame->AsWindow()->GetSafeHwnd();
    }
    UIModuleProxy::Instance().RegisterMainFrame(frame);
}
void unregisterMainFrame(MainFrame* frame) {
    {
        MainFrameWindows& registry = mainFrameWindows();
        std::lock_guard lock(registry.mutex);
        registry.windows.erase(frame);
    }
    UIModuleProxy::Instance().UnregisterMainFrame(frame);
}

int framelessViewType(CView* view) {
    const auto* documentView = DYNAMIC_DOWNCAST(CKVView, view);
    return documentView ? documentView->GetViewKind() : 0;
}

bool framelessBarsStandOver(const FramelessToolBars& bars, const CView* view) {
    const HWND window = view ? view->GetSafeHwnd() : nullptr;
    if (!window) return false;
    for (int i = 0; i < bars.GetCount(); ++i) {
        const auto* bar = dynamic_cast<const FramelessToolBar*>(bars.GetAt(i));
        if (bar && bar->GetPlacedOver() == window) return true;
    }
    return false;
}

void updateActiveDocumentReadOnlyState(CFrameWnd* frame) {
    platform::core::recordCall(L"Korvo::UI::GenericMainFrame::UpdateActiveDocumentReadOnlyState(" +
               platform::core::handleText(frame ? frame->GetSafeHwnd() : nullptr) + L")");
}
}  // namespace detail

IMPLEMENT_DYNCREATE(MdiChildFrame, CMDIChildWnd)

void MdiChildFrame::tellMainFrame(CView* view) {
    if (auto* frame = dynamic_cast<MainFrame*>(GetMDIFrame())) frame->ViewActivated(view);
}

bool MdiChildFrame::OnChildActivate(CMDIChildWnd* frame, void*) {
    if (!frame) return false;
    const CFrameWnd* mainFrame = frame->GetTopLevelFrame();
    return !mainFrame || !mainFrame->InModalState();
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
