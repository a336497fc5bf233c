#include "platform/mfc/format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/core/journal.h"
#include "platform/core/text.h"

namespace platform {

FormatArg FormatArg::scalar(Kind kind, int bytes, std::uint64_t bits) {
    FormatArg a;
    a.kind_ = kind;
    a.bytes_ = bytes;
    a.bits_ = bits;
    return a;
}

FormatArg FormatArg::signedInteger(std::int64_t value, int bytes) {
    return scalar(Kind::Signed, bytes, static_cast<std::uint64_t>(value));
}

FormatArg FormatArg::unsignedInteger(std::uint64_t value, int bytes) { return scalar(Kind::Unsigned, bytes, value); }

FormatArg FormatArg::floating(double value) {
    FormatArg a;
    a.kind_ = Kind::Double;
    a.bytes_ = 8;
    a.real_ = value;
    return a;
}

FormatArg FormatArg::pointer(const void* value) {
    return scalar(Kind::Pointer, static_cast<int>(sizeof(void*)),
                  static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(value)));
}

FormatArg FormatArg::narrowString(std::string_view text, bool isNull) {
    FormatArg a;
    a.kind_ = Kind::NarrowString;
    a.narrow_ = std::string(text);
    a.isNull_ = isNull;
    return a;
}

FormatArg FormatArg::wideString(std::wstring_view text, bool isNull, const char* typeName) {
    FormatArg a;
    a.kind_ = Kind::WideString;
    a.wide_ = std::wstring(text);
    a.isNull_ = isNull;
    a.typeName_ = typeName;
    return a;
}

FormatArg FormatArg::narrowChar(char c) { return scalar(Kind::Char, 1, static_cast<unsigned char>(c)); }

FormatArg FormatArg::wideChar(wchar_t c) {
    return scalar(Kind::WideChar, static_cast<int>(sizeof(wchar_t)), static_cast<std::uint32_t>(c));
}

std::string FormatArg::typeName() const {
    switch (kind_) {
    case Kind::Signed: return bytes_ == 8 ? "int64" : bytes_ == 2 ? "short" : bytes_ == 1 ? "int8" : "int";
    case Kind::Unsigned: return bytes_ == 8 ? "uint64" : bytes_ == 2 ? "ushort" : bytes_ == 1 ? "uint8" : "uint";
    case Kind::Double: return "double";
    case Kind::Pointer: return "pointer";
    case Kind::NarrowString: return "string";
    case Kind::WideString: return typeName_ ? typeName_ : "string";
    case Kind::Char: return "char";
    case Kind::WideChar: return "wchar_t";
    }
    return "?";
}

namespace {

struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;
    int precision = -1;  // -1: none given
    int narrowTo = 0;    // bytes an h, hh or I32 length narrows an integer to; 0: the argument's own width
    wchar_t conversion = 0;
};

// The argument value at its own width (or the width a length modifier narrows it to).
std::uint64_t truncated(std::uint64_t bits, int bytes) {
    if (bytes <= 0 || bytes >= 8) return bits;
    return bits & ((std::uint64_t{1} << (bytes * 8)) - 1);
}

std::int64_t signExtended(std::uint64_t bits, int bytes) {
    if (bytes <= 0 || bytes >= 8) return static_cast<std::int64_t>(bits);
    const int shift = 64 - bytes * 8;
    return static_cast<std::int64_t>(bits << shift) >> shift;
}

bool isInteger(const FormatArg& a) {
    using K = FormatArg::Kind;
    return a.kind() == K::Signed || a.kind() == K::Unsigned || a.kind() == K::Char || a.kind() == K::WideChar ||
           a.kind() == K::Pointer;
}

bool isString(const FormatArg& a) {
    return a.kind() == FormatArg::Kind::NarrowString || a.kind() == FormatArg::Kind::WideString;
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

void formatInteger(std::wstring& out, const Spec& spec, const FormatArg& arg) {
    const wchar_t c = spec.conversion;
    const bool isSigned = (c == L'd' || c == L'i');
    const int bytes = spec.narrowTo > 0 ? spec.narrowTo : arg.bytes();
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (isSigned) {
        // As printf does: the argument's bits read as a signed value of its width; characters
        // print their code.
        const bool isCharacter = arg.kind() == FormatArg::Kind::Char || arg.kind() == FormatArg::Kind::WideChar;
        const std::int64_t value = isCharacter && spec.narrowTo == 0 ? static_cast<std::int64_t>(arg.bits())
                                                                     : signExtended(arg.bits(), bytes);
        negative = value < 0;
        magnitude = negative ? (~static_cast<std::uint64_t>(value) + 1) : static_cast<std::uint64_t>(value);
    } else {
        magnitude = truncated(arg.bits(), bytes);
    }

    const unsigned base = (c == L'x' || c == L'X') ? 16 : c == L'o' ? 8 : 10;
    const wchar_t* digitsOf = c == L'X' ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring digits;
    for (std::uint64_t v = magnitude; v != 0; v /= base) digits.insert(digits.begin(), digitsOf[v % base]);
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

void formatPointer(std::wstring& out, const Spec& spec, const FormatArg& arg) {
    // As on 64-bit Windows: sixteen upper-case hexadecimal digits, no prefix.
    std::wstring digits(16, L'0');
    std::uint64_t v = arg.bits();
    for (int i = 15; i >= 0 && v != 0; --i, v >>= 4) digits[static_cast<std::size_t>(i)] = L"0123456789ABCDEF"[v & 15];
    pad(out, digits, spec);
}

void formatDouble(std::wstring& out, const Spec& spec, double value) {
    const wchar_t c = spec.conversion;
    const bool upper = (c == L'E' || c == L'G' || c == L'F');
    const int precision = spec.precision < 0 ? 6 : spec.precision;
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);

    char buffer[512];
    std::string body;
    if (std::isnan(value)) {
        body = "nan";
    } else if (std::isinf(value)) {
        body = "inf";
    } else {
        std::chars_format format = std::chars_format::fixed;
        int p = precision;
        if (c == L'e' || c == L'E') format = std::chars_format::scientific;
        if (c == L'g' || c == L'G') {
            format = std::chars_format::general;
            if (p == 0) p = 1;
        }
        if (format == std::chars_format::general && spec.alternate) {
            // '#' keeps the trailing zeros: choose the style as %g does from the rounded
            // exponent, then print with all P significant digits.
            auto probe = std::to_chars(buffer, buffer + sizeof(buffer), magnitude, std::chars_format::scientific, p - 1);
            const std::string_view scientific(buffer, static_cast<std::size_t>(probe.ptr - buffer));
            const int exponent = std::atoi(std::string(scientific.substr(scientific.find('e') + 1)).c_str());
            if (exponent < -4 || exponent >= p) {
                format = std::chars_format::scientific;
                p = p - 1;
            } else {
                format = std::chars_format::fixed;
                p = p - 1 - exponent;
            }
        }
        // Huge fixed values can need more room than the buffer; they fall back to scientific.
        auto result = std::to_chars(buffer, buffer + sizeof(buffer), magnitude, format, p);
        if (result.ec != std::errc{}) {
            result = std::to_chars(buffer, buffer + sizeof(buffer), magnitude, std::chars_format::scientific, p);
        }
        body.assign(buffer, result.ptr);
        if (spec.alternate && body.find('.') == std::string::npos) {
            const auto exponent = body.find('e');
            body.insert(exponent == std::string::npos ? body.size() : exponent, ".");
        }
    }
    if (upper) {
        for (auto& ch : body) ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    }
    std::wstring prefix;
    if (negative && !std::isnan(value)) prefix = L"-";
    else if (spec.plus) prefix = L"+";
    else if (spec.space) prefix = L" ";
    std::wstring text = prefix + std::wstring(body.begin(), body.end());
    pad(out, text, spec, std::isfinite(value), prefix.size());
}

void formatString(std::wstring& out, const Spec& spec, const FormatArg& arg) {
    std::wstring text;
    if (arg.isNull()) {
        text = L"(null)";
    } else if (arg.kind() == FormatArg::Kind::NarrowString) {
        text = core::fromUtf8(arg.narrow());
    } else {
        text = arg.wide();
    }
    if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision)) {
        text.resize(static_cast<std::size_t>(spec.precision));
    }
    pad(out, text, spec);
}

void formatChar(std::wstring& out, const Spec& spec, const FormatArg& arg) {
    wchar_t ch = 0;
    if (arg.kind() == FormatArg::Kind::Char) {
        const char byte = static_cast<char>(arg.bits());
        const std::wstring decoded = core::fromUtf8(std::string_view(&byte, 1));
        ch = decoded.empty() ? L'?' : decoded[0];
    } else {
        ch = static_cast<wchar_t>(static_cast<std::uint32_t>(arg.bits()));
    }
    pad(out, std::wstring_view(&ch, 1), spec);
}

// Does the argument fit the conversion?
bool fits(wchar_t conversion, const FormatArg& arg) {
    switch (conversion) {
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
        return isInteger(arg);
    case L'c': case L'C':
        return arg.kind() != FormatArg::Kind::Pointer && isInteger(arg);
    case L's': case L'S':
        return isString(arg);
    case L'p':
        return arg.kind() == FormatArg::Kind::Pointer || arg.kind() == FormatArg::Kind::Signed ||
               arg.kind() == FormatArg::Kind::Unsigned;
    case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
        return arg.kind() == FormatArg::Kind::Double;
    default:
        return false;
    }
}

class Formatter {
public:
    Formatter(std::wstring_view format, const FormatArgs& args) : format_(format), args_(args) {}

    std::wstring run() {
        std::wstring out;
        out.reserve(format_.size() + 16);
        std::size_t i = 0;
        while (i < format_.size()) {
            const std::size_t percent = format_.find(L'%', i);
            if (percent == std::wstring_view::npos) {
                out.append(format_.substr(i));
                break;
            }
            out.append(format_.substr(i, percent - i));
            i = conversion(out, percent);
        }
        return out;
    }

private:
    // Formats the conversion starting at `start` (a '%'); returns the index after it.
    std::size_t conversion(std::wstring& out, std::size_t start) {
        std::size_t i = start + 1;
        if (i < format_.size() && format_[i] == L'%') {
            out.push_back(L'%');
            return i + 1;
        }
        Spec spec;
        for (; i < format_.size(); ++i) {
            const wchar_t f = format_[i];
            if (f == L'-') spec.left = true;
            else if (f == L'+') spec.plus = true;
            else if (f == L' ') spec.space = true;
            else if (f == L'#') spec.alternate = true;
            else if (f == L'0') spec.zero = true;
            else break;
        }
        // After a failed '*' the rest of the conversion is still read, so it is not printed as text.
        bool starFailed = false;
        if (i < format_.size() && format_[i] == L'*') {
            ++i;
            const auto width = starArgument(out, L"*");
            starFailed = !width;
            spec.width = width.value_or(0);
            if (spec.width < 0) {
                spec.left = true;
                spec.width = -spec.width;
            }
        } else {
            spec.width = number(i);
        }
        if (i < format_.size() && format_[i] == L'.') {
            ++i;
            if (i < format_.size() && format_[i] == L'*') {
                ++i;
                const auto precision = starArgument(out, L".*");
                starFailed = starFailed || !precision;
                spec.precision = precision.value_or(-1) < 0 ? -1 : *precision;
            } else {
                spec.precision = number(i);
            }
        }
        i = lengthModifier(i, spec);
        if (i >= format_.size()) {
            if (!starFailed) mismatch(out, L"", "incomplete");
            return i;
        }
        spec.conversion = format_[i++];
        if (starFailed) return i;
        const std::wstring_view conversionText(&format_[i - 1], 1);
        if (std::wstring_view(L"diuxXocCsSpfFeEgG").find(spec.conversion) == std::wstring_view::npos) {
            mismatch(out, conversionText, "bad conversion");
            return i;
        }
        if (next_ >= args_.size()) {
            mismatch(out, conversionText, "missing");
            return i;
        }
        const FormatArg& arg = args_[next_++];
        if (!fits(spec.conversion, arg)) {
            mismatch(out, conversionText, arg.typeName());
            return i;
        }
        switch (spec.conversion) {
        case L's': case L'S': formatString(out, spec, arg); break;
        case L'c': case L'C': formatChar(out, spec, arg); break;
        case L'p': formatPointer(out, spec, arg); break;
        case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
            formatDouble(out, spec, arg.doubleValue());
            break;
        default: formatInteger(out, spec, arg); break;
        }
        return i;
    }

    int number(std::size_t& i) const {
        long long value = 0;
        while (i < format_.size() && format_[i] >= L'0' && format_[i] <= L'9') {
            if (value < 100000) value = value * 10 + (format_[i] - L'0');
            ++i;
        }
        return static_cast<int>(value);
    }

    std::optional<int> starArgument(std::wstring& out, std::wstring_view what) {
        if (next_ >= args_.size()) {
            mismatch(out, what, "missing");
            return std::nullopt;
        }
        const FormatArg& arg = args_[next_++];
        if (arg.kind() != FormatArg::Kind::Signed && arg.kind() != FormatArg::Kind::Unsigned) {
            mismatch(out, what, arg.typeName());
            return std::nullopt;
        }
        long long value = signExtended(arg.bits(), arg.bytes());
        if (value > 100000) value = 100000;
        if (value < -100000) value = -100000;
        return static_cast<int>(value);
    }

    std::size_t lengthModifier(std::size_t i, Spec& spec) const {
        auto at = [&](std::size_t k) { return i + k < format_.size() ? format_[i + k] : L'\0'; };
        if (at(0) == L'h') {
            spec.narrowTo = at(1) == L'h' ? 1 : 2;
            return i + (at(1) == L'h' ? 2 : 1);
        }
        if (at(0) == L'l') return i + (at(1) == L'l' ? 2 : 1);
        if (at(0) == L'z' || at(0) == L'j' || at(0) == L't' || at(0) == L'L' || at(0) == L'w') return i + 1;
        if (at(0) == L'I') {
            if (at(1) == L'6' && at(2) == L'4') return i + 3;
            if (at(1) == L'3' && at(2) == L'2') {
                spec.narrowTo = 4;
                return i + 3;
            }
            return i + 1;
        }
        return i;
    }

    void mismatch(std::wstring& out, std::wstring_view conversion, std::string_view what) {
        const std::wstring marker = L"%!" + std::wstring(conversion) + L"(" + core::fromUtf8(what) + L")";
        out.append(marker);
        core::reportFailure(L"format mismatch " + marker + L" in \"" + std::wstring(format_) + L"\"");
    }

    std::wstring_view format_;
    const FormatArgs& args_;
    std::size_t next_ = 0;
};

}  // namespace

std::wstring formatV(std::wstring_view format, const FormatArgs& args) {
    return Formatter(format, args).run();
}

std::string formatV(std::string_view format, const FormatArgs& args) {
    return core::toUtf8(formatV(std::wstring_view(core::fromUtf8(format)), args));
}

}  // namespace platform
