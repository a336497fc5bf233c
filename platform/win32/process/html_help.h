// HTML Help. There is no help viewer: a request is journalled (kind "help") and answered with a
// help window (class "HH Parent", titled by the file) when the help file exists, else null.
#pragma once

#include "platform/win32/types.h"

inline constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
inline constexpr UINT HH_DISPLAY_TOC = 0x0001;
inline constexpr UINT HH_HELP_CONTEXT = 0x000F;

// `file` may carry a topic after "::/" (the file part decides whether it exists).
HWND HtmlHelpW(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);
