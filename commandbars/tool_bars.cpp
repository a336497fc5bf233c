#include "commandbars/tool_bars.h"

#include <algorithm>
#include <array>

#include "commandbars/tab_tool_bar.h"
#include "services/application.h"
#include "services/main_frame.h"

using FixableToolBar = Korvo::UI::FixableToolBar;
IMPLEMENT_DYNCREATE(CKVToolBar, FixableToolBar)
IMPLEMENT_DYNCREATE(CKVMenuBar, CXTPMenuBar)
IMPLEMENT_DYNCREATE(CKVControlButton, CXTPControlButton)

namespace {

// MDI messages after which the active child may have changed: create, destroy, activate, restore,
// maximize, next (WM_MDITILE at 548 does not change it).
constexpr std::array<UINT, 6> kMdiMessages{545, 546, 547, 549, 550, 551};

// A counted reference held for a scope.
template <class T>
class Hold {
public:
    explicit Hold(T* object) : object_(object) {
        if (object_) object_->InternalAddRef();
    }
    ~Hold() {
        if (object_) object_->InternalRelease();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    T* object_;
};

// The bar that is not a popup and (through popup controls) holds `bar`, and the control of the
// root whose popup `bar` is; the bar itself when it is a root.
struct RootOfBar {
    CXTPCommandBar* root = nullptr;
    CXTPControl* popupControl = nullptr;
};

bool holdsBar(CXTPCommandBar* owner, CXTPCommandBar* bar) {
    CXTPControls* controls = owner->GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPCommandBar* sub = controls->GetAt(i)->GetCommandBar();
        if (sub && (sub == bar || holdsBar(sub, bar))) return true;
    }
    return false;
}

RootOfBar findRoot(CXTPCommandBar* bar) {
    if (!bar) return {};
    if (bar->GetType() != xtpBarTypePopup) return {bar, nullptr};
    CXTPCommandBars* bars = bar->GetCommandBars();
    if (!bars) return {};
    for (int b = 0; b < bars->GetCount(); ++b) {
        CXTPToolBar* candidate = bars->GetAt(b);
        CXTPControls* controls = candidate->GetControls();
        for (int i = 0; i < controls->GetCount(); ++i) {
            CXTPControl* control = controls->GetAt(i);
            CXTPCommandBar* sub = control->GetCommandBar();
            if (sub && (sub == bar || holdsBar(sub, bar))) return {candidate, control};
        }
    }
    return {};
}

std::vector<int> idsOf(const CXTPCommandBar* bar) {
    std::vector<int> ids;
    for (int i = 0; i < bar->GetControls()->GetCount(); ++i) ids.push_back(bar->GetControls()->GetAt(i)->GetID());
    return ids;
}

// What the single buttons of a set on the tabbed main bar take from it: the shown tab's
// category, and the caption below the icon while the bars show large icons.
struct TabLook {
    bool tabbed = false;
    CString category;
    bool largeIcons = false;
};

TabLook tabLookOf(CXTPCommandBar* root) {
    const auto* tabBar = dynamic_cast<const CKVTabToolBar*>(root);
    if (!tabBar) return {};
    TabLook look;
    look.tabbed = true;
    if (const CXTPTabToolBar::TabItem* shown = tabBar->GetItem(tabBar->GetCurSel())) look.category = shown->caption;
    if (CXTPCommandBars* bars = root->GetCommandBars()) look.largeIcons = bars->GetCommandBarsOptions()->bLargeIcons != FALSE;
    return look;
}

// Expands the set of `setBar` on `root` into single buttons in place of its popup control.
void expandSet(CXTPCommandBar* root, CXTPCommandBar* setBar) {
    CXTPControls* controls = root->GetControls();
    const TabLook look = tabLookOf(root);
    const std::vector<int> setIds = idsOf(setBar);
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* popup = controls->GetAt(i);
        CXTPCommandBar* sub = popup->GetCommandBar();
        if (!sub || !popup->IsVisible() || idsOf(sub) != setIds) continue;
        Hold<CXTPCommandBar> keepSet(sub);
        const int place = i;
        controls->Remove(popup);
        int inserted = 0;
        for (int s = 0; s + 1 < sub->GetControls()->GetCount(); ++s) {
            const CXTPControl* source = sub->GetControls()->GetAt(s);
            auto* button = new CKVControlButton;
            controls->Add(button, source->GetID(), nullptr, place + inserted);
            button->SetCaption(source->GetCaption());
            button->SetTooltip(GetStrWithoutCommandLetters(source->GetTooltip()));
            button->SetBeginGroup(inserted == 0);
            if (look.tabbed) button->SetCategory(look.category);
            if (look.largeIcons) button->SetStyle(xtpButtonIconAndCaptionBelow);
            ++inserted;
        }
        for (int n = place + inserted; n < controls->GetCount(); ++n)
            if (controls->GetAt(n)->IsVisible()) {
                controls->GetAt(n)->SetBeginGroup(TRUE);
                break;
            }
        return;
    }
}

// The visible split button of `root` whose popup holds `id` takes over the command's face.
void takeFace(CXTPCommandBar* root, const CXTPControl& executed) {
    CXTPControls* controls = root->GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* split = controls->GetAt(i);
        CXTPCommandBar* sub = split->GetCommandBar();
        if (!sub || !split->IsVisible() || split->GetType() != xtpControlSplitButtonPopup) continue;
        if (!sub->GetControls()->FindControl(executed.GetID())) continue;
        split->SetID(executed.GetID());
        const CString tooltip = GetStrWithoutCommandLetters(executed.GetTooltip());
        split->SetTooltip(tooltip);
        split->SetCaption(tooltip);
        return;
    }
}

}  // namespace

BOOL CKVToolBar::ShouldSerializeBar() {
    CWnd* site = GetSite();
    if (const auto* frame = dynamic_cast<const MainFrameServices*>(site); frame && !frame->IsShown()) return TRUE;
    return Korvo::UI::FixableToolBar::ShouldSerializeBar();
}

void CKVMenuBar::OnIdleUpdateCmdUI() {
    LockRedraw();
    CXTPMenuBar::OnIdleUpdateCmdUI();
    Korvo::UI::UnlockRedraw(this);
}

BOOL CKVMenuBar::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) {
    const bool watched = message == WM_SIZE || message == WM_WINDOWPOSCHANGED ||
                         std::find(kMdiMessages.begin(), kMdiMessages.end(), message) != kMdiMessages.end();
    if (!watched) return CXTPMenuBar::OnHookMessage(hWnd, message, wParam, lParam, result);
    // The buttons follow the active child first; the toolkit's own handling of the message still runs.
    auto* frame = dynamic_cast<CMDIFrameWnd*>(GetSite());
    if (frame && frame->m_hWndMDIClient)
        if (const auto active = reinterpret_cast<HWND>(::SendMessageW(frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0)))
            RefreshSysButtons(active);
    return CXTPMenuBar::OnHookMessage(hWnd, message, wParam, lParam, result);
}

bool CKVControlButton::IsSnapCommand(int id) {
    static constexpr std::array<int, 17> kSnaps{1275, 1276, 1273, 1813, 1997, 1270, 1968, 1274, 1969,
                                                1794, 1271, 1272, 1970, 1277, 2896, 3173, 1278};
    return std::find(kSnaps.begin(), kSnaps.end(), id) != kSnaps.end();
}

void CKVControlButton::OnExecute() {
    if (!GetEnabled() || !IsVisible()) return;
    // The button and its bar stay alive until this returns, whatever the handler removes.
    Hold<CXTPControl> keepButton(this);
    CXTPCommandBar* bar = GetParent();
    Hold<CXTPCommandBar> keepBar(bar);
    if (IsSnapCommand(GetID())) {
        const ApplicationServices* app = ApplicationServices::Instance();
        MainFrameServices* frame = app ? app->GetActiveMainFrame() : nullptr;
        CFrameWnd* window = frame ? frame->AsMdiMainFrame().AsWindow() : nullptr;
        if (window && window->GetSafeHwnd()) window->PostMessage(WM_COMMAND, static_cast<WPARAM>(GetID()), 0);
        if (bar && bar->GetSafeHwnd()) bar->PostMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        return;
    }
    CXTPControlButton::OnExecute();
    if (GetID() == kTemporarySnapsCommand) return;
    const RootOfBar root = findRoot(bar);
    if (!root.root || root.root->GetType() == xtpBarTypePopup || root.root == bar) return;
    if (GetID() == kExpandSetCommand) {
        expandSet(root.root, bar);
        return;
    }
    takeFace(root.root, *this);
}

void CKVToolBar::DrawCommandBar(CDC* dc, const RECT& clip) {
    constexpr COLORREF kGripper = 0xA0A4AC, kSeparator = 0xC0C4CC;
    RECT client{};
    GetClientRect(&client);
    const bool vertical = GetPosition() == xtpBarLeft || GetPosition() == xtpBarRight;
    // The gripper takes the leading border the bar is grabbed by: the left one, the top one of a
    // vertical bar.
    if (IsGripperShown() || GetPosition() == xtpBarFloating) {
        const int depth = GetBorders().left / 2 + 1;
        const RECT gripper = vertical ? RECT{client.left + kMargin, client.top, client.right - kMargin, client.top + depth}
                                      : RECT{client.left, client.top + kMargin, client.left + depth, client.bottom - kMargin};
        dc->FillSolidRect(&gripper, kGripper);
    }
    dc->SetBkMode(TRANSPARENT);
    bool first = true;
    CXTPControls* controls = GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (!IsControlShown(control)) continue;
        const RECT rect = GetControlRect(control);
        if (rect.right <= clip.left || rect.left >= clip.right || rect.bottom <= clip.top || rect.top >= clip.bottom) continue;
        if (!first && control->GetBeginGroup()) {
            // In the middle of the gap before the group, across the bar.
            const int x = rect.left - kGroupGap / 2, y = rect.top - kGroupGap / 2;
            const RECT separator = vertical ? RECT{rect.left + kMargin, y, rect.right - kMargin, y + 1}
                                            : RECT{x, rect.top + kMargin, x + 1, rect.bottom - kMargin};
            dc->FillSolidRect(&separator, kSeparator);
        }
        first = false;
        control->Draw(dc, rect);
        const XTPControlType type = control->GetType();
        if (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)
            Korvo::UI::DrawPopupTriangle(dc, POINT{rect.right - 5, (rect.top + rect.bottom) / 2 + 1}, control->GetEnabled() != FALSE);
    }
}
