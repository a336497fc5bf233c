// The texts of the "MainWindow" element's own attributes and of the per-control attributes the
// program adds to the layout: PDM windows, analysis mode and view types.
#pragma once

#include "platform/mfc.h"

// The view types of a command-bar control are bits of its flag word.
inline constexpr DWORD kViewType2d = 0x1000;
inline constexpr DWORD kViewType3d = 0x2000;
inline constexpr DWORD kViewTypeCamera = 0x4000;
inline constexpr DWORD kViewTypeWorkplane = 0x8000;
inline constexpr DWORD kViewTypeCam = 0x10000;
inline constexpr DWORD kViewTypeFea = 0x20000;
inline constexpr DWORD kViewTypeOptix = 0x40000;
inline constexpr DWORD kViewTypesCad = 0xF000;
inline constexpr DWORD kViewTypesAll = 0x7F000;

// The view-type text of a flag word ("camera,2d,!workplane,fea"); empty when every view type is
// set (the control shows in every view and needs no attribute).
CString ViewTypesText(DWORD flags);
// The view-type bits a text names; tokens it does not know are ignored.
DWORD ParseViewTypes(const CString& text);

// The PDM windows a frame shows: a bit per window, named in this order.
inline constexpr UINT kAllPdmWindows = 0xFF;
// The names of the set bits joined by ","; empty for none.
CString PdmWindowsText(UINT bits);
// Read as a value set: plain names set their bit, names marked "!" clear it, "all" stands for
// every bit; a set whose first item is marked starts from every bit. Unknown names are ignored.
UINT ParsePdmWindows(const CString& text);

// "fea" (1), "dynamics" (2), empty for any other mode.
CString AnalysisModeText(UINT mode);
