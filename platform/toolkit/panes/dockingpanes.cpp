#include "platform/toolkit/panes/dockingpanes.h"

#include <cstring>

#include "platform/core/record.h"

#include <algorithm>

#include "platform/toolkit/window_classes.h"

IMPLEMENT_DYNCREATE(CXTPDockingPaneManager, CWnd)

namespace {

// The pane that heads the tab group of `pane`.
CXTPDockingPane* groupOf(CXTPDockingPane* pane) {
    while (pane && pane->GetNeighbour()) pane = pane->GetNeighbour();
    return pane;
}

}  // namespace

void CXTPDockingPane::SetTitle(LPCWSTR title) {
    title_ = title ? title : L"";
    if (container_) ::SetWindowTextW(container_, title_);
}

void CXTPDockingPane::Attach(CWnd* child) {
    child_ = child ? child->GetSafeHwnd() : nullptr;
    if (!child_) return;
    HWND holder = container_ ? container_ : manager_->GetSafeHwnd();
    if (holder && ::GetParent(child_) != holder) ::SetParent(child_, holder);
    if (!container_) return;
    ::ShowWindow(child_, SW_SHOWNA);
    // A window attached to a floating pane already in place takes the frame's room below its
    // caption at once (a docked one gets its room as the site lays out).
    if (state_ != xtpPaneFloating || ::GetParent(child_) != container_) return;
    RECT client{};
    ::GetClientRect(container_, &client);
    const LONG top = std::min<LONG>(client.bottom, CXTPDockingPaneManager::kCaptionHeight);
    ::MoveWindow(child_, client.left, top, client.right - client.left, client.bottom - top, FALSE);
}

HWND CXTPDockingPane::Detach() {
    const HWND child = child_;
    child_ = nullptr;
    return child;
}

BOOL CXTPDockingPane::IsFocus() const {
    const HWND focus = ::GetFocus();
    return child_ && focus && (focus == child_ || ::IsChild(child_, focus));
}

CXTPDockingPaneManager::CXTPDockingPaneManager()
    : imageManager_(new CXTPImageManager),
      tabPaintManager_(new CXTPTabPaintManager),
      panelPaintManager_(new CXTPTabPaintManager) {}

CXTPDockingPaneManager::~CXTPDockingPaneManager() {
    for (CXTPDockingPane* pane : panes_) pane->InternalRelease();
    imageManager_->InternalRelease();
    tabPaintManager_->InternalRelease();
    panelPaintManager_->InternalRelease();
}

BOOL CXTPDockingPaneManager::InstallDockingPanes(CWnd* site, BOOL) {
    if (!site || !site->GetSafeHwnd()) return FALSE;
    site_ = site;
    if (GetSafeHwnd()) return TRUE;
    return CreateEx(0, platform::toolkit::toolkitWindowClass(L"XTPDockingPaneManager"), L"",
                    WS_CHILD | WS_CLIPCHILDREN, RECT{0, 0, 0, 0}, site, 0);
}

CXTPDockingPane* CXTPDockingPaneManager::CreatePane(UINT id, RECT rect, XTPDockingPaneDirection direction,
                                                    CXTPDockingPane* neighbour) {
    if (!GetSafeHwnd() || FindPane(id)) return nullptr;
    CXTPDockingPane* pane = OnCreatePane(0, nullptr);
    if (!pane) return nullptr;
    pane->manager_ = this;
    pane->id_ = id;
    pane->direction_ = direction;
    pane->rect_ = rect;
    panes_.push_back(pane);
    if (neighbour) pane->neighbour_ = groupOf(neighbour);
    ShowPane(pane, FALSE);
    return pane;
}

void CXTPDockingPaneManager::AttachPane(CXTPDockingPane* pane, CXTPDockingPane* neighbour) {
    if (!pane || !neighbour || pane == neighbour) return;
    CXTPDockingPane* group = groupOf(neighbour);
    if (group == pane) return;
    pane->neighbour_ = group;
    pane->direction_ = group->direction_;
    relayoutSite();
}

bool CXTPDockingPaneManager::IsLayoutPaneKnown(UINT) const { return true; }

CXTPDockingPane* CXTPDockingPaneManager::FindPane(UINT id) const {
    for (CXTPDockingPane* pane : panes_)
        if (pane->GetID() == id) return pane;
    return nullptr;
}

void CXTPDockingPaneManager::ShowPane(UINT id, BOOL setFocus) { ShowPane(FindPane(id), setFocus); }

void CXTPDockingPaneManager::ShowPane(CXTPDockingPane* pane, BOOL setFocus) {
    if (!pane || !GetSafeHwnd()) return;
    const bool wasShown = pane->state_ == xtpPaneDocked || pane->state_ == xtpPaneFloating;
    if (!wasShown) pane->state_ = pane->floatedLast_ ? xtpPaneFloating : xtpPaneDocked;
    // The pane becomes the selected one of its tab group.
    CXTPDockingPane* group = groupOf(pane);
    for (CXTPDockingPane* other : panes_)
        if (groupOf(other) == group) other->selected_ = other == pane;
    showContainer(pane);
    relayoutSite();
    if (setFocus && pane->IsValid()) ::SetFocus(pane->child_);
    // A pane still without a window asks for one each time it is shown: its owner may have had
    // none to give before.
    if ((!wasShown || !pane->IsValid()) && site_ && site_->GetSafeHwnd())
        site_->SendMessage(XTPWM_DOCKINGPANE_NOTIFY, XTP_DPN_SHOWWINDOW, reinterpret_cast<LPARAM>(pane));
}

void CXTPDockingPaneManager::ClosePane(UINT id) { ClosePane(FindPane(id)); }

void CXTPDockingPaneManager::ClosePane(CXTPDockingPane* pane) {
    if (!pane || pane->IsClosed()) return;
    if (notifyAction(pane, xtpPaneActionClosed)) return;
    pane->floatedLast_ = pane->state_ == xtpPaneFloating;
    pane->state_ = xtpPaneClosed;
    if (pane->selected_) selectAnother(pane);
    hideContainer(pane);
    relayoutSite();
}

void CXTPDockingPaneManager::HidePane(CXTPDockingPane* pane) {
    if (!pane || pane->IsHidden() || pane->IsClosed()) return;
    if (notifyAction(pane, xtpPaneActionHidden)) return;
    pane->floatedLast_ = pane->state_ == xtpPaneFloating;
    pane->state_ = xtpPaneHidden;
    hideContainer(pane);
    relayoutSite();
}

void CXTPDockingPaneManager::ContextMenu(CXTPDockingPane* pane, POINT point) {
    if (!pane || pane->IsClosed() || !site_ || !site_->GetSafeHwnd()) return;
    XTP_DOCKINGPANE_CLICK click{pane, point};
    site_->SendMessage(XTPWM_DOCKINGPANE_NOTIFY, XTP_DPN_CONTEXTMENU, reinterpret_cast<LPARAM>(&click));
}

void CXTPDockingPaneManager::FloatPane(CXTPDockingPane* pane, RECT rect) {
    if (!pane || !GetSafeHwnd()) return;
    if (notifyAction(pane, xtpPaneActionFloating)) return;
    const bool wasShown = pane->state_ == xtpPaneDocked || pane->state_ == xtpPaneFloating;
    // A floating pane has a frame of its own: it leaves its tab group, whose other panes stay
    // together with one of them shown.
    if (pane->selected_) selectAnother(pane);
    leaveGroup(pane);
    pane->selected_ = true;
    pane->state_ = xtpPaneFloating;
    pane->floatRect_ = rect;
    pane->rect_ = rect;
    hideContainer(pane);
    showContainer(pane);
    relayoutSite();
    if (!wasShown && site_ && site_->GetSafeHwnd())
        site_->SendMessage(XTPWM_DOCKINGPANE_NOTIFY, XTP_DPN_SHOWWINDOW, reinterpret_cast<LPARAM>(pane));
}

void CXTPDockingPaneManager::ToggleDocking(CXTPDockingPane* pane) {
    if (!pane || !GetSafeHwnd() || pane->IsClosed() || pane->IsHidden()) return;
    if (!pane->IsFloating()) {
        const RECT none{};
        const bool hasFloatRect = std::memcmp(&pane->floatRect_, &none, sizeof none) != 0;
        FloatPane(pane, hasFloatRect ? pane->floatRect_ : pane->rect_);
        return;
    }
    if (notifyAction(pane, xtpPaneActionDocked)) return;
    pane->state_ = xtpPaneDocked;
    hideContainer(pane);
    showContainer(pane);
    relayoutSite();
}

BOOL CXTPDockingPaneManager::PushAside(CXTPDockingPane* pane, RECT rect) {
    if (!pane || !pane->IsFloating() || !pane->container_ || !::IsWindow(pane->container_)) return FALSE;
    RECT frame{};
    ::GetWindowRect(pane->container_, &frame);
    const bool covers = frame.left < rect.right && rect.left < frame.right && frame.top < rect.bottom && rect.top < frame.bottom;
    if (!covers) return FALSE;
    platform::core::recordCall(L"CXTPDockingPaneManager::PushAside(" + std::to_wstring(pane->GetID()) + L")");
    ::SetWindowPos(pane->container_, nullptr, 0, 0, frame.right - frame.left, kCaptionHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

CXTPDockingPane* CXTPDockingPaneManager::OnCreatePane(int, CXTPDockingPaneLayout*) {
    return new CXTPDockingPane(this);
}

void CXTPDockingPaneManager::DestroyPane(CXTPDockingPane* pane) {
    const auto it = std::find(panes_.begin(), panes_.end(), pane);
    if (it == panes_.end()) return;
    // The child outlives the pane: it leaves the container before the container goes.
    if (pane->HoldsChild()) {
        ::ShowWindow(pane->child_, SW_HIDE);
        ::SetParent(pane->child_, GetSafeHwnd());
    }
    pane->Detach();
    if (pane->container_ && ::IsWindow(pane->container_)) ::DestroyWindow(pane->container_);
    pane->container_ = nullptr;
    if (pane->selected_) selectAnother(pane);
    leaveGroup(pane);
    panes_.erase(it);
    pane->InternalRelease();
}

BOOL CXTPDockingPaneManager::IsPaneClosed(UINT id) const {
    const CXTPDockingPane* pane = FindPane(id);
    return !pane || pane->IsClosed();
}

BOOL CXTPDockingPaneManager::IsPaneHidden(UINT id) const {
    const CXTPDockingPane* pane = FindPane(id);
    return pane && pane->IsHidden();
}

void CXTPDockingPaneManager::DetachChildren() {
    for (CXTPDockingPane* pane : panes_) pane->Detach();
}

void CXTPDockingPaneManager::SetImageManager(CXTPImageManager* manager) {
    if (!manager || manager == imageManager_) return;
    imageManager_->InternalRelease();
    imageManager_ = manager;
}

void CXTPDockingPaneManager::RedrawPanes() {
    tabPaintManager_->RefreshMetrics();
    panelPaintManager_->RefreshMetrics();
    for (CXTPDockingPane* pane : panes_)
        if (pane->container_) ::InvalidateRect(pane->container_, nullptr, TRUE);
}

void CXTPDockingPaneManager::showContainer(CXTPDockingPane* pane) {
    if (!pane->container_ || !::IsWindow(pane->container_)) {
        // A floating pane's frame is a top-level window of its own that the site owns (it stays
        // above the site and goes with it), at its floating rectangle on the screen; a docked
        // pane's container is a child of the site, placed as the site lays out.
        const bool floating = pane->state_ == xtpPaneFloating;
        const RECT& rect = floating ? pane->floatRect_ : pane->rect_;
        const DWORD style = (floating ? WS_POPUP : WS_CHILD | WS_VISIBLE) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        const HMENU id = floating ? nullptr : reinterpret_cast<HMENU>(static_cast<UINT_PTR>(pane->id_));
        pane->container_ = ::CreateWindowExW(
            floating ? WS_EX_TOOLWINDOW : 0, platform::toolkit::toolkitWindowClass(L"XTPDockingPaneTabbedContainer"),
            pane->title_, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
            site_->GetSafeHwnd(), id, AfxGetInstanceHandle(), nullptr);
        // Floating leaves the focus where it was.
        if (floating && pane->container_) ::ShowWindow(pane->container_, SW_SHOWNA);
    }
    if (pane->IsValid()) {
        ::SetParent(pane->child_, pane->container_);
        ::ShowWindow(pane->child_, SW_SHOWNA);
    }
}

void CXTPDockingPaneManager::leaveGroup(CXTPDockingPane* pane) {
    // The panes that shared the pane's tab group keep sharing one: the first of them takes the
    // pane's place in the group and the others join it.
    CXTPDockingPane* successor = nullptr;
    for (CXTPDockingPane* other : panes_) {
        if (other == pane || other->neighbour_ != pane) continue;
        other->neighbour_ = successor ? successor : pane->neighbour_;
        if (!successor) successor = other;
    }
    pane->neighbour_ = nullptr;
}

void CXTPDockingPaneManager::selectAnother(CXTPDockingPane* pane) {
    pane->selected_ = false;
    // The tab after the pane's in its group, else the one before it.
    CXTPDockingPane* group = groupOf(pane);
    CXTPDockingPane* before = nullptr;
    bool passed = false;
    for (CXTPDockingPane* other : panes_) {
        if (other == pane) {
            passed = true;
            continue;
        }
        if (groupOf(other) != group || other->state_ != xtpPaneDocked) continue;
        if (passed) {
            other->selected_ = true;
            return;
        }
        before = other;
    }
    if (before) before->selected_ = true;
}

void CXTPDockingPaneManager::hideContainer(CXTPDockingPane* pane) {
    // A window another manager's pane took over stays where it is.
    if (pane->HoldsChild()) {
        ::ShowWindow(pane->child_, SW_HIDE);
        ::SetParent(pane->child_, GetSafeHwnd());
    }
    if (pane->container_ && ::IsWindow(pane->container_)) ::DestroyWindow(pane->container_);
    pane->container_ = nullptr;
}

BOOL CXTPDockingPaneManager::notifyAction(CXTPDockingPane* pane, XTPDockingPaneAction action) {
    if (!site_ || !site_->GetSafeHwnd()) return FALSE;
    XTP_DOCKINGPANE_ACTION record{action, pane, FALSE};
    site_->SendMessage(XTPWM_DOCKINGPANE_NOTIFY, XTP_DPN_ACTION, reinterpret_cast<LPARAM>(&record));
    return record.bCancel;
}
