#include "platform/core/malformed_lines.h"

#include <cstdint>

#include "platform/core/hex_digits.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"

namespace platform::core {

MalformedLines::MalformedLines(std::wstring file, Sink sink) : file_(std::move(file)), sink_(std::move(sink)) {}

MalformedLines::~MalformedLines() {
    try {
        finish();
    } catch (...) {
        // A count that cannot be reported while unwinding is lost; the lines shown stand.
    }
}

void MalformedLines::report(std::size_t line, std::wstring_view problem) {
    if (++count_ > kShown) return;
    emit(file_ + L"(" + std::to_wstring(line) + L"): " + std::wstring(problem));
}

void MalformedLines::finish() {
    if (finished_) return;
    finished_ = true;
    if (count_ <= kShown) return;
    const std::size_t rest = count_ - kShown;
    emit(file_ + L": " + std::to_wstring(rest) + (rest == 1 ? L" more malformed line" : L" more malformed lines") +
         L" not shown");
}

void MalformedLines::emit(std::wstring text) {
    if (sink_) sink_(std::move(text));
    else journal().add("warning", std::move(text));
}

std::wstring quotedInput(std::wstring_view text, std::size_t limit) {
    std::wstring out = L"\"";
    const std::wstring_view shown = text.substr(0, limit);
    for (const wchar_t c : shown) {
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'\t') out += L"\\t";
        else if (c == L'\n') out += L"\\n";
        else if (c == L'\r') out += L"\\r";
        else if (code < 0x20 || code == 0x7F) {
            out += L"\\x";
            appendUpperHex(out, code, 2);
        } else if ((code >= 0x80 && code < 0xA0) || code == 0xFFFD || code == 0xFEFF || (code >= 0xD800 && code < 0xE000)) {
            out += L"\\u";
            appendUpperHex(out, code, 4);
        } else out += c;
    }
    out += L"\"";
    if (shown.size() < text.size()) out += L"...";
    return out;
}

TextLines::TextLines(std::string_view utf8) : rest_(withoutUtf8Bom(utf8)) {}

bool TextLines::next(std::string_view& line) {
    if (rest_.empty()) return false;
    ++number_;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return true;
}

}  // namespace platform::core
