// The console's script language: one verb a line, '#' starts a comment outside quotes, blank
// lines are ignored. Which verbs there are, and what arguments each takes, comes from the verb
// table (console/verbs.h). Parsing is separate from running so that a whole script is checked
// before the program starts, and a mistake is reported with its file and line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/harness.h"

namespace korvo::console {

using platform::harness::Button;

// A main frame named by its 1-based index among the main frames, or by its window handle; with a
// pane id, the window that docking pane of the frame hosts.
struct FrameRef {
    unsigned index = 0;         // 1-based; 0 when a handle is given
    std::uintptr_t handle = 0;  // a window handle's 32 significant bits
    unsigned paneId = 0;        // 0: the frame itself
};

// One word of ARGS: a number or bare word, or a quoted text.
struct ArgumentValue {
    std::wstring text;
    bool quoted = false;
};

// What a line's arguments say; a verb reads the fields its syntax names.
struct Arguments {
    std::string_view verbName;          // the verb's first word, for readers whose words depend on it
    std::wstring operation;             // OPERATION
    std::vector<ArgumentValue> values;  // ARGS: every word after OPERATION (none is fine)
    unsigned number = 0;         // MS, ID, ROW
    unsigned command = 0;        // COMMAND
    int position = 0;            // POS
    FrameRef frame;              // FRAME, WINDOW
    std::wstring text;           // "PATTERN", "TEXT", "CAPTION", "PATH", "ROW", "FILTER"
    std::wstring name;           // "NAME"
    bool quotedChoice = false;   // ID|"CAPTION" was given as a caption
    std::string keyName;         // KEY, ACTION: as the script wrote it
    Button answer = Button::Ok;  // BUTTON
    int scrollBar = 0;           // BAR: SB_HORZ or SB_VERT
    int scrollCode = 0;          // ACTION: an SB_ scroll request ...
    std::optional<platform::harness::User::MouseAction> mouseAction;  // ... or what the mouse does
    int count = 0;               // COUNT: spin steps, negative for the down button
    int panel = 0;               // PANEL: a manipulator panel, 1 or 2
    unsigned key = 0;            // KEY: a virtual-key code ...
    bool keyControl = false;     // ... with Ctrl held
    bool keyAlt = false;         // ... with Alt held
    bool keyShift = false;       // ... with Shift held
    int x = 0;                   // X,Y: a point of a window's client area
    int y = 0;
    int column = 0;              // COL: a list's column, from 0
};

struct Step {
    std::size_t verb = 0;  // index into verbs()
    Arguments arguments;
    int line = 0;
    std::string source;  // the line as written, without its comment and outer blanks
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

// "ok", "cancel", "yes", "no", "abort", "retry", "ignore" (any case).
std::optional<Button> parseButton(std::string_view word);

}  // namespace korvo::console
