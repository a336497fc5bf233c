// The stand-in computer as the diagnostics library describes it: fixed texts, the same in
// every run.
#include "platform/diagnostics.h"

CString GetSystemVersion() { return L"Windows 10 Pro 22H2 (build 19045), 64-bit"; }

CString GetVideoControllersInfo() { return L"Stand-in Display Adapter, 2048 MB, driver 31.0.15.3699, 1920 x 1080"; }

CString GetPrintersInfo() { return L"Default printer (default)\r\nMicrosoft Print to PDF"; }
