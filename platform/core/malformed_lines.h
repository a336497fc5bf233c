// How the text-file parsers report bad lines: the first few each with file, line and problem,
// then one line counting the rest, so that a file of garbage cannot flood the journal.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform::core {

class MalformedLines {
public:
    static constexpr std::size_t kShown = 5;
    using Sink = std::function<void(std::wstring)>;

    // Reports go to `sink`; without one, to the journal as warnings. `file` names the text in
    // them: "<file>(<line>): <problem>".
    explicit MalformedLines(std::wstring file, Sink sink = {});
    // Counts the lines not shown, if finish() did not.
    ~MalformedLines();
    MalformedLines(const MalformedLines&) = delete;
    MalformedLines& operator=(const MalformedLines&) = delete;

    void report(std::size_t line, std::wstring_view problem);
    // "<file>: N more malformed lines not shown", once, when there were more than kShown.
    void finish();
    std::size_t count() const { return count_; }

private:
    void emit(std::wstring text);

    std::wstring file_;
    Sink sink_;
    std::size_t count_ = 0;
    bool finished_ = false;
};

// The lines of a text file in order, numbered from 1 for the reports above: a leading UTF-8 BOM is
// dropped and a line ends at "\n" or "\r\n".
class TextLines {
public:
    explicit TextLines(std::string_view utf8);
    // The next line without its end; false when none is left.
    bool next(std::string_view& line);
    std::size_t number() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// A piece of input as a warning may quote it: in double quotes, control and other unprintable
// characters escaped (\t, \n, \r, \xNN, \uNNNN), and cut after `limit` characters with "...".
// Backslashes and quotes stay as they are, so Windows paths read as written.
std::wstring quotedInput(std::wstring_view text, std::size_t limit = 80);

}  // namespace platform::core
