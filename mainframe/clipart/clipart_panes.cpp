// Clipart panes: their ids, creation and placement, and the views' life with their frames.
#include <algorithm>
#include <vector>

#include "mainframe/clipart/application_clipart.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/clipart/workmix_clipart.h"
#include "mainframe/main_frame.h"

namespace {

// Pane commands whose panes a new clipart pane docks beside, in this order.
constexpr UINT kNeighbourPaneCommands[] = {785, 794, 783, 782};
constexpr RECT kDefaultFloatingRect{100, 100, 420, 340};

// A pane the program closes while it makes it, or after taking its view out, is not the user's
// close: the view stays.
bool programClose = false;

CMainFrame* ActiveFrame() { return dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()); }

std::vector<CMainFrame*> Frames() {
    std::vector<CMainFrame*> frames;
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames())
        if (auto* main = dynamic_cast<CMainFrame*>(frame)) frames.push_back(main);
    return frames;
}

// The smallest id from the first clipart id up that no other live view with a window holds; 0 when
// none is left.
UINT FreeId(const CClipartView* except) {
    std::vector<UINT> taken;
    for (CClipartView* view = CClipartView::GetHead(); view; view = view->GetNext())
        if (view != except && view->GetSafeHwnd()) taken.push_back(view->GetControlId());
    std::sort(taken.begin(), taken.end());
    UINT id = CClipartView::kFirstId;
    for (const UINT each : taken) {
        if (each < id) continue;
        if (each > id) break;
        ++id;
    }
    return id <= CClipartView::kLastId ? id : 0u;
}

CXTPDockingPane* Neighbour(CMainFrame* frame) {
    for (const UINT command : kNeighbourPaneCommands)
        if (CXTPDockingPane* pane = frame->FindPaneByCommand(command)) return pane->IsFloating() ? nullptr : pane;
    return nullptr;
}

// A pane of any frame, other than `except`, whose child is the view.
CXTPDockingPane* HostingPane(const CClipartView* view, const CXTPDockingPane* except) {
    for (CMainFrame* frame : Frames())
        for (CXTPDockingPane* pane : frame->GetPaneManager().GetPaneList())
            if (pane != except && pane->GetChild() == view->GetSafeHwnd()) return pane;
    return nullptr;
}

}  // namespace

CXTPDockingPane* CClipartView::CreateClipartPane(CClipartView* view, CMainFrame* frame, int flags, const RECT* rect) {
    if (!view) return nullptr;
    if (!frame) frame = ActiveFrame();
    if (!frame || !frame->GetSafeHwnd()) return nullptr;

    UINT id = view->GetControlId();
    if (!id) id = FreeId(view);
    if (!id) return nullptr;
    if (!view->GetSafeHwnd()) {
        if (!view->CreateViewWindow(frame, id)) return nullptr;
    } else {
        view->SetDlgCtrlID(static_cast<int>(id));
    }

    CKVDockingPaneManager& manager = frame->GetPaneManager();
    CXTPDockingPane* pane = manager.FindPane(id);
    if (!pane) pane = manager.CreatePane(id, RECT{0, 0, 0, 0}, (flags & kDockRight) ? xtpPaneDockRight : xtpPaneDockLeft);
    if (!pane) return nullptr;

    if (const CXTPDockingPane* other = HostingPane(view, pane)) {
        pane->SetTitle(other->GetTitle());
        pane->SetTabCaption(other->GetTabCaption());
    } else if (pane->GetChild() != view->GetSafeHwnd()) {
        pane->SetTitle(L"");
    }

    CXTPDockingPane* neighbour = (flags & kDockBesideNeighbour) ? Neighbour(frame) : nullptr;
    if (neighbour && neighbour != pane && neighbour->GetContainer()) {
        // The neighbour's tab group keeps the pane it showed.
        CXTPDockingPane* selected = nullptr;
        for (CXTPDockingPane* member : manager.GetDockedGroup(neighbour))
            if (member->IsSelected()) selected = member;
        manager.AttachPane(pane, neighbour);
        if (selected) manager.ShowPane(selected, FALSE);
    } else {
        const RECT place = rect ? *rect : kDefaultFloatingRect;
        manager.FloatPane(pane, place);
    }
    if (pane->GetChild() != view->GetSafeHwnd()) pane->Attach(view);

    if (auto* listed = dynamic_cast<Korvo::UI::DockingPane*>(pane)) listed->ShowInPaneLists(!(flags & kOutOfPaneLists));
    if (flags & kCloseAfterCreation) {
        programClose = true;
        manager.ClosePane(pane);
        programClose = false;
    }
    return pane;
}

CXTPDockingPane* CClipartView::GetDockingPane(const CClipartView* view, CMainFrame** frameOut) {
    if (frameOut) *frameOut = nullptr;
    if (!view || !view->GetSafeHwnd()) return nullptr;
    const UINT id = view->GetControlId();
    auto* frame = dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetMainFrameOf(view->GetSafeHwnd()));
    CXTPDockingPane* pane = frame ? frame->GetPaneManager().FindPane(id) : nullptr;
    if (!pane) {
        // A floating pane's frame is no child of its main frame: look for the pane holding the view.
        for (CMainFrame* each : Frames()) {
            CXTPDockingPane* candidate = each->GetPaneManager().FindPane(id);
            if (candidate && candidate->GetChild() == view->GetSafeHwnd()) {
                frame = each;
                pane = candidate;
                break;
            }
        }
    }
    if (frameOut && pane) *frameOut = frame;
    return pane;
}

CClipartView* CClipartView::FindByKey(LPCWSTR key, int windowId) {
    const CString wanted(key ? key : L"");
    for (CClipartView* view = head_; view; view = view->next_) {
        auto* application = dynamic_cast<ApplicationClipart*>(view);
        if (application && application->GetWindowId() == windowId && application->GetKey() == wanted) return view;
    }
    return nullptr;
}

// ---- Frames and the program ----------------------------------------------------------------------

void CClipartView::CloseFramePanes(CMainFrame* frame) {
    if (!frame) return;
    CKVDockingPaneManager& manager = frame->GetPaneManager();
    const std::vector<CXTPDockingPane*> panes = manager.GetPaneList();
    for (CXTPDockingPane* pane : panes) {
        auto* view = dynamic_cast<CClipartView*>(CWnd::FromHandlePermanent(pane->GetChild()));
        if (!view) continue;
        view->UpdatePaneState(pane);
        manager.DestroyPane(pane);
        if (view->DestroyOnPaneClose()) Destroy(view);
    }
}

void CClipartView::MarkFrameViews(CMainFrame* frame) {
    for (CClipartView* view = head_; view; view = view->next_) {
        CMainFrame* owner = nullptr;
        GetDockingPane(view, &owner);
        if (!owner && view->GetSafeHwnd())
            owner = dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetMainFrameOf(view->GetSafeHwnd()));
        view->marked_ = frame && owner == frame && !view->IsApplicationClipart();
    }
}

void CClipartView::DestroyMarkedViews() {
    for (CClipartView* view = head_; view;) {
        CClipartView* next = view->next_;
        if (view->marked_) Destroy(view);
        view = next;
    }
}

void CClipartView::DestroyAll() {
    while (tail_) Destroy(tail_);
}

void CClipartView::ReconnectPdmViews(CMainFrame* frame) {
    for (CClipartView* view = head_; view; view = view->next_) {
        auto* workmix = dynamic_cast<WorkmixClipart*>(view);
        if (!workmix) continue;
        CMainFrame* owner = nullptr;
        CXTPDockingPane* pane = GetDockingPane(view, &owner);
        if (frame && owner != frame) continue;
        // A view the disconnect took out of its pane goes back in and the pane comes back as
        // the view last recorded it.
        if (pane && pane->GetChild() != view->GetSafeHwnd()) {
            workmix->ApplyViewState(pane, true);
            pane->Attach(view);
        }
        workmix->CreateContentWithPane(pane);
    }
}

void CClipartView::DisconnectPdmViews(CMainFrame* frame) {
    for (CClipartView* view = head_; view; view = view->next_) {
        auto* workmix = dynamic_cast<WorkmixClipart*>(view);
        if (!workmix) continue;
        CMainFrame* owner = nullptr;
        CXTPDockingPane* pane = GetDockingPane(view, &owner);
        if (frame && owner && owner != frame) continue;
        workmix->DestroyContent();
        if (!pane || !owner || pane->GetChild() != view->GetSafeHwnd()) continue;
        // The view leaves its pane before the pane closes, so that the close does not end the
        // view: it waits under its frame for the connection to come back.
        view->UpdatePaneState(pane);
        view->OnToBeDetachedFromPane(pane);
        view->ShowWindow(SW_HIDE);
        view->SetParent(owner);
        pane->Detach();
        programClose = true;
        owner->GetPaneManager().ClosePane(pane);
        programClose = false;
    }
}

void CClipartView::PrepareFrameForLayout(CMainFrame* frame) {
    if (!frame) return;
    for (CXTPDockingPane* pane : frame->GetPaneManager().GetPaneList()) {
        auto* view = dynamic_cast<CClipartView*>(CWnd::FromHandlePermanent(pane->GetChild()));
        if (!view) continue;
        view->UpdatePaneState(pane);
        view->OnToBeDetachedFromPane(pane);
        if (pane->HoldsChild()) {
            view->ShowWindow(SW_HIDE);
            view->SetParent(frame);
        }
        pane->Detach();
    }
}

void CClipartView::ReattachFramePanes(CMainFrame* frame) {
    if (!frame) return;
    const std::vector<CXTPDockingPane*> panes = frame->GetPaneManager().GetPaneList();
    for (CXTPDockingPane* pane : panes) {
        if (!IsClipartId(pane->GetID())) continue;
        CClipartView* view = FindByControlId(pane->GetID());
        if (!view) {
            frame->GetPaneManager().DestroyPane(pane);
            continue;
        }
        if (pane->GetChild() != view->GetSafeHwnd()) {
            pane->Detach();
            pane->Attach(view);
        }
        view->CreateContentWithPane(pane);
    }
}

bool CClipartView::OnPaneClosed(CMainFrame* frame, CXTPDockingPane* pane) {
    if (programClose || !frame || !pane || !IsClipartId(pane->GetID())) return false;
    auto* view = dynamic_cast<CClipartView*>(CWnd::FromHandlePermanent(pane->GetChild()));
    if (!view) view = FindByControlId(pane->GetID());
    if (!view) return false;
    if (!view->DestroyOnPaneClose()) {
        view->viewState_ = kClosed;
        return false;
    }
    frame->GetPaneManager().DestroyPane(pane);
    Destroy(view);
    return true;
}

void CClipartView::OnPaneMenuClose(CMainFrame* frame, UINT paneId) {
    if (!frame || !IsClipartId(paneId)) return;
    CClipartView* view = FindByControlId(paneId);
    if (!view || !view->DestroyOnPaneClose()) return;
    if (CXTPDockingPane* pane = frame->GetPaneManager().FindPane(paneId)) {
        // Only this frame's pane of the view: a view of another frame's pane stays.
        if (pane->GetChild() && pane->GetChild() != view->GetSafeHwnd()) return;
        frame->GetPaneManager().DestroyPane(pane);
    } else if (GetDockingPane(view)) {
        return;
    }
    Destroy(view);
}
