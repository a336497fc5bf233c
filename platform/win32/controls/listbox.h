// The built-in list box (window class "LISTBOX"): a single-selection list of texts with the
// selection-change notification. Headless: nothing is drawn.
#pragma once

#include "platform/win32/types.h"

inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;  // -1 clears the selection; LB_ERR for an index past the end
inline constexpr UINT LB_GETCURSEL = 0x0188;  // LB_ERR without a selection
inline constexpr UINT LB_GETTEXT = 0x0189;    // lParam: a buffer of LB_GETTEXTLEN + 1 characters
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr LRESULT LB_ERR = -1;

inline constexpr DWORD LBS_NOTIFY = 0x0001;
// Notifications (WM_COMMAND to the parent with LBS_NOTIFY: MAKEWPARAM(id, code), lParam the list).
inline constexpr WORD LBN_SELCHANGE = 1;

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
