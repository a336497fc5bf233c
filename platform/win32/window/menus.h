// Menus as handles: popup menus built in code or loaded from the maker's menu templates, their
// item states, and tracking, which is a modal request answered by the user agent.
#pragma once

#include "platform/win32/types.h"

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MFT_RADIOCHECK = 0x0200;

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
inline constexpr UINT TPM_LAYOUTRTL = 0x8000;

HMENU CreatePopupMenu();
HMENU CreateMenu();
BOOL DestroyMenu(HMENU menu);  // destroys its sub-menus too
BOOL IsMenu(HMENU menu);
// With MF_POPUP the id is the sub-menu's handle; the menu takes it over.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
int GetMenuItemCount(HMENU menu);             // -1 for no menu
UINT GetMenuItemID(HMENU menu, int position); // -1 (as UINT) for a sub-menu or outside
HMENU GetSubMenu(HMENU menu, int position);
// Removes an item (by position, or by command searching sub-menus); DeleteMenu destroys the
// sub-menu it opened, RemoveMenu leaves it to the caller. FALSE (ERROR_MENU_ITEM_NOT_FOUND) when
// there is no such item.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);  // -1 (as UINT) when there is no such item
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);
// The previous check state (MF_CHECKED or 0), -1 (as DWORD) when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// The previous state, -1 when there is no such item. Searches sub-menus by command.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
// A menu template of the maker's resource libraries by id; null (ERROR_RESOURCE_NAME_NOT_FOUND)
// for an unknown one.
HMENU LoadMenuW(HINSTANCE instance, UINT_PTR id);
// With TPM_RETURNCMD the chosen id (0 when dismissed); without it the choice is posted to
// `owner` as WM_COMMAND and TRUE returned. The user agent answers.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

namespace platform::win32 {
struct MenuTemplateItem {
    UINT id = 0;  // 0 with no text: separator
    const wchar_t* text = L"";
    int depth = 0;  // 0: first level of the template's popup; a popup item opens depth + 1
    bool popup = false;
};
}  // namespace platform::win32
