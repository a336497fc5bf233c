// A window's own scroll bars (WS_HSCROLL, WS_VSCROLL): their range, page, position and track
// position, and showing or hiding them (which changes the client area).
#pragma once

#include "platform/win32/types.h"

inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

// WM_HSCROLL / WM_VSCROLL request codes (LOWORD of wParam; HIWORD the thumb position).
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// As Windows: the page is kept within the range's size, the position within [min, max - page + 1];
// setting the range or page shows the bar when the range exceeds the page and hides it otherwise
// (SIF_DISABLENOSCROLL keeps it). Returns the new position. Only SB_HORZ and SB_VERT are
// modelled (SB_CTL is a strict failure naming the call).
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
// Shows or hides SB_HORZ, SB_VERT or SB_BOTH; the client area follows (WM_SIZE).
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);

namespace platform::win32 {
// Where the user holds the thumb while dragging it (GetScrollInfo's nTrackPos).
void setScrollTrackPosition(HWND hwnd, int bar, int position);
}  // namespace platform::win32
