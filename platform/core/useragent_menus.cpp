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

std::wstring withoutMnemonics(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// The item the answer names, sub-menus searched too; null when none.
const MenuItemView* findTrackedItem(const std::vector<MenuItemView>& items, const MenuAnswer& answer) {
    for (const MenuItemView& item : items) {
        if (!item.separator && item.submenu.empty() && item.id != 0) {
            const bool match = answer.kind == MenuAnswer::Kind::ChooseId
                                   ? static_cast<int>(item.id) == answer.id
                                   : withoutMnemonics(item.text) == withoutMnemonics(answer.caption);
            if (match) return &item;
        }
        if (const MenuItemView* inner = findTrackedItem(item.submenu, answer)) return inner;
    }
    return nullptr;
}

}  // namespace

std::optional<MenuAnswer> UserAgent::takeMenuAnswer() {
    std::lock_guard lock(mutex_);
    for (auto& [expected, consumed] : menuExpectations_) {
        if (consumed) continue;
        consumed = true;
        return expected;
    }
    return std::nullopt;
}

UINT UserAgent::answerTrackedMenuWith(const TrackedMenuRequest& request, const MenuAnswer& answer) {
    if (answer.kind == MenuAnswer::Kind::Dismiss) {
        journal().add("menu", L"answer dismiss (expected)");
        return 0;
    }
    const MenuItemView* item = findTrackedItem(request.items, answer);
    if (!item) {
        reportFailure(L"menu has no item to " + describeMenuAnswer(answer));
        journal().add("menu", L"answer dismiss (no such item)");
        return 0;
    }
    if (item->greyed) {
        reportFailure(L"menu item " + std::to_wstring(item->id) + L" " + quoted(item->text) + L" is disabled");
        journal().add("menu", L"answer dismiss (disabled item)");
        return 0;
    }
    journal().add("menu", L"answer " + describeMenuAnswer(answer) + L" (expected)");
    return item->id;
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
        // A menu answer the user gave for the next menu of any kind (the console's expect menu).
        if (const std::optional<MenuAnswer> answer = takeMenuAnswer()) return answerTrackedMenuWith(request, *answer);
        if (policy() != ModalPolicy::Lenient) reportFailure(L"unexpected popup menu (owner " + handleText(request.owner) + L")");
        journal().add("menu", L"dismissed");
        return 0;
    }
    const UINT chosen = choose(request);
    journal().add("menu", chosen ? L"chose " + std::to_wstring(chosen) : std::wstring(L"dismissed"));
    return chosen;
}

}  // namespace platform::core
