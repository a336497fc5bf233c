// The console's script language: one verb a line, '#' starts a comment outside quotes, blank
// lines are ignored. Parsing is separate from running so that a whole script is checked before
// the program starts, and a mistake is reported with its file and line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/harness.h"

namespace platform::harness::script {

// A main frame named by its 1-based index among the main frames, or by its window handle.
struct FrameRef {
    unsigned index = 0;        // 1-based; 0 when a handle is given
    std::uintptr_t handle = 0;  // a window handle's 32 significant bits
};

struct Start {};
struct Idle {};
struct Advance { unsigned milliseconds = 0; };
struct Command { FrameRef frame; unsigned id = 0; };
struct ExpectBox { std::wstring pattern; Button answer = Button::Ok; };
struct Dde { std::wstring text; };
struct DumpWindows {};
struct DumpRegistry {};
struct DumpCommands {};
struct DumpFrames {};
struct NewFrame {};
struct PrintJournal {};
struct Quit {};

using Verb = std::variant<Start, Idle, Advance, Command, ExpectBox, Dde, DumpWindows, DumpRegistry, DumpCommands,
                          DumpFrames, NewFrame, PrintJournal, Quit>;

struct Step {
    Verb verb;
    int line = 0;
};

// Either a step, nothing (a blank or comment line), or an error message without the location.
struct LineResult {
    std::optional<Step> step;
    std::string error;
    bool ok() const { return error.empty(); }
};

LineResult parseLine(std::string_view utf8Line, int lineNumber);

struct ScriptResult {
    std::vector<Step> steps;
    std::string error;  // "FILE:LINE: message" for the first bad line; empty when the script is sound
    bool ok() const { return error.empty(); }
};

// `name` is what errors call the script (its path as given on the command line).
ScriptResult parseScript(std::string_view utf8Text, std::string_view name);

// Every verb with its arguments, as usage texts ("advance MS"), joined by `separator`; for
// error messages and the console's help.
std::string verbUsages(std::string_view separator);

// "ok", "cancel", "yes", "no", "abort", "retry", "ignore" (any case).
std::optional<Button> parseButton(std::string_view word);
std::string_view buttonName(Button button);

}  // namespace platform::harness::script
