// Prints the journal as it is written: one line "<kind> <text>" per entry, from whichever thread
// writes it. What the program or the input put into an entry is made printable first.
#pragma once

#include <mutex>
#include <ostream>
#include <string_view>

#include "platform/core/journal.h"

namespace korvo::console {

class Transcript {
public:
    explicit Transcript(std::ostream& out);
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // One journal entry, on one line whatever its text holds.
    void printEntry(const platform::core::JournalEntry& entry);
    // Text that belongs between journal lines (dumps), its lines kept.
    void print(std::wstring_view text);

private:
    void write(std::wstring_view text, bool keepNewlines);

    std::ostream& out_;
    std::mutex mutex_;
    int subscription_ = 0;
};

}  // namespace korvo::console
