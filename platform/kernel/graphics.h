// The kernel's image loader (KVGC): picture files turned into bitmaps for window backgrounds.
#pragma once

#include "platform/win32/gdi.h"

namespace KVGC {

// A bitmap of the picture at `path` (PNG or BMP, recognised by content), its transparent parts
// given `transparent`. Null when the file is missing or not a picture the loader reads.
HBITMAP LoadBitmapFromFile(LPCWSTR path, COLORREF transparent);

}  // namespace KVGC
