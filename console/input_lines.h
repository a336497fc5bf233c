// The lines of standard input as they come, read so that an end signal can interrupt the wait
// for the next one.
#pragma once

#include <optional>
#include <string>

#include "console/end_signals.h"

namespace korvo::console {

class InputLines {
public:
    InputLines(int fd, EndSignals& signals) : fd_(fd), signals_(signals) {}

    // The next line without its line feed; nothing at the end of the input or when an end
    // signal came.
    std::optional<std::string> next();

private:
    int fd_;
    EndSignals& signals_;
    std::string buffer_;
    bool ended_ = false;
};

}  // namespace korvo::console
