#include "platform/korvoui/popup_toolbar.h"

#include <algorithm>
#include <string>

#include "platform/core/record.h"

namespace Korvo::UI {

namespace {

CView* g_shownOver = nullptr;

}  // namespace

void PopupToolBar::ShowPopupToolBar(CView* view, POINT offset) {
    platform::core::recordCall(L"Korvo::UI::PopupToolBar::ShowPopupToolBar(" +
                               platform::core::handleText(view ? view->GetSafeHwnd() : nullptr) + L", " +
                               std::to_wstring(offset.x) + L", " + std::to_wstring(offset.y) + L")");
    g_shownOver = view;
}

void PopupToolBar::HidePopupToolBar() {
    platform::core::recordCall(L"Korvo::UI::PopupToolBar::HidePopupToolBar()");
    g_shownOver = nullptr;
}

CView* PopupToolBar::GetShownView() { return g_shownOver; }

// ---- Button sets --------------------------------------------------------------------------------

namespace {

PopupToolBarEditor*& replacement() {
    static PopupToolBarEditor* editor = nullptr;
    return editor;
}

}  // namespace

PopupToolBarEditor& PopupToolBarEditor::instance() {
    static PopupToolBarEditor editor;
    return replacement() ? *replacement() : editor;
}

PopupToolBarEditor* PopupToolBarEditor::Replace(PopupToolBarEditor* editor) {
    PopupToolBarEditor* before = replacement();
    replacement() = editor;
    return before;
}

std::vector<PopupToolBar::ButtonSet>::iterator PopupToolBarEditor::find(const SetKey& key) {
    return std::find_if(sets_.begin(), sets_.end(), [&](const PopupToolBar::ButtonSet& set) { return set.key.SameSet(key); });
}

void PopupToolBarEditor::ForEachSet(const std::function<void(const PopupToolBar::ButtonSet&)>& visit) const {
    for (const PopupToolBar::ButtonSet& set : sets_) visit(set);
}

bool PopupToolBarEditor::ChangeFlags(UINT viewType, UINT objectType, int objectSubtype, UINT flags, UINT newFlags) {
    platform::core::recordCall(L"Korvo::UI::PopupToolBarEditor::ChangeFlags(" + std::to_wstring(viewType) + L", " +
                               std::to_wstring(objectType) + L", " + std::to_wstring(objectSubtype) + L", " +
                               std::to_wstring(flags) + L", " + std::to_wstring(newFlags) + L")");
    const auto set = find(SetKey{viewType, objectType, objectSubtype, flags});
    if (set == sets_.end()) return false;
    set->key.flags = newFlags;
    return true;
}

void PopupToolBarEditor::RemoveSet(const SetKey& key) {
    if (const auto set = find(key); set != sets_.end()) sets_.erase(set);
}

int PopupToolBarEditor::InsertButton(const SetKey& key, const PopupToolBar::Button& button, int position) {
    if (button.id == 0) return -1;
    auto set = find(key);
    if (set == sets_.end()) {
        sets_.push_back(PopupToolBar::ButtonSet{key, {}});
        set = sets_.end() - 1;
    }
    auto& buttons = set->buttons;
    const auto present = std::find_if(buttons.begin(), buttons.end(), [&](const auto& each) { return each.id == button.id; });
    if (present != buttons.end() && position < 0) {
        present->flag = button.flag;
        return static_cast<int>(present - buttons.begin());
    }
    if (position > static_cast<int>(buttons.size())) return -1;
    int at = position < 0 ? static_cast<int>(buttons.size()) : position;
    if (present != buttons.end()) {
        const int from = static_cast<int>(present - buttons.begin());
        buttons.erase(present);
        // The place was counted with the button still in it.
        if (from < at) --at;
    }
    buttons.insert(buttons.begin() + at, button);
    return at;
}

void PopupToolBarEditor::RemoveButton(const SetKey& key, UINT id) {
    const auto set = find(key);
    if (set == sets_.end()) return;
    std::erase_if(set->buttons, [id](const PopupToolBar::Button& each) { return each.id == id; });
}

}  // namespace Korvo::UI
