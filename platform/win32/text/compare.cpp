#include "platform/win32/text/compare.h"

#include <cwctype>

int lstrcmpW(LPCWSTR first, LPCWSTR second) {
    const wchar_t* a = first ? first : L"";
    const wchar_t* b = second ? second : L"";
    int caseOrder = 0;
    for (;; ++a, ++b) {
        const auto foldedA = static_cast<wint_t>(std::towlower(static_cast<wint_t>(*a)));
        const auto foldedB = static_cast<wint_t>(std::towlower(static_cast<wint_t>(*b)));
        if (foldedA != foldedB) return foldedA < foldedB ? -1 : 1;
        if (*a == L'\0') return caseOrder;
        // The first difference of case decides between texts otherwise equal: lower case first.
        if (caseOrder == 0 && *a != *b) caseOrder = std::iswlower(static_cast<wint_t>(*a)) ? -1 : 1;
    }
}
