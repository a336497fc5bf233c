// Windows: the system colours and the light path helpers the shell calls.
#pragma once

#include "platform/win32/types.h"

inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_GRAYTEXT = 17;

// The classic default scheme; an index outside the table answers 0 (black), as Windows does.
DWORD GetSysColor(int index);

// True unless the path starts with a drive and a separator, or is a UNC path.
BOOL PathIsRelativeW(LPCWSTR path);

// True for a UNC path ("\\server\share..."); the simulated machine maps no drive to a network.
BOOL PathIsNetworkPathW(LPCWSTR path);
