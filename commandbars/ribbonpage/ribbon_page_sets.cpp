// The ribbon page's popup tool-bar view: button sets made, buttons put into them, their flags.
#include "commandbars/ribbonpage/popup_button_sets.h"
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"

using namespace ribbon_page;

namespace {

Korvo::UI::PopupToolBarEditor& editor() { return Korvo::UI::PopupToolBarEditor::instance(); }

}  // namespace

bool RibbonPropertyPage::PutIntoButtonSet(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position,
                                          std::unique_ptr<CXTPCoreTreeItem>& clone) {
    auto* set = dynamic_cast<PopupToolBarButtonSetItem*>(KindOf(target) == ItemKind::ButtonSet ? target : target->GetParentItem());
    if (!set) return false;
    UINT id = 0;
    BYTE flag = 1;
    if (const ObjectItem* object = AsObject(source)) {
        const CXTPControl* control = object->GetControl();
        if (!control || control->GetType() != xtpControlButton || control->GetID() < 1 || control->GetCommandBar()) return false;
        id = static_cast<UINT>(control->GetID());
    } else if (const auto* button = dynamic_cast<const PopupToolBarButtonItem*>(source)) {
        id = button->GetId();
        flag = button->GetFlag();
    } else {
        return false;
    }
    int at = -1;
    if (target != set) {
        if (position == kInto) return false;
        const auto& buttons = set->GetChildren();
        int before = 0;
        while (before < static_cast<int>(buttons.size()) && buttons[static_cast<std::size_t>(before)].get() != target) ++before;
        at = position == kBefore ? before : before + 1 == static_cast<int>(buttons.size()) ? -1 : before + 1;
    }
    if (editor().InsertButton(set->GetKey(), Korvo::UI::PopupToolBar::Button{id, flag}, at) < 0) return false;
    set->SetFlags(set->GetKey().flags | kChangedByPageFlag);
    // A button dragged from another set leaves that set, so the editor holds what the tree shows.
    auto* from = dynamic_cast<PopupToolBarButtonSetItem*>(source->GetParentItem());
    if (dynamic_cast<const PopupToolBarButtonItem*>(source) && from && from != set) {
        editor().RemoveButton(from->GetKey(), id);
        from->SetFlags(from->GetKey().flags | kChangedByPageFlag);
    }
    if (AsObject(source)) {
        auto item = std::make_unique<PopupToolBarButtonItem>(id, flag);
        item->SetCaption(ButtonCaption(id, frame_.popupCommandCaption));
        clone = std::move(item);
    }
    return true;
}

void RibbonPropertyPage::NewButtonSet() {
    PopupToolBarButtonSetDialog dialog(this, frame_.addSelectControl);
    const auto chosen = dialog.Run();
    if (!chosen) return;
    for (const auto& top : barTree_.GetRoot().GetChildren()) {
        const auto* set = dynamic_cast<const PopupToolBarButtonSetItem*>(top.get());
        if (set && set->GetKey().SameSet(chosen->key)) {
            barTree_.SetFocusedItem(top.get());
            UpdateButtons();
            return;
        }
    }
    auto item = std::make_unique<PopupToolBarButtonSetItem>(chosen->key);
    item->SetCaption(chosen->caption);
    CXTPCoreTreeItem* added = barTree_.AddItem(std::move(item));
    barTree_.SetFocusedItem(added);
    UpdateButtons();
}

void RibbonPropertyPage::ToggleFlag(CXTPCoreTreeItem* item) {
    if (auto* button = dynamic_cast<PopupToolBarButtonItem*>(item)) {
        auto* set = dynamic_cast<PopupToolBarButtonSetItem*>(item->GetParentItem());
        if (!set) return;
        const BYTE old = button->GetFlag();
        button->SetFlag(old ? 0 : 1);
        if (editor().InsertButton(set->GetKey(), Korvo::UI::PopupToolBar::Button{button->GetId(), button->GetFlag()}, -1) < 0)
            button->SetFlag(old);
        else
            set->SetFlags(set->GetKey().flags | kChangedByPageFlag);
        return;
    }
    if (auto* set = dynamic_cast<PopupToolBarButtonSetItem*>(item)) {
        const SetKey& key = set->GetKey();
        const UINT flags = key.flags ^ kAddBaseFlag;
        if (editor().ChangeFlags(key.viewType, key.objectType, key.objectSubtype, key.flags, flags)) set->SetFlags(flags | kChangedByPageFlag);
    }
}
