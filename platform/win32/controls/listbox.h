// The built-in list box (window class "LISTBOX"): a single-selection list of texts, each with an
// item data value, and the selection-change notification. An owner-drawn list
// (LBS_OWNERDRAWFIXED) asks its parent to draw each item that fits when it paints (WM_DRAWITEM)
// and tells it of each item it deletes (WM_DELETEITEM; a list emptied from the last item to the
// first); its items are all one height, at most 255 pixels.
#pragma once

#include "platform/win32/controls/listview.h"
#include "platform/win32/types.h"

inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;  // wParam: the index (-1: at the end); the index it got
inline constexpr UINT LB_DELETESTRING = 0x0182;  // the count left, LB_ERR for a bad index
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;  // -1 clears the selection; LB_ERR for an index past the end
inline constexpr UINT LB_GETCURSEL = 0x0188;  // LB_ERR without a selection
inline constexpr UINT LB_GETTEXT = 0x0189;    // lParam: a buffer of LB_GETTEXTLEN + 1 characters
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
// lParam's low 16 bits: the height; LB_ERR for a height past 255 (or 0).
inline constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
// wParam: the index to search after (-1: from the start); lParam: the text, compared whole and
// without case; LB_ERR when none has it.
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
// The width in pixels the list can be scrolled to sideways (wParam; 0: none).
inline constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
inline constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;
inline constexpr LRESULT LB_ERR = -1;

inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
// Notifications (WM_COMMAND to the parent with LBS_NOTIFY: MAKEWPARAM(id, code), lParam the list).
// A left click on an item selects it (LBN_SELCHANGE); a double click tells LBN_DBLCLK.
inline constexpr WORD LBN_SELCHANGE = 1;
inline constexpr WORD LBN_DBLCLK = 2;
// A check list (the framework's owner-drawn CCheckListBox over a list box) answers with the tick of
// item wParam (0 or 1; LB_ERR for a bad index), as a user reads it from the box it draws; a left
// click within the first item-height pixels of a row clicks that row's tick box.
inline constexpr UINT CLB_GETCHECK = 0x0400 + 0x3C0;

// Owner drawing of list boxes: the control type, and the item a list deletes (WM_DELETEITEM to
// its parent, wParam the list's id, lParam a DELETEITEMSTRUCT).
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT WM_DELETEITEM = 0x002D;
struct DELETEITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    HWND hwndItem = nullptr;
    ULONG_PTR itemData = 0;
};

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
