// The common image list: icons of one size kept in order, found by their index. Icons are copied
// in, so the caller keeps (and frees) its own; an icon taken out is a new one the caller frees.
// Headless: the stand-in keeps what each image shows (its size and the resource it came from),
// no pixels.
#pragma once

#include "platform/win32/types.h"

struct HIMAGELIST__ {
    int unused;
};
using HIMAGELIST = HIMAGELIST__*;

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR32 = 0x0020;
inline constexpr UINT ILD_NORMAL = 0x0000;

// A new list of cx by cy images; null (ERROR_INVALID_PARAMETER) for a size below one pixel or a
// negative initial or growth count.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// The number of images; 0 for a handle that is no list.
int ImageList_GetImageCount(HIMAGELIST list);
// Puts a copy of `icon`, at the list's size, in place of image `index`, or at the end with -1;
// the index it has, or -1 (nothing changed) for no list, no icon or an index outside the list.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// A new icon showing image `index`, which the caller frees; null outside the list.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
