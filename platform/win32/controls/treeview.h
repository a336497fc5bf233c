// The common tree view (window class "SysTreeView32"): items with a text, an item value and a
// state-image index (the tick boxes of a tree with TVS_CHECKBOXES-like state images), children in
// insertion or sorted order, a selection, in-place label editing through an edit box, and the
// notifications its parent hears. Headless: every item is laid out as if expanded, one 16-pixel
// row each, indented 19 pixels a level, its state image first; that layout answers hit tests.
#pragma once

#include "platform/win32/controls/listview.h"
#include "platform/win32/types.h"

inline constexpr wchar_t WC_TREEVIEWW[] = L"SysTreeView32";

struct TreeItem__ {
    int unused;
};
using HTREEITEM = TreeItem__*;

inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFD));

// Styles.
inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

// Messages.
inline constexpr UINT TVM_DELETEITEM = 0x1101;       // lParam: item (TVI_ROOT: every item)
inline constexpr UINT TVM_EXPAND = 0x1102;           // every item counts as expanded; accepted
inline constexpr UINT TVM_GETCOUNT = 0x1105;
inline constexpr UINT TVM_SETIMAGELIST = 0x1109;     // accepted; nothing is drawn
inline constexpr UINT TVM_GETNEXTITEM = 0x110A;      // wParam: TVGN_*; lParam: the item it starts from
inline constexpr UINT TVM_SELECTITEM = 0x110B;       // wParam: TVGN_CARET; lParam: item or null
inline constexpr UINT TVM_HITTEST = 0x1111;          // lParam: TVHITTESTINFO* (pt in client coordinates)
inline constexpr UINT TVM_SORTCHILDREN = 0x1113;     // lParam: the parent (TVI_ROOT: the top level)
inline constexpr UINT TVM_SORTCHILDRENCB = 0x1115;   // lParam: TVSORTCB*
inline constexpr UINT TVM_ENDEDITLABELNOW = 0x1116;  // wParam: TRUE cancels the edit
inline constexpr UINT TVM_GETITEMSTATE = 0x1127;     // wParam: item; lParam: state mask
inline constexpr UINT TVM_INSERTITEMW = 0x1132;      // lParam: TVINSERTSTRUCTW*; the new item or null
inline constexpr UINT TVM_GETITEMW = 0x113E;         // lParam: TVITEMW* (hItem and mask set)
inline constexpr UINT TVM_SETITEMW = 0x113F;         // lParam: TVITEMW*
inline constexpr UINT TVM_EDITLABELW = 0x1141;       // lParam: item; the edit box, or null
inline constexpr UINT TVM_GETEDITCONTROL = 0x110F;

inline constexpr UINT TVGN_ROOT = 0x0;
inline constexpr UINT TVGN_NEXT = 0x1;
inline constexpr UINT TVGN_PREVIOUS = 0x2;
inline constexpr UINT TVGN_PARENT = 0x3;
inline constexpr UINT TVGN_CHILD = 0x4;
inline constexpr UINT TVGN_CARET = 0x9;

inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;

inline constexpr UINT TVHT_NOWHERE = 0x0001;
inline constexpr UINT TVHT_ONITEMICON = 0x0002;
inline constexpr UINT TVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT TVHT_ONITEMINDENT = 0x0008;
inline constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
inline constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

// Notifications (WM_NOTIFY to the parent).
// NM_CLICK and NM_DBLCLK as the list view's (platform/win32/controls/listview.h).
inline constexpr UINT TVN_SELCHANGEDW = static_cast<UINT>(-451);
inline constexpr UINT TVN_BEGINLABELEDITW = static_cast<UINT>(-459);  // nonzero answer refuses the edit
inline constexpr UINT TVN_ENDLABELEDITW = static_cast<UINT>(-460);    // nonzero answer keeps the new text

struct TVITEMW {
    UINT mask = 0;
    HTREEITEM hItem = nullptr;
    UINT state = 0;
    UINT stateMask = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    int iSelectedImage = 0;
    int cChildren = 0;
    LPARAM lParam = 0;
};

struct TVINSERTSTRUCTW {
    HTREEITEM hParent = nullptr;
    HTREEITEM hInsertAfter = nullptr;
    TVITEMW item;
};

// Both sorts keep the order of items that compare equal.
using PFNTVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);
struct TVSORTCB {
    HTREEITEM hParent = nullptr;
    PFNTVCOMPARE lpfnCompare = nullptr;
    LPARAM lParam = 0;
};

struct TVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    HTREEITEM hItem = nullptr;
};

struct NMTREEVIEWW {
    NMHDR hdr;
    UINT action = 0;
    TVITEMW itemOld;
    TVITEMW itemNew;
    POINT ptDrag{};
};

struct NMTVDISPINFOW {
    NMHDR hdr;
    TVITEMW item;
};

LRESULT TreeViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace platform::win32 {
// Where a user clicks to toggle the item's state image: the middle of it, in client coordinates.
// False when the tree has no such item.
bool treeStateImagePoint(HWND tree, HTREEITEM item, POINT& point);
}  // namespace platform::win32
