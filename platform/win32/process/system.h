// Windows: monitors and metrics, the process environment, command line and program path, and
// process termination (intercepted: it ends the run, not the host process).
#pragma once

#include "platform/win32/types.h"

// ---- Monitors --------------------------------------------------------------------------------
inline constexpr DWORD MONITOR_DEFAULTTONULL = 0x00000000;
inline constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 0x00000001;
inline constexpr DWORD MONITOR_DEFAULTTONEAREST = 0x00000002;
inline constexpr DWORD MONITORINFOF_PRIMARY = 0x00000001;
inline constexpr int CCHDEVICENAME = 32;

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    RECT rcMonitor{};
    RECT rcWork{};
    DWORD dwFlags = 0;
};
using LPMONITORINFO = MONITORINFO*;
struct MONITORINFOEXW : MONITORINFO {
    MONITORINFOEXW() { cbSize = sizeof(MONITORINFOEXW); }
    WCHAR szDevice[CCHDEVICENAME]{};  // "\\\\.\\DISPLAY1", ...
};

using MONITORENUMPROC = BOOL (*)(HMONITOR, HDC, LPRECT, LPARAM);

// Monitors come from the configuration, in its order.
BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC proc, LPARAM data);
// Fills MONITORINFO, or MONITORINFOEXW when cbSize says so.
BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags);

// ---- Metrics ---------------------------------------------------------------------------------
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
inline constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
inline constexpr int SM_CYVTHUMB = 9;
inline constexpr int SM_CXHTHUMB = 10;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXCURSOR = 13;
inline constexpr int SM_CYCURSOR = 14;
inline constexpr int SM_CYMENU = 15;
inline constexpr int SM_CXFULLSCREEN = 16;
inline constexpr int SM_CYFULLSCREEN = 17;
inline constexpr int SM_CYVSCROLL = 20;
inline constexpr int SM_CXHSCROLL = 21;
inline constexpr int SM_CXMIN = 28;
inline constexpr int SM_CYMIN = 29;
inline constexpr int SM_CXMINIMIZED = 57;
inline constexpr int SM_CYMINIMIZED = 58;
inline constexpr int SM_CXSIZE = 30;
inline constexpr int SM_CYSIZE = 31;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
inline constexpr int SM_CYSIZEFRAME = SM_CYFRAME;
inline constexpr int SM_CXMINTRACK = 34;
inline constexpr int SM_CYMINTRACK = 35;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CYDOUBLECLK = 37;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;
inline constexpr int SM_CYSMCAPTION = 51;
inline constexpr int SM_CXMAXIMIZED = 61;
inline constexpr int SM_CYMAXIMIZED = 62;
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;
inline constexpr int SM_XVIRTUALSCREEN = 76;
inline constexpr int SM_YVIRTUALSCREEN = 77;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;
inline constexpr int SM_CMONITORS = 80;
inline constexpr int SM_CXPADDEDBORDER = 92;
inline constexpr int SM_REMOTESESSION = 0x1000;

// A fixed table at 96 dpi (caption 23, frame 4, border 1, edge 2, scroll bars 17); screen
// values from the primary monitor of the configuration. Unknown indices return 0.
int GetSystemMetrics(int index);

// ---- Environment, command line, program ------------------------------------------------------
// The process environment starts as the configuration's (plus PATH when it has none); names
// compare case-insensitively.
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);
BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value);  // null value removes
DWORD ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size);
// null module: programFolder + "\\" + programFile of the configuration.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
// "\"<program path>\"" followed by the configured arguments, each quoted when it holds a blank.
LPWSTR GetCommandLineW();
DWORD GetCurrentProcessId();
HANDLE GetCurrentProcess();  // pseudo handle

// Journalled as kind "process"; the process becomes "terminated" and runs none of its code again:
// a worker thread that calls them stops where it is (nothing on it unwinds); the UI thread, which
// the host drives, unwinds to it with platform::core::ProcessTerminated. Every later platform call
// throws that as well.
[[noreturn]] void ExitProcess(UINT exitCode);
BOOL TerminateProcess(HANDLE process, UINT exitCode);
