#include <algorithm>
#include <unordered_set>

#include "platform/toolkit/panes/dockingpanes.h"

namespace {

// The pane that heads the tab group of `pane`.
const CXTPDockingPane* groupHead(const CXTPDockingPane* pane) {
    while (pane && pane->GetNeighbour()) pane = pane->GetNeighbour();
    return pane;
}

// Window coordinates are 16-bit values, as the window manager keeps them: a rectangle read from a
// file is held to that range, and to a size of at least nothing, so its width and height are
// plain numbers for everything that places a window with it.
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;

RECT clampedRect(int left, int top, int right, int bottom) {
    left = std::clamp(left, kMinCoordinate, kMaxCoordinate);
    top = std::clamp(top, kMinCoordinate, kMaxCoordinate);
    return RECT{left, top, std::clamp(right, left, kMaxCoordinate), std::clamp(bottom, top, kMaxCoordinate)};
}

void exchangeRect(CXTPPropExchange* px, LPCWSTR prefix, RECT& rect) {
    const CString name(prefix);
    int left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    PX_Int(px, name + L"Left", left, 0);
    PX_Int(px, name + L"Top", top, 0);
    PX_Int(px, name + L"Right", right, 0);
    PX_Int(px, name + L"Bottom", bottom, 0);
    rect = px->IsLoading() ? clampedRect(left, top, right, bottom) : RECT{left, top, right, bottom};
}

}  // namespace

BOOL CXTPDockingPane::DoPropExchange(CXTPPropExchange* px) {
    PX_String(px, L"Title", title_, L"");
    PX_String(px, L"TabCaption", tabCaption_, L"");
    PX_Int(px, L"IconID", iconId_, 0);
    return TRUE;
}

CXTPDockingPaneLayout::~CXTPDockingPaneLayout() { releaseSources(); }

void CXTPDockingPaneLayout::releaseSources() {
    for (PaneEntry& entry : entries_) {
        if (entry.source) entry.source->InternalRelease();
        entry.source = nullptr;
    }
}

BOOL CXTPDockingPaneLayout::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return FALSE;
    CXTPPropExchangeEnumeratorPtr items = px->GetEnumerator(L"Pane");
    if (!items) return FALSE;
    if (!px->IsLoading()) {
        POSITION position = items->GetPosition(static_cast<DWORD>(entries_.size()));
        for (PaneEntry& entry : entries_) {
            CXTPPropExchange* item = items->GetNext(position);
            if (!item) return FALSE;
            int id = static_cast<int>(entry.id), type = entry.type, state = entry.state, direction = entry.direction;
            int group = static_cast<int>(entry.group);
            bool selected = entry.selected, floated = entry.floatedLast;
            PX_Int(item, L"ID", id);
            PX_Int(item, L"Type", type);
            PX_Int(item, L"State", state);
            PX_Int(item, L"Direction", direction);
            PX_Int(item, L"Group", group);
            PX_Bool(item, L"Selected", selected);
            if (floated) PX_Bool(item, L"FloatedLast", floated);
            exchangeRect(item, L"", entry.rect);
            exchangeRect(item, L"Float", entry.floatRect);
            if (!entry.source) continue;
            // A pane that cannot store its values keeps its place without them: a trial run on a
            // scratch section decides before anything reaches the layout.
            CXTPPropExchangeXMLNode trial(FALSE, L"Values");
            if (!entry.source->DoPropExchange(&trial)) continue;
            std::unique_ptr<CXTPPropExchange> values = item->GetSection(L"Values");
            if (values) entry.source->DoPropExchange(values.get());
        }
        return TRUE;
    }

    releaseSources();
    entries_.clear();
    std::unordered_set<UINT> named;
    POSITION position = items->GetPosition();
    while (position) {
        CXTPPropExchange* item = items->GetNext(position);
        if (!item) break;
        PaneEntry entry;
        int id = 0, type = 0, state = xtpPaneClosed, direction = xtpPaneDockLeft, group = 0;
        PX_Int(item, L"ID", id, 0);
        PX_Int(item, L"Type", type, 0);
        PX_Int(item, L"State", state, xtpPaneClosed);
        PX_Int(item, L"Direction", direction, xtpPaneDockLeft);
        PX_Int(item, L"Group", group, 0);
        PX_Bool(item, L"Selected", entry.selected, false);
        PX_Bool(item, L"FloatedLast", entry.floatedLast, false);
        exchangeRect(item, L"", entry.rect);
        exchangeRect(item, L"Float", entry.floatRect);
        // An entry without an id, or naming a pane an earlier entry named, places no pane: one
        // pane cannot be in two places.
        if (id <= 0 || (manager_ && !manager_->IsLayoutPaneKnown(static_cast<UINT>(id)))) continue;
        if (!named.insert(static_cast<UINT>(id)).second) continue;
        entry.id = static_cast<UINT>(id);
        entry.type = type;
        entry.state = static_cast<XTPDockingPaneState>(std::clamp(state, 0, 3));
        entry.direction = static_cast<XTPDockingPaneDirection>(std::clamp(direction, 0, 3));
        entry.group = group > 0 ? static_cast<UINT>(group) : 0u;
        entry.saved = item->GetSection(L"Values");  // shares the document, so it outlives the item
        entries_.push_back(std::move(entry));
    }
    return TRUE;
}

void CXTPDockingPaneManager::GetLayout(CXTPDockingPaneLayout* layout) const {
    if (!layout) return;
    layout->releaseSources();
    layout->entries_.clear();
    for (CXTPDockingPane* pane : panes_) {
        CXTPDockingPaneLayout::PaneEntry entry;
        entry.id = pane->id_;
        entry.state = pane->state_;
        entry.direction = pane->direction_;
        const CXTPDockingPane* head = groupHead(pane);
        entry.group = head != pane ? head->id_ : 0;
        entry.selected = pane->selected_;
        entry.floatedLast = (pane->state_ == xtpPaneClosed || pane->state_ == xtpPaneHidden) && pane->floatedLast_;
        entry.rect = pane->rect_;
        entry.floatRect = pane->floatRect_;
        pane->InternalAddRef();
        entry.source = pane;
        layout->entries_.push_back(std::move(entry));
    }
}

void CXTPDockingPaneManager::SetLayout(const CXTPDockingPaneLayout* layout) {
    if (!layout || !GetSafeHwnd()) return;
    // Panes the layout does not name go; the others are made or kept.
    for (CXTPDockingPane* pane : std::vector<CXTPDockingPane*>(panes_)) {
        const auto& entries = layout->entries_;
        const bool named = std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.id == pane->id_; });
        if (!named) DestroyPane(pane);
    }
    std::vector<CXTPDockingPane*> ordered;
    for (const CXTPDockingPaneLayout::PaneEntry& entry : layout->entries_) {
        CXTPDockingPane* pane = FindPane(entry.id);
        const bool created = pane == nullptr;
        if (created) {
            pane = OnCreatePane(entry.type, const_cast<CXTPDockingPaneLayout*>(layout));
            if (!pane) continue;
            pane->manager_ = this;
            pane->id_ = entry.id;
            panes_.push_back(pane);
        }
        if (entry.saved && !pane->DoPropExchange(entry.saved.get())) {
            DestroyPane(pane);
            continue;
        }
        hideContainer(pane);
        pane->state_ = xtpPaneClosed;
        pane->direction_ = entry.direction;
        pane->rect_ = entry.rect;
        pane->floatRect_ = entry.floatRect;
        pane->neighbour_ = nullptr;
        ordered.push_back(pane);
    }
    // The layout's order becomes the panes' order; groups join once every pane exists.
    std::vector<CXTPDockingPane*> rest;
    for (CXTPDockingPane* pane : panes_)
        if (std::find(ordered.begin(), ordered.end(), pane) == ordered.end()) rest.push_back(pane);
    panes_ = ordered;
    panes_.insert(panes_.end(), rest.begin(), rest.end());
    for (const CXTPDockingPaneLayout::PaneEntry& entry : layout->entries_) {
        CXTPDockingPane* pane = FindPane(entry.id);
        CXTPDockingPane* head = entry.group ? FindPane(entry.group) : nullptr;
        // A group that would lead back to the pane (a file's loop of groups) is not joined.
        if (pane && head && groupHead(head) != pane) pane->neighbour_ = head;
    }
    for (const CXTPDockingPaneLayout::PaneEntry& entry : layout->entries_) {
        CXTPDockingPane* pane = FindPane(entry.id);
        if (!pane) continue;
        if (entry.state == xtpPaneClosed || entry.state == xtpPaneHidden) {
            pane->floatedLast_ = entry.floatedLast;
            pane->state_ = entry.state;
            continue;
        }
        // The pane's frame is made as it is shown: a floating pane's is a top-level window of its
        // own, which must be decided before it is shown.
        pane->floatedLast_ = entry.state == xtpPaneFloating;
        ShowPane(pane, FALSE);
        pane->state_ = entry.state;
    }
    // Showing selects; the saved selection wins once every pane is in place.
    for (const CXTPDockingPaneLayout::PaneEntry& entry : layout->entries_)
        if (CXTPDockingPane* pane = FindPane(entry.id)) pane->selected_ = entry.selected && !pane->IsClosed();
    relayoutSite();
}

BOOL CXTPDockingPaneManager::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return FALSE;
    std::unique_ptr<CXTPDockingPaneLayout> layout = CreateLayout();
    if (!px->IsLoading()) {
        GetLayout(layout.get());
        return layout->DoPropExchange(px);
    }
    if (!layout->DoPropExchange(px)) return FALSE;
    if (layout->IsValid()) SetLayout(layout.get());
    return TRUE;
}
