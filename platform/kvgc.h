// The graphics library (KVGC.dll) as the application uses it: picture files into bitmaps, and the
// bitmap class that saves pictures. One public header; the parts live in platform/kvgc/.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/win32/gdi.h"
#include "platform/win32/types.h"
#include "platform/kvgc/screen_gc.h"

using HPALETTE = void*;

namespace Korvo {

// A bitmap of the picture file at `path` (PNG, JPEG, GIF, BMP/DIB, TIFF, PCX, TGA; recognised by
// its content, TGA by its extension), transparent parts laid on `background`. Null when the file
// is missing or not a picture the library reads; then `failureCode` (when given) says why in the
// storage codes the document readers use: STG_E_FILENOTFOUND or STG_E_PATHNOTFOUND for a missing
// file, STG_E_ACCESSDENIED, STG_E_READFAULT for a read that failed, STG_E_INVALIDHEADER for bytes
// that are no picture the library decodes (a broken or truncated file).
HBITMAP CreateImageBitmap(LPCWSTR path, COLORREF background, HRESULT* failureCode = nullptr);

}  // namespace Korvo

// A picture of the graphics library: a copy of a bitmap's pixels with its size, and the file it
// was read from when it was (tooltip pictures).
struct CWinBMP {
    int width = 0;
    int height = 0;
    CString source;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row-major, top row first

    bool IsValid() const { return width > 0 && height > 0; }
    // Copies the bitmap's pixels (the palette and the resolutions are not used for 32-bit
    // bitmaps). 0 on success; nonzero for a null or unknown bitmap.
    int Create(HBITMAP bitmap, HPALETTE palette, double xResolution, double yResolution);
    // Writes the picture in the format its extension names. A null name asks the user where
    // through the save file chooser (cancelling writes nothing). 0 on success; nonzero when
    // there is no picture, the choice was cancelled, the extension names no format the library
    // writes, or the file cannot be written. Written atomically.
    int Save(LPCWSTR fileName);
};
