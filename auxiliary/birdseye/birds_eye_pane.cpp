#include "auxiliary/birdseye/birds_eye_pane.h"

namespace {

constexpr UINT kOptionsCommand = 2178;
constexpr UINT kCloseCommand = 2179;
constexpr UINT kFrameModeCommand = 2180;
constexpr UINT kRectangleModeCommand = 2181;
constexpr UINT kRedrawCommand = 2182;
constexpr UINT kShowCommand = 782;
constexpr UINT kContextMenu = 1101;
constexpr UINT kOptionsDialog = 1345;
constexpr int kFirstUpdateRadio = 1100;
constexpr int kFirstModeRadio = 1103;
// The update mode keeps the key layouts already hold; the frame mode has a key of its own, so
// loading one never decides the other.
constexpr const wchar_t* kUpdateModeKey = L"KVBEView_Mode";
constexpr const wchar_t* kFrameModeKey = L"KVBEView_FrameMode";

CXTPDockingPaneManager* ActivePaneManager() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    return frame ? frame->GetDockingPaneManager() : nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(KVBEV, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_CONTEXTMENU, &KVBEV::OnContextMenu)
    ON_MESSAGE(WM_SETFOCUS, &KVBEV::OnSetFocus)
    ON_MESSAGE(WM_KEYDOWN, &KVBEV::OnKeyDown)
    ON_COMMAND(kCloseCommand, &KVBEV::OnClosePane)
    ON_COMMAND(kShowCommand, &KVBEV::OnShowPane)
    ON_COMMAND(kFrameModeCommand, &KVBEV::OnFrameMode)
    ON_COMMAND(kRectangleModeCommand, &KVBEV::OnRectangleMode)
    ON_COMMAND(kRedrawCommand, &KVBEV::OnRedraw)
    ON_COMMAND(kOptionsCommand, &KVBEV::OnOptions)
END_MESSAGE_MAP()

int KVBEV::OnCreate(LPCREATESTRUCT createStruct) {
    if (CWnd::OnCreate(createStruct) == -1) return -1;
    return view_.CreateView(this) ? 0 : -1;
}

void KVBEV::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (!view_.GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    view_.SetWindowPos(nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL KVBEV::DoPropExchange(CXTPPropExchange* px) {
    int updateMode = view_.GetUpdateMode();
    bool frameMode = view_.IsFrameMode();
    PX_Int(px, kUpdateModeKey, updateMode, 1);
    PX_Bool(px, kFrameModeKey, frameMode, false);
    if (px->IsLoading()) {
        // A layout written by hand may hold any number: the modes the dialog offers only.
        view_.SetUpdateMode(updateMode >= 0 && updateMode <= KVBEView::kUpdateOnRequest ? updateMode : 1);
        view_.SetFrameMode(frameMode);
    }
    return TRUE;
}

void KVBEV::SetTheme(const Korvo::UI::Theme& theme) {
    Korvo::UI::DockingPaneChildWindow::SetTheme(theme);
    view_.SetBackground(theme.paneBackground);
    if (view_.GetSafeHwnd()) view_.CWnd::Invalidate(TRUE);
}

LRESULT KVBEV::OnContextMenu(WPARAM, LPARAM screenPoint) {
    POINT point{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    POINT client = point;
    ::ScreenToClient(GetSafeHwnd(), &client);
    RECT area{};
    GetClientRect(&area);
    if (client.x < area.left || client.x >= area.right || client.y < area.top || client.y >= area.bottom)
        return Default();
    HMENU menu = ::LoadMenuW(nullptr, kContextMenu);
    if (!menu) return 0;
    HMENU popup = ::GetSubMenu(menu, 0);
    ::CheckMenuRadioItem(popup, kFrameModeCommand, kRectangleModeCommand,
                         view_.IsFrameMode() ? kFrameModeCommand : kRectangleModeCommand, MF_BYCOMMAND);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, GetSafeHwnd(), nullptr);
    ::DestroyMenu(menu);
    return 0;
}

// The overview takes the keys the pane gets.
LRESULT KVBEV::OnSetFocus(WPARAM, LPARAM) {
    if (view_.GetSafeHwnd()) view_.SetFocus();
    return 0;
}

LRESULT KVBEV::OnKeyDown(WPARAM key, LPARAM data) {
    return view_.GetSafeHwnd() ? view_.SendMessage(WM_KEYDOWN, key, data) : Default();
}

void KVBEV::OnClosePane() {
    if (CXTPDockingPaneManager* manager = ActivePaneManager()) manager->ClosePane(kPaneId);
}

void KVBEV::OnShowPane() {
    if (CXTPDockingPaneManager* manager = ActivePaneManager()) manager->ShowPane(kPaneId, TRUE);
}

void KVBEV::OnFrameMode() { view_.SetFrameMode(true); }

void KVBEV::OnRectangleMode() { view_.SetFrameMode(false); }

void KVBEV::OnRedraw() { view_.Repaint(); }

void KVBEV::OnOptions() {
    if (view_.IsDragging()) return;
    int updateMode = view_.GetUpdateMode();
    int rectangleMode = view_.IsFrameMode() ? 0 : 1;
    if (RunOptionsDialog(kOptionsDialog, {{kFirstUpdateRadio, &updateMode}, {kFirstModeRadio, &rectangleMode}}, this) != 1)
        return;
    view_.SetUpdateMode(updateMode);
    view_.SetFrameMode(rectangleMode == 0);
}
