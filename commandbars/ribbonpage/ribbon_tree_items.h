// The items of the ribbon page's trees: each holds a reference to the toolkit object it shows, so
// a control, group or tab taken out of the bars stays alive while an item shows it.
#pragma once

#include <functional>
#include <unordered_set>

#include "platform/korvoui/popup_toolbar.h"
#include "platform/toolkit.h"

namespace ribbon_page {

// What an item stands for; every editing rule is stated in these kinds.
enum class ItemKind { None = 0, Control = 1, Group = 2, Tab = 3, Separator = 4, PopupButton = 5, ButtonSet = 6 };

// Command ids the page never lists: the kernel's service commands.
bool IsServiceCommand(UINT id);

class ObjectItem : public CXTPCoreTreeItem {
public:
    explicit ObjectItem(CCmdTarget* object);
    ~ObjectItem() override;
    CCmdTarget* GetObject() const { return object_; }
    // The item stands for another object (a control changed into another kind, a group made anew).
    void SetObject(CCmdTarget* object);
    CXTPControl* GetControl() const { return dynamic_cast<CXTPControl*>(object_); }
    CXTPRibbonGroup* GetGroup() const { return dynamic_cast<CXTPRibbonGroup*>(object_); }
    CXTPRibbonTab* GetTab() const { return dynamic_cast<CXTPRibbonTab*>(object_); }

private:
    CCmdTarget* object_;
};

class SeparatorItem : public CXTPCoreTreeItem {
public:
    SeparatorItem();
};

// A set of the popup tool bar's buttons, by its key.
class PopupToolBarButtonSetItem : public CXTPCoreTreeItem {
public:
    using Key = Korvo::UI::PopupToolBar::SetKey;
    // A view set (object type 0, any subtype) or an object set (view type 0).
    static std::unique_ptr<PopupToolBarButtonSetItem> ForView(UINT viewType, UINT flags);
    static std::unique_ptr<PopupToolBarButtonSetItem> ForObject(UINT objectType, int subtype, UINT flags);
    explicit PopupToolBarButtonSetItem(const Key& key);
    const Key& GetKey() const { return key_; }
    void SetFlags(UINT flags) { key_.flags = flags; }

private:
    Key key_;
};

// A button of a popup tool-bar set: its command and whether it shows in the panel.
class PopupToolBarButtonItem : public CXTPCoreTreeItem {
public:
    PopupToolBarButtonItem(UINT id, BYTE flag);
    UINT GetId() const { return id_; }
    BYTE GetFlag() const { return flag_; }
    void SetFlag(BYTE flag) { flag_ = flag; }

private:
    UINT id_;
    BYTE flag_;
};

ItemKind KindOf(const CXTPCoreTreeItem* item);
// A new item of the same class standing for the same thing, with the item's caption, item data,
// expansion, tick box, icon (not its children).
std::unique_ptr<CXTPCoreTreeItem> CloneItem(const CXTPCoreTreeItem& item);
inline ObjectItem* AsObject(CXTPCoreTreeItem* item) { return dynamic_cast<ObjectItem*>(item); }

// An update target that only takes a caption: lets the 3D kernel name its dynamic commands.
class NoopCmdUi : public CCmdUI {
public:
    explicit NoopCmdUi(UINT id) { m_nID = id; }
    void Enable(BOOL) override {}
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR text) override { caption = text ? text : L""; }
    CString caption;
};

// How the trees are built. `update3D` runs the 3D kernel's update of a command (it may set a
// caption); `only` (when set) keeps the controls a search collected and expands what it adds.
struct ItemBuilder {
    std::function<void(CCmdUI&)> update3D;
    const std::unordered_set<const CXTPControl*>* only = nullptr;

    // The control's item (after a separator item when it begins a group), with its sub-controls;
    // null for a control the trees leave out. `caption` replaces the control's own when given.
    CXTPCoreTreeItem* AddControl(CXTPCoreTreeControl& tree, CXTPCoreTreeItem* parent, CXTPControl* control,
                                 const CString& caption = CString()) const;
    void AddControls(CXTPCoreTreeControl& tree, CXTPCoreTreeItem* parent, CXTPControls* controls) const;
    CXTPCoreTreeItem* AddGroup(CXTPCoreTreeControl& tree, CXTPCoreTreeItem* parent, CXTPRibbonGroup* group) const;
    CXTPCoreTreeItem* AddTab(CXTPCoreTreeControl& tree, CXTPRibbonTab* tab) const;
    // The caption a user reads: without mnemonics, the 3D kernel's for its dynamic commands.
    CString CaptionOf(CXTPControl& control) const;
};

// Whether the control has a bar of sub-controls the user may customise (a pop-up's items).
bool HasCustomizableCommandBar(const CXTPControl* control);

// Whether the add button may put an item of kind `source` (holding `control` when it is one)
// onto an item of kind `target`.
bool AllowedForAdd(ItemKind source, const CXTPControl* control, ItemKind target);

}  // namespace ribbon_page
