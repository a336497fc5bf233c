// The system panel of a main frame as text, for the console: one line per control on the bar.
#pragma once

#include <string>

#include "platform/mfc.h"

// "bar hidden" or "bar visible", then per control on the bar, in order: id, kind, group (1 or 2
// for a command's controls, else -), the value ("text" of an edit followed by "list N", the size
// of its value list; the font; the word of a popup; or the "tooltip" of a filter button), the edit
// window of a parameter edit, enabled or disabled, visible or hidden, and `ribbon VALUE` with the
// value of the ribbon's twin of the control when the frame's ribbon has one. Empty when the
// window has no system panel.
std::wstring SysPanelOutline(HWND frame);

// The font combo of the frame's panel, then the ribbon's twin: what it shows, the selected
// item's index, name and kind, and its list window (pop-up or child, its owner, items and item
// height); then per item its text, its kind, and the bitmap drawn before it (or "indented" for
// the default entry). Empty without a font combo.
std::wstring FontListOutline(HWND frame);
