// The maker's text library as the shell uses it: translations of UI text keys.
#pragma once

#include <optional>

#include "platform/mfc.h"

namespace Korvo::I18n {

// Selects the translation table "i18n\<language>.tsv" of the program folder (e.g. L"Rus").
// The table is read at the first lookup after a change.
void SetLanguage(const wchar_t* language);
CString GetLanguage();

// The translation of `key`, or the key itself when the table has no entry for it.
CString Translate(const wchar_t* key);
// The translation of `key`, or nothing when the table has no entry for it.
std::optional<CString> TryTranslate(const wchar_t* key);
bool TryTranslate(const wchar_t* key, CString& text);

// The translation of `key` used as a printf-style format for `args`.
CString FormatTranslationV(const wchar_t* key, const platform::FormatArgs& args);
template <class... T>
CString FormatTranslation(const wchar_t* key, const T&... args) {
    return FormatTranslationV(key, platform::makeFormatArgs(args...));
}

}  // namespace Korvo::I18n
