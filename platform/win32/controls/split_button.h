// Split buttons of the built-in button control: a push button with a drop-down arrow at its
// right edge. The left button pressed on the arrow sends WM_NOTIFY BCN_DROPDOWN with an
// NMBCDROPDOWN (the button's client rectangle) to the parent, which shows the drop-down.
#pragma once

#include "platform/win32/types.h"

inline constexpr DWORD BS_SPLITBUTTON = 0x000C;
inline constexpr DWORD BS_DEFSPLITBUTTON = 0x000D;

inline constexpr UINT BCN_FIRST = static_cast<UINT>(-1250);
inline constexpr UINT BCN_DROPDOWN = BCN_FIRST + 0x0002;
struct NMBCDROPDOWN {
    NMHDR hdr;
    RECT rcButton;
};
// The width of a split button's arrow part at its right edge, in pixels.
inline constexpr int kSplitButtonArrowWidth = 16;
