// The built-in edit control (window class "EDIT"): one line (or several with ES_MULTILINE) of
// text with a selection, a modification flag, a one-level undo, read-only state and margins.
// Headless: nothing is drawn; the text is the window text.
#pragma once

#include "platform/win32/types.h"

// Styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_READONLY = 0x0800;

// Messages.
inline constexpr UINT EM_GETSEL = 0x00B0;          // MAKELONG(start, end); wParam/lParam: DWORD* or null
inline constexpr UINT EM_SETSEL = 0x00B1;          // start, end (-1: the end of the text); start -1 deselects
inline constexpr UINT EM_SCROLLCARET = 0x00B7;     // TRUE
inline constexpr UINT EM_LINESCROLL = 0x00B6;      // lParam: lines down (negative: up); multi-line only
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_REPLACESEL = 0x00C2;      // wParam: undoable; lParam: the new text
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;            // TRUE for a single-line edit
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_SETREADONLY = 0x00CF;     // TRUE
inline constexpr UINT EM_SETMARGINS = 0x00D3;      // wParam: EC_* bits; lParam: MAKELONG(left, right)
inline constexpr UINT EM_GETMARGINS = 0x00D4;      // MAKELONG(left, right)
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;

inline constexpr WPARAM EC_LEFTMARGIN = 0x0001;
inline constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
inline constexpr WPARAM EC_USEFONTINFO = 0xFFFF;

// Notifications (WM_COMMAND to the parent: MAKEWPARAM(id, code), lParam the edit).
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
inline constexpr WORD EN_CHANGE = 0x0300;

// The window procedure of the built-in class.
LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
