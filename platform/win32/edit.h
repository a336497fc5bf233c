// The built-in edit control (window class "EDIT"), at its least: one line of text, the window
// text, that tells its parent of every change. Headless: nothing is drawn.
#pragma once

#include "platform/win32/types.h"

// Styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;

// Notifications (WM_COMMAND to the parent: MAKEWPARAM(id, code), lParam the edit).
inline constexpr WORD EN_CHANGE = 0x0300;

// The window procedure of the built-in class.
LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
