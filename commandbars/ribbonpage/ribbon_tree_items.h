// The items of the ribbon page's trees: each holds a reference to the toolkit object it shows, so
// a control, group or tab taken out of the bars stays alive while an item shows it.
#pragma once

#include <functional>
#include <unordered_set>

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

ItemKind KindOf(const CXTPCoreTreeItem* item);
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
