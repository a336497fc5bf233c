#include "console/transcript.h"

#include "platform/core/text.h"

namespace korvo::console {

Transcript::Transcript(std::ostream& out) : out_(out) {
    subscription_ = platform::core::journal().subscribe([this](const platform::core::JournalEntry& entry) {
        print(entry.line());
    });
}

Transcript::~Transcript() { platform::core::journal().unsubscribe(subscription_); }

void Transcript::print(const std::wstring& text) {
    std::lock_guard lock(mutex_);
    out_ << platform::core::toUtf8(text);
    if (text.empty() || text.back() != L'\n') out_ << '\n';
    out_.flush();
}

}  // namespace korvo::console
