#include "console/transcript.h"

#include "console/printable.h"
#include "platform/core/text.h"

namespace korvo::console {

Transcript::Transcript(std::ostream& out) : out_(out) {
    subscription_ = platform::core::journal().subscribe(
        [this](const platform::core::JournalEntry& entry) { printEntry(entry); });
}

Transcript::~Transcript() { platform::core::journal().unsubscribe(subscription_); }

void Transcript::printEntry(const platform::core::JournalEntry& entry) { write(entry.line(), false); }

void Transcript::print(std::wstring_view text) { write(text, true); }

void Transcript::write(std::wstring_view text, bool keepNewlines) {
    if (!text.empty() && text.back() == L'\n') text.remove_suffix(1);
    const std::string line = printable(platform::core::toUtf8(text), keepNewlines);
    std::lock_guard lock(mutex_);
    out_ << line << '\n';
    out_.flush();
}

}  // namespace korvo::console
