// Loading a hive file that is exactly in the writer's form. One pass over the bytes checks that
// form, without building anything: such a file parses, and writes back to the same text. The keys
// are then made as they are first used. Anything else (hand-written spacing, escapes, other
// characters than printable ASCII, a key listed twice or out of order) is left to the full
// parser, which also names the line of an error. A text checked before (the store marks a hive
// file whose text passed) is only split into its sections.
#include <string.h>  // memrchr

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/core/registry_store_detail.h"
#include "platform/core/text.h"

namespace platform::core::registry_format {

namespace {

using Section = OwnFormFile::Section;

// Beyond this many values in one key the duplicate check would cost too much for a quick look.
constexpr std::size_t kMostValuesChecked = 64;
// The writer names a key relative to the previous one beyond this length; such files go to the parser.
constexpr std::size_t kLongestPath = 1024;

// About how many section lines there are when the text holds only printable ASCII and line
// feeds; -1 otherwise. A branch-free pass the compiler vectorises.
std::ptrdiff_t sectionLinesIfPlain(std::string_view text) {
    unsigned char bad = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        bad |= static_cast<unsigned char>((static_cast<unsigned char>(byte - 0x20) > 0x5E) & (byte != '\n'));
    }
    if (bad != 0) return -1;
    return static_cast<std::ptrdiff_t>(text.size() / 64);
}

// The characters that end a run of plain text inside quotes.
constexpr auto kQuoteStops = [] {
    std::array<bool, 256> stops{};
    stops['"'] = stops['\\'] = stops['\n'] = true;
    return stops;
}();

// The first of '"', '\\' and line feed at or after `at`, eight bytes at a time while eight are
// left before `end`; the text ends with a line feed, which stops the last bytes' search.
const char* quoteStop(const char* at, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kLows = 0x7F7F7F7F7F7F7F7Full;
    // The high bit of each byte of `word` that equals `byte`, and no other (no carry crosses bytes).
    const auto equal = [](std::uint64_t word, unsigned char byte) {
        const std::uint64_t x = word ^ (kOnes * byte);
        return ~(((x & kLows) + kLows) | x | kLows);
    };
    for (; end - at >= 8; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        const std::uint64_t found = equal(word, '"') | equal(word, '\\') | equal(word, '\n');
        if (found == 0) continue;
        if constexpr (std::endian::native == std::endian::little) return at + std::countr_zero(found) / 8;
        return at + std::countl_zero(found) / 8;
    }
    while (!kQuoteStops[static_cast<unsigned char>(*at)]) ++at;
    return at;
}

// Where the last '\\' of a key path is (npos when none): the C library's search, which steps over
// the name many bytes at a time.
std::size_t lastSeparator(std::string_view path) {
    const void* found = ::memrchr(path.data(), '\\', path.size());
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - path.data()) : std::string_view::npos;
}

char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// NoCaseLess on ASCII names.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = folded(a[i]), y = folded(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// A scanner over the lines of a text that holds only printable ASCII and line feeds and ends
// with one (at `end`): a line feed stops every step, so none needs the line's length.
class Cursor {
public:
    Cursor(const char* at, const char* end) : at_(at), end_(end) {}
    const char* at() const { return at_; }
    bool atLineEnd() const { return *at_ == '\n'; }
    template <std::size_t N>
    bool consume(const char (&literal)[N]) {
        for (std::size_t i = 0; i + 1 < N; ++i)
            if (at_[i] != literal[i]) return false;
        at_ += N - 1;
        return true;
    }
    // A quoted text as the writer quotes printable ASCII: only '\\' and '"' escaped.
    bool quoted() {
        if (*at_ != '"') return false;
        for (const char* p = at_ + 1;; ++p) {
            p = quoteStop(p, end_);
            if (*p == '"') {
                at_ = p + 1;
                return true;
            }
            if (*p == '\n') return false;
            if (*++p != '\\' && *p != '"') return false;
        }
    }
    bool lowerHex(std::size_t digits) {
        for (std::size_t i = 0; i < digits; ++i) {
            const char c = at_[i];
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
        }
        at_ += digits;
        return true;
    }

private:
    const char* at_;
    const char* end_;
};

// The data of a value line as the writer writes it, up to the end of the line.
bool ownFormData(Cursor& cursor) {
    if (*cursor.at() == '"') return cursor.quoted() && cursor.atLineEnd();
    if (cursor.consume("dword:")) return cursor.lowerHex(8) && cursor.atLineEnd();
    if (cursor.consume("qword:")) return cursor.lowerHex(16) && cursor.atLineEnd();
    if (cursor.consume("hex:")) {
        if (cursor.atLineEnd()) return true;
        while (cursor.lowerHex(2)) {
            if (cursor.atLineEnd()) return true;
            if (!cursor.consume(",")) return false;
        }
        return false;
    }
    if (cursor.consume("multi:")) {
        if (cursor.atLineEnd()) return true;
        while (cursor.quoted()) {
            if (cursor.atLineEnd()) return true;
            if (!cursor.consume(",")) return false;
        }
        return false;
    }
    cursor.consume("expand:");
    return cursor.quoted() && cursor.atLineEnd();
}

class Scan {
public:
    Scan(OwnFormFile& file, OwnFormCheck check) : file_(file), text_(*file.text), checked_(check == OwnFormCheck::DoneBefore) {}

    bool run(Hive hive) {
        const std::string header = "; registry hive " + toUtf8(hiveName(hive)) + "\n";
        if (!text_.starts_with(header) || !text_.ends_with('\n')) return false;
        const std::ptrdiff_t sections = checked_ ? static_cast<std::ptrdiff_t>(text_.size() / 64) : sectionLinesIfPlain(text_);
        if (sections < 0) return false;
        file_.sections.reserve(static_cast<std::size_t>(sections) + 1);
        std::size_t at = header.size();
        // The root is section 0, its values those of a "[]" section, which comes first when the
        // root has any.
        file_.sections.push_back(Section{0, 0, 0, at, at, 0, 0});
        open_.push_back(0);
        if (text_.substr(at).starts_with("[]\n")) {
            at += 3;
            file_.sections[0].valuesBegin = at;
            if (!values(at) || (!checked_ && namesSeen_ == 0)) return false;
        }
        while (at < text_.size()) {
            if (!section(at) || !values(at)) return false;
        }
        while (!open_.empty()) close();
        return true;
    }

private:
    // The section line at `at` and its place in the tree: a child of the section before it or
    // of one of that one's parents, after its siblings in the tree's order.
    bool section(std::size_t& at) {
        const std::size_t end = text_.find('\n', at);
        const std::string_view line = text_.substr(at, end - at);
        if (line.size() < 3 || line.front() != '[' || line.back() != ']' || line.size() - 2 > kLongestPath) return false;
        const std::string_view path = line.substr(1, line.size() - 2);
        if (!checked_ && path.find('%') != std::string_view::npos) return false;
        const std::size_t slash = lastSeparator(path);
        const std::size_t nameBegin = slash == std::string_view::npos ? 0 : slash + 1;
        if (nameBegin == path.size() || path.size() - nameBegin > kMaxKeyNameLength) return false;
        std::size_t depth = 1;
        if (slash != std::string_view::npos) {
            // The parent: the open key whose path is as long as the parent path (the open keys'
            // paths grow down the chain), spelled as the writer spelled it (its names were
            // checked on its own line).
            const std::string_view parentPath = path.substr(0, slash);
            depth = open_.size();
            while (depth > 1 && pathOf(open_[depth - 1]).size() > parentPath.size()) --depth;
            if (depth == 1 || pathOf(open_[depth - 1]).size() != parentPath.size()) return false;
            if (!checked_ && pathOf(open_[depth - 1]) != parentPath) return false;
        }
        if (depth > kMaxKeyDepth || depth > open_.size()) return false;
        const std::string_view name = path.substr(nameBegin);
        if (depth < open_.size()) {
            // A later sibling of the key open at that depth.
            if (!checked_ && compareFolded(nameOf(open_[depth]), name) >= 0) return false;
            while (open_.size() > depth) close();
        }
        const std::size_t lineBegin = at + 1;  // path offsets are from the '['
        at = end + 1;
        file_.sections.push_back(Section{lineBegin, lineBegin + nameBegin, lineBegin + path.size(), at, at,
                                         static_cast<std::uint32_t>(depth), 0});
        open_.push_back(static_cast<std::uint32_t>(file_.sections.size() - 1));
        return true;
    }

    // The value lines from `at` up to the next section; they end the section open last.
    bool values(std::size_t& at) {
        if (checked_) {
            at = nextSection(at);
            file_.sections[open_.back()].valuesEnd = at;
            return true;
        }
        names_.clear();
        namesSeen_ = 0;
        const char* const base = text_.data();
        while (at < text_.size() && text_[at] != '[') {
            Cursor cursor(base + at, base + text_.size());
            std::string_view name;
            if (!cursor.consume("@")) {
                if (!cursor.quoted()) return false;
                name = text_.substr(at + 1, static_cast<std::size_t>(cursor.at() - base) - at - 2);
                // The writer spells the unnamed value '@'.
                if (name.empty() || name.size() > kMaxValueNameLength) return false;
            }
            if (!cursor.consume("=") || !ownFormData(cursor)) return false;
            if (++namesSeen_ > kMostValuesChecked) return false;
            for (std::string_view seen : names_)
                if (seen.size() == name.size() && compareFolded(seen, name) == 0) return false;  // the parser names the line
            names_.push_back(name);
            at = static_cast<std::size_t>(cursor.at() - base) + 1;
        }
        file_.sections[open_.back()].valuesEnd = at;
        return true;
    }

    // The start of the first section line at or after the line start `at`, or the text's end: a
    // '[' that starts a line (value lines start with '"' or '@', and quoted line feeds are escaped).
    std::size_t nextSection(std::size_t at) const {
        if (at >= text_.size() || text_[at] == '[') return std::min(at, text_.size());
        const char* const base = text_.data();
        const char* const end = base + text_.size();
        for (const char* p = base + at + 1; p < end; ++p) {
            p = static_cast<const char*>(std::memchr(p, '[', static_cast<std::size_t>(end - p)));
            if (p == nullptr) break;
            if (p[-1] == '\n') return static_cast<std::size_t>(p - base);
        }
        return text_.size();
    }

    std::string_view pathOf(std::uint32_t index) const {
        const Section& section = file_.sections[index];
        return text_.substr(section.pathBegin, section.nameEnd - section.pathBegin);
    }

    std::string_view nameOf(std::uint32_t index) const {
        const Section& section = file_.sections[index];
        return text_.substr(section.nameBegin, section.nameEnd - section.nameBegin);
    }

    void close() {
        file_.sections[open_.back()].end = static_cast<std::uint32_t>(file_.sections.size());
        open_.pop_back();
    }

    OwnFormFile& file_;
    std::string_view text_;
    std::vector<std::uint32_t> open_;  // the sections from the root down to the last one
    std::vector<std::string_view> names_;  // the value names of the section being read
    std::size_t namesSeen_ = 0;
    const bool checked_;  // the text passed the whole check before: only its sections are found
};

}  // namespace

bool loadOwnForm(Hive hive, std::shared_ptr<const std::string> text, RegistryStore::Key& root, OwnFormCheck check) {
    auto file = std::make_shared<OwnFormFile>();
    file->text = std::move(text);
    if (!Scan(*file, check).run(hive)) return false;
    root.leaveUnread(std::move(file), 0);
    return true;
}

}  // namespace platform::core::registry_format
