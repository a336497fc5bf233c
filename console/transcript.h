// Prints the journal as it is written: one line "<kind> <text>" per entry, from whichever thread
// writes it. What the program or the input put into an entry is made printable first, heap
// addresses become stable labels, and the user's actions name windows as the script does.
#pragma once

#include <functional>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "console/heap_labels.h"
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
    // Entries of these kinds are not printed.
    void leaveOut(std::set<std::string> kinds);
    // Says which window a handle in a `user` entry is ("frame 1"); an empty answer keeps the handle.
    void nameWindows(std::function<std::wstring(std::wstring_view handle)> namer);
    // `text` with the handles the namer knows named as it names them.
    std::wstring named(std::wstring_view text) const;
    // Starts a new collection of printed lines (a step begins); lines() are those printed since.
    void collect();
    std::vector<std::string> lines() const;
    // A message for standard error with heap addresses labelled as the transcript labels them.
    std::string labelled(std::string_view utf8);

private:
    void write(std::wstring_view text, bool keepNewlines);

    std::ostream& out_;
    mutable std::mutex mutex_;
    int subscription_ = 0;
    std::set<std::string> leftOut_;
    std::function<std::wstring(std::wstring_view)> namer_;
    HeapLabels labels_;
    std::vector<std::string> collected_;
};

}  // namespace korvo::console
