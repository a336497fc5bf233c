// Icons of the program's resources. The stand-in's resource module keeps its icons as pictures
// in the program folder: icon `id` is "icons\<id>.png" there.
#pragma once

#include "platform/win32/types.h"

// The icon resource `id` (an integer resource id); null with ERROR_RESOURCE_NAME_NOT_FOUND when
// the module has no such icon, or ERROR_INVALID_DATA when its picture cannot be read. The caller
// frees it with DestroyIcon.
HICON LoadIconW(HINSTANCE instance, UINT_PTR id);
BOOL DestroyIcon(HICON icon);

inline constexpr UINT IMAGE_ICON = 1;
inline constexpr UINT LR_COPYFROMRESOURCE = 0x4000;
// A new icon of cx by cy made from `image` (an icon: IMAGE_ICON only), remembering the resource
// the source came from; null, with ERROR_INVALID_HANDLE, when `image` is no icon.
HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags);
// Icon resource `id` (an integer resource id, IMAGE_ICON only) at cx by cy; null as LoadIconW
// says, or with ERROR_INVALID_PARAMETER for another type. The caller frees it with DestroyIcon.
HANDLE LoadImageW(HINSTANCE instance, UINT_PTR id, UINT type, int cx, int cy, UINT flags);

namespace platform::win32 {
// A new icon of that size (what CreateIconIndirect makes of a bitmap), standing for icon
// resource `resource` when not 0; null for an empty size.
HICON createIcon(int width, int height, UINT resource = 0);
// The icon's size; false for a handle that is no icon.
bool iconSize(HICON icon, int& width, int& height);
// The resource id the icon was loaded from (copies keep it); 0 for a made icon or no icon.
UINT iconResource(HICON icon);
}  // namespace platform::win32
