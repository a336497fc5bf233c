#include "platform/toolkit/controls/coretree.h"

#include <algorithm>

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

CXTPCoreTreeControl::CXTPCoreTreeControl() : root_(std::make_unique<CXTPCoreTreeItem>()) {}

CXTPCoreTreeControl::~CXTPCoreTreeControl() = default;

void CXTPCoreTreeControl::Attach(HWND tree, int id) {
    window_ = tree;
    id_ = id;
    if (window_ && root_->HasChildren()) Refresh();
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
