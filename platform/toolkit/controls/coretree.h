// The toolkit's tree control of owned item objects, and its property page base. The control keeps
// the items (captions, icons, tick boxes, children, expansion, focus, item data) and shows them in
// the tree-view window a dialog template made, so a user selects and ticks them there; the
// window is refilled once when the outermost redraw lock ends. An item is dragged from a tree
// that is a drag source to a tree that takes drops (through the OLE drag loop, so the user agent
// decides where the drag ends); the target's owner decides each drop by the item under the
// point and where in its row the point lies.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/mfc.h"
#include "platform/win32/controls/treeview.h"

class CXTPImageManager;
class CXTPCoreTreeControl;

class CXTPCoreTreeItem {
public:
    CXTPCoreTreeItem() = default;
    virtual ~CXTPCoreTreeItem() = default;
    CXTPCoreTreeItem(const CXTPCoreTreeItem&) = delete;
    CXTPCoreTreeItem& operator=(const CXTPCoreTreeItem&) = delete;

    CString GetCaption() const { return caption_; }
    void SetCaption(const CString& caption) { caption_ = caption; }
    int GetIconId() const { return iconId_; }
    void SetIconId(int id) { iconId_ = id; }
    bool HasCheckbox() const { return checkbox_; }
    void ShowCheckbox(bool show) { checkbox_ = show; }
    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool IsExpanded() const { return expanded_; }
    void SetExpanded(bool expanded) { expanded_ = expanded; }
    DWORD_PTR GetItemData() const { return data_; }
    void SetItemData(DWORD_PTR data) { data_ = data; }

    CXTPCoreTreeItem* GetParentItem() const { return parent_; }
    const std::vector<std::unique_ptr<CXTPCoreTreeItem>>& GetChildren() const { return children_; }
    bool HasChildren() const { return !children_.empty(); }
    // Takes the item as the last child (or before `before`, an index); the item added.
    CXTPCoreTreeItem* AddChild(std::unique_ptr<CXTPCoreTreeItem> item, int before = -1);
    // Takes the child out of the tree and hands it back (null when it is no child of this one).
    std::unique_ptr<CXTPCoreTreeItem> RemoveChild(CXTPCoreTreeItem* child);
    // Whether this item lies on the way from the root down to `item` (an item is no ancestor of itself).
    bool IsAncestorOf(const CXTPCoreTreeItem* item) const;
    // "Parent|Child|Item": the captions from the root down.
    CString GetPath() const;

private:
    CString caption_;
    int iconId_ = 0;
    bool checkbox_ = false;
    bool checked_ = false;
    bool expanded_ = false;
    DWORD_PTR data_ = 0;
    CXTPCoreTreeItem* parent_ = nullptr;
    std::vector<std::unique_ptr<CXTPCoreTreeItem>> children_;
};

class CXTPCoreTreeControl {
public:
    CXTPCoreTreeControl();
    virtual ~CXTPCoreTreeControl();
    CXTPCoreTreeControl(const CXTPCoreTreeControl&) = delete;
    CXTPCoreTreeControl& operator=(const CXTPCoreTreeControl&) = delete;

    // Shows the items in the tree-view window `tree` (a control of a dialog); `id` names the tree
    // in the journal's dialog lines. Null detaches.
    void Attach(HWND tree, int id);
    HWND GetSafeHwnd() const { return window_; }
    int GetDlgCtrlID() const { return id_; }

    // The invisible root whose children are the top-level items.
    CXTPCoreTreeItem& GetRoot() { return *root_; }
    const CXTPCoreTreeItem& GetRoot() const { return *root_; }
    CXTPCoreTreeItem* AddItem(std::unique_ptr<CXTPCoreTreeItem> item, CXTPCoreTreeItem* parent = nullptr);
    void DeleteAllItems();
    int GetItemCount() const;
    // Every item, depth first, parents before their children.
    void ForEachItem(const std::function<void(CXTPCoreTreeItem&)>& visit) const;
    // Whether `item` is an item of this tree.
    bool Contains(const CXTPCoreTreeItem* item) const;

    CXTPCoreTreeItem* GetFocusedItem() const { return focused_; }
    // Focuses (and selects) the item, expanding its parents so it is visible; null clears.
    void SetFocusedItem(CXTPCoreTreeItem* item);
    void EnsureVisible(CXTPCoreTreeItem* item);
    // The item of a row of the window (its item data).
    CXTPCoreTreeItem* ItemFromHandle(HTREEITEM handle) const;
    // Reads the window's selection back into the focus (after a user's click).
    void SyncFocusFromWindow();
    // Reads the tick of the window's row back into its item; the item, or null.
    CXTPCoreTreeItem* SyncCheckFromWindow(HTREEITEM handle);

    // Changes between BeginUpdate and EndUpdate reach the window once, at the outermost end.
    void BeginUpdate() { ++lock_; }
    void EndUpdate();
    // Refills the window from the items (outside a lock).
    void Refresh();

    void SetImageManager(CXTPImageManager* images) { images_ = images; }
    CXTPImageManager* GetImageManager() const { return images_; }
    void EnableDragSource(bool enable) { dragSource_ = enable; }
    bool IsDragSource() const { return dragSource_; }
    // The drop effects offered (0: no drop target).
    void SetDropEffects(DWORD effects) { dropEffects_ = effects; }
    DWORD GetDropEffects() const { return dropEffects_; }

    // Rows as a user sees them: the items of expanded parents, kRowHeight pixels each from the
    // top of the window. False for an item not shown.
    static constexpr int kRowHeight = 16;
    bool GetItemRect(const CXTPCoreTreeItem* item, RECT& rect) const;
    // The shown item whose row holds the point (client coordinates), or null.
    CXTPCoreTreeItem* HitTest(POINT point) const;
    // The live tree shown in the window, or null.
    static CXTPCoreTreeControl* FromHandle(HWND window);

    // What a drop target's owner decides: over `target` (null: no item) the dragged item of
    // `source` would go with the effect returned (0: no drop); the drop itself.
    struct DropHandlers {
        std::function<DROPEFFECT(CXTPCoreTreeControl& source, CXTPCoreTreeItem& dragged, POINT point)> over;
        std::function<void(CXTPCoreTreeControl& source, CXTPCoreTreeItem& dragged, POINT point, DROPEFFECT effect)> drop;
        std::function<void()> leave;
    };
    void SetDropHandlers(DropHandlers handlers) { dropHandlers_ = std::move(handlers); }
    // The drop feedback: a line before or after the item's row, or the row highlighted (into).
    enum InsertMark { kMarkBefore = 0, kMarkAfter = 1, kMarkInto = 2, kMarkNone = 3 };
    void SetInsertMark(CXTPCoreTreeItem* item, InsertMark mark);
    // A user presses the item and drags it away; the drag loop ends where the user agent says.
    // The effect done (0: cancelled or refused); a tree that is no drag source, or an item not
    // shown, drags nothing.
    DROPEFFECT DragItem(CXTPCoreTreeItem* item);

private:
    class DropTarget;
    void registerDropTarget();
    void insertRows(const CXTPCoreTreeItem& parent, HTREEITEM parentRow);
    void journalItems(const CXTPCoreTreeItem& parent, int depth) const;
    void journalFocus() const;

    std::unique_ptr<CXTPCoreTreeItem> root_;
    CXTPCoreTreeItem* focused_ = nullptr;
    HWND window_ = nullptr;
    int id_ = 0;
    int lock_ = 0;
    bool filling_ = false;
    CXTPImageManager* images_ = nullptr;
    bool dragSource_ = false;
    DWORD dropEffects_ = 0;
    DropHandlers dropHandlers_;
    CXTPCoreTreeItem* markItem_ = nullptr;
    InsertMark mark_ = kMarkNone;
    std::unique_ptr<DropTarget> dropTarget_;
};

// A page of a property sheet with the toolkit's resize anchors: each control keeps, as the page
// grows, the share of the growth its anchors give (left, top, right, bottom from 0 to 1).
class CXTPPropertyPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;
    struct Anchor {
        int id = 0;
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    void SetResize(int id, double left, double top, double right, double bottom) {
        anchors_.push_back(Anchor{id, left, top, right, bottom});
    }
    const std::vector<Anchor>& GetResizeAnchors() const { return anchors_; }

private:
    std::vector<Anchor> anchors_;
};
