// The built-in combo box (window class "COMBOBOX") with an edit field: the text is the window
// text, the drop-down list holds texts. Typed characters (WM_CHAR) change the text and tell the
// parent (CBN_EDITCHANGE); a choice from the list sets the text and tells it (CBN_SELENDOK).
// Headless: nothing is drawn and the list never drops down on its own.
#pragma once

#include "platform/win32/types.h"

inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;

inline constexpr UINT CB_GETEDITSEL = 0x0140;
inline constexpr UINT CB_SETEDITSEL = 0x0142;     // lParam: MAKELPARAM(start, end); (0, -1) selects all
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;      // wParam: index; lParam: a buffer of CB_GETLBTEXTLEN + 1
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;     // wParam: index; lParam: the item's value
inline constexpr UINT CB_SETCURSEL = 0x014E;      // the item's text becomes the edit text
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158; // wParam: start (-1: from the top); lParam: text (any case)
inline constexpr LRESULT CB_ERR = -1;

// Notifications (WM_COMMAND to the parent: MAKEWPARAM(id, code), lParam the combo box).
inline constexpr WORD CBN_SELCHANGE = 1;
inline constexpr WORD CBN_EDITCHANGE = 5;
inline constexpr WORD CBN_SELENDOK = 9;

LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
