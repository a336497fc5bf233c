// The ribbon page's editing of the live bars: adding, moving and copying items between the trees,
// removing, renaming, new tabs and groups, and the bar tree's tick boxes.
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/menu_text.h"
#include "commandbars/ribbonpage/popup_button_sets.h"
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "platform/korvoui/ribbon.h"
#include "platform/korvoui/ribbon_tab_switch.h"
#include "platform/textcore.h"

using namespace ribbon_page;

namespace {

constexpr int kFramelessView = 3;
constexpr DWORD kAllViewTypes = 0x7F000;

CXTPControl* controlOf(const CXTPCoreTreeItem* item) {
    const auto* object = dynamic_cast<const ObjectItem*>(item);
    return object ? object->GetControl() : nullptr;
}

int indexIn(const CXTPCoreTreeItem& item) {
    const auto& siblings = item.GetParentItem()->GetChildren();
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == &item) return static_cast<int>(i);
    return -1;
}

// The sibling `step` places away, skipping `skip`; null past either end.
CXTPCoreTreeItem* sibling(const CXTPCoreTreeItem& item, int step, const CXTPCoreTreeItem* skip = nullptr) {
    const auto& siblings = item.GetParentItem()->GetChildren();
    for (int i = indexIn(item) + step; i >= 0 && i < static_cast<int>(siblings.size()); i += step)
        if (siblings[static_cast<std::size_t>(i)].get() != skip) return siblings[static_cast<std::size_t>(i)].get();
    return nullptr;
}

CXTPControl* followingControl(const CXTPControl& control) {
    CXTPControls* list = control.GetControls();
    return list ? list->GetAt(list->IndexOf(&control) + 1) : nullptr;
}

// A copy of the control with bars of its own (a pop-up's items copied too); the caller holds it.
CXTPControl* deepClone(CXTPControl* source) {
    CXTPControl* clone = source->Clone(FALSE);
    if (!clone) return nullptr;
    if (CXTPCommandBar* bar = source->GetCommandBar()) {
        CXTPPopupBar* copy = CXTPPopupBar::CreatePopupBar(bar->GetCommandBars());
        for (int i = 0; i < bar->GetControls()->GetCount(); ++i) {
            CXTPControl* child = deepClone(bar->GetControls()->GetAt(i));
            if (child) copy->GetControls()->Add(child, child->GetID());
        }
        clone->SetCommandBar(copy);
        copy->InternalRelease();
    }
    return clone;
}

// A pop-up left without items turns back into a plain button; its item takes the new control.
void plainIfEmpty(CXTPCoreTreeItem* popupItem) {
    auto* object = dynamic_cast<ObjectItem*>(popupItem);
    CXTPControl* popup = object ? object->GetControl() : nullptr;
    if (!HasCustomizableCommandBar(popup) || popup->GetCommandBar()->GetControls()->GetCount() > 0) return;
    if (CXTPControl* button = Korvo::UI::ChangeControlType(popup, xtpControlButton)) object->SetObject(button);
}

bool firstChildIsSeparator(const CXTPCoreTreeItem& item) {
    return item.HasChildren() && KindOf(item.GetChildren().front().get()) == ItemKind::Separator;
}

}  // namespace

void RibbonPropertyPage::LayoutRibbon() {
    if (!ribbon_) return;
    ribbon_->OnRecalcLayout();
    if (CXTPCommandBars* bars = ribbon_->GetCommandBars()) bars->RecalcFrameLayout();
}

void RibbonPropertyPage::DropItem(CXTPCoreTreeItem* item) {
    if (!item || !item->GetParentItem()) return;
    CXTPCoreTreeItem* focus = barTree_.GetFocusedItem();
    if (focus && (focus == item || item->IsAncestorOf(focus))) {
        CXTPCoreTreeItem* next = sibling(*item, 1);
        if (!next) next = sibling(*item, -1);
        if (!next && item->GetParentItem() != &barTree_.GetRoot()) next = item->GetParentItem();
        barTree_.SetFocusedItem(next);
    }
    findList_.clear();
    item->GetParentItem()->RemoveChild(item);
}

// ---- Add, move, copy ----------------------------------------------------------------------------

void RibbonPropertyPage::AddFocused() {
    CXTPCoreTreeItem* source = commandTree_.GetFocusedItem();
    CXTPCoreTreeItem* target = barTree_.GetFocusedItem();
    if (!source || !target) return;
    const ItemKind from = KindOf(source), to = KindOf(target);
    if (!AllowedForAdd(from, controlOf(source), to)) return;
    const bool natural = (from == ItemKind::Control && to == ItemKind::Group) || (from == ItemKind::Group && to == ItemKind::Tab) ||
                         ((from == ItemKind::Control || from == ItemKind::PopupButton) && to == ItemKind::ButtonSet);
    MoveOrCopy(source, target, natural ? kInto : kAfter, kCopy);
    UpdateButtons();
}

bool RibbonPropertyPage::MoveOrCopy(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, int mode) {
    if (!source || !target || !barTree_.Contains(target) || source->IsAncestorOf(target)) return false;
    if (source == target) return true;
    const bool fromBar = barTree_.Contains(source);
    if (mode == kCopy && fromBar) return false;
    if (mode == kMove && !fromBar) return false;
    std::unique_ptr<CXTPCoreTreeItem> clone;
    bool done = false;
    bool placeItem = true;
    barTree_.BeginUpdate();
    switch (KindOf(source)) {
        case ItemKind::Control:
            if (KindOf(target) == ItemKind::PopupButton || KindOf(target) == ItemKind::ButtonSet) done = PutIntoButtonSet(source, target, position, clone);
            else done = MoveControl(source, target, position, mode, clone);
            break;
        case ItemKind::Tab:
            if (mode == kMove && KindOf(target) == ItemKind::Tab && position != kInto) {
                CXTPRibbonTab* tab = AsObject(source)->GetTab();
                const int from = tab->GetIndex();
                int to = AsObject(target)->GetTab()->GetIndex() + (position == kAfter ? 1 : 0);
                if (from < to) --to;
                ribbon_->MoveTab(tab, to);
                done = true;
            }
            break;
        case ItemKind::Group: done = mode == kMove && MoveGroup(source, target, position); break;
        case ItemKind::Separator: done = MoveSeparator(source, target, position, mode, placeItem); break;
        case ItemKind::PopupButton: done = PutIntoButtonSet(source, target, position, clone); break;
        default: break;
    }
    if (!done) {
        barTree_.EndUpdate();
        LayoutRibbon();
        return false;
    }
    CXTPCoreTreeItem* placed = nullptr;
    if (placeItem) {
        std::unique_ptr<CXTPCoreTreeItem> item;
        if (mode == kMove) {
            CXTPCoreTreeItem* focus = barTree_.GetFocusedItem();
            if (focus == source || (focus && source->IsAncestorOf(focus))) barTree_.SetFocusedItem(nullptr);
            item = source->GetParentItem()->RemoveChild(source);
        } else {
            item = std::move(clone);
        }
        if (item) {
            CXTPCoreTreeItem* parent = position == kInto ? target : target->GetParentItem();
            const int at = position == kInto ? -1 : indexIn(*target) + (position == kAfter ? 1 : 0);
            placed = parent->AddChild(std::move(item), at);
        }
    }
    findList_.clear();
    barTree_.EndUpdate();
    if (placed) {
        barTree_.EnsureVisible(placed);
        barTree_.SetFocusedItem(placed);
    }
    LayoutRibbon();
    RecomputeFind();
    return true;
}

bool RibbonPropertyPage::MoveControl(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, int mode,
                                     std::unique_ptr<CXTPCoreTreeItem>& clone) {
    CXTPControl* control = controlOf(source);
    const ItemKind to = KindOf(target);
    if (to != ItemKind::Control && to != ItemKind::Group && to != ItemKind::Separator) return false;
    CXTPControls* oldList = control->GetControls();
    const int oldIndex = oldList ? oldList->IndexOf(control) : -1;
    CXTPControl* following = mode == kMove ? followingControl(*control) : nullptr;
    CXTPControl* moving = mode == kMove ? Korvo::UI::RemoveControl(control) : deepClone(control);
    if (!moving) return false;
    const BOOL mark = moving->GetBeginGroup();
    moving->SetBeginGroup(FALSE);
    CXTPControl* inserted = InsertControl(moving, target, position, source);
    if (!inserted) {
        moving->SetBeginGroup(mark);
        // A refused move leaves the control where it was.
        if (mode == kMove && oldList) oldList->Add(moving, moving->GetID(), nullptr, oldIndex);
        else moving->InternalRelease();
        return false;
    }
    if (mode == kMove) {
        // The separator the control began stays with the control after it.
        if (mark && following && following != inserted) following->SetBeginGroup(TRUE);
        plainIfEmpty(source->GetParentItem());
        return true;
    }
    if (SelectedView() == kFramelessView) inserted->SetFlags(inserted->GetFlags() | kAllViewTypes);
    clone = CloneItem(*source);
    static_cast<ObjectItem*>(clone.get())->SetObject(inserted);
    if (HasCustomizableCommandBar(inserted)) {
        const ItemBuilder builder{frame_.update3D, nullptr};
        CXTPControls* children = inserted->GetCommandBar()->GetControls();
        for (int i = 0; i < children->GetCount(); ++i) {
            // The builder adds to a tree; the clone is not in one yet, so build beside it.
            CXTPCoreTreeControl scratch;
            builder.AddControl(scratch, nullptr, children->GetAt(i));
            auto& tops = scratch.GetRoot();
            while (tops.HasChildren()) clone->AddChild(tops.RemoveChild(tops.GetChildren().front().get()));
        }
    }
    return true;
}

CXTPControl* RibbonPropertyPage::InsertControl(CXTPControl* control, CXTPCoreTreeItem* target, int position,
                                               const CXTPCoreTreeItem* skip) {
    switch (KindOf(target)) {
        case ItemKind::Control: {
            auto* object = AsObject(target);
            CXTPControl* at = object->GetControl();
            if (position == kInto) {
                if (!HasCustomizableCommandBar(at)) {
                    if (at->GetCommandBar()) return nullptr;
                    at = Korvo::UI::ChangeControlType(at, xtpControlSplitButtonPopup);
                    if (!at) return nullptr;
                    object->SetObject(at);
                }
                control->SetBeginGroup(firstChildIsSeparator(*target));
                return at->GetCommandBar()->GetControls()->Add(control, control->GetID());
            }
            CXTPControls* list = at->GetControls();
            if (!list) return nullptr;
            if (position == kBefore) {
                control->SetBeginGroup(at->GetBeginGroup());
                at->SetBeginGroup(FALSE);
            }
            return list->Add(control, control->GetID(), nullptr, list->IndexOf(at) + (position == kAfter ? 1 : 0));
        }
        case ItemKind::Group: {
            if (position != kInto) return nullptr;
            control->SetBeginGroup(firstChildIsSeparator(*target));
            return AsObject(target)->GetGroup()->Add(control, control->GetID());
        }
        case ItemKind::Separator: {
            if (position == kInto) return nullptr;
            CXTPControl* next = controlOf(sibling(*target, 1, skip));
            CXTPControl* previous = controlOf(sibling(*target, -1, skip));
            CXTPControls* list = nullptr;
            int index = 0;
            if (next && next->GetControls()) {
                list = next->GetControls();
                index = list->IndexOf(next);
            } else if (previous && previous->GetControls()) {
                list = previous->GetControls();
                index = list->IndexOf(previous) + 1;
            } else if (const ObjectItem* parent = AsObject(target->GetParentItem())) {
                if (CXTPRibbonGroup* group = parent->GetGroup()) list = group->GetControls();
                else if (HasCustomizableCommandBar(parent->GetControl())) list = parent->GetControl()->GetCommandBar()->GetControls();
            } else if (SelectedView() == 1 && ribbon_) {
                list = ribbon_->GetQuickAccessControls();
            } else if (SelectedView() == kFramelessView && frame_.framelessToolBar) {
                list = frame_.framelessToolBar->GetControls();
            }
            if (!list) return nullptr;
            if (position == kAfter) {
                control->SetBeginGroup(TRUE);
                if (next) next->SetBeginGroup(FALSE);
            }
            return list->Add(control, control->GetID(), nullptr, index);
        }
        default: return nullptr;
    }
}

bool RibbonPropertyPage::MoveSeparator(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, int mode, bool& placeItem) {
    if (KindOf(target) != ItemKind::Control || position == kInto) return false;
    CXTPCoreTreeItem* receivingItem = position == kBefore ? target : sibling(*target, 1, source);
    if (!receivingItem) {
        placeItem = false;
        return true;
    }
    CXTPControl* receiving = controlOf(receivingItem);
    if (KindOf(receivingItem) == ItemKind::Separator || !receiving || receiving->GetBeginGroup()) return false;
    if (mode == kMove)
        if (CXTPControl* old = controlOf(sibling(*source, 1))) old->SetBeginGroup(FALSE);
    receiving->SetBeginGroup(TRUE);
    return true;
}

bool RibbonPropertyPage::MoveGroup(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position) {
    CXTPRibbonGroup* group = AsObject(source)->GetGroup();
    CXTPRibbonTab* tab = nullptr;
    int index = -1;
    if (KindOf(target) == ItemKind::Group && position != kInto) {
        CXTPRibbonGroup* at = AsObject(target)->GetGroup();
        tab = at->GetParentTab();
        index = at->GetIndex() + (position == kAfter ? 1 : 0);
    } else if (KindOf(target) == ItemKind::Tab && position == kInto) {
        tab = AsObject(target)->GetTab();
    }
    if (!tab || !group->GetParentTab()) return false;
    CXTPRibbonGroup* made = tab->InsertGroup(group->GetRuntimeClass(), index);
    if (!made) return false;
    made->SetID(group->GetID());
    made->SetCaption(group->GetCaption());
    made->SetIconId(group->GetIconId() >= 1 ? group->GetIconId() : group->GetID());
    made->ShowOptionButton(group->IsOptionButtonVisible());
    made->SetVisible(group->IsVisible());
    auto* own = dynamic_cast<Korvo::UI::RibbonGroup*>(group);
    if (auto* madeOwn = dynamic_cast<Korvo::UI::RibbonGroup*>(made); own && madeOwn) {
        madeOwn->SetOptionCommand(own->GetOptionCommand());
        madeOwn->SetViewTypes(own->GetViewTypes());
        madeOwn->SetGuid(own->GetGuid());
        madeOwn->SetDefaultDefinition(own->HasDefaultDefinition());
        madeOwn->SetDisabledByUser(own->IsDisabledByUser());
        made->SetVisible(group->IsVisible());
    }
    while (group->GetCount() > 0) {
        CXTPControl* control = Korvo::UI::RemoveControl(group->GetAt(0));
        made->Add(control, control->GetID());
    }
    AsObject(source)->SetObject(made);
    group->GetParentTab()->RemoveGroup(group->GetIndex());
    return true;
}

// ---- Remove, rename, new items ------------------------------------------------------------------

void RibbonPropertyPage::RemoveFocused() {
    CXTPCoreTreeItem* item = barTree_.GetFocusedItem();
    if (!item || !barTree_.Contains(item)) return;
    barTree_.BeginUpdate();
    switch (KindOf(item)) {
        case ItemKind::PopupButton: {
            auto* set = dynamic_cast<PopupToolBarButtonSetItem*>(item->GetParentItem());
            if (!set) break;
            Korvo::UI::PopupToolBarEditor::instance().RemoveButton(set->GetKey(), static_cast<PopupToolBarButtonItem*>(item)->GetId());
            set->SetFlags(set->GetKey().flags | kChangedByPageFlag);
            DropItem(item);
            break;
        }
        case ItemKind::ButtonSet:
            Korvo::UI::PopupToolBarEditor::instance().RemoveSet(static_cast<PopupToolBarButtonSetItem*>(item)->GetKey());
            DropItem(item);
            break;
        case ItemKind::Separator: {
            if (KindOf(sibling(*item, -1)) != ItemKind::Separator)
                if (CXTPControl* next = controlOf(sibling(*item, 1))) next->SetBeginGroup(FALSE);
            DropItem(item);
            break;
        }
        case ItemKind::Control: {
            CXTPControl* control = controlOf(item);
            if (CXTPControl* following = followingControl(*control); following && control->GetBeginGroup()) following->SetBeginGroup(TRUE);
            if (CXTPControl* removed = Korvo::UI::RemoveControl(control)) removed->InternalRelease();
            CXTPCoreTreeItem* parent = item->GetParentItem();
            DropItem(item);
            plainIfEmpty(parent);
            break;
        }
        case ItemKind::Group: {
            CXTPRibbonGroup* group = AsObject(item)->GetGroup();
            if (auto* own = dynamic_cast<Korvo::UI::RibbonGroup*>(group); own && own->HasDefaultDefinition()) {
                own->SetDisabledByUser(true);
                item->SetChecked(false);
            } else if (group->GetParentTab()) {
                group->GetParentTab()->RemoveGroup(group->GetIndex());
                DropItem(item);
            }
            break;
        }
        case ItemKind::Tab: {
            CXTPRibbonTab* tab = AsObject(item)->GetTab();
            const int index = tab->GetIndex();
            int other = -1;
            for (int i = index - 1; i >= 0 && other < 0; --i)
                if (ribbon_->GetTab(i)->IsVisible()) other = i;
            for (int i = index + 1; i < ribbon_->GetTabCount() && other < 0; ++i)
                if (ribbon_->GetTab(i)->IsVisible()) other = i;
            if (other >= 0) {
                if (auto* own = dynamic_cast<KVRibbonBar*>(ribbon_)) own->SelectTabSilently(other);
                else ribbon_->SetCurrentTab(ribbon_->GetTab(other));
            }
            if (auto* own = dynamic_cast<Korvo::UI::RibbonTab*>(tab); own && own->HasDefaultDefinition()) {
                Korvo::UI::SwitchTabByUser(*own, true);
                item->SetChecked(false);
            } else {
                ribbon_->RemoveTab(index);
                DropItem(item);
            }
            break;
        }
        default: break;
    }
    barTree_.EndUpdate();
    LayoutRibbon();
    RecomputeFind();
    UpdateButtons();
}

void RibbonPropertyPage::RenameFocused() {
    auto* item = AsObject(barTree_.GetFocusedItem());
    if (!item) return;
    CXTPControl* control = item->GetControl();
    CXTPRibbonGroup* group = item->GetGroup();
    CXTPRibbonTab* tab = item->GetTab();
    const CString current = control ? control->GetCaption() : group ? group->GetCaption() : tab ? tab->GetCaption() : CString();
    CXTPRibbonRenameDialog dialog(this, current);
    if (dialog.DoModal() != IDOK) return;
    const CString name = dialog.GetName();
    if (control) control->SetCaption(name);
    if (group) group->SetCaption(name);
    if (tab) tab->SetCaption(name);
    item->SetCaption(withoutMnemonics(name));
    barTree_.Refresh();
    LayoutRibbon();
}

void RibbonPropertyPage::EditTags() {
    auto* item = AsObject(barTree_.GetFocusedItem());
    auto* tab = item ? dynamic_cast<Korvo::UI::RibbonTab*>(item->GetTab()) : nullptr;
    if (!tab) return;
    CXTPRibbonRenameDialog dialog(this, tab->GetTagString());
    if (dialog.DoModal() == IDOK) tab->SetTags(dialog.GetName());
}

void RibbonPropertyPage::NewTab() {
    if (!ribbon_ || SelectedView() != 0) return;
    CXTPRibbonTab* tab = ribbon_->AddTab(Korvo::I18n::Translate(L"panels.ribbon.new_tab"));
    if (!tab) return;
    tab->AddGroup(Korvo::I18n::Translate(L"panels.ribbon.new_group"));
    barTree_.BeginUpdate();
    CXTPCoreTreeItem* item = ItemBuilder{frame_.update3D, nullptr}.AddTab(barTree_, tab);
    item->SetExpanded(true);
    barTree_.EndUpdate();
    barTree_.SetFocusedItem(item);
    LayoutRibbon();
    UpdateButtons();
}

void RibbonPropertyPage::NewGroup() {
    if (SelectedView() == 2) {
        NewButtonSet();
        return;
    }
    CXTPCoreTreeItem* tabItem = barTree_.GetFocusedItem();
    if (KindOf(tabItem) != ItemKind::Tab) return;
    CXTPRibbonGroup* group = AsObject(tabItem)->GetTab()->AddGroup(Korvo::I18n::Translate(L"panels.ribbon.new_group"));
    if (!group) return;
    barTree_.BeginUpdate();
    CXTPCoreTreeItem* item = ItemBuilder{frame_.update3D, nullptr}.AddGroup(barTree_, tabItem, group);
    barTree_.EndUpdate();
    barTree_.SetFocusedItem(item);
    LayoutRibbon();
    UpdateButtons();
}

// ---- Tick boxes ---------------------------------------------------------------------------------

void RibbonPropertyPage::OnBarTreeCheck(HTREEITEM row) {
    CXTPCoreTreeItem* item = barTree_.ItemFromHandle(row);
    if (!item || !item->HasCheckbox()) return;
    const bool checked = !item->IsChecked();
    item->SetChecked(checked);
    TVITEMW state;
    state.mask = TVIF_STATE;
    state.hItem = row;
    state.stateMask = TVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    ::SendMessageW(Item(kBarTree), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&state));
    auto* object = AsObject(item);
    if (!object) return;
    if (auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(object->GetTab())) Korvo::UI::SwitchTabByUser(*tab, !checked);
    if (CXTPRibbonGroup* group = object->GetGroup()) {
        if (auto* own = dynamic_cast<Korvo::UI::RibbonGroup*>(group)) own->SetDisabledByUser(!checked);
        else group->SetVisible(checked);
    }
    if (CXTPControl* control = object->GetControl()) Korvo::UI::MakeControlOptional(control, !checked, true);
    LayoutRibbon();
}
