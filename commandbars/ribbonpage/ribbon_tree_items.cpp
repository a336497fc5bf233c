#include "commandbars/ribbonpage/ribbon_tree_items.h"

#include "commandbars/menu_text.h"
#include "platform/kernel.h"
#include "platform/korvoui/ribbon.h"
#include "platform/textcore.h"

namespace ribbon_page {

namespace {

constexpr UINT kFirstDynamic3D = 7221, kLastDynamic3D = 7300;
constexpr int kHiddenGroupId = static_cast<int>(0x80000000u);

}  // namespace

bool IsServiceCommand(UINT id) { return id == 3002 || (id >= 35000 && id <= 35003) || (id >= 1190 && id <= 1199); }

ObjectItem::ObjectItem(CCmdTarget* object) : object_(object) {
    if (object_) object_->InternalAddRef();
}

ObjectItem::~ObjectItem() {
    if (object_) object_->InternalRelease();
}

void ObjectItem::SetObject(CCmdTarget* object) {
    if (object) object->InternalAddRef();
    if (object_) object_->InternalRelease();
    object_ = object;
}

SeparatorItem::SeparatorItem() { SetCaption(Korvo::I18n::Translate(L"panels.separator")); }

PopupToolBarButtonSetItem::PopupToolBarButtonSetItem(const Key& key) : key_(key) {
    if (key_.viewType == 0) SetIconId(CKVObject::GetDefaultIconID(key_.objectType));
}

std::unique_ptr<PopupToolBarButtonSetItem> PopupToolBarButtonSetItem::ForView(UINT viewType, UINT flags) {
    return std::make_unique<PopupToolBarButtonSetItem>(Key{viewType, 0, -1, flags});
}

std::unique_ptr<PopupToolBarButtonSetItem> PopupToolBarButtonSetItem::ForObject(UINT objectType, int subtype, UINT flags) {
    return std::make_unique<PopupToolBarButtonSetItem>(Key{0, objectType, subtype, flags});
}

PopupToolBarButtonItem::PopupToolBarButtonItem(UINT id, BYTE flag) : id_(id), flag_(flag) { SetIconId(static_cast<int>(id)); }

ItemKind KindOf(const CXTPCoreTreeItem* item) {
    if (dynamic_cast<const SeparatorItem*>(item)) return ItemKind::Separator;
    if (dynamic_cast<const PopupToolBarButtonItem*>(item)) return ItemKind::PopupButton;
    if (dynamic_cast<const PopupToolBarButtonSetItem*>(item)) return ItemKind::ButtonSet;
    const auto* object = dynamic_cast<const ObjectItem*>(item);
    if (!object) return ItemKind::None;
    if (object->GetControl()) return ItemKind::Control;
    if (object->GetGroup()) return ItemKind::Group;
    if (object->GetTab()) return ItemKind::Tab;
    return ItemKind::None;
}

std::unique_ptr<CXTPCoreTreeItem> CloneItem(const CXTPCoreTreeItem& item) {
    std::unique_ptr<CXTPCoreTreeItem> clone;
    if (const auto* button = dynamic_cast<const PopupToolBarButtonItem*>(&item))
        clone = std::make_unique<PopupToolBarButtonItem>(button->GetId(), button->GetFlag());
    else if (const auto* set = dynamic_cast<const PopupToolBarButtonSetItem*>(&item))
        clone = std::make_unique<PopupToolBarButtonSetItem>(set->GetKey());
    else if (const auto* object = dynamic_cast<const ObjectItem*>(&item))
        clone = std::make_unique<ObjectItem>(object->GetObject());
    else if (dynamic_cast<const SeparatorItem*>(&item))
        clone = std::make_unique<SeparatorItem>();
    else
        clone = std::make_unique<CXTPCoreTreeItem>();
    clone->SetCaption(item.GetCaption());
    clone->SetItemData(item.GetItemData());
    clone->SetExpanded(item.IsExpanded());
    clone->ShowCheckbox(item.HasCheckbox());
    clone->SetChecked(item.IsChecked());
    clone->SetIconId(item.GetIconId());
    return clone;
}

bool HasCustomizableCommandBar(const CXTPControl* control) {
    if (!control || !control->GetCommandBar()) return false;
    const XTPControlType type = control->GetType();
    return type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
}

bool AllowedForAdd(ItemKind source, const CXTPControl* control, ItemKind target) {
    switch (source) {
        case ItemKind::Control:
            if (target == ItemKind::Control || target == ItemKind::Group) return true;
            // Only a plain command button goes into the popup tool bar.
            return (target == ItemKind::PopupButton || target == ItemKind::ButtonSet) && control &&
                   control->GetType() == xtpControlButton && control->GetID() >= 1 && !control->GetCommandBar();
        case ItemKind::Group: return target == ItemKind::Group || target == ItemKind::Tab;
        case ItemKind::Tab: return target == ItemKind::Tab;
        case ItemKind::Separator: return target == ItemKind::Control;
        case ItemKind::PopupButton: return target == ItemKind::PopupButton || target == ItemKind::ButtonSet;
        default: return false;
    }
}

CString ItemBuilder::CaptionOf(CXTPControl& control) const {
    CString caption = control.GetCaption();
    const auto id = static_cast<UINT>(control.GetID());
    if (caption.IsEmpty() && id >= kFirstDynamic3D && id <= kLastDynamic3D && update3D) {
        NoopCmdUi update(id);
        update3D(update);
        if (!update.caption.IsEmpty()) control.SetCaption(update.caption);
        caption = control.GetCaption();
    }
    return withoutMnemonics(caption);
}

CXTPCoreTreeItem* ItemBuilder::AddControl(CXTPCoreTreeControl& tree, CXTPCoreTreeItem* parent, CXTPControl* control,
                                          const CString& caption) const {
    if (!control || (control->GetHideFlags() & xtpHideGeneric) || IsServiceCommand(static_cast<UINT>(control->GetID())))
        return nullptr;
    if (only && !only->contains(control)) return nullptr;
    if (control->GetBeginGroup()) tree.AddItem(std::make_unique<SeparatorItem>(), parent);
    auto item = std::make_unique<ObjectItem>(control);
    item->SetCaption(caption.IsEmpty() ? CaptionOf(*control) : caption);
    item->SetIconId(control->GetIconId());
    if (Korvo::UI::CanBeOptional(control)) {
        item->ShowCheckbox(true);
        item->SetChecked(!Korvo::UI::IsOptionalControl(control));
    }
    item->SetExpanded(only != nullptr);
    CXTPCoreTreeItem* added = tree.AddItem(std::move(item), parent);
    if (HasCustomizableCommandBar(control)) AddControls(tree, added, control->GetCommandBar()->GetControls());
    return added;
}

void ItemBuilder::AddControls(CXTPCoreTreeControl& tree, CXTPCoreTreeItem* parent, CXTPControls* controls) const {
    for (int i = 0; controls && i < controls->GetCount(); ++i) AddControl(tree, parent, controls->GetAt(i));
}

CXTPCoreTreeItem* ItemBuilder::AddGroup(CXTPCoreTreeControl& tree, CXTPCoreTreeItem* parent, CXTPRibbonGroup* group) const {
    if (!group || group->GetID() == kHiddenGroupId) return nullptr;
    auto item = std::make_unique<ObjectItem>(group);
    CString caption = withoutMnemonics(group->GetCaption());
    for (int i = 0; caption.IsEmpty() && i < group->GetControls()->GetCount(); ++i)
        caption = CaptionOf(*group->GetControls()->GetAt(i));
    item->SetCaption(caption);
    item->SetIconId(group->GetIconId() >= 1 ? group->GetIconId() : group->GetID());
    if (const auto* own = dynamic_cast<const Korvo::UI::RibbonGroup*>(group)) {
        item->ShowCheckbox(true);
        item->SetChecked(!own->IsDisabledByUser());
    }
    CXTPCoreTreeItem* added = tree.AddItem(std::move(item), parent);
    AddControls(tree, added, group->GetControls());
    return added;
}

CXTPCoreTreeItem* ItemBuilder::AddTab(CXTPCoreTreeControl& tree, CXTPRibbonTab* tab) const {
    if (!tab) return nullptr;
    auto item = std::make_unique<ObjectItem>(tab);
    item->SetCaption(withoutMnemonics(tab->GetCaption()));
    if (const auto* own = dynamic_cast<const Korvo::UI::RibbonTab*>(tab)) {
        item->ShowCheckbox(true);
        item->SetChecked(!own->IsDisabledByUser());
    }
    CXTPCoreTreeItem* added = tree.AddItem(std::move(item));
    for (int g = 0; g < tab->GetGroupCount(); ++g) AddGroup(tree, added, tab->GetGroup(g));
    return added;
}

}  // namespace ribbon_page
