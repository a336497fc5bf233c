// The one printf-style formatting engine of the platform. Callers hand it a format and a typed
// argument list captured by a variadic template, so a conversion that does not fit its argument
// prints a visible marker ("%!d(string)", "%!d(int64)") and is reported as a strict failure,
// instead of being undefined behaviour.
//
// The type fields read what they read on 64-bit Windows, and nothing else fits: %d %i %u %x %X %o
// and %c an int-sized value (l too: long is 32 bits there; h and hh narrow it), ll and I64 a
// 64-bit one, z I j t a pointer-sized one; %p a pointer; %f %e %g %a a double. In a wide format
// %s and %c are wide and %S and %C narrow, the reverse in a narrow format; h makes a string or
// character narrow and l or w wide in either. Widths and precisions above 100000 are refused;
// below, every digit asked for is printed exactly.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/win32/types.h"

namespace platform {

// One captured argument: its kind, its width in bytes (integers, characters) and its value.
// Strings are copied, so a captured list may outlive the arguments it was made from.
class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Double, Pointer, NarrowString, WideString, Char, WideChar };

    static FormatArg signedInteger(std::int64_t value, int bytes);
    static FormatArg unsignedInteger(std::uint64_t value, int bytes);
    static FormatArg floating(double value);
    static FormatArg pointer(const void* value);
    static FormatArg narrowString(std::string_view text, bool isNull = false);
    static FormatArg wideString(std::wstring_view text, bool isNull = false, const char* typeName = "string");
    static FormatArg narrowChar(char c);
    static FormatArg wideChar(wchar_t c);

    Kind kind() const { return kind_; }
    int bytes() const { return bytes_; }
    std::int64_t signedValue() const { return static_cast<std::int64_t>(bits_); }
    std::uint64_t bits() const { return bits_; }
    double doubleValue() const { return real_; }
    bool isNull() const { return isNull_; }
    const std::string& narrow() const { return narrow_; }
    const std::wstring& wide() const { return wide_; }
    // Short name of the argument's type for mismatch markers: "int", "string", "double", ...
    std::string typeName() const;

private:
    // A value that is all bits: integers, characters, pointers.
    static FormatArg scalar(Kind kind, int bytes, std::uint64_t bits);

    Kind kind_ = Kind::Signed;
    int bytes_ = 0;
    std::uint64_t bits_ = 0;
    double real_ = 0.0;
    bool isNull_ = false;
    const char* typeName_ = nullptr;
    std::string narrow_;
    std::wstring wide_;
};

namespace detail {

template <class T>
concept HasWideView = requires(const T& t) {
    { t.view() } -> std::convertible_to<std::wstring_view>;
};

template <class T>
FormatArg captureFormatArg(const T& value) {
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_array_v<U>) {
        return captureFormatArg(&value[0]);
    } else if constexpr (std::is_same_v<U, bool>) {
        return FormatArg::signedInteger(value ? 1 : 0, 4);
    } else if constexpr (std::is_same_v<U, char>) {
        return FormatArg::narrowChar(value);
    } else if constexpr (std::is_same_v<U, wchar_t> || std::is_same_v<U, char16_t> ||
                         std::is_same_v<U, char32_t>) {
        return FormatArg::wideChar(static_cast<wchar_t>(value));
    } else if constexpr (std::is_enum_v<U>) {
        return captureFormatArg(static_cast<std::underlying_type_t<U>>(value));
    } else if constexpr (std::is_integral_v<U> && sizeof(U) < sizeof(int)) {
        // Promoted to int, as a variadic argument would be.
        return FormatArg::signedInteger(static_cast<std::int64_t>(value), static_cast<int>(sizeof(int)));
    } else if constexpr (std::is_integral_v<U> && std::is_signed_v<U>) {
        return FormatArg::signedInteger(static_cast<std::int64_t>(value), static_cast<int>(sizeof(U)));
    } else if constexpr (std::is_integral_v<U>) {
        return FormatArg::unsignedInteger(static_cast<std::uint64_t>(value), static_cast<int>(sizeof(U)));
    } else if constexpr (std::is_floating_point_v<U>) {
        return FormatArg::floating(static_cast<double>(value));
    } else if constexpr (std::is_same_v<U, std::nullptr_t>) {
        return FormatArg::pointer(nullptr);
    } else if constexpr (std::is_same_v<U, const char*> || std::is_same_v<U, char*>) {
        return value ? FormatArg::narrowString(value) : FormatArg::narrowString({}, true);
    } else if constexpr (std::is_same_v<U, const wchar_t*> || std::is_same_v<U, wchar_t*>) {
        return value ? FormatArg::wideString(value) : FormatArg::wideString({}, true);
    } else if constexpr (std::is_pointer_v<U>) {
        return FormatArg::pointer(static_cast<const void*>(value));
    } else if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, std::string_view>) {
        return FormatArg::narrowString(value);
    } else if constexpr (std::is_same_v<U, std::wstring> || std::is_same_v<U, std::wstring_view>) {
        return FormatArg::wideString(value);
    } else if constexpr (HasWideView<U>) {
        return FormatArg::wideString(value.view(), false, "CString");
    } else {
        static_assert(sizeof(U) == 0, "this type cannot be passed to a printf-style format");
        return {};
    }
}

}  // namespace detail

// The captured argument list that FormatV-style functions take in place of a va_list.
class FormatArgs {
public:
    FormatArgs() = default;

    template <class T>
    FormatArgs& add(const T& value) {
        args_.push_back(detail::captureFormatArg(value));
        return *this;
    }

    std::size_t size() const { return args_.size(); }
    bool empty() const { return args_.empty(); }
    const FormatArg& operator[](std::size_t index) const { return args_[index]; }
    auto begin() const { return args_.begin(); }
    auto end() const { return args_.end(); }

private:
    std::vector<FormatArg> args_;
};

template <class... T>
FormatArgs makeFormatArgs(const T&... values) {
    FormatArgs args;
    (args.add(values), ...);
    return args;
}

// Wide format, wide result.
std::wstring formatV(std::wstring_view format, const FormatArgs& args);
// Narrow (UTF-8) format, UTF-8 result.
std::string formatV(std::string_view format, const FormatArgs& args);

template <class... T>
std::wstring format(std::wstring_view format, const T&... values) {
    return formatV(format, makeFormatArgs(values...));
}

template <class... T>
std::string format(std::string_view format, const T&... values) {
    return formatV(format, makeFormatArgs(values...));
}

}  // namespace platform
