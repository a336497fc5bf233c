#include <optional>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/useragent.h"

namespace platform::core {

std::wstring describeMenu(const std::vector<MenuItemView>& items, int indent) {
    std::wstring out;
    for (const MenuItemView& item : items) {
        out += std::wstring(static_cast<std::size_t>(indent) * 2, L' ');
        if (item.separator) {
            out += L"----\n";
            continue;
        }
        if (!item.submenu.empty() || item.id == 0) out += L">";
        else out += std::to_wstring(item.id);
        if (item.checked) out += item.radio ? L" (o)" : L" [x]";
        if (item.greyed) out += L" (greyed)";
        out += L" " + item.text + L"\n";
        out += describeMenu(item.submenu, indent + 1);
    }
    return out;
}

namespace {

// Windows' menu as the toolkit's request: items in order, sub-menu items after their item.
void flatten(const std::vector<MenuItemView>& items, int depth, PopupMenuRequest& request) {
    bool group = false;
    for (const MenuItemView& item : items) {
        if (item.separator) {
            group = true;
            continue;
        }
        MenuItemInfo info;
        info.id = static_cast<int>(item.id);
        info.caption = item.text;
        info.enabled = !item.greyed;
        info.checked = item.checked;
        info.radio = item.radio;
        info.beginGroup = group;
        info.depth = depth;
        info.subMenu = !item.submenu.empty();
        request.items.push_back(info);
        group = false;
        flatten(item.submenu, depth + 1, request);
    }
}

// The request as tracking shows it: the items of each depth under the item before them.
std::vector<MenuItemView> nest(const std::vector<MenuItemInfo>& items, std::size_t& at, int depth) {
    std::vector<MenuItemView> views;
    while (at < items.size() && items[at].depth >= depth) {
        const MenuItemInfo& info = items[at];
        if (info.depth > depth) {
            if (!views.empty()) views.back().submenu = nest(items, at, info.depth);
            else ++at;
            continue;
        }
        if (info.beginGroup && !views.empty()) views.push_back(MenuItemView{0, L"", true});
        MenuItemView view;
        view.id = info.subMenu ? 0 : static_cast<UINT>(info.id);
        view.text = info.caption;
        view.checked = info.checked;
        view.radio = info.radio;
        view.greyed = !info.enabled;
        views.push_back(view);
        ++at;
    }
    return views;
}

}  // namespace

int UserAgent::expectTrackedMenu(TrackedMenuCallback choose) {
    auto decide = [choose = std::move(choose)](const PopupMenuRequest& request) {
        TrackedMenuRequest tracked;
        tracked.owner = request.owner;
        std::size_t at = 0;
        tracked.items = nest(request.items, at, 0);
        const UINT chosen = choose(tracked);
        MenuAnswer answer;
        if (chosen) {
            answer.kind = MenuAnswer::Kind::ChooseId;
            answer.id = static_cast<int>(chosen);
        }
        return answer;
    };
    std::lock_guard lock(mutex_);
    menuExpectations_.push_back(MenuExpectation{MenuAnswer{}, std::move(decide), false});
    return nextId_++;
}

UINT UserAgent::answerTrackedMenu(const TrackedMenuRequest& request) {
    PopupMenuRequest popup;
    popup.owner = request.owner;
    flatten(request.items, 0, popup);
    const int index = answerPopupMenu(popup);
    return index < 0 ? 0 : static_cast<UINT>(popup.items[static_cast<std::size_t>(index)].id);
}

}  // namespace platform::core
