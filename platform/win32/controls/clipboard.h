// The clipboard and the movable global memory that carries its data. One clipboard per process;
// it is open to one thread at a time (the one that opened it, for the window it named), and only
// Unicode text (CF_UNICODETEXT) is kept on it.
#pragma once

#include "platform/win32/types.h"

using HGLOBAL = HANDLE;

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

inline constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Movable blocks only (GMEM_MOVEABLE): the handle is not the memory; GlobalLock gives the memory.
// A fixed block cannot be honoured by the stand-in and is refused as a failure naming the call.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL memory);  // null with ERROR_INVALID_HANDLE for a handle that is no block
// FALSE with NO_ERROR once the lock count reaches 0; FALSE with ERROR_NOT_LOCKED when it was 0.
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);  // 0 with ERROR_INVALID_HANDLE for a handle that is no block
HGLOBAL GlobalFree(HGLOBAL memory);  // null when freed; the handle with ERROR_INVALID_HANDLE otherwise

inline constexpr DWORD ERROR_NOT_LOCKED = 158;

// FALSE with ERROR_ACCESS_DENIED while another thread, or another window of this thread, has it
// open. Opening again for the same window of the same thread succeeds.
BOOL OpenClipboard(HWND newOwner);
// FALSE with ERROR_CLIPBOARD_NOT_OPEN unless the calling thread has it open.
BOOL CloseClipboard();
// Frees the data on the clipboard and makes the opening window its owner; FALSE with
// ERROR_CLIPBOARD_NOT_OPEN unless the calling thread has it open.
BOOL EmptyClipboard();
// The clipboard takes over `memory` (a GlobalAlloc block of NUL-terminated UTF-16 text) and frees
// it when it is emptied. Null with ERROR_CLIPBOARD_NOT_OPEN unless the calling thread has it open.
// Other formats and delayed rendering (null memory) are failures naming the call.
HANDLE SetClipboardData(UINT format, HANDLE memory);
// The block on the clipboard (owned by the clipboard), or null: ERROR_CLIPBOARD_NOT_OPEN unless
// the calling thread has it open; nothing in that format.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

// ---- Formats ----------------------------------------------------------------------------------
inline constexpr UINT CF_HDROP = 15;

// The number of the format registered under `name` (case-insensitive), from 0xC000 up; the same
// name gives the same number for the life of the process. 0 for a null or empty name.
UINT RegisterClipboardFormatW(LPCWSTR name);
// The registered name of the format copied into `name` (at most `size` characters with the NUL,
// cut as needed); its length, 0 for a format not registered by name.
int GetClipboardFormatNameW(UINT format, LPWSTR name, int size);
