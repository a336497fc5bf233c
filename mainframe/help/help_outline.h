// The help browser as the console drives and shows it.
#pragma once

#include <string>

#include "platform/mfc.h"

// The help-link protocol as a link of the start page runs it.
bool RunStartPageLink(const std::wstring& url);
// The help window of main frame `frame`, or null.
HWND HelpWindowOf(HWND frame);
// A click on a link to `url` in the help window of `frame`; what a user could not do, or empty.
std::wstring ClickHelpLink(HWND frame, const std::wstring& url);
// "help window HANDLE attached|detached visible|hidden", then indented "url", "title",
// "history INDEX/COUNT", "rect", "main-rect", "saved-placement SHOW RECT", "tool-bar" lines
// (or "(no help window)"), then "tutorial \"TITLE\"" per tutorial document with an indented
// "view \"URL\" frame HANDLE main HANDLE" per view. Empty when the window is no main frame.
std::wstring HelpOutline(HWND frame);
