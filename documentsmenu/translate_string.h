// The translated text of a dotted UI text key ("RibbonPropertyPage.Search"): the program's
// translation when it has one, else what the translation service answers for a missing key.
#pragma once

#include "platform/mfc.h"

CString TranslateString(const wchar_t* key);
