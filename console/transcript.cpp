#include "console/transcript.h"

#include <cwctype>

#include "console/printable.h"
#include "platform/core/text.h"

namespace korvo::console {

namespace {

// The length of the window handle "0x%08x" at text[i], or 0.
std::size_t handleAt(std::wstring_view text, std::size_t i) {
    constexpr std::size_t kLength = 10;
    if (i + kLength > text.size() || text[i] != L'0' || text[i + 1] != L'x') return 0;
    if (i > 0 && std::iswalnum(text[i - 1])) return 0;
    for (std::size_t k = 2; k < kLength; ++k)
        if (!std::iswxdigit(text[i + k])) return 0;
    if (i + kLength < text.size() && std::iswalnum(text[i + kLength])) return 0;
    return kLength;
}

}  // namespace

Transcript::Transcript(std::ostream& out) : out_(out) {
    subscription_ = platform::core::journal().subscribe(
        [this](const platform::core::JournalEntry& entry) { printEntry(entry); });
}

Transcript::~Transcript() { platform::core::journal().unsubscribe(subscription_); }

void Transcript::leaveOut(std::set<std::string> kinds) {
    std::lock_guard lock(mutex_);
    leftOut_ = std::move(kinds);
}

void Transcript::nameWindows(std::function<std::wstring(std::wstring_view handle)> namer) {
    std::lock_guard lock(mutex_);
    namer_ = std::move(namer);
}

std::wstring Transcript::named(std::wstring_view text) const {
    if (!namer_) return std::wstring(text);
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = handleAt(text, i)) {
            std::wstring name = namer_(text.substr(i, length));
            // "main frame 0x00010010" becomes "main frame 1", not "main frame frame 1".
            constexpr std::wstring_view kFrame = L"frame ";
            if (name.starts_with(kFrame) && std::wstring_view(out).ends_with(kFrame)) name.erase(0, kFrame.size());
            out += name.empty() ? std::wstring(text.substr(i, length)) : name;
            i += length;
            continue;
        }
        out += text[i++];
    }
    return out;
}

void Transcript::printEntry(const platform::core::JournalEntry& entry) {
    {
        std::lock_guard lock(mutex_);
        if (leftOut_.contains(entry.kind)) return;
    }
    // The user's actions come from the thread that runs the steps, where windows may be asked about.
    if (entry.kind == "user" && namer_) {
        write(platform::core::fromUtf8(entry.kind) + L" " + named(entry.text), false);
        return;
    }
    write(entry.line(), false);
}

void Transcript::print(std::wstring_view text) { write(text, true); }

void Transcript::collect() {
    std::lock_guard lock(mutex_);
    collected_.clear();
}

std::vector<std::string> Transcript::lines() const {
    std::lock_guard lock(mutex_);
    return collected_;
}

std::string Transcript::labelled(std::string_view utf8) {
    std::lock_guard lock(mutex_);
    return labels_.apply(utf8);
}

void Transcript::write(std::wstring_view text, bool keepNewlines) {
    if (!text.empty() && text.back() == L'\n') text.remove_suffix(1);
    const std::string line = printable(platform::core::toUtf8(text), keepNewlines);
    std::lock_guard lock(mutex_);
    const std::string shown = labels_.apply(line);
    out_ << shown << '\n';
    out_.flush();
    for (std::size_t start = 0; start <= shown.size();) {
        const std::size_t end = std::min(shown.find('\n', start), shown.size());
        collected_.push_back(shown.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace korvo::console
