// The journal: every observable event of a run, in order. Tests read it; the console prints it
// as a transcript ("<kind> <text>" a line, e.g. "log 2 Initialized in 0.000 ms").
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

struct JournalEntry {
    std::uint64_t sequence = 0;
    std::string kind;   // "log", "box", "call", "window", "registry", "dde", "warning", "failure", ...
    std::wstring text;  // human-readable payload
    std::wstring line() const;  // "<kind> <text>"
};

class Journal {
public:
    // Thread-safe. Listeners are called synchronously, in registration order, outside the lock.
    void add(std::string kind, std::wstring text);
    std::vector<JournalEntry> entries() const;
    std::vector<JournalEntry> entries(std::string_view kind) const;
    // Texts of the entries of one kind, in order.
    std::vector<std::wstring> texts(std::string_view kind) const;
    bool contains(std::string_view kind, std::wstring_view text) const;
    // Index of the first entry of `kind` whose text contains `needle`, or -1.
    long long find(std::string_view kind, std::wstring_view needle, long long from = 0) const;
    void clear();
    int subscribe(std::function<void(const JournalEntry&)> listener);
    void unsubscribe(int id);

private:
    mutable std::recursive_mutex mutex_;
    std::vector<JournalEntry> entries_;
    std::vector<std::pair<int, std::function<void(const JournalEntry&)>>> listeners_;
    int nextListener_ = 1;
    std::uint64_t nextSequence_ = 1;
};

Journal& journal();

// Something happened that a strict run must not accept (an unexpected message box, a UI thread
// that would block forever, a format that does not fit its argument, a missing resource).
// Recorded as a journal entry of kind "failure" and kept until the harness collects it.
void reportFailure(std::wstring what);
std::vector<std::wstring> takeFailures();

}  // namespace platform::core
