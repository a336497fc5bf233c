#include "platform/korvoui/fixable_bars.h"

#include "platform/core/record.h"

namespace Korvo::UI {

IMPLEMENT_DYNCREATE(FixableToolBar, CXTPToolBar)
IMPLEMENT_DYNCREATE(FramelessToolBars, CXTPCommandBars)
IMPLEMENT_DYNCREATE(FramelessToolBar, CXTPToolBar)

BOOL FixableToolBarDockContext::StartDrag(POINT) {
    if (IsFixed(bar_)) return FALSE;
    ++drags_;
    return TRUE;
}

bool IsFixable(const CXTPCommandBar* bar) { return dynamic_cast<const FixableBarState*>(bar) != nullptr; }

bool IsFixed(const CXTPCommandBar* bar) {
    const auto* state = dynamic_cast<const FixableBarState*>(bar);
    return state && state->IsFixedState();
}

void Fix(CXTPCommandBar* bar, bool fixed) {
    auto* state = dynamic_cast<FixableBarState*>(bar);
    if (!state) return;
    platform::core::recordCall(L"Korvo::UI::Fix(" + platform::core::quoted(std::wstring(bar->GetTitle())) + L", " +
                               (fixed ? L"true" : L"false") + L")");
    state->SetFixedState(fixed);
    if (CXTPCommandBars* bars = bar->GetCommandBars()) bars->RecalcFrameLayout();
}

void FramelessToolBar::applyVisibility() {
    const bool visible = locked_ ? lockedVisible_ : wanted_;
    if ((IsVisible() != FALSE) != visible) SetVisible(visible ? TRUE : FALSE);
}

void FramelessToolBar::SetWantedVisible(bool visible) {
    wanted_ = visible;
    applyVisibility();
}

void FramelessToolBar::LockVisibility(bool visible) {
    locked_ = true;
    lockedVisible_ = visible;
    applyVisibility();
}

void FramelessToolBar::UnlockVisibility() {
    locked_ = false;
    applyVisibility();
}

void FramelessToolBar::LockSectionVisibility(int section, bool visible) { sections_[section] = visible; }

void FramelessToolBar::UnlockSectionVisibility(int section) { sections_.erase(section); }

int FramelessToolBar::GetSectionLock(int section) const {
    const auto it = sections_.find(section);
    return it == sections_.end() ? -1 : (it->second ? 1 : 0);
}

CString FramelessToolBar::Describe() const {
    std::wstring out = IsVisible() ? L"visible" : L"hidden";
    out += locked_ ? L" locked" : L" free";
    out += popupsLeft_ ? L" popups left" : L" popups right";
    out += IsExpandButtonShown() ? L" expand on" : L" expand off";
    for (const auto& [section, visible] : sections_)
        out += L" section " + std::to_wstring(section) + (visible ? L" shown" : L" hidden");
    if (IsVisible() && placedOver_)
        out += L" at " + std::to_wstring(placedAt_.x) + L"," + std::to_wstring(placedAt_.y);
    if (const SIZE icons = GetIconSize(); icons.cx > 0 && icons.cy > 0)
        out += L" icons " + std::to_wstring(icons.cx) + L"x" + std::to_wstring(icons.cy);
    return CString(out.c_str());
}

void PlaceFramelessToolBars(FramelessToolBars& bars, CView* view, DWORD wanted) {
    constexpr int kGap = 2;
    const HWND over = view ? view->GetSafeHwnd() : nullptr;
    RECT area{};
    if (over) view->GetClientRect(&area);
    int leftTop = area.top + kGap, rightTop = area.top + kGap;
    for (int i = 0; i < bars.GetCount(); ++i) {
        auto* bar = dynamic_cast<FramelessToolBar*>(bars.GetAt(i));
        if (!bar) continue;
        const UINT id = bar->GetBarID();
        bar->SetWantedVisible(over && id < 32 && (wanted & (1u << id)) != 0);
        if (!over || !bar->IsVisible()) {
            bar->placedOver_ = nullptr;
            continue;
        }
        const SIZE size = bar->GetContentSize();
        int& top = bar->IsPopupsToTheLeft() ? rightTop : leftTop;
        POINT at{bar->IsPopupsToTheLeft() ? area.right - kGap - size.cx : area.left + kGap, top};
        top += size.cy + kGap;
        bar->placedOver_ = over;
        bar->placedAt_ = at;
        if (!bar->GetSafeHwnd()) continue;
        // The bar is a window of the site: the view's point in the site's client coordinates.
        POINT site = at;
        ::ClientToScreen(over, &site);
        if (const HWND parent = ::GetParent(bar->GetSafeHwnd())) ::ScreenToClient(parent, &site);
        ::SetWindowPos(bar->GetSafeHwnd(), HWND_TOP, site.x, site.y, size.cx, size.cy, SWP_NOACTIVATE);
    }
}

FramelessToolBar* FramelessToolBars::GetFramelessToolBar(UINT barId) const {
    return dynamic_cast<FramelessToolBar*>(GetToolBar(barId));
}

}  // namespace Korvo::UI
