// The fonts Windows has installed, as EnumFontFamiliesExW hands them out: one call of the
// callback per font with its LOGFONT and font type. The list is the platform's (a test or the
// sample may replace it).
#pragma once

#include <string>
#include <vector>

#include "platform/win32/types.h"

#define LF_FACESIZE 32
#define RASTER_FONTTYPE 0x0001
#define DEVICE_FONTTYPE 0x0002
#define TRUETYPE_FONTTYPE 0x0004
#define DEFAULT_CHARSET 1

struct LOGFONTW {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfCharSet = 0;
    WCHAR lfFaceName[LF_FACESIZE] = {};
};
using LPLOGFONTW = LOGFONTW*;
struct TEXTMETRICW;

// Return 0 to stop the enumeration.
using FONTENUMPROCW = int (*)(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM data);

inline constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
// The fonts of window frames and message boxes (only the message font is modelled).
struct NONCLIENTMETRICSW {
    UINT cbSize = sizeof(NONCLIENTMETRICSW);
    LOGFONTW lfMessageFont;
};
// Only SPI_GETNONCLIENTMETRICS is modelled (with cbSize the structure's size); another action is
// a strict failure naming the call.
BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// Every installed font matching `font`'s character set (DEFAULT_CHARSET: all) and face name
// (empty: all); the callback's last answer (1 when there were none).
int EnumFontFamiliesExW(HDC dc, const LOGFONTW* font, FONTENUMPROCW callback, LPARAM data, DWORD flags);

namespace platform::win32 {
struct InstalledFont {
    std::wstring faceName;
    DWORD type = TRUETYPE_FONTTYPE;
};
// Replaces the installed fonts (in the order the enumeration reports them).
void setInstalledFonts(std::vector<InstalledFont> fonts);
const std::vector<InstalledFont>& installedFonts();
}  // namespace platform::win32
