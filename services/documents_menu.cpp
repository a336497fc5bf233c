#include "services/documents_menu.h"

#include "platform/textcore.h"

CString TranslateString(const wchar_t* key) { return Korvo::I18n::Translate(key ? key : L""); }
