// What a small overview of a drawing sheet asks of the kernel: the zoom window the next zoom
// command takes, the colour table, and a message send that survives a window going away.
#pragma once

#include "platform/win32/types.h"

// The window (x1, y1)-(x2, y2) in world units the next zoom command (1107) shows (recorded).
void set_next_zoom(double x1, double y1, double x2, double y2);

// The RGB colour of kernel colour index `index` (2: the overview's drawing colour).
COLORREF KVGetColorIndex(int index);

// SendMessage that answers 0 for a window that no longer exists instead of failing.
LRESULT KorvoSafeSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
