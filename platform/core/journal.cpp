#include "platform/core/journal.h"

#include <algorithm>
#include <utility>

#include "platform/core/process.h"

namespace platform::core {

std::wstring JournalEntry::line() const {
    std::wstring out(kind.begin(), kind.end());
    out += L' ';
    out += text;
    return out;
}

void Journal::add(std::string kind, std::wstring text) {
    JournalEntry entry;
    std::vector<std::function<void(const JournalEntry&)>> listeners;
    {
        std::lock_guard lock(mutex_);
        entry.sequence = nextSequence_++;
        entry.kind = std::move(kind);
        entry.text = std::move(text);
        entries_.push_back(entry);
        for (const auto& [id, listener] : listeners_) listeners.push_back(listener);
    }
    for (const auto& listener : listeners) listener(entry);
}

std::vector<JournalEntry> Journal::entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::vector<JournalEntry> Journal::entries(std::string_view kind) const {
    std::lock_guard lock(mutex_);
    std::vector<JournalEntry> out;
    for (const auto& e : entries_)
        if (e.kind == kind) out.push_back(e);
    return out;
}

std::vector<std::wstring> Journal::texts(std::string_view kind) const {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> out;
    for (const auto& e : entries_)
        if (e.kind == kind) out.push_back(e.text);
    return out;
}

bool Journal::contains(std::string_view kind, std::wstring_view text) const {
    std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const JournalEntry& e) { return e.kind == kind && e.text == text; });
}

long long Journal::find(std::string_view kind, std::wstring_view needle, long long from) const {
    std::lock_guard lock(mutex_);
    for (auto i = static_cast<std::size_t>(std::max(from, 0LL)); i < entries_.size(); ++i)
        if (entries_[i].kind == kind && entries_[i].text.find(needle) != std::wstring::npos)
            return static_cast<long long>(i);
    return -1;
}

void Journal::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

int Journal::subscribe(std::function<void(const JournalEntry&)> listener) {
    std::lock_guard lock(mutex_);
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void Journal::unsubscribe(int id) {
    std::lock_guard lock(mutex_);
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

Journal& journal() {
    static Journal& instance = process().journal();
    return instance;
}

namespace {
struct FailureList {
    std::mutex mutex;
    std::vector<std::wstring> pending;
};
FailureList& failures() { return process().table<FailureList>(); }
}  // namespace

void reportFailure(std::wstring what) {
    journal().add("failure", what);
    auto& list = failures();
    std::lock_guard lock(list.mutex);
    list.pending.push_back(std::move(what));
}

std::vector<std::wstring> takeFailures() {
    auto& list = failures();
    std::lock_guard lock(list.mutex);
    return std::exchange(list.pending, {});
}

}  // namespace platform::core
