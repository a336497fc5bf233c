// The readable text format of a registry hive file (see registry_store.h for the grammar).
#include <algorithm>
#include <cstdio>

#include "platform/core/hex_digits.h"
#include "platform/core/registry_store_detail.h"
#include "platform/core/text.h"

namespace platform::core::registry_format {

namespace {

using Key = RegistryStore::Key;

// The writer appends everything to one buffer: a hive is written out after every change,
// so this runs often.

void appendHex(std::uint64_t value, int digits, std::string& out) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

// At least one digit, no leading zeros.
void appendHexNumber(std::uint32_t value, std::string& out) {
    int digits = 1;
    while (digits < 8 && (value >> (digits * 4)) != 0) ++digits;
    appendHex(value, digits, out);
}

bool needsCodeEscape(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF;
}

// "%HH" / "%uHHHH" in key paths, "\xHH" / "\uHHHH" in quoted texts.
void appendCodeEscape(wchar_t c, char lead, std::string& out) {
    const auto u = static_cast<std::uint32_t>(c);
    out.push_back(lead);
    if (u <= 0xFF) {
        if (lead != '%') out.push_back('x');
        appendHex(u, 2, out);
    } else {
        out.push_back('u');
        appendHex(u & 0xFFFF, 4, out);
    }
}

// Appends `text` as UTF-8, except for the characters `isSpecial` picks: `appendSpecial` writes
// those. The runs between them are converted whole.
template <class IsSpecial, class AppendSpecial>
void appendEscaped(std::wstring_view text, std::string& out, IsSpecial isSpecial, AppendSpecial appendSpecial) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isSpecial(text[i])) continue;
        out += toUtf8(text.substr(runStart, i - runStart));
        appendSpecial(text[i], out);
        runStart = i + 1;
    }
    out += toUtf8(text.substr(runStart));
}

// Appends one key name of a section path.
void appendKeyName(std::wstring_view name, std::string& out) {
    appendEscaped(
        name, out, [](wchar_t c) { return c == L'%' || needsCodeEscape(c); },
        [](wchar_t c, std::string& text) { appendCodeEscape(c, '%', text); });
}

void appendQuoted(std::wstring_view value, std::string& out) {
    out.push_back('"');
    appendEscaped(
        value, out, [](wchar_t c) { return c == L'\\' || c == L'"' || needsCodeEscape(c); },
        [](wchar_t c, std::string& text) {
            switch (c) {
                case L'\\': text += "\\\\"; break;
                case L'"': text += "\\\""; break;
                case L'\n': text += "\\n"; break;
                case L'\r': text += "\\r"; break;
                case L'\t': text += "\\t"; break;
                default: appendCodeEscape(c, '\\', text);
            }
        });
    out.push_back('"');
}

void appendBytes(const std::vector<std::uint8_t>& bytes, std::string& out) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) out.push_back(',');
        appendHex(bytes[i], 2, out);
    }
}

void appendValue(const RegistryValue& value, std::string& out) {
    switch (value.type) {
        case REG_SZ:
            appendQuoted(value.text, out);
            return;
        case REG_EXPAND_SZ:
            out += "expand:";
            appendQuoted(value.text, out);
            return;
        case REG_MULTI_SZ:
            out += "multi:";
            for (std::size_t i = 0; i < value.strings.size(); ++i) {
                if (i > 0) out.push_back(',');
                appendQuoted(value.strings[i], out);
            }
            return;
        case REG_DWORD:
            if (auto number = value.asDword()) {
                out += "dword:";
                appendHex(*number, 8, out);
                return;
            }
            break;
        case REG_QWORD:
            if (auto number = value.asQword()) {
                out += "qword:";
                appendHex(*number, 16, out);
                return;
            }
            break;
        case REG_BINARY:
            out += "hex:";
            appendBytes(value.bytes, out);
            return;
        default:
            break;
    }
    out += "hex(";
    appendHexNumber(value.type, out);
    out += "):";
    appendBytes(value.bytes, out);
}

void appendValueLines(const Key& key, std::string& out) {
    for (const auto& [name, value] : key.values()) {
        if (name.empty()) {
            out.push_back('@');
        } else {
            appendQuoted(name, out);
        }
        out.push_back('=');
        appendValue(value, out);
        out.push_back('\n');
    }
}

std::string_view ownValueLines(const OwnFormFile& file, std::uint32_t index);

// Beyond this many bytes a section names its key relative to the section before it, so that a
// deep tree's file grows with the number of keys, not with the square of the depth.
constexpr std::size_t kLongestAbsoluteSection = 1024;

// Writes the sections in depth-first order without recursing. `path` holds the escaped path of
// the key being written, `ends[d]` where its first d names end in it.
void writeSections(const Key& root, VolatileKeys volatileKeys, std::string& out) {
    std::string path;
    std::vector<std::size_t> ends{0};
    std::size_t previousDepth = 0;  // of the last section written
    std::vector<const Key*> pending{&root};
    while (!pending.empty()) {
        const Key& key = *pending.back();
        pending.pop_back();
        if (key.isVolatile && volatileKeys == VolatileKeys::Leave) continue;  // with everything below it
        for (auto it = key.children().rbegin(); it != key.children().rend(); ++it) pending.push_back(it->second.get());
        const OwnFormFile* unread = key.unreadFile();
        if (key.parent == nullptr) {
            // The root has a section only for values of its own.
            if (!(unread ? ownValueLines(*unread, key.unreadSection()).empty() : key.values().empty())) out += "[]\n";
        } else {
            ends.resize(key.depth);
            path.resize(ends.back());
            if (key.depth > 1) path.push_back('\\');
            const std::size_t nameStart = path.size();
            appendKeyName(key.name, path);
            ends.push_back(path.size());
            if (key.isVolatile && !key.parent->isVolatile) out += "; volatile: kept in memory only\n";
            out.push_back('[');
            if (key.depth > 1 && path.size() > kLongestAbsoluteSection) {
                // One '\\' for a child of the previous section's key, one more per level above it.
                out.append(previousDepth - key.depth + 2, '\\');
                out.append(path, nameStart);
            } else {
                out += path;
            }
            out += "]\n";
        }
        previousDepth = key.depth;
        if (unread) {
            // Nothing of it was read, so nothing changed: its lines and those below it stand as
            // the file has them.
            const auto& sections = unread->sections;
            const OwnFormFile::Section& own = sections[key.unreadSection()];
            const OwnFormFile::Section& last = sections[own.end - 1];
            out.append(*unread->text, own.valuesBegin, last.valuesEnd - own.valuesBegin);
            previousDepth = last.depth;
            continue;
        }
        if (key.valueLines.empty()) appendValueLines(key, key.valueLines);
        out += key.valueLines;
    }
}

std::string_view ownValueLines(const OwnFormFile& file, std::uint32_t index) {
    const OwnFormFile::Section& section = file.sections[index];
    return std::string_view(*file.text).substr(section.valuesBegin, section.valuesEnd - section.valuesBegin);
}

// ---- parsing ----

class LineParser {
public:
    explicit LineParser(std::wstring_view line) : text_(line) {}

    bool atEnd() const { return position_ >= text_.size(); }
    bool consume(std::wstring_view literal) {
        if (text_.substr(position_).starts_with(literal)) {
            position_ += literal.size();
            return true;
        }
        return false;
    }
    wchar_t peek() const { return atEnd() ? L'\0' : text_[position_]; }
    void skipSpaces() {
        while (!atEnd() && (text_[position_] == L' ' || text_[position_] == L'\t')) ++position_;
    }

    std::optional<std::wstring> quoted(std::wstring& error) {
        if (!consume(L"\"")) {
            error = L"expected '\"'";
            return std::nullopt;
        }
        std::wstring out;
        while (!atEnd()) {
            const wchar_t c = text_[position_++];
            if (c == L'"') return out;
            if (c != L'\\') {
                out.push_back(c);
                continue;
            }
            if (atEnd()) break;
            const wchar_t escape = text_[position_++];
            switch (escape) {
                case L'\\': out.push_back(L'\\'); break;
                case L'"': out.push_back(L'"'); break;
                case L'n': out.push_back(L'\n'); break;
                case L'r': out.push_back(L'\r'); break;
                case L't': out.push_back(L'\t'); break;
                case L'x':
                case L'u': {
                    auto code = hexDigits(escape == L'x' ? 2 : 4);
                    if (!code) {
                        error = std::wstring(L"bad \\") + escape + L" escape";
                        return std::nullopt;
                    }
                    out.push_back(static_cast<wchar_t>(*code));
                    break;
                }
                default:
                    error = std::wstring(L"unknown escape \\") + escape;
                    return std::nullopt;
            }
        }
        error = L"unterminated string";
        return std::nullopt;
    }

    std::optional<std::uint64_t> hexDigits(std::size_t count) {
        if (position_ + count > text_.size()) return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const int digit = hexDigitValue(text_[position_ + i]);
            if (digit < 0) return std::nullopt;
            value = (value << 4) | static_cast<unsigned>(digit);
        }
        position_ += count;
        return value;
    }

    // "xx,xx,..." up to the end of the line; may be empty.
    std::optional<std::vector<std::uint8_t>> byteList() {
        std::vector<std::uint8_t> bytes;
        skipSpaces();
        if (atEnd()) return bytes;
        while (true) {
            skipSpaces();
            auto byte = hexDigits(2);
            if (!byte) return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(*byte));
            skipSpaces();
            if (atEnd()) return bytes;
            if (!consume(L",")) return std::nullopt;
        }
    }

    // A hexadecimal number of any length up to 8 digits, ended by `terminator`.
    std::optional<DWORD> hexNumberUntil(wchar_t terminator) {
        std::size_t start = position_;
        DWORD value = 0;
        while (!atEnd() && text_[position_] != terminator) {
            const int digit = hexDigitValue(text_[position_]);
            if (digit < 0 || position_ - start >= 8) return std::nullopt;
            value = (value << 4) | static_cast<DWORD>(digit);
            ++position_;
        }
        if (position_ == start || atEnd()) return std::nullopt;
        ++position_;
        return value;
    }

private:
    std::wstring_view text_;
    std::size_t position_ = 0;
};

std::optional<std::wstring> unescapeKeyPath(std::wstring_view text, std::wstring& error) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out.push_back(text[i]);
            continue;
        }
        const bool wide = i + 1 < text.size() && text[i + 1] == L'u';
        const std::size_t digits = wide ? 4 : 2;
        const std::size_t start = i + 1 + (wide ? 1 : 0);
        LineParser parser(text.substr(start, digits));
        auto code = parser.hexDigits(digits);
        if (!code) {
            error = L"bad '%' escape in key path";
            return std::nullopt;
        }
        out.push_back(static_cast<wchar_t>(*code));
        i = start + digits - 1;
    }
    return out;
}

std::optional<RegistryValue> parseData(LineParser& parser, std::wstring& error) {
    if (parser.peek() == L'"') {
        auto text = parser.quoted(error);
        if (!text) return std::nullopt;
        return RegistryValue::sz(*text);
    }
    if (parser.consume(L"expand:")) {
        auto text = parser.quoted(error);
        if (!text) return std::nullopt;
        return RegistryValue::expandSz(*text);
    }
    if (parser.consume(L"multi:")) {
        std::vector<std::wstring> strings;
        parser.skipSpaces();
        while (!parser.atEnd()) {
            auto text = parser.quoted(error);
            if (!text) return std::nullopt;
            strings.push_back(*text);
            parser.skipSpaces();
            if (parser.atEnd()) break;
            if (!parser.consume(L",")) {
                error = L"expected ',' between strings";
                return std::nullopt;
            }
            parser.skipSpaces();
        }
        return RegistryValue::multiSz(std::move(strings));
    }
    if (parser.consume(L"dword:")) {
        auto number = parser.hexDigits(8);
        if (!number) {
            error = L"dword needs 8 hexadecimal digits";
            return std::nullopt;
        }
        return RegistryValue::dword(static_cast<DWORD>(*number));
    }
    if (parser.consume(L"qword:")) {
        auto number = parser.hexDigits(16);
        if (!number) {
            error = L"qword needs 16 hexadecimal digits";
            return std::nullopt;
        }
        return RegistryValue::qword(*number);
    }
    if (parser.consume(L"hex:")) {
        auto bytes = parser.byteList();
        if (!bytes) {
            error = L"bad byte list (expected hex pairs separated by ',')";
            return std::nullopt;
        }
        return RegistryValue::binary(std::move(*bytes));
    }
    if (parser.consume(L"hex(")) {
        auto type = parser.hexNumberUntil(L')');
        if (!type || !parser.consume(L":")) {
            error = L"bad hex(type): prefix";
            return std::nullopt;
        }
        auto bytes = parser.byteList();
        if (!bytes) {
            error = L"bad byte list (expected hex pairs separated by ',')";
            return std::nullopt;
        }
        return RegistryValue::raw(*type, std::move(*bytes));
    }
    error = L"unknown value data (expected \"text\", expand:, multi:, dword:, qword:, hex: or hex(type):)";
    return std::nullopt;
}

std::wstring trimmed(std::wstring_view text) {
    std::size_t start = 0, end = text.size();
    while (start < end && (text[start] == L' ' || text[start] == L'\t')) ++start;
    while (end > start && (text[end - 1] == L' ' || text[end - 1] == L'\t' || text[end - 1] == L'\r')) --end;
    return std::wstring(text.substr(start, end - start));
}

// The key a section line names, made when missing: "[A\\B]" from the hive root, "[\\B]" below the
// previous section's key, each further leading '\\' one level above it.
Key* openSection(std::wstring_view path, Key& root, Key* previous, std::wstring& error) {
    Key* key = &root;
    if (path.starts_with(L'\\')) {
        if (previous == nullptr) {
            error = L"a relative section needs a section before it";
            return nullptr;
        }
        key = previous;
        path.remove_prefix(1);
        for (; path.starts_with(L'\\'); path.remove_prefix(1)) {
            if (key->parent == nullptr) {
                error = L"a relative section climbs above the hive root";
                return nullptr;
            }
            key = key->parent;
        }
        if (path.empty()) {
            error = L"a relative section without a key name";
            return nullptr;
        }
    }
    if (path.empty()) return key;
    while (true) {
        const std::size_t slash = path.find(L'\\');
        const std::wstring_view name = path.substr(0, slash);
        if (name.empty()) {
            error = L"empty key name in a section";
            return nullptr;
        }
        if (name.size() > kMaxKeyNameLength) {
            error = L"key name longer than " + std::to_wstring(kMaxKeyNameLength) + L" characters";
            return nullptr;
        }
        if (key->depth >= kMaxKeyDepth) {
            error = L"keys nested deeper than " + std::to_wstring(kMaxKeyDepth) + L" levels";
            return nullptr;
        }
        key = &key->child(name);
        if (slash == std::wstring_view::npos) return key;
        path.remove_prefix(slash + 1);
    }
}

}  // namespace

std::string quote(std::wstring_view text) {
    std::string out;
    appendQuoted(text, out);
    return out;
}

std::string serialize(Hive hive, const Key& root, VolatileKeys volatileKeys, std::size_t sizeHint) {
    std::string out;
    out.reserve(std::max<std::size_t>(8192, sizeHint + sizeHint / 8));
    out += "; registry hive " + toUtf8(hiveName(hive)) + "\n";
    writeSections(root, volatileKeys, out);
    return out;
}

std::optional<ParseError> parse(std::string_view text, Key& root) {
    text = withoutUtf8Bom(text);
    Key* section = nullptr;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::wstring line = trimmed(fromUtf8(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == L';') continue;

        std::wstring error;
        if (line[0] == L'[') {
            if (line.back() != L']') return ParseError{number, L"section line must end with ']'"};
            auto path = unescapeKeyPath(std::wstring_view(line).substr(1, line.size() - 2), error);
            if (!path) return ParseError{number, error};
            auto opened = openSection(*path, root, section, error);
            if (!opened) return ParseError{number, error};
            section = opened;
            continue;
        }
        if (section == nullptr) return ParseError{number, L"value before the first [key] section"};
        if (!parseValueLine(line, *section, error)) return ParseError{number, error};
    }
    return std::nullopt;
}

bool parseValueLine(std::wstring_view line, Key& key, std::wstring& error) {
    LineParser parser(line);
    std::wstring name;
    if (!parser.consume(L"@")) {
        auto quotedName = parser.quoted(error);
        if (!quotedName) {
            error = L"value name: " + error;
            return false;
        }
        name = *quotedName;
    }
    parser.skipSpaces();
    if (!parser.consume(L"=")) {
        error = L"expected '=' after the value name";
        return false;
    }
    parser.skipSpaces();
    auto value = parseData(parser, error);
    if (!value) return false;
    parser.skipSpaces();
    if (!parser.atEnd()) {
        error = L"unexpected text after the value";
        return false;
    }
    if (name.size() > kMaxValueNameLength) {
        error = L"value name longer than " + std::to_wstring(kMaxValueNameLength) + L" characters";
        return false;
    }
    if (key.findValue(name) != nullptr) {
        error = L"value \"" + name + L"\" appears twice in [" + key.path() + L"]";
        return false;
    }
    key.storeValue(name, std::move(*value));
    return true;
}

}  // namespace platform::core::registry_format
