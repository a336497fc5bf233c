// Menus, at their least: a popup menu object holds its items (id, text, state). No window shows
// a menu yet; the object is what the application fills and reads back.
#pragma once

#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/mfc/object.h"
#include "platform/win32/window/menus.h"


class CMenu : public CObject {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreatePopupMenu();
    BOOL CreateMenu() { return CreatePopupMenu(); }
    BOOL DestroyMenu();
    bool IsCreated() const { return created_; }

    // A separator ignores the id and the text. Fails on a menu not created.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    UINT GetMenuItemCount() const { return static_cast<UINT>(items_.size()); }
    // The item's id; 0 for a separator, -1 (as UINT) outside the menu.
    UINT GetMenuItemID(int nPos) const;
    // MF_BYCOMMAND or MF_BYPOSITION; the length of the text, 0 when there is no such item.
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // The item's state flags; -1 (as UINT) when there is no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;

private:
    struct Item {
        UINT flags = 0;
        UINT_PTR id = 0;
        CString text;
    };
    const Item* find(UINT nIDItem, UINT nFlags) const;

    std::vector<Item> items_;
    bool created_ = false;
};
