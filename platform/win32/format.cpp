#include "platform/win32/format.h"

#include <algorithm>
#include <optional>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/format_fields.h"

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

// Kept sign-extended, as a char promoted to int arrives.
FormatArg FormatArg::narrowChar(char c) {
    return scalar(Kind::Char, 1, static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<signed char>(c))));
}

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

using formatting::kMaxWidthOrPrecision;
using formatting::Spec;

// What a conversion reads from the argument list, as the Windows type fields define it.
enum class Need { Int32, Int64, NarrowChar, WideChar, NarrowString, WideString, Pointer, Double, Nothing };

bool isSmallInteger(const FormatArg& a) {
    return (a.kind() == FormatArg::Kind::Signed || a.kind() == FormatArg::Kind::Unsigned) && a.bytes() <= 4;
}

// Does the argument fit what the conversion reads? Integers narrower than int and characters
// arrive promoted to int, as variadic arguments do; nothing else converts.
bool fits(Need need, const FormatArg& a) {
    using K = FormatArg::Kind;
    switch (need) {
    case Need::Int32: return isSmallInteger(a) || a.kind() == K::Char || a.kind() == K::WideChar;
    case Need::Int64: return (a.kind() == K::Signed || a.kind() == K::Unsigned) && a.bytes() == 8;
    case Need::NarrowChar: return isSmallInteger(a) || a.kind() == K::Char;
    case Need::WideChar: return isSmallInteger(a) || a.kind() == K::WideChar;
    case Need::NarrowString: return a.kind() == K::NarrowString;
    case Need::WideString: return a.kind() == K::WideString;
    case Need::Pointer: return a.kind() == K::Pointer;
    case Need::Double: return a.kind() == K::Double;
    case Need::Nothing: return false;
    }
    return false;
}

class Formatter {
public:
    Formatter(std::wstring_view format, const FormatArgs& args, bool wideFormat)
        : format_(format), args_(args), wideFormat_(wideFormat) {}

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
        std::optional<std::string> tooLarge;
        const bool starFailed = !readWidthAndPrecision(out, i, spec, tooLarge);
        const std::size_t lengthStart = i;
        i = lengthModifier(i);
        if (i >= format_.size()) {
            if (!starFailed) mismatch(out, format_.substr(lengthStart), "incomplete");
            return i;
        }
        spec.conversion = format_[i++];
        if (starFailed) return i;
        // The marker names the conversion with its length: "%!lld(int)".
        const std::wstring_view conversionText = format_.substr(lengthStart, i - lengthStart);
        const Need need = needOf(format_.substr(lengthStart, i - 1 - lengthStart), spec);
        if (need == Need::Nothing) {
            mismatch(out, conversionText, "bad conversion");
            return i;
        }
        if (next_ >= args_.size()) {
            mismatch(out, conversionText, "missing");
            return i;
        }
        const FormatArg& arg = args_[next_++];
        if (!fits(need, arg)) {
            mismatch(out, conversionText, arg.typeName());
            return i;
        }
        if (tooLarge) {
            mismatch(out, conversionText, *tooLarge + " over " + std::to_string(kMaxWidthOrPrecision));
            return i;
        }
        print(out, spec, need, arg);
        return i;
    }

    // Reads the width and precision at `i`, from the format or from the arguments ('*'); false
    // when a '*' argument is missing or not an int. `tooLarge` names one beyond the limit.
    bool readWidthAndPrecision(std::wstring& out, std::size_t& i, Spec& spec, std::optional<std::string>& tooLarge) {
        bool ok = true;
        long long width = 0;
        if (i < format_.size() && format_[i] == L'*') {
            ++i;
            const auto fromArgument = starArgument(out, L"*");
            ok = fromArgument.has_value();
            width = fromArgument.value_or(0);
            if (width < 0) {
                spec.left = true;
                width = -width;
            }
        } else {
            width = number(i);
        }
        if (width > kMaxWidthOrPrecision) tooLarge = "width";
        spec.width = static_cast<int>(std::min<long long>(width, kMaxWidthOrPrecision));
        if (i >= format_.size() || format_[i] != L'.') return ok;
        ++i;
        long long precision = 0;
        if (i < format_.size() && format_[i] == L'*') {
            ++i;
            const auto fromArgument = starArgument(out, L".*");
            ok = ok && fromArgument.has_value();
            precision = fromArgument.value_or(-1) < 0 ? -1 : *fromArgument;  // negative: none given
        } else {
            precision = number(i);
        }
        if (precision > kMaxWidthOrPrecision) tooLarge = "precision";
        spec.precision = static_cast<int>(std::min<long long>(precision, kMaxWidthOrPrecision));
        return ok;
    }

    static void print(std::wstring& out, const Spec& spec, Need need, const FormatArg& arg) {
        Spec character = spec;  // a precision means nothing to %c
        character.precision = -1;
        switch (need) {
        case Need::Int32:
        case Need::Int64: {
            // Promoted to int when narrower, then narrowed again by an h or hh length.
            const int bytes = spec.narrowTo > 0 ? spec.narrowTo : std::max(arg.bytes(), 4);
            formatting::appendInteger(out, spec, arg.bits(), bytes);
            break;
        }
        case Need::NarrowChar: {
            const char byte = static_cast<char>(arg.bits());
            const std::wstring decoded = core::fromUtf8(std::string_view(&byte, 1));
            formatting::appendText(out, character, decoded.empty() ? L"?" : decoded.substr(0, 1));
            break;
        }
        case Need::WideChar: {
            const auto ch = static_cast<wchar_t>(static_cast<std::uint32_t>(arg.bits()));
            formatting::appendText(out, character, std::wstring_view(&ch, 1));
            break;
        }
        case Need::NarrowString:
        case Need::WideString: {
            if (arg.isNull()) formatting::appendText(out, spec, L"(null)");
            else if (need == Need::NarrowString) formatting::appendText(out, spec, core::fromUtf8(arg.narrow()));
            else formatting::appendText(out, spec, arg.wide());
            break;
        }
        case Need::Pointer: formatting::appendPointer(out, spec, arg.bits()); break;
        case Need::Double: formatting::appendDouble(out, spec, arg.doubleValue()); break;
        case Need::Nothing: break;
        }
    }

    // What the conversion with this length reads. In a wide format %s and %c are wide and %S
    // and %C narrow, the reverse in a narrow one; h always means narrow, l and w wide.
    Need needOf(std::wstring_view length, Spec& spec) const {
        const wchar_t c = spec.conversion;
        const bool none = length.empty();
        if (std::wstring_view(L"diuxXo").find(c) != std::wstring_view::npos) {
            if (length == L"h") spec.narrowTo = 2;
            if (length == L"hh") spec.narrowTo = 1;
            if (none || length == L"h" || length == L"hh" || length == L"l" || length == L"I32") return Need::Int32;
            if (length == L"ll" || length == L"I64" || length == L"I" || length == L"z" || length == L"j" ||
                length == L"t") {
                return Need::Int64;
            }
            return Need::Nothing;
        }
        if (c == L'c' || c == L'C' || c == L's' || c == L'S') {
            bool wide = false;
            if (none) wide = (c == L'c' || c == L's') == wideFormat_;
            else if (length == L"h") wide = false;
            else if (length == L"l" || length == L"w") wide = true;
            else return Need::Nothing;
            if (c == L'c' || c == L'C') return wide ? Need::WideChar : Need::NarrowChar;
            return wide ? Need::WideString : Need::NarrowString;
        }
        if (c == L'p') return none ? Need::Pointer : Need::Nothing;
        if (std::wstring_view(L"fFeEgGaA").find(c) != std::wstring_view::npos) {
            return none || length == L"l" || length == L"L" ? Need::Double : Need::Nothing;
        }
        return Need::Nothing;
    }

    // Digits of a width or precision; anything past the limit reads as one more than it.
    int number(std::size_t& i) const {
        int value = 0;
        while (i < format_.size() && format_[i] >= L'0' && format_[i] <= L'9') {
            value = std::min(value * 10 + (format_[i] - L'0'), kMaxWidthOrPrecision + 1);
            ++i;
        }
        return value;
    }

    // A width or precision from the argument list: an int, as the runtime reads it.
    std::optional<long long> starArgument(std::wstring& out, std::wstring_view what) {
        if (next_ >= args_.size()) {
            mismatch(out, what, "missing");
            return std::nullopt;
        }
        const FormatArg& arg = args_[next_++];
        if (!isSmallInteger(arg)) {
            mismatch(out, what, arg.typeName());
            return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(arg.bits()));
    }

    // The index after the length modifier at `i`, if any.
    std::size_t lengthModifier(std::size_t i) const {
        for (const std::wstring_view length : {L"I64", L"I32", L"hh", L"ll", L"h", L"l", L"L", L"w", L"I", L"z", L"j", L"t"}) {
            if (format_.substr(i).starts_with(length)) return i + length.size();
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
    bool wideFormat_;
    std::size_t next_ = 0;
};

}  // namespace

std::wstring formatV(std::wstring_view format, const FormatArgs& args) {
    return Formatter(format, args, true).run();
}

std::string formatV(std::string_view format, const FormatArgs& args) {
    return core::toUtf8(Formatter(core::fromUtf8(format), args, false).run());
}

}  // namespace platform
