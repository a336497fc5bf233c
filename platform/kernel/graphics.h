// The kernel's image loader (KVGC): picture files turned into bitmaps for window backgrounds.
#pragma once

#include "platform/win32/gdi.h"

#include <string>

namespace platform::kernel {
// The picture's size from its header; false when the bytes are no PNG or BMP the loader reads.
bool pictureSize(const std::string& bytes, int& width, int& height);
}  // namespace platform::kernel

namespace KVGC {

// A bitmap of the picture at `path` (PNG or BMP, recognised by content), its transparent parts
// given `transparent`. Null when the file is missing or not a picture the loader reads.
HBITMAP LoadBitmapFromFile(LPCWSTR path, COLORREF transparent);

}  // namespace KVGC
