#include "platform/win32/edit.h"

#include "platform/win32/window.h"

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    // A single-line edit reports every new text, the program's own included.
    if (message == WM_SETTEXT)
        if (HWND parent = GetParent(hwnd); parent && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), EN_CHANGE),
                         reinterpret_cast<LPARAM>(hwnd));
    return result;
}
