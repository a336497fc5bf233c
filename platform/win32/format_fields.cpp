#include "platform/win32/format_fields.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace platform::formatting {

namespace {

// A double's exact decimal expansion ends within this many digits (at most 767 significant,
// 1074 after the point); any digit asked for beyond it is a zero.
constexpr int kExactDigits = 1100;
// Room for everything around the digits: 309 integer digits, sign, point, exponent.
constexpr std::size_t kDigitSlack = 400;
// The runtime's default number of hexadecimal digits after the point for %a.
constexpr int kHexDefaultPrecision = 13;

std::uint64_t truncated(std::uint64_t bits, int bytes) {
    if (bytes <= 0 || bytes >= 8) return bits;
    return bits & ((std::uint64_t{1} << (bytes * 8)) - 1);
}

std::int64_t signExtended(std::uint64_t bits, int bytes) {
    if (bytes <= 0 || bytes >= 8) return static_cast<std::int64_t>(bits);
    const int shift = 64 - bytes * 8;
    return static_cast<std::int64_t>(bits << shift) >> shift;
}

void pad(std::wstring& out, std::wstring_view body, const Spec& spec, bool zeroPadAllowed = false,
         std::size_t prefixLength = 0) {
    const std::size_t width = spec.width > 0 ? static_cast<std::size_t>(spec.width) : 0;
    if (body.size() >= width) {
        out.append(body);
        return;
    }
    const std::size_t fill = width - body.size();
    if (spec.left) {
        out.append(body);
        out.append(fill, L' ');
    } else if (spec.zero && zeroPadAllowed) {
        out.append(body.substr(0, prefixLength));
        out.append(fill, L'0');
        out.append(body.substr(prefixLength));
    } else {
        out.append(fill, L' ');
        out.append(body);
    }
}

// Decimal digits of `magnitude` in a fixed or scientific style with `precision` digits after
// the point, exact however many are asked for.
std::string decimalDigits(double magnitude, std::chars_format style, int precision) {
    const int computed = std::min(precision, kExactDigits);
    std::string digits(static_cast<std::size_t>(computed) + kDigitSlack, '\0');
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude, style, computed);
    digits.resize(result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - digits.data()) : 0);
    if (precision > computed && style != std::chars_format::general) {
        const std::size_t exponent = digits.find('e');
        digits.insert(exponent == std::string::npos ? digits.size() : exponent,
                      static_cast<std::size_t>(precision - computed), '0');
    }
    return digits;
}

// %g: the style follows the exponent of the value rounded to `precision` significant digits.
std::string generalDigits(double magnitude, int precision, bool keepTrailingZeros) {
    const int p = precision == 0 ? 1 : precision;
    if (!keepTrailingZeros) return decimalDigits(magnitude, std::chars_format::general, std::min(p, kExactDigits));
    const std::string probe = decimalDigits(magnitude, std::chars_format::scientific, p - 1);
    const int exponent = std::atoi(probe.c_str() + probe.find('e') + 1);
    if (exponent < -4 || exponent >= p) return decimalDigits(magnitude, std::chars_format::scientific, p - 1);
    return decimalDigits(magnitude, std::chars_format::fixed, p - 1 - exponent);
}

// %a: "0x1.8000000000000p+0", the mantissa rounded to nearest, ties to even.
std::string hexDigits(double magnitude, int precision, bool alternate) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const int exponent = biased == 0 ? (fraction == 0 ? 0 : -1022) : biased - 1023;
    // The leading digit rides along, so rounding can carry into it (0x1.f, %.0a: 0x2).
    std::uint64_t digits = (biased == 0 ? 0 : std::uint64_t{1} << 52) | fraction;
    const int p = precision < 0 ? kHexDefaultPrecision : precision;
    if (p < kHexDefaultPrecision) {
        const int drop = (kHexDefaultPrecision - p) * 4;
        const std::uint64_t rest = digits & ((std::uint64_t{1} << drop) - 1);
        const std::uint64_t half = std::uint64_t{1} << (drop - 1);
        digits >>= drop;
        if (rest > half || (rest == half && (digits & 1) != 0)) ++digits;
    }
    const int shown = std::min(p, kHexDefaultPrecision);
    const std::uint64_t lead = digits >> (shown * 4);
    const std::uint64_t mantissa = digits & ((std::uint64_t{1} << (shown * 4)) - 1);
    std::string text = "0x";
    text += static_cast<char>('0' + lead);
    if (p > 0 || alternate) text += '.';
    for (int i = shown - 1; i >= 0; --i) text += "0123456789abcdef"[(mantissa >> (i * 4)) & 15];
    text.append(static_cast<std::size_t>(p - shown), '0');
    text += exponent < 0 ? "p-" : "p+";
    text += std::to_string(std::abs(exponent));
    return text;
}

}  // namespace

void appendInteger(std::wstring& out, const Spec& spec, std::uint64_t bits, int bytes) {
    const wchar_t c = spec.conversion;
    const bool isSigned = (c == L'd' || c == L'i');
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (isSigned) {
        const std::int64_t value = signExtended(bits, bytes);
        negative = value < 0;
        magnitude = negative ? (~static_cast<std::uint64_t>(value) + 1) : static_cast<std::uint64_t>(value);
    } else {
        magnitude = truncated(bits, bytes);
    }

    const unsigned base = (c == L'x' || c == L'X') ? 16 : c == L'o' ? 8 : 10;
    const wchar_t* digitsOf = c == L'X' ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring digits;
    for (std::uint64_t v = magnitude; v != 0; v /= base) digits.push_back(digitsOf[v % base]);
    std::reverse(digits.begin(), digits.end());
    if (digits.empty() && spec.precision != 0) digits = L"0";
    if (spec.precision > 0 && digits.size() < static_cast<std::size_t>(spec.precision)) {
        digits.insert(0, static_cast<std::size_t>(spec.precision) - digits.size(), L'0');
    }

    std::wstring prefix;
    if (isSigned) {
        if (negative) prefix = L"-";
        else if (spec.plus) prefix = L"+";
        else if (spec.space) prefix = L" ";
    } else if (spec.alternate && base == 16 && magnitude != 0) {
        prefix = c == L'X' ? L"0X" : L"0x";
    } else if (spec.alternate && base == 8 && (digits.empty() || digits[0] != L'0')) {
        prefix = L"0";
    }
    pad(out, prefix + digits, spec, spec.precision < 0, prefix.size());
}

void appendPointer(std::wstring& out, const Spec& spec, std::uint64_t bits) {
    std::wstring digits(16, L'0');
    for (int i = 15; i >= 0 && bits != 0; --i, bits >>= 4) {
        digits[static_cast<std::size_t>(i)] = L"0123456789ABCDEF"[bits & 15];
    }
    pad(out, digits, spec);
}

void appendDouble(std::wstring& out, const Spec& spec, double value) {
    const wchar_t c = spec.conversion;
    const bool upper = (c == L'E' || c == L'G' || c == L'F' || c == L'A');
    const int precision = spec.precision < 0 ? 6 : spec.precision;
    const double magnitude = std::fabs(value);

    std::string body;
    if (std::isnan(value)) {
        body = "nan";
    } else if (std::isinf(value)) {
        body = "inf";
    } else if (c == L'a' || c == L'A') {
        body = hexDigits(magnitude, spec.precision, spec.alternate);
    } else {
        if (c == L'e' || c == L'E') body = decimalDigits(magnitude, std::chars_format::scientific, precision);
        else if (c == L'g' || c == L'G') body = generalDigits(magnitude, precision, spec.alternate);
        else body = decimalDigits(magnitude, std::chars_format::fixed, precision);
        if (spec.alternate && body.find('.') == std::string::npos) {
            const auto exponent = body.find('e');
            body.insert(exponent == std::string::npos ? body.size() : exponent, 1, '.');
        }
    }
    if (upper) {
        for (auto& ch : body) ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    }
    std::wstring prefix;
    if (std::signbit(value) && !std::isnan(value)) prefix = L"-";
    else if (spec.plus) prefix = L"+";
    else if (spec.space) prefix = L" ";
    const std::wstring text = prefix + std::wstring(body.begin(), body.end());
    pad(out, text, spec, std::isfinite(value), prefix.size() + (c == L'a' || c == L'A' ? 2 : 0));
}

void appendText(std::wstring& out, const Spec& spec, std::wstring_view text) {
    if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision)) {
        text = text.substr(0, static_cast<std::size_t>(spec.precision));
    }
    pad(out, text, spec);
}

}  // namespace platform::formatting
