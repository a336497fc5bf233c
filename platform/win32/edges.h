// Windows: the clip box of a DC, the three-dimensional edges drawn in the system colours, the
// focus rectangle and an icon drawn in a state.
#pragma once

#include "platform/win32/types.h"

inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;

// What GetClipBox answers besides NULLREGION and SIMPLEREGION.
inline constexpr int REGION_ERROR = 0;
// The smallest rectangle around what the DC may draw on (its clip, else its window's client area
// or its bitmap); NULLREGION when that is empty, REGION_ERROR for a DC that does not exist.
int GetClipBox(HDC dc, RECT* rect);

// A three-dimensional edge around the rectangle in the system colours. Only the sunken edge on all
// four sides (EDGE_SUNKEN, BF_RECT) is modelled; any other is a failure naming the call.
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001;
inline constexpr UINT BF_TOP = 0x0002;
inline constexpr UINT BF_RIGHT = 0x0004;
inline constexpr UINT BF_BOTTOM = 0x0008;
inline constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);

// The dotted focus rectangle, drawn by inverting: drawn twice it is gone. Recorded as
// "DrawFocusRect (L,T)-(R,B)"; in a memory bitmap every other pixel of its border is inverted.
BOOL DrawFocusRect(HDC dc, const RECT* rect);

// An image drawn in a state. Only an icon (DST_ICON, its handle in `data`) drawn normally or
// greyed (DSS_NORMAL, DSS_DISABLED) at cx by cy is modelled, without a brush or a callback; any
// other is a failure naming the call. Recorded as "DrawState (X,Y) CXxCY icon RESOURCE" with
// " disabled" for the greyed form; an icon keeps only its size, so no pixel changes.
using DRAWSTATEPROC = BOOL (*)(HDC dc, LPARAM data, WPARAM wData, int cx, int cy);
inline constexpr UINT DST_ICON = 0x0003;
inline constexpr UINT DSS_NORMAL = 0x0000;
inline constexpr UINT DSS_DISABLED = 0x0020;
BOOL DrawStateW(HDC dc, HBRUSH brush, DRAWSTATEPROC output, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
                UINT flags);
