// The kernel's picture services: the image loader for window backgrounds (KVGC) and bitmap
// printing.
#pragma once

#include <memory>

#include "platform/kvgc.h"
#include "platform/win32/gdi.h"

#include <string>

namespace platform::kernel {
// The picture's size from its header; false when the bytes are no PNG or BMP the loader reads.
bool pictureSize(const std::string& bytes, int& width, int& height);
}  // namespace platform::kernel

namespace KVGC {

// A bitmap of the picture at `path` (any format the graphics library reads, recognised by
// content), its transparent parts laid on `transparent`. Null when the file is missing or not a
// picture the loader reads.
HBITMAP LoadBitmapFromFile(LPCWSTR path, COLORREF transparent);

}  // namespace KVGC

// Prints the picture on the default printer as one page, scaled to fit the page (a print job
// platform::win32::printJobs() lists). 0 on success; nonzero for a null or empty picture.
int print_bitmap(std::shared_ptr<CWinBMP> bitmap);
