// The slider control (window class "msctls_trackbar32"): a position within a range, moved by the
// user's drag, which tells the parent as the thumb moves and when it is let go (WM_HSCROLL with
// TB_THUMBTRACK, then TB_THUMBPOSITION and TB_ENDTRACK; lParam the slider). Headless: nothing is
// drawn.
#pragma once

#include "platform/win32/types.h"

inline constexpr wchar_t TRACKBAR_CLASSW[] = L"msctls_trackbar32";

inline constexpr UINT TBM_GETPOS = 0x0400;
inline constexpr UINT TBM_GETRANGEMIN = 0x0401;
inline constexpr UINT TBM_GETRANGEMAX = 0x0402;
inline constexpr UINT TBM_SETPOS = 0x0405;       // wParam: redraw; lParam: the position (held to the range)
inline constexpr UINT TBM_SETRANGE = 0x0406;     // wParam: redraw; lParam: MAKELPARAM(min, max)
// A user's drag of the thumb to position wParam (held to the range): nothing on a hidden or
// disabled slider (FALSE), else the parent hears of it and TRUE.
inline constexpr UINT TBM_USERDRAG = 0x0400 + 0x302;

inline constexpr WORD TB_THUMBPOSITION = 4;
inline constexpr WORD TB_THUMBTRACK = 5;
inline constexpr WORD TB_ENDTRACK = 8;

LRESULT TrackBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
