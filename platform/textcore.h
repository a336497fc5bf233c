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

namespace Korvo {

// The form of a text that searches compare: case folded, "ё" as "е", combining marks removed,
// so that a folded filter finds "Ёлка" by "елка".
CString GetSearchableEquivalent(const CString& text);

// A 16-byte identifier with its text forms.
class UniqueIdentifier {
public:
    UniqueIdentifier() = default;
    explicit UniqueIdentifier(const GUID& value) : value_(value) {}
    const GUID& Get() const { return value_; }
    bool IsNull() const { return value_ == GUID{}; }
    // A fresh random identifier (version 4).
    static UniqueIdentifier Generate();
    // Form 2: 36 upper-case hexadecimal characters in 8-4-4-4-12 groups, no braces.
    CString ToString() const;
    // The identifier in text form `format`. The stand-in knows form 2 alone: any other is a
    // failure naming the call, and the text is empty.
    static CString asCString(const UniqueIdentifier& value, int format);
    // Accepts form 2 with or without braces, in either case, and nothing else.
    static bool TryParse(LPCWSTR text, UniqueIdentifier& result);
    friend bool operator==(const UniqueIdentifier&, const UniqueIdentifier&) = default;

private:
    GUID value_{};
};

}  // namespace Korvo
