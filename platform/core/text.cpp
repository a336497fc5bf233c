#include "platform/core/text.h"

#include <cstdint>

namespace platform::core {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t fromCp1252(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) return static_cast<wchar_t>(kCp1252High[b - 0x80]);
    return static_cast<wchar_t>(b);
}

}  // namespace

std::string toUtf8(std::wstring_view text) {
    // Most text is plain ASCII: copied a character a byte, without growing the result.
    std::string out(text.size(), '\0');
    std::size_t ascii = 0;
    while (ascii < text.size() && static_cast<char32_t>(text[ascii]) < 0x80) {
        out[ascii] = static_cast<char>(text[ascii]);
        ++ascii;
    }
    if (ascii == text.size()) return out;
    out.resize(ascii);
    for (wchar_t w : text.substr(ascii)) {
        auto c = static_cast<char32_t>(w);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        appendUtf8(out, c);
    }
    return out;
}

std::string_view withoutUtf8Bom(std::string_view bytes) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    return bytes.starts_with(bom) ? bytes.substr(bom.size()) : bytes;
}

std::wstring fromUtf8(std::string_view bytes) {
    // Every character takes at least one byte, so the text never outgrows the bytes: written in
    // place and cut to length once (files of non-ASCII text are decoded whole at start-up).
    std::wstring out(bytes.size(), L'\0');
    wchar_t* const begin = out.data();
    wchar_t* next = begin;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            *next++ = static_cast<wchar_t>(b0);
            ++i;
            continue;
        }
        // Two-byte sequences (Cyrillic, Greek, accented Latin) fill whole translation files: taken
        // here without the general check. A lead byte below 0xC2 would be an overlong form.
        if (b0 >= 0xC2 && b0 < 0xE0 && i + 1 < bytes.size()) {
            const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
            if ((b1 & 0xC0) == 0x80) {
                *next++ = static_cast<wchar_t>(((b0 & 0x1Fu) << 6) | (b1 & 0x3Fu));
                i += 2;
                continue;
            }
        }
        int length = 0;
        char32_t c = 0;
        if ((b0 & 0xE0) == 0xC0) {
            length = 2;
            c = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            length = 3;
            c = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            length = 4;
            c = b0 & 0x07;
        }
        bool valid = length > 0 && i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (b & 0x3F);
        }
        if (valid) {
            const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
            valid = c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        }
        if (!valid) {
            *next++ = fromCp1252(b0);
            ++i;
            continue;
        }
        *next++ = static_cast<wchar_t>(c);
        i += static_cast<std::size_t>(length);
    }
    out.resize(static_cast<std::size_t>(next - begin));
    return out;
}

std::string toUtf16Le(std::wstring_view text) {
    std::string out;
    auto put = [&out](std::uint16_t unit) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    };
    for (wchar_t w : text) {
        auto c = static_cast<char32_t>(w);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            put(static_cast<std::uint16_t>(0xD800 + (c >> 10)));
            put(static_cast<std::uint16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            put(static_cast<std::uint16_t>(c > 0x10FFFF ? 0xFFFD : c));
        }
    }
    return out;
}

std::wstring fromUtf16Le(std::string_view bytes) {
    std::wstring out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const auto low = static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 2]) |
                                                   (static_cast<unsigned char>(bytes[i + 3]) << 8));
            if (low >= 0xDC00 && low < 0xE000) {
                out.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                i += 2;
                continue;
            }
        }
        out.push_back(static_cast<wchar_t>(unit));
    }
    return out;
}

wchar_t foldCase(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u < 0x80) return (u >= 'A' && u <= 'Z') ? static_cast<wchar_t>(u + 32) : c;
    if ((u >= 0xC0 && u <= 0xDE) && u != 0xD7) return static_cast<wchar_t>(u + 32);
    if (u >= 0x100 && u <= 0x17F) {
        // Latin Extended-A alternates upper/lower, with a shifted run at 0x139..0x148 and 0x179..0x17E.
        if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return (u % 2 == 1) ? static_cast<wchar_t>(u + 1) : c;
        if (u == 0x130 || u == 0x131 || u == 0x138 || u == 0x149 || u == 0x17F) return c;
        return (u % 2 == 0) ? static_cast<wchar_t>(u + 1) : c;
    }
    if (u == 0x178) return static_cast<wchar_t>(0xFF);
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return static_cast<wchar_t>(u + 32);
    if (u >= 0x410 && u <= 0x42F) return static_cast<wchar_t>(u + 32);
    if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
    if (u >= 0x460 && u <= 0x4FF && u != 0x482 && !(u >= 0x483 && u <= 0x489)) {
        if (u >= 0x4C1 && u <= 0x4CE) return (u % 2 == 1) ? static_cast<wchar_t>(u + 1) : c;
        if (u == 0x4C0) return static_cast<wchar_t>(0x4CF);
        return (u % 2 == 0) ? static_cast<wchar_t>(u + 1) : c;
    }
    return c;
}

wchar_t toUpperInvariant(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u < 0x80) return (u >= 'a' && u <= 'z') ? static_cast<wchar_t>(u - 32) : c;
    if ((u >= 0xE0 && u <= 0xFE) && u != 0xF7) return static_cast<wchar_t>(u - 32);
    if (u == 0xFF) return static_cast<wchar_t>(0x178);
    if (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2) return static_cast<wchar_t>(u - 32);
    if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 32);
    if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 80);
    if ((u >= 0x100 && u <= 0x17F) || (u >= 0x460 && u <= 0x4FF)) {
        for (wchar_t candidate : {static_cast<wchar_t>(u - 1), static_cast<wchar_t>(u + 1)}) {
            if (candidate != c && foldCase(candidate) == c) return candidate;
        }
    }
    return c;
}

std::wstring foldCase(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        // Most texts folded (symbols, names) are ASCII: folded here without the call.
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
        else if (static_cast<std::uint32_t>(c) >= 0x80) c = foldCase(c);
    }
    return out;
}

std::wstring toUpperInvariant(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) c = toUpperInvariant(c);
    return out;
}

int compareNoCase(std::wstring_view a, std::wstring_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<std::uint32_t>(a[i]);
        auto y = static_cast<std::uint32_t>(b[i]);
        if (x == y) continue;  // most characters of registry and path names match as they are
        x = static_cast<std::uint32_t>(foldCase(a[i]));
        y = static_cast<std::uint32_t>(foldCase(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
    return text.size() >= suffix.size() && equalsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool wildcardMatch(std::wstring_view pattern, std::wstring_view text) {
    // Iterative match with one backtrack point, linear in practice.
    std::size_t p = 0, t = 0, star = std::wstring_view::npos, mark = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || foldCase(pattern[p]) == foldCase(text[t]))) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            mark = t;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace platform::core
