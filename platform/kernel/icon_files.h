// The kernel's icons made from icon files.
#pragma once

#include "platform/win32/types.h"

// An icon of `size` by `size` pixels and `bitsPerPixel` colour depth (1 to 32) made from the icon
// file at `path`; null when the file cannot be read or is no icon file, or for a size that is not
// positive or a depth out of range. The caller frees it with DestroyIcon.
HICON LoadIconFromFile(LPCWSTR path, int size, int bitsPerPixel);
