// Mouse cursors. The stand-in's resource module keeps its cursors as pictures in the program
// folder: cursor `id` is "cursors\<id>.png" there. The cursor on show is the last one SetCursor
// put up (a window's class cursor until then is not modelled: none).
#pragma once

#include "platform/win32/types.h"

// System cursors (a null instance).
inline constexpr UINT_PTR IDC_ARROW = 32512;
inline constexpr UINT_PTR IDC_WAIT = 32514;
inline constexpr UINT_PTR IDC_APPSTARTING = 32650;

// The cursor resource `id` (an integer resource id) of the program's module, or with a null
// instance one of the system cursors above; null with ERROR_RESOURCE_NAME_NOT_FOUND when there is
// none. Loading it again gives the same handle.
HCURSOR LoadCursorW(HINSTANCE instance, UINT_PTR id);
// Puts `cursor` up (null: none); the one shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

namespace platform::win32 {
// The resource id a loaded cursor came from; 0 for anything else.
UINT_PTR cursorResource(HCURSOR cursor);
}  // namespace platform::win32
