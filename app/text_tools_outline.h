// The tips strip, the log window and the text browsers as text, for the console.
#pragma once

#include <string>

// "tips off" without a tip file; else "file "PATH"", "index N of COUNT", "text "TEXT" seconds N",
// then "window none" or "window HANDLE shown|hidden (l,t)-(r,b) timer MS|none".
std::wstring TipsOutline();
// "window HANDLE shown|hidden "CAPTION" theme N", "last-length N", then the edit's lines, each
// quoted and indented; empty without a log window.
std::wstring LogWindowOutline();
// "default N", then per browser "N "DLL" "TEXT" key VK [control] [shift] [alt] [modal] [pdm]
// [standard] loaded|failed|unloaded", then "menu "TEXT"" per menu text the kernel gets; empty
// without browsers.
std::wstring TextBrowsersOutline();
