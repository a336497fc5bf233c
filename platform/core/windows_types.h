// Windows base types, handles and constants. They live at the bottom of the stand-in platform
// because the core's own tables (threads, clock, user agent, registry store) speak them too;
// platform/win32/types.h is the face the rest of the tree includes.
// Widths follow Windows (LLP64), not the host: LONG and DWORD are 32-bit, the *_PTR types
// are pointer-sized, BOOL is int. Shell code never uses plain `long`.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORD64 = std::uint64_t;
using QWORD = std::uint64_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using ATOM = std::uint16_t;
using WCHAR = wchar_t;
using HRESULT = std::int32_t;
using LSTATUS = LONG;

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using PVOID = void*;

// Handles are distinct opaque pointer types so that a window handle cannot be passed where a
// registry key is expected. Their values come from deterministic counters, never addresses.
#define KORVO_DECLARE_HANDLE(name) \
    struct name##__ {              \
        int unused;                \
    };                             \
    using name = name##__*
KORVO_DECLARE_HANDLE(HWND);
KORVO_DECLARE_HANDLE(HKEY);
KORVO_DECLARE_HANDLE(HMONITOR);
KORVO_DECLARE_HANDLE(HINSTANCE);
KORVO_DECLARE_HANDLE(HMENU);
KORVO_DECLARE_HANDLE(HICON);
KORVO_DECLARE_HANDLE(HCURSOR);
KORVO_DECLARE_HANDLE(HBRUSH);
KORVO_DECLARE_HANDLE(HDC);
#undef KORVO_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HANDLE = void*;
using LPHANDLE = HANDLE*;
using PHKEY = HKEY*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;
inline constexpr int MAX_PATH = 260;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};
struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{};
};
using LPMSG = MSG*;

inline constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
inline constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
inline constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
inline constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

// The state-image bits of a list or tree row (its check box: 1 unchecked, 2 checked).
inline constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) { return index << 12; }

// System error codes (GetLastError, registry results).
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_INVALID_FUNCTION = 1;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_HANDLE_EOF = 38;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_CANCELLED = 1223;
inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr DWORD ERROR_TIMEOUT = 1460;

// Shared by the kernel-object, file, registry and thread parts.
using SIZE_T = std::size_t;
struct SECURITY_ATTRIBUTES {
    DWORD nLength = sizeof(SECURITY_ATTRIBUTES);
    LPVOID lpSecurityDescriptor = nullptr;
    BOOL bInheritHandle = FALSE;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

// File times (100-ns intervals since 1601), shared by the file and registry parts.
struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};
using LPFILETIME = FILETIME*;
using PFILETIME = FILETIME*;

// Error codes of the file, registry and module parts.
inline constexpr DWORD ERROR_NO_MORE_FILES = 18;
inline constexpr DWORD ERROR_WRITE_FAULT = 29;
inline constexpr DWORD ERROR_READ_FAULT = 30;
inline constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
inline constexpr DWORD ERROR_BAD_NETPATH = 53;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
inline constexpr DWORD ERROR_BAD_PATHNAME = 161;
inline constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;
inline constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr DWORD ERROR_DIRECTORY = 267;
inline constexpr DWORD ERROR_BADDB = 1009;
inline constexpr DWORD ERROR_BADKEY = 1010;
inline constexpr DWORD ERROR_KEY_DELETED = 1018;
inline constexpr DWORD ERROR_DATA_NOT_ACCEPTED = 592;
inline constexpr DWORD ERROR_DLL_INIT_FAILED = 1114;
inline constexpr DWORD ERROR_UNSUPPORTED_TYPE = 1630;

// Globally unique identifiers (class ids, interface ids, ribbon tab ids), Windows layout.
struct GUID {
    DWORD Data1 = 0;
    WORD Data2 = 0;
    WORD Data3 = 0;
    BYTE Data4[8]{};
    friend bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;
using IID = GUID;
using REFGUID = const GUID&;
using REFCLSID = const GUID&;
using REFIID = const GUID&;
using DROPEFFECT = DWORD;

// Header of every WM_NOTIFY payload (shared by the window, common-control and framework parts).
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};
using LPNMHDR = NMHDR*;

// An opaque iteration position of the framework's and the toolkit's collections (null: the end).
struct KorvoPosition__ {
    int unused;
};
using POSITION = KorvoPosition__*;

// Creation parameter of an "MDICLIENT" window (the framework's MDI frame passes it).
struct CLIENTCREATESTRUCT {
    HANDLE hWindowMenu = nullptr;
    UINT idFirstChild = 0;
};
inline constexpr DWORD MDIS_ALLCHILDSTYLES = 0x0001;

// Colours as 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF rgb) { return static_cast<BYTE>(rgb & 0xFF); }
constexpr BYTE GetGValue(COLORREF rgb) { return static_cast<BYTE>((rgb >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF rgb) { return static_cast<BYTE>((rgb >> 16) & 0xFF); }

// More error codes the stand-in reports.
inline constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;
inline constexpr DWORD ERROR_NOT_OWNER = 288;
inline constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
inline constexpr DWORD ERROR_INVALID_INDEX = 1413;
inline constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;
