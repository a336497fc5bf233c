#include "platform/kernel/editing/basic_edit.h"

#include <cwchar>
#include <optional>
#include <string>

namespace {

struct Part {
    double value = 0.0;
    bool fraction = false;
};

void skipBlanks(std::wstring_view& text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
}

// Digits with at most one decimal point or comma; nothing without a digit.
std::optional<Part> readNumber(std::wstring_view& text) {
    std::wstring digits;
    bool point = false;
    bool any = false;
    while (!text.empty()) {
        const wchar_t c = text.front();
        if (c >= L'0' && c <= L'9') {
            digits += c;
            any = true;
        } else if ((c == L'.' || c == L',') && !point) {
            digits += L'.';
            point = true;
        } else {
            break;
        }
        text.remove_prefix(1);
    }
    if (!any) return std::nullopt;
    return Part{std::wcstod(digits.c_str(), nullptr), point};
}

// 0 degrees, 1 minutes, 2 seconds; -1 for no mark.
int readMark(std::wstring_view& text) {
    if (text.empty()) return -1;
    int mark = -1;
    switch (text.front()) {
        case L'\u00B0': case L'd': case L'D': mark = 0; break;
        case L'\'': case L'm': case L'M': mark = 1; break;
        case L'"': case L's': case L'S': mark = 2; break;
        default: return -1;
    }
    text.remove_prefix(1);
    return mark;
}

}  // namespace

bool CKVBasicEdit::GetAngleInfo(const CString& text, CString& result) {
    std::wstring_view rest = text.view();
    skipBlanks(rest);
    double sign = 1.0;
    if (!rest.empty() && (rest.front() == L'-' || rest.front() == L'+')) {
        if (rest.front() == L'-') sign = -1.0;
        rest.remove_prefix(1);
        skipBlanks(rest);
    }
    constexpr double kScale[] = {1.0, 60.0, 3600.0};
    double degrees = 0.0;
    int lastMark = -1;
    bool fractionSeen = false;
    while (!rest.empty()) {
        // A fraction ends the angle: no smaller part may follow it.
        if (fractionSeen) return false;
        const auto number = readNumber(rest);
        if (!number) return false;
        skipBlanks(rest);
        const int mark = readMark(rest);
        if (mark <= lastMark) return false;  // no mark, or out of order
        if (mark > 0 && number->value >= 60.0) return false;
        degrees += number->value / kScale[mark];
        lastMark = mark;
        fractionSeen = number->fraction;
        skipBlanks(rest);
    }
    if (lastMark < 0) return false;
    CString formatted;
    formatted.Format(L"%.10g", degrees == 0.0 ? 0.0 : sign * degrees);
    result = formatted;
    return true;
}
