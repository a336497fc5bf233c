// Where the manager's shown panes stand: docked tab groups at their sides of the site's free
// client area, each group's selected pane over the group's room (its caption on top, the tabs of
// a group of several at the bottom, the pane's window between them).
#include <algorithm>
#include <array>

#include "platform/toolkit/panes/dockingpanes.h"

namespace {

CXTPDockingPane* headOf(CXTPDockingPane* pane) {
    while (pane && pane->GetNeighbour()) pane = pane->GetNeighbour();
    return pane;
}

void place(HWND window, const RECT& rect) {
    ::MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

int width(const RECT& rect) { return rect.right - rect.left; }
int height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

std::vector<CXTPDockingPane*> CXTPDockingPaneManager::GetDockedGroup(const CXTPDockingPane* pane) const {
    std::vector<CXTPDockingPane*> group;
    if (!pane || pane->state_ != xtpPaneDocked) return group;
    CXTPDockingPane* head = headOf(const_cast<CXTPDockingPane*>(pane));
    for (CXTPDockingPane* each : panes_)
        if (each->state_ == xtpPaneDocked && headOf(each) == head) group.push_back(each);
    return group;
}

RECT CXTPDockingPaneManager::GetTabRect(const CXTPDockingPane* pane) const {
    const std::vector<CXTPDockingPane*> group = GetDockedGroup(pane);
    if (group.size() < 2 || !pane->container_) return RECT{};
    RECT client{};
    ::GetClientRect(pane->container_, &client);
    const int count = static_cast<int>(group.size());
    const int index = static_cast<int>(std::find(group.begin(), group.end(), pane) - group.begin());
    const int each = width(client) / count;
    const int left = index * each;
    const int right = index + 1 == count ? client.right : left + each;
    return RECT{left, client.bottom - kTabHeight, right, client.bottom};
}

void CXTPDockingPaneManager::placeInside(CXTPDockingPane* pane, bool tabs) {
    if (!pane->container_ || !pane->IsValid() || ::GetParent(pane->child_) != pane->container_) return;
    RECT client{};
    ::GetClientRect(pane->container_, &client);
    RECT inner{client.left, std::min<int>(client.bottom, kCaptionHeight), client.right,
               client.bottom - (tabs ? kTabHeight : 0)};
    if (inner.bottom < inner.top) inner.bottom = inner.top;
    place(pane->child_, inner);
}

void CXTPDockingPaneManager::LayoutDockedPanes(RECT& client) {
    // The tab groups of docked panes, each under the side its head docks to, in the panes' order.
    struct Group {
        CXTPDockingPane* head = nullptr;
        std::vector<CXTPDockingPane*> members;
    };
    std::array<std::vector<Group>, 4> sides;
    for (CXTPDockingPane* pane : panes_) {
        if (pane->state_ == xtpPaneFloating) placeInside(pane, false);
        if (pane->state_ != xtpPaneDocked || !pane->container_) continue;
        CXTPDockingPane* head = headOf(pane);
        auto& side = sides[static_cast<std::size_t>(std::clamp<int>(head->direction_, 0, 3))];
        auto group = std::find_if(side.begin(), side.end(), [head](const Group& g) { return g.head == head; });
        if (group == side.end()) group = side.insert(side.end(), Group{head, {}});
        group->members.push_back(pane);
    }
    // The sides take their room in this order: left and right over the whole height, then top and
    // bottom between them. A side is as thick as its thickest group asks, up to 40% of what is left.
    for (XTPDockingPaneDirection direction : {xtpPaneDockLeft, xtpPaneDockRight, xtpPaneDockTop, xtpPaneDockBottom}) {
        const std::vector<Group>& groups = sides[static_cast<std::size_t>(direction)];
        if (groups.empty()) continue;
        const bool vertical = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
        int thickness = 0;
        for (const Group& group : groups) {
            const auto selected = std::find_if(group.members.begin(), group.members.end(),
                                               [](const CXTPDockingPane* p) { return p->selected_; });
            const RECT& asked = (selected != group.members.end() ? *selected : group.members.front())->rect_;
            thickness = std::max(thickness, vertical ? width(asked) : height(asked));
        }
        const int room = vertical ? width(client) : height(client);
        thickness = std::clamp(thickness, std::min(kMinimumThickness, room), std::max(0, room * 2 / 5));
        RECT band = client;
        switch (direction) {
            case xtpPaneDockLeft: band.right = client.left += thickness; break;
            case xtpPaneDockRight: band.left = client.right -= thickness; break;
            case xtpPaneDockTop: band.bottom = client.top += thickness; break;
            case xtpPaneDockBottom: band.top = client.bottom -= thickness; break;
        }
        // The groups of one side share its length.
        const int count = static_cast<int>(groups.size());
        const int length = vertical ? height(band) : width(band);
        for (int g = 0; g < count; ++g) {
            const int from = length * g / count, to = length * (g + 1) / count;
            const RECT room = vertical ? RECT{band.left, band.top + from, band.right, band.top + to}
                                       : RECT{band.left + from, band.top, band.left + to, band.bottom};
            const std::vector<CXTPDockingPane*>& members = groups[static_cast<std::size_t>(g)].members;
            const auto selected = std::find_if(members.begin(), members.end(),
                                               [](const CXTPDockingPane* p) { return p->selected_; });
            const CXTPDockingPane* shown = selected != members.end() ? *selected : members.front();
            for (CXTPDockingPane* pane : members) {
                place(pane->container_, room);
                ::ShowWindow(pane->container_, pane == shown ? SW_SHOWNA : SW_HIDE);
                placeInside(pane, members.size() > 1);
            }
        }
    }
}

void CXTPDockingPaneManager::relayoutSite() {
    auto* frame = dynamic_cast<CFrameWnd*>(site_);
    if (!frame || !frame->GetSafeHwnd()) return;
    // A frame not yet shown (one still making its panes) lays out once, when it next idles or
    // is sized, not once for every pane.
    if (!frame->IsWindowVisible()) {
        frame->DelayRecalcLayout(FALSE);
        return;
    }
    frame->RecalcLayout();
}
