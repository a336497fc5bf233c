// The arguments of an operation called by name from a script, read in order: what every reader
// of such a call shares (the next text, the count left, and mistakes named after the operation).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text.h"

namespace platform::harness {

class ArgumentReader {
public:
    ArgumentReader(std::wstring_view operation, const std::vector<std::wstring>& values)
        : operation_(operation), values_(values) {}

    std::wstring text() { return next(); }
    bool more() const { return used_ < values_.size(); }
    void finish() const {
        if (more()) throw bad("too many arguments");
    }

protected:
    const std::wstring& next() {
        if (used_ >= values_.size()) throw bad("missing argument");
        return values_[used_++];
    }
    // How many arguments were taken so far.
    std::size_t used() const { return used_; }
    // The next text without taking it; null when there is none.
    const std::wstring* peek() const { return more() ? &values_[used_] : nullptr; }
    std::invalid_argument bad(const std::string& what) const {
        return std::invalid_argument(platform::core::toUtf8(operation_) + ": " + what);
    }

private:
    std::wstring_view operation_;
    const std::vector<std::wstring>& values_;
    std::size_t used_ = 0;
};

}  // namespace platform::harness
