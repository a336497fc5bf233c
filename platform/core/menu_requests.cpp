// Popup and context menus as modal requests of the simulated user.
#include <algorithm>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"

// `core::quoted`, named in full: an unqualified call with a std::wstring would also find
// std::quoted through the argument, wherever <iomanip> was included first (a unity build).
namespace platform::core {

namespace {

// The caption as the user reads it: without mnemonic marks ("&&" stays one "&").
std::wstring readableCaption(const std::wstring& caption) {
    std::wstring out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

std::wstring describeMenu(const PopupMenuRequest& request) {
    return handleText(request.owner) + L" " + std::to_wstring(request.items.size()) + L" items";
}

// One line per item, indented by its depth.
std::wstring describeItem(const MenuItemInfo& item) {
    std::wstring text = L"  " + std::wstring(static_cast<std::size_t>(item.depth) * 2, L' ');
    if (item.beginGroup) text += L"---- ";
    text += std::to_wstring(item.id) + L" " + core::quoted(readableCaption(item.caption));
    if (item.subMenu) text += L" >";
    if (item.checked) text += item.radio ? L" radio-checked" : L" checked";
    if (!item.enabled) text += L" disabled";
    if (!item.image.empty()) text += L" image " + item.image;
    return text;
}

std::wstring describeItems(const PopupMenuRequest& request) {
    std::wstring text = describeMenu(request);
    for (const MenuItemInfo& item : request.items) text += L"; " + describeItem(item);
    return text;
}

int findItem(const PopupMenuRequest& request, const MenuAnswer& answer) {
    for (std::size_t i = 0; i < request.items.size(); ++i) {
        const MenuItemInfo& item = request.items[i];
        const bool match = answer.kind == MenuAnswer::Kind::ChooseId
                               ? item.id == answer.id
                               : readableCaption(item.caption) == readableCaption(answer.caption);
        if (match && !item.subMenu) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

std::wstring describeMenuAnswer(const MenuAnswer& answer) {
    switch (answer.kind) {
        case MenuAnswer::Kind::ChooseId: return L"choose " + std::to_wstring(answer.id);
        case MenuAnswer::Kind::ChooseCaption: return L"choose " + core::quoted(answer.caption);
        case MenuAnswer::Kind::Dismiss: return L"dismiss";
    }
    return L"?";
}

void UserAgent::expectPopupMenu(MenuAnswer answer) {
    std::lock_guard lock(mutex_);
    menuExpectations_.push_back(MenuExpectation{std::move(answer), nullptr, false});
}

int UserAgent::answerPopupMenu(const PopupMenuRequest& request) {
    journal().add("menu", describeMenu(request));
    for (const MenuItemInfo& item : request.items) journal().add("menu", describeItem(item));
    std::optional<MenuAnswer> answer;
    std::function<MenuAnswer(const PopupMenuRequest&)> decide;
    ModalPolicy currentPolicy;
    {
        std::lock_guard lock(mutex_);
        for (MenuExpectation& expected : menuExpectations_) {
            if (expected.consumed) continue;
            expected.consumed = true;
            answer = expected.answer;
            decide = expected.decide;
            break;
        }
        currentPolicy = policy_.value_or(config().modal);
    }
    // A callback decides outside the lock, as the user looks at the menu.
    if (answer && decide) answer = decide(request);
    if (!answer) {
        if (currentPolicy == ModalPolicy::Strict) reportFailure(L"unexpected menu " + describeItems(request));
        journal().add("menu", L"answer dismiss (unexpected)");
        return -1;
    }
    if (answer->kind == MenuAnswer::Kind::Dismiss) {
        journal().add("menu", L"answer dismiss (expected)");
        return -1;
    }
    const int index = findItem(request, *answer);
    if (index < 0) {
        reportFailure(L"menu has no item to " + describeMenuAnswer(*answer));
        journal().add("menu", L"answer dismiss (no such item)");
        return -1;
    }
    const MenuItemInfo& item = request.items[static_cast<std::size_t>(index)];
    if (!item.enabled) {
        reportFailure(L"menu item " + std::to_wstring(item.id) + L" " + core::quoted(item.caption) + L" is disabled");
        journal().add("menu", L"answer dismiss (disabled item)");
        return -1;
    }
    journal().add("menu", L"answer " + describeMenuAnswer(*answer) + L" (expected)");
    return index;
}

}  // namespace platform::core
