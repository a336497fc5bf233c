#include "platform/win32/colors.h"

#include "platform/core/winpath.h"
#include "platform/win32/edges.h"

DWORD GetSysColor(int index) {
    switch (index) {
        case COLOR_WINDOW: return RGB(255, 255, 255);
        case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
        case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
        case COLOR_INACTIVECAPTIONTEXT: return RGB(212, 208, 200);
        case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
        case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
        case COLOR_BTNFACE: return RGB(240, 240, 240);
        case COLOR_GRAYTEXT: return RGB(109, 109, 109);
        case COLOR_BTNSHADOW: return RGB(160, 160, 160);
        case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
        case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
        case COLOR_3DLIGHT: return RGB(227, 227, 227);
        default: return 0;
    }
}

BOOL PathIsRelativeW(LPCWSTR path) {
    if (!path) return TRUE;
    return platform::core::winpath::isRelative(path) ? TRUE : FALSE;
}

BOOL PathIsNetworkPathW(LPCWSTR path) {
    return path && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/') && path[2] ? TRUE : FALSE;
}
