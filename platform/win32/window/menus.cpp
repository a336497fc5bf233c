#include "platform/win32/window/menus.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/useragent.h"
#include "platform/win32/last_error.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window/window.h"

namespace {

constexpr DWORD kErrorResourceNameNotFound = 1814;
constexpr DWORD kErrorInvalidMenuHandle = 1401;

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::wstring text;
};

struct MenuTable {
    std::recursive_mutex mutex;
    std::map<HMENU, std::vector<MenuItem>> menus;
    std::uintptr_t next = 0x00090010;
};

MenuTable& table() {
    static MenuTable instance;
    return instance;
}

using Lock = std::lock_guard<std::recursive_mutex>;

std::vector<MenuItem>* items(HMENU menu) {
    auto it = table().menus.find(menu);
    return it == table().menus.end() ? nullptr : &it->second;
}

// Whether `inner` is `menu` or one of its sub-menus at any depth (lock held).
bool contains(HMENU menu, HMENU inner) {
    if (menu == inner) return true;
    if (const std::vector<MenuItem>* list = items(menu))
        for (const MenuItem& item : *list)
            if (item.submenu && contains(item.submenu, inner)) return true;
    return false;
}

// The item by position, or by command searching sub-menus as Windows does.
MenuItem* findItem(HMENU menu, UINT item, UINT flags) {
    std::vector<MenuItem>* list = items(menu);
    if (!list) return nullptr;
    if (flags & MF_BYPOSITION) return item < list->size() ? &(*list)[item] : nullptr;
    for (MenuItem& entry : *list) {
        if (entry.submenu) {
            if (MenuItem* inner = findItem(entry.submenu, item, flags)) return inner;
        } else if (!(entry.flags & MF_SEPARATOR) && entry.id == item) {
            return &entry;
        }
    }
    return nullptr;
}

HMENU newMenu() {
    Lock lock(table().mutex);
    HMENU handle = reinterpret_cast<HMENU>(table().next);
    table().next += 4;
    table().menus[handle];
    return handle;
}

// The maker's menu templates: the document tab's context menu (its texts are ours).
const std::map<UINT, std::vector<platform::win32::MenuTemplateItem>>& templates() {
    using Item = platform::win32::MenuTemplateItem;
    static const std::map<UINT, std::vector<Item>> all{
        {4014,
         {{0, L"Tab", 0, true},
          {600, L"&Close", 1},
          {0, L"", 1},
          {601, L"Tabs at the &top", 1},
          {603, L"Tabs at the &bottom", 1},
          {602, L"&Hide document tabs", 1},
          {605, L"&Fixed-width tabs", 1},
          {0, L"", 1},
          {606, L"Open containing &folder", 1},
          {607, L"Copy full &path", 1},
          {0, L"", 1},
          {604, L"Close and &end commands", 1},
          {1204, L"Close &all documents", 1},
          {61217, L"&Window list...", 1}}},
        // The bird's-eye view's context menu.
        {1101,
         {{0, L"Bird's-eye view", 0, true},
          {2180, L"&Frame mode", 1},
          {2181, L"&Rectangle mode", 1},
          {0, L"", 1},
          {2182, L"Re&draw", 1},
          {2178, L"&Options...", 1},
          {0, L"", 1},
          {2179, L"&Close", 1}}},
    };
    return all;
}

platform::core::MenuItemView view(const MenuItem& item);

std::vector<platform::core::MenuItemView> viewOf(HMENU menu) {
    std::vector<platform::core::MenuItemView> out;
    if (const std::vector<MenuItem>* list = items(menu))
        for (const MenuItem& item : *list) out.push_back(view(item));
    return out;
}

platform::core::MenuItemView view(const MenuItem& item) {
    platform::core::MenuItemView v;
    v.separator = (item.flags & MF_SEPARATOR) != 0;
    v.id = item.submenu ? 0 : item.id;
    v.text = item.text;
    v.checked = (item.flags & MF_CHECKED) != 0;
    v.radio = (item.flags & MFT_RADIOCHECK) != 0;
    v.greyed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    if (item.submenu) v.submenu = viewOf(item.submenu);
    return v;
}

// Whether `id` is an enabled command item of the menu (sub-menus included).
bool offers(HMENU menu, UINT id) {
    const MenuItem* item = findItem(menu, id, MF_BYCOMMAND);
    return item && !(item->flags & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

HMENU CreatePopupMenu() { return newMenu(); }
HMENU CreateMenu() { return newMenu(); }

BOOL DestroyMenu(HMENU menu) {
    Lock lock(table().mutex);
    std::vector<MenuItem>* list = items(menu);
    if (!list) return platform::win32::failWith(kErrorInvalidMenuHandle, FALSE);
    const std::vector<MenuItem> owned = *list;
    table().menus.erase(menu);
    for (const MenuItem& item : owned)
        if (item.submenu) DestroyMenu(item.submenu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    Lock lock(table().mutex);
    return items(menu) ? TRUE : FALSE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
    Lock lock(table().mutex);
    std::vector<MenuItem>* list = items(menu);
    if (!list) return platform::win32::failWith(kErrorInvalidMenuHandle, FALSE);
    MenuItem item;
    item.flags = flags;
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
        if (!items(item.submenu)) return platform::win32::failWith(kErrorInvalidMenuHandle, FALSE);
        // A menu inside itself would make every search by command endless.
        if (contains(item.submenu, menu)) return platform::win32::failWith(ERROR_INVALID_PARAMETER, FALSE);
    } else {
        item.id = static_cast<UINT>(idOrSubmenu);
    }
    if (!(flags & MF_SEPARATOR) && text) item.text = text;
    list->push_back(std::move(item));
    return TRUE;
}

int GetMenuItemCount(HMENU menu) {
    Lock lock(table().mutex);
    const std::vector<MenuItem>* list = items(menu);
    return list ? static_cast<int>(list->size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    Lock lock(table().mutex);
    const MenuItem* item = position < 0 ? nullptr : findItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (!item || item->submenu) return static_cast<UINT>(-1);
    return (item->flags & MF_SEPARATOR) ? 0 : item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    Lock lock(table().mutex);
    const MenuItem* item = position < 0 ? nullptr : findItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return item ? item->submenu : nullptr;
}

namespace {

constexpr DWORD kErrorMenuItemNotFound = 1456;

// Takes the item out of the menu that holds it (lock held); the sub-menu it opened, or null.
bool takeItem(HMENU menu, UINT item, UINT flags, HMENU& submenu) {
    std::vector<MenuItem>* list = items(menu);
    if (!list) return false;
    for (std::size_t i = 0; i < list->size(); ++i) {
        MenuItem& entry = (*list)[i];
        const bool match = (flags & MF_BYPOSITION) ? i == item
                                                    : !entry.submenu && !(entry.flags & MF_SEPARATOR) && entry.id == item;
        if (match) {
            submenu = entry.submenu;
            list->erase(list->begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        if (!(flags & MF_BYPOSITION) && entry.submenu && takeItem(entry.submenu, item, flags, submenu)) return true;
    }
    return false;
}

}  // namespace

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    Lock lock(table().mutex);
    if (!items(menu)) return platform::win32::failWith(kErrorInvalidMenuHandle, FALSE);
    HMENU submenu = nullptr;
    if (!takeItem(menu, item, flags, submenu)) return platform::win32::failWith(kErrorMenuItemNotFound, FALSE);
    if (submenu) DestroyMenu(submenu);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT item, UINT flags) {
    Lock lock(table().mutex);
    if (!items(menu)) return platform::win32::failWith(kErrorInvalidMenuHandle, FALSE);
    HMENU submenu = nullptr;
    if (!takeItem(menu, item, flags, submenu)) return platform::win32::failWith(kErrorMenuItemNotFound, FALSE);
    return TRUE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    Lock lock(table().mutex);
    const MenuItem* found = findItem(menu, item, flags);
    return found ? (found->flags & ~MF_BYPOSITION) : static_cast<UINT>(-1);
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
    Lock lock(table().mutex);
    const MenuItem* found = findItem(menu, item, flags);
    if (!found) return 0;
    const int length = static_cast<int>(found->text.size());
    if (!buffer || maxCount <= 0) return length;
    const int copied = std::min(length, maxCount - 1);
    std::copy_n(found->text.c_str(), copied, buffer);
    buffer[copied] = L'\0';
    return copied;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    Lock lock(table().mutex);
    MenuItem* found = findItem(menu, item, check);
    if (!found) return static_cast<DWORD>(-1);
    const DWORD previous = found->flags & MF_CHECKED;
    found->flags = (found->flags & ~(MF_CHECKED | MFT_RADIOCHECK)) | (check & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    Lock lock(table().mutex);
    std::vector<MenuItem>* list = items(menu);
    if (!list) return FALSE;
    bool found = false;
    for (std::size_t i = 0; i < list->size(); ++i) {
        MenuItem& item = (*list)[i];
        const UINT key = (flags & MF_BYPOSITION) ? static_cast<UINT>(i) : item.id;
        if (item.submenu || (item.flags & MF_SEPARATOR) || key < first || key > last) continue;
        const bool on = key == check;
        found = found || on;
        item.flags = on ? (item.flags | MF_CHECKED | MFT_RADIOCHECK) : (item.flags & ~(MF_CHECKED | MFT_RADIOCHECK));
    }
    return found ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    Lock lock(table().mutex);
    MenuItem* found = findItem(menu, item, enable);
    if (!found) return -1;
    const BOOL previous = static_cast<BOOL>(found->flags & (MF_GRAYED | MF_DISABLED));
    found->flags = (found->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

HMENU LoadMenuW(HINSTANCE, UINT_PTR id) {
    auto it = templates().find(static_cast<UINT>(id));
    if (it == templates().end()) {
        return platform::win32::failWith(kErrorResourceNameNotFound, HMENU{});
    }
    Lock lock(table().mutex);
    HMENU root = newMenu();
    std::vector<HMENU> open{root};  // the menu at each depth
    for (const auto& item : it->second) {
        open.resize(static_cast<std::size_t>(item.depth) + 1);
        HMENU parent = open.back();
        if (item.popup) {
            HMENU sub = newMenu();
            AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.text);
            open.push_back(sub);
        } else if (item.id == 0) {
            AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(parent, MF_STRING, item.id, item.text);
        }
    }
    return root;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int, int, int, HWND owner, const RECT*) {
    platform::core::TrackedMenuRequest request;
    const bool ownerExists = IsWindow(owner);  // asked before the menu lock: windows lock first
    {
        Lock lock(table().mutex);
        if (!items(menu)) return platform::win32::failWith(kErrorInvalidMenuHandle, FALSE);
        if (!ownerExists) return platform::win32::failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
        request.owner = owner;
        request.items = viewOf(menu);
    }
    UINT chosen = platform::core::userAgent().answerTrackedMenu(request);
    {
        // Only what the menu offers can be chosen: a greyed item or a stray id dismisses it.
        Lock lock(table().mutex);
        if (chosen && !offers(menu, chosen)) chosen = 0;
    }
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && owner) PostMessageW(owner, WM_COMMAND, chosen, 0);
    return TRUE;
}
