#include "platform/win32/files/shell.h"

namespace {
bool isLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool isSchemeCharacter(wchar_t c) { return isLetter(c) || (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.'; }
}  // namespace

BOOL PathIsURLW(LPCWSTR text) {
    if (!text || !isLetter(text[0])) return FALSE;
    int length = 1;
    while (isSchemeCharacter(text[length])) ++length;
    return text[length] == L':' && length >= 2 ? TRUE : FALSE;
}
