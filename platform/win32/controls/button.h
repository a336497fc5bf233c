// The built-in button control (window class "BUTTON"): push buttons, check boxes and radio
// buttons with their check state, the automatic radio group and the click notification.
// Headless: nothing is drawn; the caption is the window text.
#pragma once

#include "platform/win32/types.h"

// Styles (the low four bits are the kind).
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_RADIOBUTTON = 0x0004;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD BS_ICON = 0x0040;

// Messages.
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_CLICK = 0x00F5;
// wParam IMAGE_ICON; BM_SETIMAGE's lParam the icon (the caller keeps it), the previous one back.
inline constexpr UINT BM_GETIMAGE = 0x00F6;
inline constexpr UINT BM_SETIMAGE = 0x00F7;  // a click a user could make: nothing on a hidden or disabled button

inline constexpr WPARAM BST_UNCHECKED = 0;
inline constexpr WPARAM BST_CHECKED = 1;

// Notifications (WM_COMMAND to the parent: MAKEWPARAM(id, code), lParam the button).
inline constexpr WORD BN_CLICKED = 0;

// The window procedure of the built-in class.
LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
