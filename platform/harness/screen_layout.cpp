#include "platform/harness/screen_layout.h"

#include <algorithm>

#include "platform/harness/control_kind.h"
#include "platform/win32/control.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/toolkit.h"

namespace platform::harness {

namespace {

using platform::core::control::WindowInfo;

RECT shifted(const RECT& rect, POINT by) {
    return RECT{rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

bool empty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

Place part(Place::Kind kind, std::wstring text, const RECT& rect) {
    Place place;
    place.kind = kind;
    place.text = std::move(text);
    place.rect = rect;
    return place;
}

Place controlPlace(const CXTPControl& control, const RECT& rect) {
    Place place = part(Place::Kind::Control, std::wstring(controlCaption(control)), rect);
    place.id = control.GetID();
    place.controlKind = controlKind(control);
    place.enabled = control.GetEnabled();
    place.selected = control.GetChecked();
    return place;
}

void addControls(const CXTPCommandBar& bar, const CXTPControls* controls, POINT origin, std::vector<Place>& out) {
    for (int i = 0; controls && i < controls->GetCount(); ++i) {
        const CXTPControl* control = controls->GetAt(i);
        const RECT rect = bar.GetControlRect(control);
        if (!empty(rect)) out.push_back(controlPlace(*control, shifted(rect, origin)));
    }
}

void addRibbon(const CXTPRibbonBar& ribbon, POINT origin, std::vector<Place>& out) {
    for (int t = 0; t < ribbon.GetTabCount(); ++t) {
        const CXTPRibbonTab* tab = ribbon.GetTab(t);
        const RECT rect = ribbon.GetTabRect(tab);
        if (empty(rect)) continue;
        Place place = part(Place::Kind::RibbonTab, readableCaption(tab->GetCaption()), shifted(rect, origin));
        place.selected = tab == ribbon.GetCurrentTab();
        out.push_back(std::move(place));
    }
    if (const CXTPRibbonTab* tab = ribbon.GetCurrentTab())
        for (int g = 0; g < tab->GetGroupCount(); ++g) {
            const CXTPRibbonGroup* group = tab->GetGroup(g);
            const RECT rect = ribbon.GetGroupRect(group);
            if (empty(rect)) continue;
            Place place = part(Place::Kind::RibbonGroup, readableCaption(group->GetCaption()), shifted(rect, origin));
            addControls(ribbon, group->GetControls(), origin, place.children);
            out.push_back(std::move(place));
        }
    addControls(ribbon, ribbon.GetQuickAccessControls(), origin, out);
    // The ribbon's own controls but the tab row, whose tabs are listed above.
    const CXTPControls* own = ribbon.GetControls();
    for (int i = 0; own && i < own->GetCount(); ++i) {
        const CXTPControl* control = own->GetAt(i);
        if (dynamic_cast<const CXTPRibbonControlTab*>(control)) continue;
        const RECT rect = ribbon.GetControlRect(control);
        if (!empty(rect)) out.push_back(controlPlace(*control, shifted(rect, origin)));
    }
}

void addStatusPanes(const CXTPStatusBar& status, POINT origin, std::vector<Place>& out) {
    for (int i = 0; i < status.GetPaneCount(); ++i) {
        const CXTPStatusBarPane* pane = status.GetPane(i);
        if (!pane || !pane->IsVisible()) continue;
        RECT rect{};
        status.GetItemRect(i, &rect);
        if (empty(rect)) continue;
        Place place = part(Place::Kind::StatusPane, std::wstring(status.GetPaneText(i).GetString()), shifted(rect, origin));
        place.id = pane->GetID();
        out.push_back(std::move(place));
    }
}

void addDocumentTabs(CXTPTabClientWnd& client, POINT origin, std::vector<Place>& out) {
    const HWND active = reinterpret_cast<HWND>(::SendMessageW(client.GetSafeHwnd(), WM_MDIGETACTIVE, 0, 0));
    for (int g = 0; g < client.GetWorkspaceCount(); ++g) {
        const CXTPTabManagerAtom* group = client.GetWorkspace(g);
        for (int i = 0; i < group->GetItemCount(); ++i) {
            const CXTPTabManagerItem* item = group->GetItem(i);
            if (item->IsNewWindowItem() || empty(item->GetRect())) continue;
            Place place = part(Place::Kind::DocumentTab, std::wstring(item->GetCaption().GetString()),
                               shifted(item->GetRect(), origin));
            place.selected = item->GetHandle() == active;
            out.push_back(std::move(place));
        }
    }
}

// The docking pane whose container `window` is, through the site's manager.
const CXTPDockingPane* paneOfContainer(HWND window) {
    const HWND site = ::GetParent(window);
    for (HWND child = ::GetWindow(site, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (auto* manager = dynamic_cast<CXTPDockingPaneManager*>(CWnd::FromHandlePermanent(child)))
            for (const CXTPDockingPane* pane : manager->GetPaneList())
                if (pane->GetContainer() == window) return pane;
    return nullptr;
}

void addPaneParts(HWND container, const WindowInfo& info, POINT origin, std::vector<Place>& out) {
    const CXTPDockingPane* pane = paneOfContainer(container);
    if (!pane) return;
    const RECT client = info.client;
    out.push_back(part(Place::Kind::PaneCaption, std::wstring(pane->GetTitle().GetString()),
                       shifted(RECT{0, 0, client.right, std::min<LONG>(client.bottom, CXTPDockingPaneManager::kCaptionHeight)},
                               origin)));
    const CXTPDockingPaneManager* manager = pane->GetDockingPaneManager();
    for (const CXTPDockingPane* member : manager->GetDockedGroup(pane)) {
        // Every member's tab sits at the same place of its own container: measure it on this one.
        RECT tab = manager->GetTabRect(member);
        if (empty(tab)) continue;
        Place place = part(Place::Kind::PaneTab, std::wstring(member->GetTabCaption().GetString()), shifted(tab, origin));
        place.selected = member == pane;
        place.id = member->GetID();
        out.push_back(std::move(place));
    }
}

// The window's client origin in frame coordinates.
POINT clientOrigin(HWND window, POINT frameCorner) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    return POINT{origin.x - frameCorner.x, origin.y - frameCorner.y};
}

void addParts(HWND window, const WindowInfo& info, POINT frameCorner, std::vector<Place>& out) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    const POINT origin = clientOrigin(window, frameCorner);
    if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(object)) addRibbon(*ribbon, origin, out);
    else if (auto* bar = dynamic_cast<CXTPCommandBar*>(object)) addControls(*bar, bar->GetControls(), origin, out);
    else if (auto* status = dynamic_cast<CXTPStatusBar*>(object)) addStatusPanes(*status, origin, out);
    else if (auto* tabs = dynamic_cast<CXTPTabClientWnd*>(object)) addDocumentTabs(*tabs, origin, out);
    else if (info.className == L"XTPDockingPaneTabbedContainer") addPaneParts(window, info, origin, out);
}

bool buildWindow(HWND window, POINT frameCorner, Place& place) {
    const auto info = platform::core::control::window(window);
    if (!info || !info->visible) return false;
    place.kind = Place::Kind::Window;
    place.window = window;
    place.className = info->className;
    place.text = info->text;
    place.rect = shifted(info->rect, POINT{-frameCorner.x, -frameCorner.y});
    place.enabled = info->enabled;
    if (empty(place.rect)) return false;
    place.client = shifted(info->client, clientOrigin(window, frameCorner));
    addParts(window, *info, frameCorner, place.children);
    // Children come top of the z-order first; one wholly under a sibling above it shows nothing
    // (the document windows behind the selected tab, say).
    std::vector<RECT> above;
    for (HWND child : info->children) {
        Place inner;
        if (!buildWindow(child, frameCorner, inner)) continue;
        if (std::any_of(above.begin(), above.end(), [&](const RECT& r) { return contains(r, inner.rect); })) continue;
        above.push_back(inner.rect);
        place.children.push_back(std::move(inner));
    }
    return true;
}

std::wstring placeLine(const Place& place) {
    using platform::core::quoted;
    switch (place.kind) {
        case Place::Kind::Window:
            return platform::core::handleText(place.window) + L" " + quoted(place.className) + L" " + quoted(place.text) +
                   L" " + placeRectText(place.rect) + (place.enabled ? L"" : L" disabled");
        case Place::Kind::RibbonTab:
            return L"tab " + quoted(place.text) + L" " + placeRectText(place.rect) + (place.selected ? L" selected" : L"");
        case Place::Kind::RibbonGroup: return L"group " + quoted(place.text) + L" " + placeRectText(place.rect);
        case Place::Kind::Control:
            return L"control " + std::to_wstring(place.id) + L" " + place.controlKind + L" " + quoted(place.text) + L" " +
                   placeRectText(place.rect) + (place.enabled ? L"" : L" disabled") + (place.selected ? L" checked" : L"");
        case Place::Kind::PaneCaption: return L"caption " + quoted(place.text) + L" " + placeRectText(place.rect);
        case Place::Kind::PaneTab:
            return L"pane-tab " + std::to_wstring(place.id) + L" " + quoted(place.text) + L" " + placeRectText(place.rect) +
                   (place.selected ? L" selected" : L"");
        case Place::Kind::DocumentTab:
            return L"document-tab " + quoted(place.text) + L" " + placeRectText(place.rect) +
                   (place.selected ? L" selected" : L"");
        case Place::Kind::StatusPane:
            return L"status-pane " + std::to_wstring(place.id) + L" " + quoted(place.text) + L" " + placeRectText(place.rect);
    }
    return {};
}

void appendText(const Place& place, int depth, std::wstring& out) {
    out += std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + placeLine(place) + L"\n";
    for (const Place& child : place.children) appendText(child, depth + 1, out);
}

}  // namespace

std::wstring placeRectText(const RECT& rect) { return platform::core::rectText(rect.left, rect.top, rect.right, rect.bottom); }

Place frameLayout(HWND frame) {
    Place place;
    const auto info = platform::core::control::window(frame);
    if (!info) return place;
    buildWindow(frame, POINT{info->rect.left, info->rect.top}, place);
    return place;
}

std::wstring layoutText(const Place& frame) {
    std::wstring out;
    if (frame.window) appendText(frame, 0, out);
    if (!out.empty()) out.pop_back();
    return out;
}

}  // namespace platform::harness
