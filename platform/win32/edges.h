// Windows: the clip box of a DC and the three-dimensional edges drawn in the system colours.
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
