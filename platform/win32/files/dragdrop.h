// Files dropped from the shell and OLE drop targets of windows.
#pragma once

#include "platform/win32/types.h"

struct IDropTarget;

// Sets or clears WS_EX_ACCEPTFILES.
void DragAcceptFiles(HWND hwnd, BOOL accept);

inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u);
inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u);

// One drop target per window; the registration goes with the window.
HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target);
HRESULT RevokeDragDrop(HWND hwnd);
// The window's drop target, or null (for the harness's drag and drop).
IDropTarget* GetRegisteredDropTarget(HWND hwnd);
