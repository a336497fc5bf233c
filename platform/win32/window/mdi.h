// The MDI client window class ("MDICLIENT") and the default procedure of MDI child windows.
#pragma once

#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

inline constexpr WPARAM MDITILE_VERTICAL = 0x0000;
inline constexpr WPARAM MDITILE_HORIZONTAL = 0x0001;
inline constexpr WPARAM MDITILE_SKIPDISABLED = 0x0002;

// Creation parameter of WM_MDICREATE; the child's CREATESTRUCT carries a pointer to it.
struct MDICREATESTRUCTW {
    LPCWSTR szClass = nullptr;
    LPCWSTR szTitle = nullptr;
    HINSTANCE hOwner = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
    LPARAM lParam = 0;
};

// Children of an MDI client in creation order, and the client's own data.
// The MDI client procedure: WM_MDICREATE, WM_MDIDESTROY, WM_MDIACTIVATE, WM_MDIGETACTIVE,
// WM_MDINEXT, WM_MDIMAXIMIZE and WM_MDIRESTORE as Windows documents them. One maximised state
// holds for every child: a child created or activated while it stands is maximised too.
// WM_MDICASCADE and WM_MDITILE (MDITILE_VERTICAL, MDITILE_HORIZONTAL) restore the maximised child
// and arrange the visible, not minimised children; arranging icons is not built: it is reported
// as a failure.
LRESULT MdiClientWindowProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam);
// The default procedure of an MDI child: tells its client when it goes, so that the next child
// becomes active; everything else as DefWindowProcW.
LRESULT DefMDIChildProcW(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
