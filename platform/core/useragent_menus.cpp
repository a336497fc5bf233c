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

int UserAgent::expectTrackedMenu(TrackedMenuCallback choose) {
    std::lock_guard lock(mutex_);
    trackedMenuExpectations_.push_back(TrackedMenuExpectation{nextId_, std::move(choose), false});
    return nextId_++;
}

UINT UserAgent::answerTrackedMenu(const TrackedMenuRequest& request) {
    journal().add("menu", L"popup owner " + handleText(request.owner) + L"\n" + describeMenu(request.items));
    TrackedMenuCallback choose;
    {
        std::lock_guard lock(mutex_);
        for (auto& e : trackedMenuExpectations_) {
            if (e.consumed) continue;
            e.consumed = true;
            choose = e.choose;
            break;
        }
    }
    if (!choose) {
        if (policy() != ModalPolicy::Lenient) reportFailure(L"unexpected popup menu (owner " + handleText(request.owner) + L")");
        journal().add("menu", L"dismissed");
        return 0;
    }
    const UINT chosen = choose(request);
    journal().add("menu", chosen ? L"chose " + std::to_wstring(chosen) : std::wstring(L"dismissed"));
    return chosen;
}

}  // namespace platform::core
