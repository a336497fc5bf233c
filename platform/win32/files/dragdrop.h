// Files dropped from the shell and OLE drop targets of windows.
#pragma once

#include <string>
#include <vector>

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

// Files the shell dropped on a window (WM_DROPFILES' wParam): a movable global block holding a
// DROPFILES header followed by the paths in UTF-16, each NUL-terminated, with one more NUL at
// the end.
using HDROP = HANDLE;
struct DROPFILES {
    DWORD pFiles;  // offset of the first path from the start of the block
    POINT pt;      // the drop point, in the client coordinates of the window it was dropped on
    BOOL fNC;      // the point lies in the window's non-client area
    BOOL fWide;    // the paths are UTF-16
};
// The block the shell builds for a drop of `paths` at client point `point`; null when the memory
// cannot be had. The receiver frees it with DragFinish.
HDROP CreateShellDrop(const std::vector<std::wstring>& paths, POINT point);
// With index 0xFFFFFFFF the number of files; otherwise path `index` copied into `file` (at most
// `size` characters with the NUL, cut as needed) and its length without the NUL, or, with a null
// `file`, the length it needs without the NUL. 0 for an index past the end or a bad handle.
UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR file, UINT size);
// The drop point in the client coordinates of the window; FALSE when it lies in the non-client area.
BOOL DragQueryPoint(HDROP drop, LPPOINT point);
// Frees the block.
void DragFinish(HDROP drop);
