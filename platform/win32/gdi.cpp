#include "platform/win32/gdi.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <variant>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32/colors.h"
#include "platform/win32/edges.h"
#include "platform/win32/fonts.h"
#include "platform/win32/icons.h"
#include "platform/win32/window/window.h"
#include "platform/win32/window_drawing.h"

namespace {

using platform::core::rectText;

constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 26;

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row-major
    // A window's surface that one colour covers holds only that colour, `pixels` empty: most
    // paints begin by filling the whole client area, and a surface is made anew at every paint.
    std::optional<std::uint32_t> uniform;
    bool surface = false;  // a window's, which may turn uniform again
    std::vector<std::wstring> texts;  // drawn into a memory bitmap: text is not rasterised
    // A picture's pixels, made the first time something draws on the bitmap, copies from it or
    // reads it (`pixels` empty until then): a picture that is only shown whole, as a layered
    // window's, is never decoded.
    std::function<std::vector<std::uint32_t>()> deferred;
};
struct Brush {
    COLORREF colour = 0;
};
struct Font {
    int height = 0;
    int weight = FW_NORMAL;
    std::wstring face;
    bool italic = false;
};
struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF colour = 0;
};
using GdiObject = std::variant<Bitmap, Brush, Font, Pen>;

struct DeviceContext {
    HWND window = nullptr;    // a window's DC records into the window's display list
    HGDIOBJ bitmap = nullptr; // a memory DC draws into its selected bitmap
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    UINT textAlign = TA_TOP | TA_LEFT;
    int printJob = -1;        // a printer DC records into its print job
    std::uintptr_t metafile = 0;  // a metafile DC records into its metafile
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    POINT brushOrigin{0, 0};
    bool fromGetDc = false;   // only these go back through ReleaseDC
    int bkMode = OPAQUE;
    COLORREF textColour = 0;  // black
    std::optional<RECT> clip;
    SIZE client{0, 0};        // a window DC's client size when it was made
    HGDIOBJ pen = nullptr;    // null: the stock black pen of width 1
    int rop2 = R2_COPYPEN;
    POINT position{0, 0};
};

struct Gdi {
    std::mutex mutex;
    std::map<std::uintptr_t, DeviceContext> contexts;
    std::map<std::uintptr_t, GdiObject> objects;
    std::map<HWND, std::vector<std::wstring>> drawings;
    // What a window's pixel drawing (fills and copies) put on its client area since its last
    // paint began; unpainted pixels keep kUnpainted.
    std::map<HWND, Bitmap> surfaces;
    std::vector<platform::win32::PrintJob> printJobs;
    std::map<std::uintptr_t, platform::win32::EnhMetafile> metafiles;
    std::uintptr_t nextDc = 0x01000010;
    std::uintptr_t nextObject = 0x05000010;
};

// Never destroyed: objects of the application, a static itself, free their GDI objects as it goes.
Gdi& gdi() {
    static Gdi& instance = *new Gdi;
    return instance;
}

std::uintptr_t key(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

DeviceContext* findDc(Gdi& g, HDC dc) {
    auto it = g.contexts.find(key(dc));
    return it == g.contexts.end() ? nullptr : &it->second;
}

template <class T>
T* findObject(Gdi& g, const void* handle) {
    auto it = g.objects.find(key(handle));
    return it == g.objects.end() ? nullptr : std::get_if<T>(&it->second);
}

HDC newDc(Gdi& g, DeviceContext context) {
    const std::uintptr_t handle = g.nextDc;
    g.nextDc += 4;
    g.contexts[handle] = context;
    return reinterpret_cast<HDC>(handle);
}

HGDIOBJ newObject(Gdi& g, GdiObject object) {
    const std::uintptr_t handle = g.nextObject;
    g.nextObject += 4;
    g.objects.emplace(handle, std::move(object));
    return reinterpret_cast<HGDIOBJ>(handle);
}

std::wstring hexColour(COLORREF colour) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"0x%06X", static_cast<unsigned>(colour & 0xFFFFFF));
    return buffer;
}

// The size a text takes: a character is half the line height wide; with a width (>= 0) lines
// break between words where the next word would pass it (a longer word stands on its own line).
SIZE measureText(const std::wstring& text, int lineHeight, int width) {
    const int charWidth = std::max(1, lineHeight / 2);
    int lines = 0, widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        const std::wstring paragraph = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        int lineChars = 0;
        ++lines;
        std::size_t at = 0;
        while (at < paragraph.size()) {
            const std::size_t space = paragraph.find(L' ', at);
            const std::size_t wordEnd = space == std::wstring::npos ? paragraph.size() : space;
            const int word = static_cast<int>(wordEnd - at);
            const int withWord = lineChars == 0 ? word : lineChars + 1 + word;
            if (width >= 0 && lineChars > 0 && withWord * charWidth > width) {
                widest = std::max(widest, lineChars * charWidth);
                ++lines;
                lineChars = word;
            } else {
                lineChars = withWord;
            }
            at = wordEnd + 1;
        }
        widest = std::max(widest, lineChars * charWidth);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return SIZE{widest, lines * lineHeight};
}

// Records one drawing call on `dc`; a memory DC's drawing lands in its bitmap and is not kept.
void record(Gdi& g, const DeviceContext& context, std::wstring line) {
    if (context.window) g.drawings[context.window].push_back(std::move(line));
    if (context.printJob >= 0) g.printJobs[static_cast<std::size_t>(context.printJob)].drawing.push_back(std::move(line));
    if (context.metafile) g.metafiles[context.metafile].drawing.push_back(std::move(line));
}

constexpr std::uint32_t kUnpainted = 0xFF000000u;

Bitmap* targetBitmap(Gdi& g, const DeviceContext& context) {
    if (context.printJob >= 0 || context.metafile) return nullptr;
    if (!context.window) return findObject<Bitmap>(g, context.bitmap);
    if (context.client.cx <= 0 || context.client.cy <= 0) return nullptr;
    // The surface is made on the first pixel drawing, so windows that only record cost nothing.
    Bitmap& surface = g.surfaces[context.window];
    if (surface.width != context.client.cx || surface.height != context.client.cy) {
        surface.width = context.client.cx;
        surface.height = context.client.cy;
        surface.pixels = {};
        surface.uniform = kUnpainted;
        surface.surface = true;
    }
    return &surface;
}

std::size_t pixelCount(const Bitmap& bitmap) {
    return static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
}

// Gives a uniform surface its pixels, before a drawing that covers only part of it, and a
// deferred picture its pixels before any use of them.
void materialize(Bitmap& bitmap) {
    if (bitmap.deferred) {
        bitmap.pixels = std::exchange(bitmap.deferred, nullptr)();
        bitmap.pixels.resize(pixelCount(bitmap));
        return;
    }
    if (!bitmap.uniform) return;
    bitmap.pixels.assign(pixelCount(bitmap), *bitmap.uniform);
    bitmap.uniform.reset();
}

SIZE clientSize(HWND hwnd) {
    RECT client{};
    if (!hwnd || !::GetClientRect(hwnd, &client)) return SIZE{0, 0};
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// 0x00BBGGRR (COLORREF) to the bitmap's 0x00RRGGBB.
std::uint32_t pixelOf(COLORREF colour) {
    return std::uint32_t{GetRValue(colour)} << 16 | std::uint32_t{GetGValue(colour)} << 8 | GetBValue(colour);
}

void fillPixels(Bitmap& bitmap, RECT r, COLORREF colour) {
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, bitmap.width);
    r.bottom = std::min<LONG>(r.bottom, bitmap.height);
    if (r.left >= r.right || r.top >= r.bottom) return;
    const std::uint32_t pixel = pixelOf(colour);
    if (bitmap.surface && r.left == 0 && r.top == 0 && r.right == bitmap.width && r.bottom == bitmap.height) {
        bitmap.pixels = {};
        bitmap.uniform = pixel;
        return;
    }
    if (bitmap.uniform == pixel) return;
    materialize(bitmap);
    for (LONG y = r.top; y < r.bottom; ++y) {
        const auto row = bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(y) * bitmap.width;
        std::fill(row + r.left, row + r.right, pixel);
    }
}

// Nearest-neighbour copy of the source rectangle onto the target rectangle; pixels outside
// either bitmap are left alone.
void stretchPixels(Bitmap& target, int x, int y, int width, int height, const Bitmap& source, int sourceX, int sourceY,
                   int sourceWidth, int sourceHeight) {
    const std::int64_t top = std::max(y, 0), bottom = std::min<std::int64_t>(std::int64_t{y} + height, target.height);
    const std::int64_t left = std::max(x, 0), right = std::min<std::int64_t>(std::int64_t{x} + width, target.width);
    if (top >= bottom || left >= right) return;
    materialize(target);
    for (std::int64_t ty = top; ty < bottom; ++ty) {
        const std::int64_t sy = sourceY + (ty - y) * sourceHeight / height;
        if (sy < 0 || sy >= source.height) continue;
        for (std::int64_t tx = left; tx < right; ++tx) {
            const std::int64_t sx = sourceX + (tx - x) * sourceWidth / width;
            if (sx < 0 || sx >= source.width) continue;
            target.pixels[static_cast<std::size_t>(ty * target.width + tx)] =
                source.pixels[static_cast<std::size_t>(sy * source.width + sx)] & 0x00FFFFFFu;
        }
    }
}

std::wstring stretchModeName(int mode) {
    switch (mode) {
        case BLACKONWHITE: return L"BLACKONWHITE";
        case WHITEONBLACK: return L"WHITEONBLACK";
        case COLORONCOLOR: return L"COLORONCOLOR";
        case HALFTONE: return L"HALFTONE";
        default: return std::to_wstring(mode);
    }
}

bool bitmapSizeAllowed(int width, int height) {
    return width >= 0 && height >= 0 && std::int64_t{width} * height <= kMaxBitmapPixels;
}

void failCall(const std::wstring& what) { platform::core::reportFailure(what); }

// The bitmap selected into the source DC of a copy, with its pixels, and the target DC; null when
// either DC is unknown or (a failure naming the call) the source holds no bitmap. The GDI lock is
// held.
const Bitmap* copySource(Gdi& g, HDC dc, HDC source, const wchar_t* call, DeviceContext*& target) {
    target = findDc(g, dc);
    DeviceContext* from = findDc(g, source);
    if (!target || !from) return nullptr;
    Bitmap* picture = findObject<Bitmap>(g, from->bitmap);
    if (!picture) failCall(std::wstring(call) + L": the source DC has no bitmap selected");
    else materialize(*picture);
    return picture;
}

}  // namespace

HDC GetDC(HWND hwnd) {
    // A null window asks for the screen's DC, which records nothing.
    if (hwnd && !::IsWindow(hwnd)) return nullptr;
    const SIZE client = clientSize(hwnd);
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext context{hwnd};
    context.fromGetDc = true;
    context.client = client;
    return newDc(g, context);
}

int ReleaseDC(HWND, HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    // A memory or printer DC is not released here: it stays until DeleteDC, as on Windows.
    const DeviceContext* context = findDc(g, dc);
    if (!context || !context->fromGetDc) return 0;
    g.contexts.erase(key(dc));
    return 1;
}

HDC CreateDCW(LPCWSTR driver, LPCWSTR, LPCWSTR, const void*) {
    if (!driver || std::wstring_view(driver) != L"DISPLAY") {
        platform::core::reportFailure(L"CreateDCW(" + platform::core::quoted(driver) + L"): only the display is modelled");
        return nullptr;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return newDc(g, DeviceContext{});
}

HDC CreateCompatibleDC(HDC) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return newDc(g, DeviceContext{});
}

BOOL DeleteDC(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return g.contexts.erase(key(dc)) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    auto it = g.objects.find(key(object));
    if (!context || it == g.objects.end()) return nullptr;
    HGDIOBJ* slot = std::holds_alternative<Bitmap>(it->second)  ? &context->bitmap
                    : std::holds_alternative<Brush>(it->second) ? &context->brush
                    : std::holds_alternative<Pen>(it->second)   ? &context->pen
                                                                 : &context->font;
    HGDIOBJ previous = *slot;
    *slot = object;
    // Windows hands back the stock object a DC starts with; a non-null stand-in keeps callers'
    // "restore what was selected" code on its usual path.
    return previous ? previous : object;
}

BOOL DeleteObject(HGDIOBJ object) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return g.objects.erase(key(object)) ? TRUE : FALSE;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return static_cast<HBRUSH>(newObject(g, Brush{colour}));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style != PS_SOLID) {
        failCall(L"CreatePen: pen style " + std::to_wstring(style) + L" is not modelled");
        return nullptr;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return static_cast<HPEN>(newObject(g, Pen{style, width, colour}));
}

int SetROP2(HDC dc, int mode) {
    if (mode != R2_COPYPEN && mode != R2_XORPEN) {
        failCall(L"SetROP2: raster operation " + std::to_wstring(mode) + L" is not modelled");
        return 0;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    return context ? std::exchange(context->rop2, mode) : 0;
}

int GetROP2(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    const DeviceContext* context = findDc(g, dc);
    return context ? context->rop2 : 0;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return FALSE;
    if (previous) *previous = context->position;
    context->position = POINT{x, y};
    return TRUE;
}

// Lines are recorded, not rasterised: with the raster operation, the pen's colour and width and
// the clip, so a test can pair up XOR drawings.
BOOL LineTo(HDC dc, int x, int y) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return FALSE;
    const Pen* pen = findObject<Pen>(g, context->pen);
    const Pen drawn = pen ? *pen : Pen{};
    std::wstring line = L"LineTo (" + std::to_wstring(context->position.x) + L"," +
                        std::to_wstring(context->position.y) + L")-(" + std::to_wstring(x) + L"," +
                        std::to_wstring(y) + L") " + hexColour(drawn.colour) + L" width " +
                        std::to_wstring(drawn.width) + (context->rop2 == R2_XORPEN ? L" XORPEN" : L" COPYPEN");
    if (context->clip)
        line += L" clip " + rectText(context->clip->left, context->clip->top, context->clip->right, context->clip->bottom);
    record(g, *context, std::move(line));
    context->position = POINT{x, y};
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    HBITMAP bitmap = platform::win32::createBitmap(width, height);
    if (!bitmap) ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return bitmap;
}

HFONT CreateFontW(int height, int, int, int, int weight, DWORD italic, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  LPCWSTR faceName) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return static_cast<HFONT>(newObject(
        g, Font{height < 0 ? -height : height, weight ? weight : FW_NORMAL, faceName ? faceName : L"", italic != 0}));
}

int SetBkMode(HDC dc, int mode) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(context->bkMode, mode);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return CLR_INVALID;
    return std::exchange(context->textColour, colour);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return 0;
    RECT clip{left, top, right, bottom};
    if (context->clip) {
        clip.left = std::max(clip.left, context->clip->left);
        clip.top = std::max(clip.top, context->clip->top);
        clip.right = std::min(clip.right, context->clip->right);
        clip.bottom = std::min(clip.bottom, context->clip->bottom);
    }
    context->clip = clip;
    return clip.left < clip.right && clip.top < clip.bottom ? SIMPLEREGION : NULLREGION;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !text || !rect) return 0;
    const std::wstring shown = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<std::size_t>(count));
    // Without a selected font the DC uses the system font, 16 pixels high.
    Font font{16, FW_NORMAL, L"System"};
    if (const Font* selected = findObject<Font>(g, context->font)) font = *selected;
    if (format & DT_CALCRECT) {
        const SIZE needed = measureText(shown, std::abs(font.height), (format & DT_WORDBREAK) ? rect->right - rect->left : -1);
        rect->right = rect->left + needed.cx;
        rect->bottom = rect->top + needed.cy;
        return needed.cy;
    }
    std::wstring line = L"DrawText " + rectText(rect->left, rect->top, rect->right, rect->bottom) + L" " +
                        platform::core::quoted(shown) + L" font " + platform::core::quoted(font.face) + L" " +
                        std::to_wstring(font.height) + L" colour " + hexColour(context->textColour) +
                        (context->bkMode == TRANSPARENT ? L" transparent" : L" opaque");
    if (format & DT_CENTER) line += L" DT_CENTER";
    if (format & DT_RIGHT) line += L" DT_RIGHT";
    if (format & DT_VCENTER) line += L" DT_VCENTER";
    if (format & DT_BOTTOM) line += L" DT_BOTTOM";
    if (format & DT_SINGLELINE) line += L" DT_SINGLELINE";
    if (context->clip && !(format & DT_NOCLIP))
        line += L" clip " + rectText(context->clip->left, context->clip->top, context->clip->right, context->clip->bottom);
    if (Bitmap* bitmap = context->window ? nullptr : findObject<Bitmap>(g, context->bitmap)) bitmap->texts.push_back(line);
    record(g, *context, std::move(line));
    return font.height;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    const Bitmap* bitmap = findObject<Bitmap>(g, object);
    if (!bitmap || !buffer || size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP* out = static_cast<BITMAP*>(buffer);
    *out = BITMAP{};
    out->bmWidth = bitmap->width;
    out->bmHeight = bitmap->height;
    out->bmWidthBytes = bitmap->width * 4;
    return static_cast<int>(sizeof(BITMAP));
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    const Brush* fill = findObject<Brush>(g, brush);
    if (!context || !rect || !fill) return 0;
    if (Bitmap* target = targetBitmap(g, *context)) fillPixels(*target, *rect, fill->colour);
    record(g, *context, L"FillRect " + rectText(rect->left, rect->top, rect->right, rect->bottom) + L" " +
                            hexColour(fill->colour));
    return 1;
}

int GetClipBox(HDC dc, RECT* rect) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !rect) return REGION_ERROR;
    RECT box{};
    if (context->clip) {
        box = *context->clip;
    } else if (context->window) {
        box = RECT{0, 0, context->client.cx, context->client.cy};
    } else if (const Bitmap* target = targetBitmap(g, *context)) {
        box = RECT{0, 0, target->width, target->height};
    }
    *rect = box;
    return box.left < box.right && box.top < box.bottom ? SIMPLEREGION : NULLREGION;
}

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
    if (edge != EDGE_SUNKEN || flags != BF_RECT) {
        failCall(L"DrawEdge: edge " + std::to_wstring(edge) + L" with flags " + std::to_wstring(flags) + L" is not modelled");
        return FALSE;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !rect) return FALSE;
    const RECT r = *rect;
    if (Bitmap* target = targetBitmap(g, *context)) {
        // Two rings of one pixel: the outer shadow above and left, highlight below and right; the
        // inner dark shadow above and left, light below and right.
        const auto ring = [&](RECT at, int topLeft, int bottomRight) {
            fillPixels(*target, RECT{at.left, at.top, at.right, at.top + 1}, GetSysColor(topLeft));
            fillPixels(*target, RECT{at.left, at.top, at.left + 1, at.bottom}, GetSysColor(topLeft));
            fillPixels(*target, RECT{at.left, at.bottom - 1, at.right, at.bottom}, GetSysColor(bottomRight));
            fillPixels(*target, RECT{at.right - 1, at.top, at.right, at.bottom}, GetSysColor(bottomRight));
        };
        ring(r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        if (r.right - r.left > 2 && r.bottom - r.top > 2)
            ring(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    record(g, *context, L"DrawEdge " + rectText(r.left, r.top, r.right, r.bottom) + L" EDGE_SUNKEN BF_RECT");
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !rect) return FALSE;
    const RECT r = *rect;
    if (Bitmap* target = targetBitmap(g, *context); target && r.left < r.right && r.top < r.bottom) {
        materialize(*target);
        // Every other pixel of the border, counted along it from the top-left corner.
        const auto invert = [&](LONG x, LONG y) {
            if (x < 0 || y < 0 || x >= target->width || y >= target->height || (x + y) % 2 != 0) return;
            std::uint32_t& pixel = target->pixels[static_cast<std::size_t>(y) * target->width + x];
            pixel ^= 0x00FFFFFFu;
        };
        for (LONG x = r.left; x < r.right; ++x) {
            invert(x, r.top);
            if (r.bottom - 1 > r.top) invert(x, r.bottom - 1);
        }
        for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
            invert(r.left, y);
            if (r.right - 1 > r.left) invert(r.right - 1, y);
        }
    }
    record(g, *context, L"DrawFocusRect " + rectText(r.left, r.top, r.right, r.bottom));
    return TRUE;
}

BOOL DrawStateW(HDC dc, HBRUSH brush, DRAWSTATEPROC output, LPARAM data, WPARAM, int x, int y, int cx, int cy,
                UINT flags) {
    const UINT state = flags & ~UINT{0x000F};
    if ((flags & 0x000F) != DST_ICON || (state != DSS_NORMAL && state != DSS_DISABLED) || brush || output) {
        failCall(L"DrawStateW: flags " + std::to_wstring(flags) + L" with a brush or a callback are not modelled");
        return FALSE;
    }
    const auto icon = reinterpret_cast<HICON>(data);
    int width = 0, height = 0;
    if (!platform::win32::iconSize(icon, width, height)) return FALSE;
    if (cx <= 0) cx = width;
    if (cy <= 0) cy = height;
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return FALSE;
    record(g, *context, L"DrawState (" + std::to_wstring(x) + L"," + std::to_wstring(y) + L") " + std::to_wstring(cx) + L"x" +
                            std::to_wstring(cy) + L" icon " + std::to_wstring(platform::win32::iconResource(icon)) +
                            (state == DSS_DISABLED ? L" disabled" : L""));
    return TRUE;
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    if (rop != SRCCOPY) {
        failCall(L"BitBlt: raster operation " + std::to_wstring(rop) + L" is not modelled");
        return FALSE;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* target = nullptr;
    const Bitmap* picture = copySource(g, dc, source, L"BitBlt", target);
    if (!picture) return FALSE;
    std::wstring line = L"BitBlt " + rectText(x, y, x + width, y + height) + L" from " +
                        std::to_wstring(picture->width) + L"x" + std::to_wstring(picture->height) + L" at (" +
                        std::to_wstring(sourceX) + L"," + std::to_wstring(sourceY) + L") SRCCOPY";
    if (target->window) {
        RECT client{};
        ::GetClientRect(target->window, &client);
        const int right = std::min<int>(x + width, client.right), bottom = std::min<int>(y + height, client.bottom);
        line += L" visible " + rectText(std::max<int>(x, 0), std::max<int>(y, 0), std::max(right, 0),
                                        std::max(bottom, 0));
    }
    if (Bitmap* pixels = targetBitmap(g, *target))
        stretchPixels(*pixels, x, y, width, height, *picture, sourceX, sourceY, width, height);
    record(g, *target, std::move(line));
    return TRUE;
}

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop) {
    if (rop != SRCCOPY) {
        failCall(L"StretchBlt: raster operation " + std::to_wstring(rop) + L" is not modelled");
        return FALSE;
    }
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        failCall(L"StretchBlt: mirrored or empty rectangles are not modelled");
        return FALSE;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* target = nullptr;
    const Bitmap* picture = copySource(g, dc, source, L"StretchBlt", target);
    if (!picture) return FALSE;
    if (Bitmap* pixels = targetBitmap(g, *target))
        stretchPixels(*pixels, x, y, width, height, *picture, sourceX, sourceY, sourceWidth, sourceHeight);
    record(g, *target,
           L"StretchBlt " + rectText(x, y, x + width, y + height) + L" from " + std::to_wstring(picture->width) + L"x" +
               std::to_wstring(picture->height) + L" " +
               rectText(sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight) + L" SRCCOPY " +
               stretchModeName(target->stretchMode));
    return TRUE;
}

int SetStretchBltMode(HDC dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return 0;
    return std::exchange(context->stretchMode, mode);
}

int GetStretchBltMode(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    return context ? context->stretchMode : 0;
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return FALSE;
    if (previous) *previous = context->brushOrigin;
    context->brushOrigin = POINT{x, y};
    return TRUE;
}

int SetMapMode(HDC dc, int mode) {
    if (mode == MM_ISOTROPIC) {
        Gdi& g = gdi();
        std::lock_guard lock(g.mutex);
        DeviceContext* context = findDc(g, dc);
        if (context && context->metafile) {
            g.metafiles[context->metafile].mapMode = mode;
            return std::exchange(context->mapMode, mode);
        }
    }
    if (mode != MM_TEXT) {
        failCall(L"SetMapMode: mapping mode " + std::to_wstring(mode) + L" is not modelled");
        return 0;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    return context ? std::exchange(context->mapMode, mode) : 0;
}

int GetMapMode(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    return context ? context->mapMode : 0;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (rop != PATCOPY) {
        failCall(L"PatBlt: raster operation " + std::to_wstring(rop) + L" is not modelled");
        return FALSE;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return FALSE;
    const Brush* fill = findObject<Brush>(g, context->brush);
    // A DC starts with the stock white brush.
    const COLORREF colour = fill ? fill->colour : RGB(255, 255, 255);
    const RECT r{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
    if (Bitmap* target = targetBitmap(g, *context)) fillPixels(*target, r, colour);
    record(g, *context, L"PatBlt " + rectText(r.left, r.top, r.right, r.bottom) + L" " + hexColour(colour) + L" PATCOPY");
    return TRUE;
}

int GetDeviceCaps(HDC, int index) {
    // The screen every DC refers to: 1920 by 1080 pixels on 508 by 286 millimetres.
    switch (index) {
        case HORZRES: return 1920;
        case VERTRES: return 1080;
        case HORZSIZE: return 508;
        case VERTSIZE: return 286;
        default: break;
    }
    if (index == LOGPIXELSX || index == LOGPIXELSY) {
        const auto& config = platform::core::config();
        const int dpi = index == LOGPIXELSY && config.dpiY > 0 ? config.dpiY : config.dpi;
        return dpi > 0 ? dpi : 96;
    }
    failCall(L"GetDeviceCaps: index " + std::to_wstring(index) + L" is not modelled");
    return 0;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !metrics) return FALSE;
    // Without a selected font the DC uses the system font, 16 pixels high.
    Font font{16, FW_NORMAL};
    if (const Font* selected = findObject<Font>(g, context->font)) font = *selected;
    *metrics = TEXTMETRICW{};
    metrics->tmHeight = font.height;
    metrics->tmAscent = font.height - font.height / 5;
    metrics->tmDescent = font.height / 5;
    metrics->tmAveCharWidth = (font.height + 1) / 2 + (font.weight >= FW_BOLD ? 1 : 0);
    metrics->tmMaxCharWidth = metrics->tmAveCharWidth * 2;
    metrics->tmWeight = font.weight;
    return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    // Rounded half away from zero, as Windows does; -1 when the result overflows.
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = ((product < 0 ? -product : product) + half) / (denominator < 0 ? -denominator : denominator);
    const long long result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return -1;
    return static_cast<int>(result);
}

// ---- Outlines, aligned text and font descriptions ----------------------------------------------

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return nullptr;
    const std::wstring face(font->lfFaceName, std::find(font->lfFaceName, font->lfFaceName + LF_FACESIZE, L'\0'));
    return CreateFontW(font->lfHeight, font->lfWidth, 0, 0, font->lfWeight, font->lfItalic, 0, 0, font->lfCharSet, 0, 0, 0,
                       0, face.c_str());
}

HGDIOBJ GetStockObject(int id) {
    if (id != DEFAULT_GUI_FONT) {
        failCall(L"GetStockObject: stock object " + std::to_wstring(id) + L" is not modelled");
        return nullptr;
    }
    static HGDIOBJ guiFont = [] {
        Gdi& g = gdi();
        std::lock_guard lock(g.mutex);
        return newObject(g, Font{13, FW_NORMAL, L"System", false});
    }();
    return guiFont;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context) return FALSE;
    // A DC starts with a black one-pixel pen and a white brush.
    Pen pen{};
    if (const Pen* selected = findObject<Pen>(g, context->pen)) pen = *selected;
    COLORREF fill = 0xFFFFFF;
    if (const Brush* selected = findObject<Brush>(g, context->brush)) fill = selected->colour;
    if (Bitmap* target = targetBitmap(g, *context)) {
        fillPixels(*target, RECT{left, top, right, bottom}, pen.colour);
        const int inset = std::max(pen.width, 1);
        if (right - left > 2 * inset && bottom - top > 2 * inset)
            fillPixels(*target, RECT{left + inset, top + inset, right - inset, bottom - inset}, fill);
    }
    record(g, *context, L"Rectangle " + rectText(left, top, right, bottom) + L" pen " + std::to_wstring(pen.width) + L" " +
                            hexColour(pen.colour) + L" brush " + hexColour(fill));
    return TRUE;
}

UINT SetTextAlign(HDC dc, UINT align) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    return context ? std::exchange(context->textAlign, align) : GDI_ERROR;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !text || count < 0) return FALSE;
    Font font{16, FW_NORMAL, L"System"};
    if (const Font* selected = findObject<Font>(g, context->font)) font = *selected;
    std::wstring line = L"TextOut (" + std::to_wstring(x) + L"," + std::to_wstring(y) + L") " +
                        platform::core::quoted(std::wstring(text, static_cast<std::size_t>(count))) + L" font " +
                        platform::core::quoted(font.face) + L" " + std::to_wstring(font.height) + L" weight " +
                        std::to_wstring(font.weight) + (font.italic ? L" italic" : L"") + L" colour " +
                        hexColour(context->textColour) + (context->bkMode == TRANSPARENT ? L" transparent" : L" opaque");
    line += (context->textAlign & TA_CENTER) == TA_CENTER ? L" TA_CENTER" : L" TA_LEFT";
    record(g, *context, std::move(line));
    return TRUE;
}

BOOL SystemParametersInfoW(UINT uiAction, UINT, void* pvParam, UINT) {
    if (uiAction != SPI_GETNONCLIENTMETRICS) {
        failCall(L"SystemParametersInfoW: action " + std::to_wstring(uiAction) + L" is not modelled");
        return FALSE;
    }
    auto* metrics = static_cast<NONCLIENTMETRICSW*>(pvParam);
    if (!metrics || metrics->cbSize != sizeof(NONCLIENTMETRICSW)) return FALSE;
    metrics->lfMessageFont = LOGFONTW{};
    metrics->lfMessageFont.lfHeight = -12;
    metrics->lfMessageFont.lfWeight = FW_NORMAL;
    metrics->lfMessageFont.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = L"Message";
    std::copy(face.begin(), face.end(), metrics->lfMessageFont.lfFaceName);
    return TRUE;
}

// ---- Enhanced metafiles ----------------------------------------------------------------------

HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description) {
    if (fileName) {
        failCall(L"CreateEnhMetaFileW: metafiles in files are not modelled");
        return nullptr;
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    if (reference && !findDc(g, reference)) return nullptr;
    const std::uintptr_t handle = g.nextObject;
    g.nextObject += 4;
    platform::win32::EnhMetafile metafile;
    if (frame) metafile.frame = *frame;
    // The description is the creating program's name, a NUL, then the picture's name.
    metafile.description = description ? description : L"";
    g.metafiles.emplace(handle, std::move(metafile));
    DeviceContext context;
    context.metafile = handle;
    return newDc(g, context);
}

HENHMETAFILE CloseEnhMetaFile(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || !context->metafile) return nullptr;
    const std::uintptr_t handle = context->metafile;
    g.metafiles[handle].closed = true;
    g.contexts.erase(key(dc));
    return reinterpret_cast<HENHMETAFILE>(handle);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    auto it = g.metafiles.find(key(metafile));
    if (it == g.metafiles.end() || !it->second.closed) return FALSE;
    g.metafiles.erase(it);
    return TRUE;
}

namespace {

// The metafile a DC records into (lock held), or null.
platform::win32::EnhMetafile* recordingMetafile(Gdi& g, HDC dc) {
    DeviceContext* context = findDc(g, dc);
    if (!context || !context->metafile) return nullptr;
    return &g.metafiles[context->metafile];
}

}  // namespace

namespace {

// Changes the mapping of the metafile a DC records into; other DCs are not modelled.
template <class Change>
BOOL changeMetafile(HDC dc, const wchar_t* call, Change change) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    platform::win32::EnhMetafile* metafile = recordingMetafile(g, dc);
    if (!metafile) {
        failCall(std::wstring(call) + L": only metafile DCs are modelled");
        return FALSE;
    }
    change(*metafile);
    return TRUE;
}

}  // namespace

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
    return changeMetafile(dc, L"SetWindowOrgEx", [&](platform::win32::EnhMetafile& m) {
        if (previous) *previous = m.windowOrg;
        m.windowOrg = POINT{x, y};
    });
}

BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous) {
    return changeMetafile(dc, L"SetWindowExtEx", [&](platform::win32::EnhMetafile& m) {
        if (previous) *previous = m.windowExt;
        m.windowExt = SIZE{x, y};
    });
}

BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous) {
    return changeMetafile(dc, L"SetViewportExtEx", [&](platform::win32::EnhMetafile& m) {
        if (previous) *previous = m.viewportExt;
        m.viewportExt = SIZE{x, y};
    });
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, POINT* position, SIZE* size, HDC source, POINT* sourcePoint, COLORREF,
                         BLENDFUNCTION*, DWORD flags) {
    if (flags & (ULW_COLORKEY | ULW_ALPHA)) {
        failCall(L"UpdateLayeredWindow: colour keys and per-pixel alpha are not modelled");
        return FALSE;
    }
    if (!IsWindow(hwnd) || !(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)) & WS_EX_LAYERED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (position || size) {
        RECT now{};
        GetWindowRect(hwnd, &now);
        const POINT at = position ? *position : POINT{now.left, now.top};
        const SIZE extent = size ? *size : SIZE{now.right - now.left, now.bottom - now.top};
        SetWindowPos(hwnd, nullptr, at.x, at.y, extent.cx, extent.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    const DeviceContext* context = findDc(g, source);
    const Bitmap* bitmap = context ? findObject<Bitmap>(g, context->bitmap) : nullptr;
    if (!bitmap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const POINT from = sourcePoint ? *sourcePoint : POINT{0, 0};
    const SIZE extent = size ? *size : SIZE{bitmap->width, bitmap->height};
    std::vector<std::wstring> drawing{L"Layer " + rectText(from.x, from.y, from.x + extent.cx, from.y + extent.cy) +
                                      L" of a " + std::to_wstring(bitmap->width) + L"x" +
                                      std::to_wstring(bitmap->height) + L" bitmap, opaque"};
    drawing.insert(drawing.end(), bitmap->texts.begin(), bitmap->texts.end());
    g.drawings[hwnd] = std::move(drawing);
    return TRUE;
}

namespace platform::win32 {

void forgetWindowDrawing(HWND hwnd) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    g.drawings.erase(hwnd);
    g.surfaces.erase(hwnd);
}

std::vector<std::wstring> windowDrawing(HWND hwnd) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    auto it = g.drawings.find(hwnd);
    return it == g.drawings.end() ? std::vector<std::wstring>{} : it->second;
}

HBITMAP createBitmap(int width, int height) {
    if (!bitmapSizeAllowed(width, height)) return nullptr;
    return createBitmap(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)));
}

HBITMAP createBitmap(int width, int height, std::vector<std::uint32_t> pixels) {
    if (!bitmapSizeAllowed(width, height) ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return nullptr;
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return static_cast<HBITMAP>(newObject(g, Bitmap{width, height, std::move(pixels)}));
}

HBITMAP createDeferredBitmap(int width, int height, std::function<std::vector<std::uint32_t>()> pixels) {
    if (!bitmapSizeAllowed(width, height) || !pixels) return nullptr;
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    Bitmap bitmap{width, height};
    bitmap.deferred = std::move(pixels);
    return static_cast<HBITMAP>(newObject(g, std::move(bitmap)));
}

bool bitmapPixels(HGDIOBJ bitmap, int& width, int& height, std::vector<std::uint32_t>& pixels) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    Bitmap* found = findObject<Bitmap>(g, bitmap);
    if (!found) return false;
    materialize(*found);
    width = found->width;
    height = found->height;
    pixels = found->pixels;
    return true;
}

HDC startPrintJob(std::wstring document) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    g.printJobs.push_back(PrintJob{std::move(document), {}, false});
    DeviceContext context;
    context.printJob = static_cast<int>(g.printJobs.size() - 1);
    return newDc(g, context);
}

void endPrintJob(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    DeviceContext* context = findDc(g, dc);
    if (!context || context->printJob < 0) return;
    g.printJobs[static_cast<std::size_t>(context->printJob)].ended = true;
    g.contexts.erase(key(dc));
}

std::vector<PrintJob> printJobs() {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    return g.printJobs;
}

HDC beginWindowPaint(HWND hwnd, SIZE client) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    g.drawings[hwnd].clear();
    g.surfaces.erase(hwnd);
    DeviceContext context{hwnd};
    context.client = client;
    return newDc(g, context);
}

bool windowPixels(HWND hwnd, int& width, int& height, std::vector<std::uint32_t>& pixels) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    const auto it = g.surfaces.find(hwnd);
    if (it == g.surfaces.end()) return false;
    const Bitmap& surface = it->second;
    width = surface.width;
    height = surface.height;
    if (surface.uniform) {
        pixels.assign(pixelCount(surface), *surface.uniform);
    } else {
        pixels = surface.pixels;
    }
    return true;
}

void endWindowPaint(HDC dc) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    g.contexts.erase(key(dc));
}

std::optional<EnhMetafile> enhMetafile(HENHMETAFILE metafile) {
    Gdi& g = gdi();
    std::lock_guard lock(g.mutex);
    auto it = g.metafiles.find(key(metafile));
    if (it == g.metafiles.end() || !it->second.closed) return std::nullopt;
    return it->second;
}

}  // namespace platform::win32
