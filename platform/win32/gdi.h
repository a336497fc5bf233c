// Device contexts that record what is drawn. A window's DC (from BeginPaint or GetDC) records into
// the window's display list, which a new BeginPaint starts afresh, so the list holds the window's
// last paint; a printer DC records into its print job; a memory DC draws into the pixels of the
// bitmap selected into it (fills and nearest-neighbour copies; text is not rasterised).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/types.h"

struct HBITMAP__ {
    int unused;
};
using HBITMAP = HBITMAP__*;
struct HFONT__ {
    int unused;
};
using HFONT = HFONT__*;
struct HPEN__ {
    int unused;
};
using HPEN = HPEN__*;
using HGDIOBJ = void*;

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    LPVOID bmBits = nullptr;
};

struct TEXTMETRICW {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD PATCOPY = 0x00F00021;
// Stretch modes; a DC starts with BLACKONWHITE.
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
// Mapping modes; a DC starts with MM_TEXT (one logical unit a pixel), the only one drawn in.
inline constexpr int MM_TEXT = 1;
// Only a metafile DC takes MM_ISOTROPIC (recorded with the metafile).
inline constexpr int MM_ISOTROPIC = 7;
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
// Background modes of text; a DC starts OPAQUE.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
// DrawText formats beside the alignment ones of window.h.
inline constexpr UINT DT_BOTTOM = 0x8;
inline constexpr UINT DT_WORDBREAK = 0x10;
// Measures instead of drawing: the rectangle's bottom (and right) become what the text needs.
inline constexpr UINT DT_CALCRECT = 0x400;
inline constexpr UINT DT_NOCLIP = 0x100;
inline constexpr UINT DT_NOPREFIX = 0x800;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;
// Pens (solid only) and the raster operations of line drawing (copy and XOR only).
inline constexpr int PS_SOLID = 0;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_COPYPEN = 13;
// Region kinds IntersectClipRect answers.
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;

HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HDC CreateCompatibleDC(HDC dc);
// A DC for the whole screen (driver "DISPLAY"), freed with DeleteDC; other drivers are not modelled
// and fail, naming the call.
HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* mode);
BOOL DeleteDC(HDC dc);
// Bitmaps, brushes and fonts; selecting a brush or font changes what later calls use.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF colour);
// Null (ERROR_NOT_ENOUGH_MEMORY) past 2^26 pixels, as a real device refuses what it cannot hold.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
struct LOGFONTW;
// Out of a font description (height, weight, italic and face).
HFONT CreateFontIndirectW(const LOGFONTW* font);
inline constexpr int DEFAULT_GUI_FONT = 17;
// Only DEFAULT_GUI_FONT is modelled (a font that lives for the process); other ids are a strict
// failure naming the call.
HGDIOBJ GetStockObject(int id);
inline constexpr DWORD OUT_TT_ONLY_PRECIS = 7;
inline constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
inline constexpr DWORD DEFAULT_QUALITY = 0;
inline constexpr DWORD DEFAULT_PITCH = 0;
// An outline with the selected pen filled with the selected brush (into a bitmap: the inside
// only); recorded with both.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_LEFT = 0;
// The previous alignment of TextOutW (a DC starts TA_TOP | TA_LEFT); GDI_ERROR for a bad DC.
inline constexpr UINT GDI_ERROR = 0xFFFFFFFFu;
UINT SetTextAlign(HDC dc, UINT align);
// Records the text at its reference point with the alignment, the selected font (face, height,
// weight, italic), the text colour and the background mode; the text is not rasterised.
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
// Height in pixels (a negative height is the character height, as Windows takes it).
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName);
// Text: the background mode and colour later DrawTextW calls use; the previous value (0, or
// CLR_INVALID for the colour, for a bad DC).
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);
// Narrows the DC's clip rectangle (logical units); later drawing is recorded with it. The region
// kind left, 0 for a bad DC.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
// Records the text with its rectangle, format, the selected font (face and height), the text
// colour, the background mode and the clip rectangle; the text is not rasterised (into a memory
// DC the line is kept with the selected bitmap). The height of the text (the font's height a
// line), 0 for a bad DC. A negative count: up to the terminator. With DT_CALCRECT nothing is
// drawn: a character is half the font's height wide, DT_WORDBREAK breaks lines between words at
// the rectangle's width, and the rectangle is fitted to the lines.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
// A BITMAP for a bitmap handle; 0 for anything else.
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);

int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// ---- Layered windows -------------------------------------------------------------------------
struct BLENDFUNCTION {
    BYTE BlendOp = 0;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};
inline constexpr DWORD ULW_COLORKEY = 0x1;
inline constexpr DWORD ULW_ALPHA = 0x2;
inline constexpr DWORD ULW_OPAQUE = 0x4;
// Puts the bitmap selected into `source` (from `sourcePoint`, `size` of it) on the layered
// window `hwnd` (WS_EX_LAYERED), moving it to `position` when given. The window's display list
// becomes the layer and the texts drawn into the bitmap. FALSE for a window that is not layered,
// a source without a bitmap, or ULW_COLORKEY and ULW_ALPHA, which are not modelled (a strict
// failure naming the call).
BOOL UpdateLayeredWindow(HWND hwnd, HDC screen, POINT* position, SIZE* size, HDC source, POINT* sourcePoint,
                         COLORREF key, BLENDFUNCTION* blend, DWORD flags);
// Other pen styles and raster operations are a strict failure naming the call (null, 0).
HPEN CreatePen(int style, int width, COLORREF colour);
int SetROP2(HDC dc, int mode);  // the previous mode; a DC starts with R2_COPYPEN
int GetROP2(HDC dc);
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// Records "LineTo (x0,y0)-(x1,y1) COLOUR width W XORPEN|COPYPEN [clip ...]"; lines are not
// rasterised.
BOOL LineTo(HDC dc, int x, int y);
// Only SRCCOPY is modelled; another operation is a strict failure naming the call.
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
// SRCCOPY only, positive sizes only (mirroring is not modelled); nearest-neighbour into a memory
// DC whatever the stretch mode, recorded with the mode into a window's or printer's list.
BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop);
// The previous mode; 0 for a bad DC or mode.
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
// Modes other than MM_TEXT are a strict failure naming the call (0).
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
// Fills with the selected brush; PATCOPY only.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// LOGPIXELSX and LOGPIXELSY (the configured DPI), and the screen's HORZRES, VERTRES (pixels),
// HORZSIZE and VERTSIZE (millimetres); other indexes are a strict failure.
int GetDeviceCaps(HDC dc, int index);
// The selected font's deterministic metrics: height as created, average width half the height
// rounded up, one more for bold.
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// The text's size with the selected font: the average width for every character, the font's
// height; FALSE for a bad DC.
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
int MulDiv(int number, int numerator, int denominator);

// Enhanced metafiles in memory: a metafile DC records what is drawn on it; closing it gives the
// metafile's handle. Metafiles in files are a strict failure naming the call. The window
// origin and extents are modelled on metafile DCs only.
struct HENHMETAFILE__ {
    int unused;
};
using HENHMETAFILE = HENHMETAFILE__*;
HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description);
HENHMETAFILE CloseEnhMetaFile(HDC dc);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous);

namespace platform::win32 {
// A closed metafile: its frame (0.01 mm), description, mapping and drawing, one call a line.
struct EnhMetafile {
    RECT frame{};
    std::wstring description;
    int mapMode = MM_TEXT;
    POINT windowOrg{};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    std::vector<std::wstring> drawing;
    bool closed = false;
};
std::optional<EnhMetafile> enhMetafile(HENHMETAFILE metafile);
// The display list of a window's last paint (and of GetDC drawing since), one line a call.
std::vector<std::wstring> windowDrawing(HWND hwnd);
// A bitmap of a given size, black, as an image loader produces it; null past the size limit.
HBITMAP createBitmap(int width, int height);
// A bitmap holding `pixels` (row-major, top row first, 0x00RRGGBB); null when the count does not
// match the size or past the size limit.
HBITMAP createBitmap(int width, int height, std::vector<std::uint32_t> pixels);
// A bitmap of that size whose pixels `pixels` makes (as above) the first time something draws on
// it, copies from it or reads them; until then only its size is known. `pixels` runs once, under
// the GDI's lock: it must not call the platform. Null past the size limit.
HBITMAP createDeferredBitmap(int width, int height, std::function<std::vector<std::uint32_t>()> pixels);
// The pixels of a bitmap (0x00RRGGBB); false for anything else.
bool bitmapPixels(HGDIOBJ bitmap, int& width, int& height, std::vector<std::uint32_t>& pixels);

// Print jobs: a printer DC records what is drawn on it into its job, which ends with the DC.
struct PrintJob {
    std::wstring document;
    std::vector<std::wstring> drawing;
    bool ended = false;
};
HDC startPrintJob(std::wstring document);
void endPrintJob(HDC dc);
std::vector<PrintJob> printJobs();
// A DC for BeginPaint: starts the window's display list afresh.
HDC beginWindowPaint(HWND hwnd, SIZE client);
// What fills and copies of the window's drawing since its last paint began put on its client
// area (row-major, 0x00RRGGBB; 0xFF000000 where nothing was drawn); false when nothing was.
bool windowPixels(HWND hwnd, int& width, int& height, std::vector<std::uint32_t>& pixels);
void endWindowPaint(HDC dc);
}  // namespace platform::win32
