#include "platform/mfc/menu.h"

BOOL CMenu::CreatePopupMenu() {
    if (created_) return FALSE;
    created_ = true;
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (!created_) return FALSE;
    items_.clear();
    created_ = false;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem) {
    if (!created_) return FALSE;
    Item item;
    item.flags = nFlags & ~MF_BYPOSITION;
    if ((nFlags & MF_SEPARATOR) == 0) {
        item.id = nIDNewItem;
        item.text = lpszNewItem;
    }
    items_.push_back(std::move(item));
    return TRUE;
}

UINT CMenu::GetMenuItemID(int nPos) const {
    if (nPos < 0 || nPos >= static_cast<int>(items_.size())) return static_cast<UINT>(-1);
    const Item& item = items_[static_cast<std::size_t>(nPos)];
    if (item.flags & MF_POPUP) return static_cast<UINT>(-1);
    return static_cast<UINT>(item.id);
}

const CMenu::Item* CMenu::find(UINT nIDItem, UINT nFlags) const {
    if (nFlags & MF_BYPOSITION) {
        return nIDItem < items_.size() ? &items_[nIDItem] : nullptr;
    }
    for (const Item& item : items_)
        if ((item.flags & MF_SEPARATOR) == 0 && item.id == nIDItem) return &item;
    return nullptr;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const Item* item = find(nIDItem, nFlags);
    rString = item ? item->text : CString();
    return rString.GetLength();
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    const Item* item = find(nID, nFlags);
    return item ? item->flags : static_cast<UINT>(-1);
}
