// Bitmaps of the program's resources. The stand-in's resource module keeps its bitmaps as
// pictures in the program folder: bitmap `id` is "bitmaps\<id>.png" there.
#pragma once

#include "platform/win32/gdi.h"

// The bitmap resource `id` (an integer resource id); null with ERROR_RESOURCE_NAME_NOT_FOUND
// when the module has none, or ERROR_INVALID_DATA when its picture cannot be read. The caller
// frees it with DeleteObject.
HBITMAP LoadBitmapW(HINSTANCE instance, UINT_PTR id);
