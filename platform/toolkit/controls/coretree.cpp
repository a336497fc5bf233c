#include "platform/toolkit/controls/coretree.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/core/journal.h"
#include "platform/core/record.h"

CXTPCoreTreeItem* CXTPCoreTreeItem::AddChild(std::unique_ptr<CXTPCoreTreeItem> item, int before) {
    if (!item) return nullptr;
    item->parent_ = this;
    CXTPCoreTreeItem* added = item.get();
    const auto at = before < 0 || before >= static_cast<int>(children_.size()) ? children_.end() : children_.begin() + before;
    children_.insert(at, std::move(item));
    return added;
}

std::unique_ptr<CXTPCoreTreeItem> CXTPCoreTreeItem::RemoveChild(CXTPCoreTreeItem* child) {
    const auto at = std::find_if(children_.begin(), children_.end(), [child](const auto& each) { return each.get() == child; });
    if (at == children_.end()) return nullptr;
    std::unique_ptr<CXTPCoreTreeItem> removed = std::move(*at);
    children_.erase(at);
    removed->parent_ = nullptr;
    return removed;
}

bool CXTPCoreTreeItem::IsAncestorOf(const CXTPCoreTreeItem* item) const {
    for (const CXTPCoreTreeItem* up = item ? item->parent_ : nullptr; up; up = up->parent_)
        if (up == this) return true;
    return false;
}

CString CXTPCoreTreeItem::GetPath() const {
    CString path = caption_;
    for (const CXTPCoreTreeItem* up = parent_; up && up->parent_; up = up->parent_) path = up->caption_ + L"|" + path;
    return path;
}

namespace {

std::unordered_set<CXTPCoreTreeControl*>& liveTrees() {
    static std::unordered_set<CXTPCoreTreeControl*> trees;
    return trees;
}

// What a tree's drag carries: the source tree and the item, both of this process.
struct DraggedItem {
    CXTPCoreTreeControl* tree = nullptr;
    CXTPCoreTreeItem* item = nullptr;
};

CLIPFORMAT draggedItemFormat() {
    static const auto format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"CXTPCoreTreeItem"));
    return format;
}

// The dragged item, when the data is a tree's drag whose tree and item still exist.
std::optional<DraggedItem> draggedItemOf(COleDataObject* data) {
    HGLOBAL block = data ? data->GetGlobalData(draggedItemFormat()) : nullptr;
    if (!block) return std::nullopt;
    DraggedItem dragged;
    const bool whole = GlobalSize(block) == sizeof(DraggedItem);
    if (whole) std::memcpy(&dragged, GlobalLock(block), sizeof(DraggedItem));
    if (whole) GlobalUnlock(block);
    GlobalFree(block);
    if (!whole || !liveTrees().contains(dragged.tree) || !dragged.tree->Contains(dragged.item)) return std::nullopt;
    return dragged;
}

}  // namespace

class CXTPCoreTreeControl::DropTarget : public COleDropTarget {
public:
    explicit DropTarget(CXTPCoreTreeControl& tree) : tree_(tree) {}
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD, POINT point) override {
        const auto dragged = draggedItemOf(data);
        if (!dragged || !tree_.dropHandlers_.over) return DROPEFFECT_NONE;
        return tree_.dropHandlers_.over(*dragged->tree, *dragged->item, point) & tree_.dropEffects_;
    }
    void OnDragLeave(CWnd*) override {
        if (tree_.dropHandlers_.leave) tree_.dropHandlers_.leave();
    }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT point) override {
        const auto dragged = draggedItemOf(data);
        if (!dragged || !tree_.dropHandlers_.drop) return FALSE;
        tree_.dropHandlers_.drop(*dragged->tree, *dragged->item, point, effect);
        return TRUE;
    }

private:
    CXTPCoreTreeControl& tree_;
};

CXTPCoreTreeControl::CXTPCoreTreeControl() : root_(std::make_unique<CXTPCoreTreeItem>()) { liveTrees().insert(this); }

CXTPCoreTreeControl::~CXTPCoreTreeControl() {
    liveTrees().erase(this);
    if (dropTarget_) dropTarget_->Revoke();
}

void CXTPCoreTreeControl::Attach(HWND tree, int id) {
    if (dropTarget_) dropTarget_->Revoke();
    dropTarget_.reset();
    window_ = tree;
    id_ = id;
    if (window_ && dropEffects_ != 0) registerDropTarget();
    if (window_ && root_->HasChildren()) Refresh();
}

void CXTPCoreTreeControl::registerDropTarget() {
    dropTarget_ = std::make_unique<DropTarget>(*this);
    if (!dropTarget_->Register(CWnd::FromHandle(window_))) dropTarget_.reset();
}

CXTPCoreTreeControl* CXTPCoreTreeControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    for (CXTPCoreTreeControl* tree : liveTrees())
        if (tree->window_ == window) return tree;
    return nullptr;
}

bool CXTPCoreTreeControl::GetItemRect(const CXTPCoreTreeItem* item, RECT& rect) const {
    int row = 0;
    bool found = false;
    std::function<void(const CXTPCoreTreeItem&)> walk = [&](const CXTPCoreTreeItem& parent) {
        for (const auto& child : parent.GetChildren()) {
            if (found) return;
            if (child.get() == item) {
                found = true;
                return;
            }
            ++row;
            if (child->IsExpanded()) walk(*child);
        }
    };
    walk(*root_);
    if (!found) return false;
    rect = RECT{0, row * kRowHeight, 400, (row + 1) * kRowHeight};
    return true;
}

CXTPCoreTreeItem* CXTPCoreTreeControl::HitTest(POINT point) const {
    if (point.y < 0) return nullptr;
    int row = point.y / kRowHeight;
    CXTPCoreTreeItem* hit = nullptr;
    std::function<void(const CXTPCoreTreeItem&)> walk = [&](const CXTPCoreTreeItem& parent) {
        for (const auto& child : parent.GetChildren()) {
            if (hit) return;
            if (row-- == 0) {
                hit = child.get();
                return;
            }
            if (child->IsExpanded()) walk(*child);
        }
    };
    walk(*root_);
    return hit;
}

void CXTPCoreTreeControl::SetInsertMark(CXTPCoreTreeItem* item, InsertMark mark) {
    if (!item) mark = kMarkNone;
    if (item == markItem_ && mark == mark_) return;
    markItem_ = item;
    mark_ = mark;
    static constexpr const wchar_t* kWhere[] = {L"before ", L"after ", L"into "};
    platform::core::journal().add("dialog", L"tree " + std::to_wstring(id_) + L" drop " +
                                                (item ? kWhere[mark] + platform::core::quoted(item->GetPath().GetString()) : L"none"));
}

DROPEFFECT CXTPCoreTreeControl::DragItem(CXTPCoreTreeItem* item) {
    RECT rect{};
    if (!dragSource_ || !item || !GetItemRect(item, rect)) return DROPEFFECT_NONE;
    platform::core::journal().add("dialog", L"tree " + std::to_wstring(id_) + L" drag " + platform::core::quoted(item->GetPath().GetString()));
    const DraggedItem dragged{this, item};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(DraggedItem));
    std::memcpy(GlobalLock(block), &dragged, sizeof(DraggedItem));
    GlobalUnlock(block);
    COleDataSource source;
    source.CacheGlobalData(draggedItemFormat(), block);
    return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

CXTPCoreTreeItem* CXTPCoreTreeControl::AddItem(std::unique_ptr<CXTPCoreTreeItem> item, CXTPCoreTreeItem* parent) {
    CXTPCoreTreeItem* added = (parent ? parent : root_.get())->AddChild(std::move(item));
    if (lock_ == 0) Refresh();
    return added;
}

void CXTPCoreTreeControl::DeleteAllItems() {
    focused_ = nullptr;
    // The rows go first: they name the items by address.
    if (window_) SendMessageW(window_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    root_ = std::make_unique<CXTPCoreTreeItem>();
    if (lock_ == 0) Refresh();
}

void CXTPCoreTreeControl::ForEachItem(const std::function<void(CXTPCoreTreeItem&)>& visit) const {
    std::vector<CXTPCoreTreeItem*> stack;
    for (auto it = root_->GetChildren().rbegin(); it != root_->GetChildren().rend(); ++it) stack.push_back(it->get());
    while (!stack.empty()) {
        CXTPCoreTreeItem* item = stack.back();
        stack.pop_back();
        visit(*item);
        const auto& children = item->GetChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(it->get());
    }
}

int CXTPCoreTreeControl::GetItemCount() const {
    int count = 0;
    ForEachItem([&count](CXTPCoreTreeItem&) { ++count; });
    return count;
}

bool CXTPCoreTreeControl::Contains(const CXTPCoreTreeItem* item) const {
    if (!item) return false;
    const CXTPCoreTreeItem* top = item;
    while (top->GetParentItem()) top = top->GetParentItem();
    return top == root_.get();
}

void CXTPCoreTreeControl::EnsureVisible(CXTPCoreTreeItem* item) {
    for (CXTPCoreTreeItem* up = item ? item->GetParentItem() : nullptr; up; up = up->GetParentItem()) up->SetExpanded(true);
}

void CXTPCoreTreeControl::SetFocusedItem(CXTPCoreTreeItem* item) {
    if (item && !Contains(item)) return;
    EnsureVisible(item);
    focused_ = item;
    if (!window_ || lock_ > 0) return;
    // Finding the row walks the window's rows: it names each item by its address.
    HTREEITEM row = nullptr;
    std::vector<HTREEITEM> stack{reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_GETNEXTITEM, TVGN_ROOT, 0))};
    while (item && !row && !stack.empty()) {
        HTREEITEM at = stack.back();
        stack.pop_back();
        for (; at; at = reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(at)))) {
            if (ItemFromHandle(at) == item) {
                row = at;
                break;
            }
            stack.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(at))));
        }
    }
    filling_ = true;
    SendMessageW(window_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(row));
    filling_ = false;
    journalFocus();
}

CXTPCoreTreeItem* CXTPCoreTreeControl::ItemFromHandle(HTREEITEM handle) const {
    if (!window_ || !handle) return nullptr;
    TVITEMW query;
    query.mask = TVIF_PARAM;
    query.hItem = handle;
    if (!SendMessageW(window_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    return reinterpret_cast<CXTPCoreTreeItem*>(query.lParam);
}

void CXTPCoreTreeControl::SyncFocusFromWindow() {
    if (!window_ || filling_) return;
    focused_ = ItemFromHandle(reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
    journalFocus();
}

CXTPCoreTreeItem* CXTPCoreTreeControl::SyncCheckFromWindow(HTREEITEM handle) {
    CXTPCoreTreeItem* item = ItemFromHandle(handle);
    if (!item || !item->HasCheckbox()) return nullptr;
    const auto state = static_cast<UINT>(SendMessageW(window_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(handle), TVIS_STATEIMAGEMASK));
    item->SetChecked((state >> 12) == 2);
    return item;
}

void CXTPCoreTreeControl::EndUpdate() {
    if (lock_ > 0 && --lock_ == 0) Refresh();
}

void CXTPCoreTreeControl::insertRows(const CXTPCoreTreeItem& parent, HTREEITEM parentRow) {
    for (const auto& item : parent.GetChildren()) {
        const std::wstring caption(item->GetCaption().GetString());
        TVINSERTSTRUCTW insert;
        insert.hParent = parentRow;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        insert.item.pszText = const_cast<LPWSTR>(caption.c_str());
        insert.item.lParam = reinterpret_cast<LPARAM>(item.get());
        insert.item.stateMask = TVIS_STATEIMAGEMASK;
        insert.item.state = item->HasCheckbox() ? INDEXTOSTATEIMAGEMASK(item->IsChecked() ? 2 : 1) : 0;
        const auto row = reinterpret_cast<HTREEITEM>(SendMessageW(window_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        if (row) insertRows(*item, row);
    }
}

void CXTPCoreTreeControl::Refresh() {
    if (!window_) return;
    filling_ = true;
    SendMessageW(window_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    insertRows(*root_, TVI_ROOT);
    filling_ = false;
    platform::core::journal().add("dialog", L"tree " + std::to_wstring(id_) + L": " + std::to_wstring(GetItemCount()) + L" items");
    journalItems(*root_, 1);
    SetFocusedItem(focused_);
}

// What a user sees of the tree: the rows of expanded parents, each with its tick box and whether
// it is open.
void CXTPCoreTreeControl::journalItems(const CXTPCoreTreeItem& parent, int depth) const {
    for (const auto& item : parent.GetChildren()) {
        std::wstring line(static_cast<std::size_t>(depth) * 2, L' ');
        if (item->HasCheckbox()) line += item->IsChecked() ? L"[x] " : L"[ ] ";
        line += platform::core::quoted(item->GetCaption().GetString());
        if (item->HasChildren()) line += item->IsExpanded() ? L" -" : L" +";
        platform::core::journal().add("dialog", line);
        if (item->IsExpanded()) journalItems(*item, depth + 1);
    }
}

void CXTPCoreTreeControl::journalFocus() const {
    if (!window_) return;
    platform::core::journal().add("dialog", L"tree " + std::to_wstring(id_) + L" focus " +
                                                (focused_ ? platform::core::quoted(focused_->GetPath().GetString()) : L"none"));
}
