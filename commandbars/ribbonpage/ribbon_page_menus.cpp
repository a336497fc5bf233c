// The ribbon page's bar tree: its context menu (styles, view types, flags, rename, remove) and
// where a dragged item may drop.
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "platform/kernel.h"
#include "platform/korvoui/ribbon.h"
#include "platform/textcore.h"

using namespace ribbon_page;

namespace {

constexpr int kFramelessView = 3;

struct ViewTypeEntry {
    UINT command;
    DWORD mask;
    const wchar_t* key;
};
constexpr ViewTypeEntry kViewTypes[] = {
    {9334, 0x1000, L"panels.view.view_type.2d"},       {9335, 0x2000, L"panels.view.view_type.default_camera"},
    {9336, 0x4000, L"panels.view.view_type.user_camera"}, {9337, 0x8000, L"panels.view.view_type.workplane"},
    {9338, 0x10000, L"panels.view.view_type.cam"},     {9339, 0x20000, L"panels.view.view_type.fea"},
    {9340, 0x40000, L"panels.view.view_type.photo"},
};
constexpr const wchar_t* kStyleKeys[] = {L"panels.ribbon.control_style.automatic", L"panels.ribbon.control_style.caption",
                                         L"panels.ribbon.control_style.icon", L"panels.ribbon.control_style.icon_and_caption",
                                         L"panels.ribbon.control_style.icon_and_caption_below"};

struct Entry {
    UINT command = 0;  // 0: a separator
    const wchar_t* key = nullptr;
    bool checked = false;
    std::vector<Entry> items;  // a sub-menu's
};

void addEntries(CXTPControls* controls, const std::vector<Entry>& entries, CXTPCommandBars* bars) {
    bool group = false;
    for (const Entry& entry : entries) {
        if (entry.command == 0 && entry.items.empty()) {
            group = true;
            continue;
        }
        CXTPControl* control = controls->Add(entry.items.empty() ? xtpControlButton : xtpControlPopup, static_cast<int>(entry.command));
        control->SetCaption(Korvo::I18n::Translate(entry.key));
        control->SetChecked(entry.checked);
        control->SetBeginGroup(group);
        control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
        group = false;
        if (!entry.items.empty()) {
            CXTPPopupBar* sub = CXTPPopupBar::CreatePopupBar(bars);
            addEntries(sub->GetControls(), entry.items, bars);
            control->SetCommandBar(sub);
            sub->InternalRelease();
        }
    }
}

bool takesThirds(const CXTPControl* control) {
    return control && ((control->GetType() == xtpControlButton && !control->GetCommandBar()) || HasCustomizableCommandBar(control));
}

bool isPlainButton(const CXTPControl* control) {
    return control && control->GetType() == xtpControlButton && control->GetID() >= 1 && !control->GetCommandBar();
}

}  // namespace

void RibbonPropertyPage::ShowBarTreeMenu() {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(Item(kBarTree), &point);
    CXTPCoreTreeItem* item = barTree_.HitTest(point);
    if (!item) item = barTree_.GetFocusedItem();
    if (!item) return;
    if (item != barTree_.GetFocusedItem()) barTree_.SetFocusedItem(item);
    UpdateButtons();
    const Entry rename{kRenameMenuCommand, L"panels.ribbon.rename", false, {}};
    const Entry remove{kRemoveMenuCommand, L"panels.ribbon.remove", false, {}};
    std::vector<Entry> entries;
    ObjectItem* object = AsObject(item);
    CXTPControl* control = object ? object->GetControl() : nullptr;
    switch (KindOf(item)) {
        case ItemKind::Separator: entries = {remove}; break;
        case ItemKind::PopupButton:
            entries = {{kFlagCommand, L"panels.dynamic_toolbar.flags.show_in_panel", static_cast<PopupToolBarButtonItem*>(item)->GetFlag() != 0, {}},
                       remove};
            break;
        case ItemKind::ButtonSet:
            entries = {{kFlagCommand, L"panels.dynamic_toolbar.flags.add_base",
                        (static_cast<PopupToolBarButtonSetItem*>(item)->GetKey().flags & 0x1) != 0, {}},
                       remove};
            break;
        case ItemKind::Control: {
            if (SelectedView() == kFramelessView) {
                for (const ViewTypeEntry& type : kViewTypes) entries.push_back({type.command, type.key, (control->GetFlags() & type.mask) == type.mask, {}});
                entries.push_back({});
            }
            const XTPControlType kind = control->GetType();
            if ((kind >= xtpControlButton && kind <= xtpControlSplitButtonPopup) || kind == xtpControlGallery) {
                Entry styles{0, L"panels.ribbon.control_style", false, {}};
                for (UINT style = 0; style < 5; ++style)
                    styles.items.push_back({kFirstStyleCommand + style, kStyleKeys[style], control->GetStyle() == static_cast<XTPButtonStyle>(style), {}});
                entries.push_back(std::move(styles));
                entries.push_back({});
            }
            entries.push_back(rename);
            entries.push_back(remove);
            break;
        }
        case ItemKind::Group: entries = {rename, remove}; break;
        case ItemKind::Tab:
            entries = {rename, remove, {}};
            if (dynamic_cast<Korvo::UI::RibbonTab*>(object->GetTab())) entries.push_back({kEditTagsCommand, L"panels.ribbon.edit_tags", false, {}});
            entries.push_back({kExportTabCommand, L"panels.ribbon.export_tab", false, {}});
            break;
        default: return;
    }
    CXTPCommandBars* bars = ribbon_ ? ribbon_->GetCommandBars() : nullptr;
    if (!bars) return;
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(bars);
    addEntries(menu->GetControls(), entries, bars);
    ::GetCursorPos(&point);
    // What the menu names stays alive whatever its command does to the tree.
    if (object) object->GetObject()->InternalAddRef();
    CCmdTarget* held = object ? object->GetObject() : nullptr;
    const UINT chosen = UIModuleProxy::Instance().TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point, this);
    menu->InternalRelease();
    if (chosen == kRemoveMenuCommand) RemoveFocused();
    else if (chosen == kRenameMenuCommand) RenameFocused();
    else if (chosen == kEditTagsCommand) EditTags();
    else if (chosen == kFlagCommand) ToggleFlag(item);
    else if (chosen == kExportTabCommand && object) Export(object->GetTab());
    else if (chosen >= kFirstStyleCommand && chosen <= kLastStyleCommand && control) ChooseStyle(control, chosen);
    else if (chosen >= kFirstViewTypeCommand && chosen <= kLastViewTypeCommand && control) ToggleViewType(control, chosen);
    if (held) held->InternalRelease();
}

void RibbonPropertyPage::ChooseStyle(CXTPControl* control, UINT command) {
    const auto style = static_cast<XTPButtonStyle>(command - kFirstStyleCommand);
    if (control->GetStyle() != style) {
        control->SetStyle(style);
        if (CXTPCommandBar* parent = control->GetParent()) parent->OnRecalcLayout();
    }
    LayoutRibbon();
}

void RibbonPropertyPage::ToggleViewType(CXTPControl* control, UINT command) {
    for (const ViewTypeEntry& type : kViewTypes) {
        if (type.command != command) continue;
        const bool all = (control->GetFlags() & type.mask) == type.mask;
        control->SetFlags(all ? control->GetFlags() & ~type.mask : control->GetFlags() | type.mask);
    }
}

// ---- Drops --------------------------------------------------------------------------------------

std::optional<std::pair<CXTPCoreTreeItem*, int>> RibbonPropertyPage::DropPlace(const CXTPCoreTreeItem& dragged, POINT point) {
    CXTPCoreTreeItem* target = barTree_.HitTest(point);
    RECT rect{};
    if (!target || !barTree_.GetItemRect(target, rect) || dragged.IsAncestorOf(target)) return std::nullopt;
    const int height = rect.bottom - rect.top;
    const int y = point.y - rect.top;
    const int halves = y < height / 2 ? kBefore : kAfter;
    const int thirds = y < height / 4 ? kBefore : y >= height - height / 4 ? kAfter : kInto;
    const ItemKind from = KindOf(&dragged);
    const ObjectItem* source = dynamic_cast<const ObjectItem*>(&dragged);
    const CXTPControl* sourceControl = source ? source->GetControl() : nullptr;
    std::optional<int> position;
    switch (KindOf(target)) {
        case ItemKind::Control:
            if (from == ItemKind::Control) position = takesThirds(AsObject(target)->GetControl()) ? thirds : halves;
            else if (from == ItemKind::Separator) position = halves;
            break;
        case ItemKind::Group:
            if (from == ItemKind::Control) position = kInto;
            else if (from == ItemKind::Group) position = halves;
            break;
        case ItemKind::Tab:
            if (from == ItemKind::Group) position = kInto;
            else if (from == ItemKind::Tab) position = halves;
            break;
        case ItemKind::Separator:
            if (from == ItemKind::Control) position = halves;
            break;
        case ItemKind::PopupButton:
        case ItemKind::ButtonSet:
            if (isPlainButton(sourceControl) || from == ItemKind::PopupButton) position = KindOf(target) == ItemKind::ButtonSet ? kInto : halves;
            break;
        default: break;
    }
    if (!position) return std::nullopt;
    return std::make_pair(target, *position);
}

void RibbonPropertyPage::RegisterDrops() {
    CXTPCoreTreeControl::DropHandlers handlers;
    handlers.over = [this](CXTPCoreTreeControl& source, CXTPCoreTreeItem& dragged, POINT point) -> DROPEFFECT {
        const auto place = DropPlace(dragged, point);
        if (!place || place->first == &dragged) {
            barTree_.SetInsertMark(nullptr, CXTPCoreTreeControl::kMarkNone);
            return DROPEFFECT_NONE;
        }
        barTree_.SetInsertMark(place->first, static_cast<CXTPCoreTreeControl::InsertMark>(place->second));
        return &source == &barTree_ ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    };
    handlers.leave = [this] { barTree_.SetInsertMark(nullptr, CXTPCoreTreeControl::kMarkNone); };
    handlers.drop = [this](CXTPCoreTreeControl&, CXTPCoreTreeItem& dragged, POINT point, DROPEFFECT effect) {
        barTree_.SetInsertMark(nullptr, CXTPCoreTreeControl::kMarkNone);
        const auto place = DropPlace(dragged, point);
        if (!place || place->first == &dragged) return;
        MoveOrCopy(&dragged, place->first, place->second, effect == DROPEFFECT_MOVE ? kMove : kCopy);
        UpdateButtons();
    };
    barTree_.SetDropHandlers(std::move(handlers));
}
