// The kernel's font services: its own fonts, the order it sorts font names in, the folder of its
// vector fonts and the default font name of new texts.
#pragma once

#include "platform/mfc.h"

namespace Korvo {
// Whether the face name is one of the kernel's own fonts (their names begin with "Korvo").
bool IsKorvoFont(const CString& faceName);
// Negative, 0 or positive as `a` sorts before, with or after `b`: the kernel's own fonts first,
// then case-insensitive, then by code units.
int CompareFontNames(const CString& a, const CString& b);
}  // namespace Korvo

namespace SHXFONT {
// The folder of the vector fonts, with a trailing backslash ("Fonts\" of the program folder
// unless the settings name another).
CString FontPath();
}  // namespace SHXFONT

// The font of new texts while the kernel's default-control flag is set.
extern CString g_csDefaultFontName;
