// Prints the journal as it is written: one line "<kind> <text>" per entry, from whichever thread
// writes it.
#pragma once

#include <mutex>
#include <ostream>

#include "platform/core/journal.h"

namespace korvo::console {

class Transcript {
public:
    explicit Transcript(std::ostream& out);
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // Text that belongs between journal lines (dumps), kept whole.
    void print(const std::wstring& text);

private:
    std::ostream& out_;
    std::mutex mutex_;
    int subscription_ = 0;
};

}  // namespace korvo::console
