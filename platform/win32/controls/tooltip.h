// The common tooltip control (window class "tooltips_class32"): tools are windows or rectangles
// of an owner; the mouse messages the owner relays (TTM_RELAYEVENT) make the tip of the tool
// under the mouse show (at once: the stand-in has no initial delay) and a click or a move off the
// tools hide it. A tool whose text is LPSTR_TEXTCALLBACKW gets it from its window by
// TTN_NEEDTEXTW each time it shows; an empty text shows no tip. Unless the control has
// TTS_NOPREFIX, a single "&" is dropped from the text shown and "&&" shows as "&". Headless: the
// tip shown is the control's window text while the control is visible.
#pragma once

#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

inline constexpr wchar_t TOOLTIPS_CLASSW[] = L"tooltips_class32";

// Styles.
inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;

// Tool flags: uId is the tool's window (else an id within the rectangle of hwnd's client area);
// TTF_SUBCLASS (the control watching the tool's mouse messages itself) is not modelled: adding
// such a tool is refused as a failure naming the call.
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_NOTBUTTON = 0x0200;

inline LPWSTR const LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<std::intptr_t>(-1));

struct TTTOOLINFOW {
    UINT cbSize = sizeof(TTTOOLINFOW);
    UINT uFlags = 0;
    HWND hwnd = nullptr;  // the window that hears TTN_NEEDTEXTW (and whose client holds rect)
    UINT_PTR uId = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    LPWSTR lpszText = nullptr;
    LPARAM lParam = 0;
};
using TOOLINFOW = TTTOOLINFOW;

// Messages (TTM_ACTIVATE is in window.h: FALSE hides the tip and stops new ones until TRUE).
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;      // lParam: MSG* (a mouse message of a tool's window)
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_ADDTOOLW = WM_USER + 50;       // lParam: TTTOOLINFOW*; TRUE when added
inline constexpr UINT TTM_DELTOOLW = WM_USER + 51;       // lParam: TTTOOLINFOW* (hwnd and uId name the tool)
// lParam: TTTOOLINFOW* filled with the tool the tip shows; FALSE when it shows none.
inline constexpr UINT TTM_GETCURRENTTOOLW = WM_USER + 59;

// Notification (WM_NOTIFY to the tool's hwnd; idFrom is the tool's uId).
inline constexpr UINT TTN_NEEDTEXTW = static_cast<UINT>(-530);

struct NMTTDISPINFOW {
    NMHDR hdr;
    LPWSTR lpszText = nullptr;  // the text to show: szText, or a text of the tool's owner
    wchar_t szText[80] = {};
    HINSTANCE hinst = nullptr;
    UINT uFlags = 0;  // the tool's flags
    LPARAM lParam = 0;
};

// The window procedure of the built-in class.
LRESULT ToolTipWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
