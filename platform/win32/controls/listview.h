// The common list view (window class "SysListView32"): rows with a text, an image and an item
// value, a selection and a focused row, fixed-height rows (the owner measures them with
// WM_MEASUREITEM when the list is owner drawn; an icon list's rows are as high as its icons and
// a label), scrolling by whole rows, sorting by the owner's comparison, in-place label editing,
// and the notifications a list's parent hears of mouse clicks, drags, deleted rows and the
// images it leaves to the parent. Headless: an owner-drawn list asks its owner to draw each shown
// row (WM_DRAWITEM) when it paints, and a row whose image is left to the parent is asked for it
// only when the row is painted; nothing else is drawn.
#pragma once

#include <optional>

#include "platform/win32/types.h"

inline constexpr wchar_t WC_LISTVIEWW[] = L"SysListView32";

// Styles.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
inline constexpr DWORD LVS_AUTOARRANGE = 0x0100;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;
inline constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;

// Messages.
inline constexpr UINT LVM_GETBKCOLOR = 0x1000;
inline constexpr UINT LVM_SETBKCOLOR = 0x1001;        // lParam: COLORREF
// The labels' text colour and the colour behind them (CLR_NONE: none, the background shows);
// the window colours at first. Each set answers TRUE and, as for the background, the list draws
// them at its next paint; each get answers the colour in force.
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
inline constexpr UINT LVM_GETTEXTCOLOR = 0x1023;
inline constexpr UINT LVM_SETTEXTCOLOR = 0x1024;      // lParam: COLORREF
inline constexpr UINT LVM_GETTEXTBKCOLOR = 0x1025;
inline constexpr UINT LVM_SETTEXTBKCOLOR = 0x1026;    // lParam: COLORREF or CLR_NONE
inline constexpr UINT LVM_GETITEMCOUNT = 0x1004;
inline constexpr UINT LVM_DELETEITEM = 0x1008;       // wParam: item
inline constexpr UINT LVM_DELETEALLITEMS = 0x1009;
inline constexpr UINT LVM_GETNEXTITEM = 0x100C;       // wParam: start (-1: the first), lParam: LVNI_*
inline constexpr UINT LVM_GETITEMRECT = 0x100E;       // wParam: item; lParam: RECT* (its left: LVIR_*)
inline constexpr UINT LVM_HITTEST = 0x1012;           // lParam: LVHITTESTINFO*; the item or -1
inline constexpr UINT LVM_ENSUREVISIBLE = 0x1013;     // wParam: item
inline constexpr UINT LVM_REDRAWITEMS = 0x1015;       // wParam: first item; lParam: last item
inline constexpr UINT LVM_GETEDITCONTROL = 0x1018;    // the label's edit box while one is edited
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;  // wParam: the bits to change (0: all); lParam: them; the old bits
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = 0x1037;
inline constexpr UINT LVM_GETCOLUMNWIDTH = 0x101D;
inline constexpr UINT LVM_SETCOLUMNWIDTH = 0x101E;    // wParam: column; lParam: width
inline constexpr UINT LVM_GETTOPINDEX = 0x1027;
inline constexpr UINT LVM_GETCOUNTPERPAGE = 0x1028;
inline constexpr UINT LVM_SETITEMSTATE = 0x102B;      // wParam: item (-1: every item); lParam: LVITEMW*
inline constexpr UINT LVM_SETITEMCOUNT = 0x102F;      // a capacity hint
inline constexpr UINT LVM_SORTITEMS = 0x1030;         // wParam: the comparison's own value; lParam: PFNLVCOMPARE
inline constexpr UINT LVM_GETITEMSTATE = 0x102C;      // wParam: item; lParam: the state bits wanted
inline constexpr UINT LVM_GETITEMW = 0x104B;          // lParam: LVITEMW* (mask and iItem set)
inline constexpr UINT LVM_INSERTITEMW = 0x104D;       // lParam: LVITEMW*; the new item's index or -1
inline constexpr UINT LVM_FINDITEMW = 0x1053;         // wParam: start (-1: from the first); lParam: LVFINDINFOW*
inline constexpr UINT LVM_GETCOLUMNW = 0x105F;        // wParam: column; lParam: LVCOLUMNW* (mask, pszText, cchTextMax)
inline constexpr UINT LVM_INSERTCOLUMNW = 0x1061;     // wParam: column; lParam: LVCOLUMNW*
inline constexpr UINT LVM_GETITEMTEXTW = 0x1073;      // wParam: item; lParam: LVITEMW* (pszText, cchTextMax)
inline constexpr UINT LVM_SETITEMTEXTW = 0x1074;      // wParam: item; lParam: LVITEMW* (iSubItem: column, pszText)
inline constexpr UINT LVM_EDITLABELW = 0x1076;        // wParam: item; the edit box, or null

inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;
// The state image (bits 12-15): with check boxes, 1 unchecked and 2 checked.
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
inline constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x0010;
inline constexpr DWORD LVS_EX_LABELTIP = 0x4000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr int LVIR_BOUNDS = 0;
inline constexpr int LVIR_ICON = 1;
inline constexpr int LVIR_LABEL = 2;
inline constexpr UINT LVHT_ONITEM = 0x000E;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;

// Extended styles (with those above).
inline constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x00010000;
inline constexpr int I_IMAGECALLBACK = -1;
inline constexpr UINT LVFI_PARAM = 0x0001;

using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

struct LVFINDINFOW {
    UINT flags = 0;
    const wchar_t* psz = nullptr;
    LPARAM lParam = 0;
    POINT pt{};
    UINT vkDirection = 0;
};

struct LVITEMW {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    wchar_t* pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
};

struct LVCOLUMNW {
    UINT mask = 0;
    int fmt = 0;
    int cx = 0;
    wchar_t* pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
};

struct LVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
};

// Notifications (WM_NOTIFY to the parent). NM_DBLCLK and NM_RCLICK carry an NMITEMACTIVATE.
inline constexpr UINT NM_CLICK = static_cast<UINT>(-2);
inline constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
inline constexpr UINT NM_RCLICK = static_cast<UINT>(-5);

inline constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);     // NMLISTVIEW; a row's state changed
inline constexpr UINT LVN_DELETEITEM = static_cast<UINT>(-103);      // NMLISTVIEW; the row is already gone
inline constexpr UINT LVN_BEGINDRAG = static_cast<UINT>(-109);       // NMLISTVIEW
// NMLISTVIEW: the mouse came to rest on another row, iItem (-1: on none), with no button held.
inline constexpr UINT LVN_HOTTRACK = static_cast<UINT>(-121);
inline constexpr UINT LVN_ENDLABELEDITW = static_cast<UINT>(-176);   // NMLVDISPINFOW; TRUE keeps the text
inline constexpr UINT LVN_GETDISPINFOW = static_cast<UINT>(-177);    // NMLVDISPINFOW

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
};

struct NMLVDISPINFOW {
    NMHDR hdr;
    LVITEMW item;
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

// Owner drawing.
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_MEASUREITEM = 0x002C;
inline constexpr UINT ODT_LISTVIEW = 102;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    ULONG_PTR itemData = 0;
};

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};
    ULONG_PTR itemData = 0;
};

// The window procedure of the built-in class.
LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace platform::win32 {
// The image the row last showed: what its parent answered when the row was last painted (for a
// row whose image is left to it), else its own image; none for a row left to the parent that
// was never painted or for a row that is not there. For the harness.
std::optional<int> listViewShownImage(HWND list, int item);
}  // namespace platform::win32
