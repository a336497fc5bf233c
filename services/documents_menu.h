// What the documents menu offers the subsystems beside it: the translated text of a dotted UI
// text key, as the ribbon customisation page shows it in its search boxes. The documents menu's
// pane window, its library drag and drop and its pending form factor serve only the main frame
// and the application above, which include the documents menu itself.
#pragma once

#include "platform/mfc.h"

// The program's translation of `key` ("RibbonPropertyPage.Search") when it has one, else what
// the translation service answers for a missing key.
CString TranslateString(const wchar_t* key);
