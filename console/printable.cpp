#include "console/printable.h"

#include <cstdio>

namespace korvo::console {

namespace {

constexpr std::size_t kEchoLimit = 80;  // bytes of input an error message quotes

std::string hexEscape(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string controlEscape(unsigned char c) {
    switch (c) {
        case '\t': return "\\t";
        case '\n': return "\\n";
        case '\r': return "\\r";
        default: return hexEscape("\\x%02x", c);
    }
}

// The length of the well-formed UTF-8 sequence at `text[i]` (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
    }
    return length;
}

char32_t decode(std::string_view sequence) {
    char32_t code = static_cast<unsigned char>(sequence[0]) & (0xFF >> (sequence.size() + 1));
    for (std::size_t k = 1; k < sequence.size(); ++k) {
        code = (code << 6) | (static_cast<unsigned char>(sequence[k]) & 0x3F);
    }
    return code;
}

// C1 controls and the format characters that reorder or hide text.
bool invisible(char32_t code) {
    return (code >= 0x80 && code <= 0x9F) || (code >= 0x200B && code <= 0x200F) ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2060 && code <= 0x206F) || code == 0xFEFF ||
           (code >= 0xFFF9 && code <= 0xFFFB);
}

}  // namespace

std::string printable(std::string_view utf8, bool keepNewlines) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            if ((c < 0x20 && !(c == '\n' && keepNewlines)) || c == 0x7F) out += controlEscape(c);
            else out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = sequenceLength(utf8, i);
        if (length == 0) {
            out += hexEscape("\\x%02x", c);
            ++i;
            continue;
        }
        const std::string_view sequence = utf8.substr(i, length);
        const char32_t code = decode(sequence);
        if (invisible(code)) out += hexEscape("\\u%04x", static_cast<unsigned>(code));
        else out += sequence;
        i += length;
    }
    return out;
}

// Appended piece by piece: GCC's -O3 warns of an impossible overflow in `"\"" + printable(...)`.
std::string echo(std::string_view utf8) {
    std::string out = "\"";
    if (utf8.size() <= kEchoLimit) {
        out += printable(utf8);
        out += '"';
        return out;
    }
    std::size_t cut = kEchoLimit;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;  // whole characters only
    out += printable(utf8.substr(0, cut));
    out += "...\" (";
    out += std::to_string(utf8.size());
    out += " bytes)";
    return out;
}

std::string quotingSafely(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        const std::size_t open = utf8.find('"');
        const std::size_t close = open == std::string_view::npos ? open : utf8.find('"', open + 1);
        if (close == std::string_view::npos) break;
        out += printable(utf8.substr(0, open)) + echo(utf8.substr(open + 1, close - open - 1));
        utf8.remove_prefix(close + 1);
    }
    return out + printable(utf8);
}

}  // namespace korvo::console
