#include "console/script.h"

#include <algorithm>
#include <cctype>

#include "console/printable.h"
#include "console/verbs.h"
#include "platform/core/numbers.h"
#include "platform/core/text.h"

namespace korvo::console {

namespace {

struct Token {
    std::string text;  // UTF-8, escapes resolved
    bool quoted = false;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits a line into bare words and quoted strings; stops at a '#' outside quotes. Inside quotes
// only \" and \\ are escapes, so Windows paths can be written as they are. `end` is where the
// last word ends.
std::string tokenize(std::string_view line, std::vector<Token>& tokens, std::size_t& end) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isSpace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i];
                if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    token.text.push_back(line[i + 1]);
                    i += 2;
                    continue;
                }
                ++i;
                if (c == '"') {
                    closed = true;
                    break;
                }
                token.text.push_back(c);
            }
            if (!closed) return "unterminated quoted text";
            if (i < line.size() && !isSpace(line[i]) && line[i] != '#') {
                return "quoted text must be followed by a space";
            }
        } else {
            while (i < line.size() && !isSpace(line[i]) && line[i] != '#') {
                if (line[i] == '"') return "a quote inside a word (put the whole text in quotes)";
                token.text.push_back(line[i++]);
            }
        }
        tokens.push_back(std::move(token));
        end = i;
    }
    return {};
}

// The digits of a hexadecimal number written "0x..." (or "0X..."), nothing for any other text.
std::optional<std::string_view> hexDigits(std::string_view text) {
    if (text.size() <= 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
    return text.substr(2);
}

// A decimal or "0x" hexadecimal number up to `max`.
std::optional<std::uint64_t> parseNumber(std::string_view text, std::uint64_t max) {
    const auto hex = hexDigits(text);
    const auto value = platform::core::parseWholeNumber<std::uint64_t>(hex.value_or(text), hex ? 16 : 10);
    if (!value || *value > max) return std::nullopt;
    return value;
}

// Reads one argument into `arguments`; returns what is wrong with it, or nothing.
using ArgumentReader = std::string (*)(const std::string& text, Arguments& arguments);

struct Placeholder {
    std::string_view word;  // as the syntax writes it
    bool quoted;
    ArgumentReader read;
    bool eitherQuoting = false;  // a bare or a quoted word (ID|"CAPTION"); the reader sees which
};

std::string readMilliseconds(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0xFFFFFFFFu);
    if (!value) return echo(text) + " is not a number of milliseconds (0 to 4294967295)";
    arguments.number = static_cast<unsigned>(*value);
    return {};
}

// A progress position: a whole number that may be negative (an unknown amount of work).
std::string readPosition(const std::string& text, Arguments& arguments) {
    const bool negative = !text.empty() && text.front() == '-';
    const auto value = parseNumber(negative ? std::string_view(text).substr(1) : std::string_view(text), 0x7FFFFFFFu);
    if (!value) return echo(text) + " is not a progress position (-2147483647 to 2147483647)";
    arguments.position = negative ? -static_cast<int>(*value) : static_cast<int>(*value);
    return {};
}

std::string readFrame(const std::string& text, Arguments& arguments) {
    // Window handles are counted in 32 bits, as Windows keeps them; anything wider names no window.
    const bool isHandle = hexDigits(text).has_value();
    const auto value = parseNumber(text, isHandle ? 0xFFFFFFFFu : 0xFFFFu);
    if (!value || *value == 0) return echo(text) + " is neither a frame number (1, 2, ...) nor a handle (0x...)";
    if (isHandle) arguments.frame.handle = static_cast<std::uintptr_t>(*value);
    else arguments.frame.index = static_cast<unsigned>(*value);
    return {};
}

// A frame, or the window of one of its docking panes: "FRAME/PANE-ID".
std::string readWindow(const std::string& text, Arguments& arguments) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return readFrame(text, arguments);
    if (std::string error = readFrame(text.substr(0, slash), arguments); !error.empty()) return error;
    const std::string pane = text.substr(slash + 1);
    const auto value = parseNumber(pane, 0xFFFFu);
    if (!value || *value == 0) return echo(text) + ": " + echo(pane) + " is not a docking-pane id (1 to 65535)";
    arguments.frame.paneId = static_cast<unsigned>(*value);
    return {};
}

std::string readCommandId(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0xFFFFu);
    if (!value) return echo(text) + " is not a command id (0 to 65535)";
    arguments.number = static_cast<unsigned>(*value);
    return {};
}

std::string readCommand(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0xFFFFu);
    if (!value) return echo(text) + " is not a command id (0 to 65535)";
    arguments.command = static_cast<unsigned>(*value);
    return {};
}

std::string readButton(const std::string& text, Arguments& arguments) {
    const auto button = parseButton(text);
    if (!button) return "unknown button " + echo(text) + " (ok, cancel, yes, no, abort, retry, ignore)";
    arguments.answer = *button;
    return {};
}

std::string readText(const std::string& text, Arguments& arguments) {
    // A list's row verbs name the list first; a later text (an editor's item) is their NAME.
    const bool second = arguments.verbName == "row" && !arguments.text.empty();
    (second ? arguments.name : arguments.text) = platform::core::fromUtf8(text);
    return {};
}

std::string readOperation(const std::string& text, Arguments& arguments) {
    arguments.operation = platform::core::fromUtf8(text);
    return {};
}

std::string readName(const std::string& text, Arguments& arguments) {
    arguments.name = platform::core::fromUtf8(text);
    return {};
}

// A control's or menu item's id (wider than a command id: the ribbon's own popups have ids past
// 65535), or its caption in quotes.
std::string readIdOrCaption(const std::string& text, Arguments& arguments) {
    if (arguments.quotedChoice) return readText(text, arguments);
    const auto value = parseNumber(text, 0x7FFFFFFFu);
    if (!value) return echo(text) + " is not an id (0 to 2147483647) or a caption in quotes";
    arguments.number = static_cast<unsigned>(*value);
    return {};
}

// The id of a message bar's button (its command id).
std::string readButtonId(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0xFFFFu);
    if (!value) return echo(text) + " is not a button id (0 to 65535)";
    arguments.command = static_cast<unsigned>(*value);
    return {};
}

std::string readScrollBar(const std::string& text, Arguments& arguments) {
    if (text == "horizontal") arguments.scrollBar = SB_HORZ;
    else if (text == "vertical") arguments.scrollBar = SB_VERT;
    else return "unknown scroll bar " + echo(text) + " (horizontal, vertical)";
    return {};
}

// ACTION is a scroll request or a mouse action; the verb's first word says which its line takes.
// A scroll word on a mouse line is refused by name; a scroll line reads scroll words alone, as it
// always has ("up" and "down" are no scroll actions there either).
std::string readScrollAction(const std::string& text, Arguments& arguments) {
    static const struct {
        const char* name;
        int code;
    } kActions[] = {{"line-up", SB_LINEUP},     {"line-left", SB_LINELEFT}, {"line-down", SB_LINEDOWN},
                    {"line-right", SB_LINERIGHT}, {"page-up", SB_PAGEUP},   {"page-left", SB_PAGELEFT},
                    {"page-down", SB_PAGEDOWN}, {"page-right", SB_PAGERIGHT}, {"top", SB_TOP},
                    {"left", SB_LEFT},          {"bottom", SB_BOTTOM},      {"right", SB_RIGHT}};
    for (const auto& action : kActions) {
        if (text == action.name) {
            arguments.scrollCode = action.code;
            arguments.keyName = text;
            return {};
        }
    }
    return "unknown scroll action " + echo(text) +
           " (line-up, line-down, page-up, page-down, top, bottom; or left and right for up and down)";
}

std::string readMouseAction(const std::string& text, Arguments& arguments) {
    using Action = platform::harness::User::MouseAction;
    static const struct {
        const char* name;
        Action action;
    } kActions[] = {{"click", Action::Click}, {"dblclick", Action::DoubleClick}, {"rclick", Action::RightClick},
                    {"down", Action::Down},   {"up", Action::Up},                {"move", Action::Move},
                    {"rdown", Action::RightDown}, {"rup", Action::RightUp}};
    for (const auto& action : kActions) {
        if (text == action.name) {
            arguments.mouseAction = action.action;
            arguments.keyName = text;
            return {};
        }
    }
    return "unknown mouse action " + echo(text) + " (click, dblclick, rclick, down, up, move, rdown, rup)";
}

std::string readAction(const std::string& text, Arguments& arguments) {
    if (arguments.verbName == "mouse" || arguments.verbName == "chooser-mouse") {
        Arguments probe;
        if (readScrollAction(text, probe).empty())
            return echo(text) + " is a scroll action, not a mouse action (click, dblclick, rclick, down, up, move, rdown, rup)";
        return readMouseAction(text, arguments);
    }
    return readScrollAction(text, arguments);
}

// Clicks of a spin button: up for a positive count, down for a negative one; never 0.
std::string readSpinCount(const std::string& text, Arguments& arguments) {
    const bool negative = !text.empty() && text.front() == '-';
    const auto value = parseNumber(negative ? std::string_view(text).substr(1) : std::string_view(text), 1000u);
    if (!value || *value == 0) return echo(text) + " is not a spin count (-1000 to -1 or 1 to 1000)";
    arguments.count = negative ? -static_cast<int>(*value) : static_cast<int>(*value);
    return {};
}

// A key by name, with "Ctrl+" and "Alt+" before it for the keys held with it.
std::string readKey(const std::string& text, Arguments& arguments) {
    static const struct {
        const char* name;
        unsigned key;
    } kKeys[] = {{"Up", VK_UP},          {"Down", VK_DOWN},         {"Left", VK_LEFT},   {"Right", VK_RIGHT},
                 {"Home", VK_HOME},      {"End", VK_END},           {"Delete", VK_DELETE}, {"Backspace", VK_BACK},
                 {"Enter", VK_RETURN},   {"Esc", VK_ESCAPE},        {"Tab", VK_TAB},     {"F1", VK_F1},
                 {"F2", VK_F2},          {"F3", VK_F3},             {"F4", VK_F4},       {"F5", VK_F5},
                 {"F6", VK_F6},          {"F7", VK_F7},             {"F8", VK_F8},       {"F9", VK_F9},
                 {"F10", VK_F10},        {"F11", VK_F11},           {"F12", VK_F12},     {"Space", VK_SPACE},
                 {"Alt", static_cast<unsigned>(VK_MENU)}};
    std::string_view rest = text;
    arguments.keyControl = arguments.keyAlt = arguments.keyShift = false;
    for (bool more = true; more;) {
        more = false;
        if (rest.starts_with("Shift+")) {
            arguments.keyShift = more = true;
            rest.remove_prefix(6);
        } else if (rest.starts_with("Ctrl+")) {
            arguments.keyControl = more = true;
            rest.remove_prefix(5);
        } else if (rest.starts_with("Alt+")) {
            arguments.keyAlt = more = true;
            rest.remove_prefix(4);
        }
    }
    for (const auto& key : kKeys) {
        if (rest == key.name) {
            arguments.key = key.key;
            arguments.keyName = text;
            return {};
        }
    }
    if (rest.size() == 1 && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= '0' && rest[0] <= '9'))) {
        arguments.key = static_cast<unsigned char>(rest[0]);
        arguments.keyName = text;
        return {};
    }
    // Any virtual-key code, written as 0x followed by two hex digits.
    if (rest.size() == 4 && rest.starts_with("0x") && std::isxdigit(static_cast<unsigned char>(rest[2])) &&
        std::isxdigit(static_cast<unsigned char>(rest[3]))) {
        const unsigned code = static_cast<unsigned>(std::stoul(std::string(rest.substr(2)), nullptr, 16));
        if (code != 0) {
            arguments.key = code;
            arguments.keyName = text;
            return {};
        }
    }
    return "unknown key " + echo(text) +
           " (Up, Down, Left, Right, Home, End, Delete, Backspace, Enter, Esc, Tab, Space, Alt, F1 to F12, A to Z, 0 to 9, "
           "0x01 to 0xFF; Ctrl+, Alt+ or Shift+ before it)";
}

std::string readRow(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0x7FFFFFFFu);
    if (!value) return echo(text) + " is not a row (0 to 2147483647)";
    arguments.number = static_cast<unsigned>(*value);
    return {};
}

std::string readThumbPosition(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0x7FFFFFFFu);
    if (!value) return echo(text) + " is not a scroll position (0 to 2147483647)";
    arguments.number = static_cast<unsigned>(*value);
    return {};
}

std::string readPanel(const std::string& text, Arguments& arguments) {
    if (text != "1" && text != "2") return echo(text) + " is not a manipulator panel (1 or 2)";
    arguments.panel = text == "1" ? 1 : 2;
    return {};
}

// A point of a window's client area: "X,Y", each a whole number that may be negative.
std::string readPoint(const std::string& text, Arguments& arguments) {
    const std::size_t comma = text.find(',');
    auto coordinate = [](std::string_view part) -> std::optional<int> {
        const bool negative = !part.empty() && part.front() == '-';
        const auto value = parseNumber(negative ? part.substr(1) : part, 32767u);
        if (!value) return std::nullopt;
        return negative ? -static_cast<int>(*value) : static_cast<int>(*value);
    };
    const auto x = comma == std::string::npos ? std::nullopt : coordinate(std::string_view(text).substr(0, comma));
    const auto y = comma == std::string::npos ? std::nullopt : coordinate(std::string_view(text).substr(comma + 1));
    if (!x || !y) return echo(text) + " is not a point X,Y (each -32767 to 32767)";
    arguments.x = *x;
    arguments.y = *y;
    return {};
}

// A colour "R,G,B", each 0 to 255; kept as a Windows colour in `number`.
std::string readColour(const std::string& text, Arguments& arguments) {
    unsigned parts[3] = {0, 0, 0};
    std::string_view rest = text;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? rest.find(',') : std::string_view::npos;
        if (i < 2 && comma == std::string_view::npos) return echo(text) + " is not a colour R,G,B (each 0 to 255)";
        const auto value = parseNumber(rest.substr(0, comma), 255u);
        if (!value) return echo(text) + " is not a colour R,G,B (each 0 to 255)";
        parts[i] = static_cast<unsigned>(*value);
        if (i < 2) rest.remove_prefix(comma + 1);
    }
    arguments.number = parts[0] | (parts[1] << 8) | (parts[2] << 16);
    return {};
}

// A whole number that may be negative (a framework item's custom id, a row or -1 for none).
std::string readSignedNumber(const std::string& text, Arguments& arguments) {
    const bool negative = !text.empty() && text.front() == '-';
    const auto value = parseNumber(negative ? std::string_view(text).substr(1) : std::string_view(text), 0x7FFFFFFFu);
    if (!value) return echo(text) + " is not a whole number (-2147483647 to 2147483647)";
    arguments.position = negative ? -static_cast<int>(*value) : static_cast<int>(*value);
    return {};
}

// Rows of a list: "N" or "N,M,..." (from 0; a single -1 stands for no row). Both row forms read
// through here, since the verb is told apart only by the word after them.
std::string readRows(const std::string& text, Arguments& arguments) {
    if (text == "-1") {
        arguments.position = -1;
        arguments.values.push_back({L"-1", false});
        return {};
    }
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const auto value = parseNumber(rest.substr(0, comma), 0x7FFFFFFFu);
        if (!value) return echo(text) + " is not a row or rows N,M,... (each 0 or more)";
        if (arguments.values.empty()) arguments.position = static_cast<int>(*value);
        arguments.values.push_back({std::to_wstring(*value), false});
        if (comma == std::string_view::npos) return {};
        rest.remove_prefix(comma + 1);
    }
}

std::string readColumn(const std::string& text, Arguments& arguments) {
    const auto value = parseNumber(text, 0x7FFFFFFFu);
    if (!value) return echo(text) + " is not a column (0 or more)";
    arguments.column = static_cast<int>(*value);
    return {};
}

constexpr Placeholder kPlaceholders[] = {
    {"X,Y", false, &readPoint},
    {"MS", false, &readMilliseconds},   {"FRAME", false, &readFrame},  {"WINDOW", false, &readWindow},
    {"ID", false, &readCommandId},      {"POS", false, &readPosition},
    {"BUTTON", false, &readButton},     {"\"PATTERN\"", true, &readText}, {"\"TEXT\"", true, &readText},
    {"\"CAPTION\"", true, &readText},   {"ID|\"CAPTION\"", false, &readIdOrCaption, true},
    {"ID|\"NAME\"", false, &readIdOrCaption, true},
    {"\"PATH\"", true, &readText},    {"\"URL\"", true, &readText},    {"\"ROW\"", true, &readText},    {"\"NAME\"", true, &readName},
    {"OPERATION", false, &readOperation},
    {"COMMAND", false, &readCommand},
    {"BAR", false, &readScrollBar},     {"ACTION", false, &readAction}, {"THUMB", false, &readThumbPosition},
    {"COUNT", false, &readSpinCount},   {"KEY", false, &readKey},
    {"BUTTON-ID", false, &readButtonId},
    {"PANEL", false, &readPanel},
    {"\"ID\"", true, &readText},      {"ITEM-ID", false, &readSignedNumber},
    {"\"KEY\"", true, &readText},
    {"ROWS", false, &readRows},     {"N", false, &readRows},
    {"ROW", false, &readRow},           {"\"FILTER\"", true, &readText},
    {"\"ITEM\"", true, &readText},     {"R,G,B", false, &readColour},
    {"\"OLD\"", true, &readText},       {"\"NEW\"", true, &readName},
    {"COL", false, &readColumn},
    {"\"FILE\"", true, &readText},
};

// The syntax word that takes the rest of the line, word by word.
constexpr std::string_view kRestOfLine = "ARGS";
// The syntax word that repeats the argument before it for the rest of the line (none is fine).
constexpr std::string_view kRepeat = "...";

const Placeholder* placeholder(std::string_view word) {
    for (const Placeholder& candidate : kPlaceholders) {
        if (candidate.word == word) return &candidate;
    }
    return nullptr;
}

std::vector<std::string_view> words(std::string_view syntax) {
    std::vector<std::string_view> result;
    while (!syntax.empty()) {
        const std::size_t space = syntax.find(' ');
        result.push_back(syntax.substr(0, space));
        syntax = space == std::string_view::npos ? std::string_view{} : syntax.substr(space + 1);
    }
    return result;
}

std::string joined(const std::vector<std::string_view>& items, std::string_view separator) {
    std::string text;
    for (std::string_view item : items) {
        if (!text.empty()) text += separator;
        text += item;
    }
    return text;
}

// The verbs a line may mean, narrowed word by word as the line is matched against their syntax.
class LineMatcher {
public:
    explicit LineMatcher(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    LineResult match(int lineNumber) {
        LineResult result;
        const Token& first = tokens_.front();
        for (std::size_t index = 0; index < verbs().size(); ++index) {
            if (!first.quoted && verbs()[index].name() == first.text) candidates_.push_back(index);
        }
        if (candidates_.empty()) {
            std::vector<std::string_view> names;
            for (const Verb& verb : verbs()) {
                if (std::find(names.begin(), names.end(), verb.name()) == names.end()) names.push_back(verb.name());
            }
            result.error = "unknown verb " + echo(first.text) + " (verbs: " + joined(names, ", ") + ")";
            return result;
        }
        usage_ = usage();
        Step step;
        step.line = lineNumber;
        step.arguments.verbName = verbs()[candidates_.front()].name();
        for (std::size_t position = 1; result.error.empty(); ++position) {
            keepByLength(position);
            const auto syntax = words(verbs()[candidates_.front()].syntax);
            if (position >= syntax.size() && position >= tokens_.size()) break;
            if (position < syntax.size() && syntax[position] == kRepeat) {
                const Placeholder* repeated = placeholder(syntax[position - 1]);
                for (std::size_t rest = position; rest < tokens_.size() && result.error.empty(); ++rest) {
                    if (repeated && repeated->quoted != tokens_[rest].quoted) {
                        result.error = std::string(repeated->word) + (repeated->quoted ? " must be in quotes" : " must not be in quotes") +
                                       "; usage: " + usage_;
                        break;
                    }
                    step.arguments.values.push_back({platform::core::fromUtf8(tokens_[rest].text), tokens_[rest].quoted});
                }
                break;
            }
            if (position < syntax.size() && syntax[position] == kRestOfLine) {
                for (std::size_t rest = position; rest < tokens_.size(); ++rest) {
                    step.arguments.values.push_back({platform::core::fromUtf8(tokens_[rest].text), tokens_[rest].quoted});
                }
                break;
            }
            result.error = matchWord(position, syntax, step.arguments);
        }
        if (!result.error.empty()) {
            result.error = std::string(first.text) + ": " + result.error;
            return result;
        }
        step.verb = candidates_.front();
        result.step = std::move(step);
        return result;
    }

private:
    // Verbs that differ only in trailing words ("close FRAME", "close FRAME help"): while the
    // line goes on, those that end before `position` drop out; once it has ended, those that go
    // on do (when some candidates remain either way).
    void keepByLength(std::size_t position) {
        std::vector<std::size_t> kept;
        const bool lineGoesOn = position < tokens_.size();
        for (std::size_t index : candidates_) {
            const auto syntax = words(verbs()[index].syntax);
            const bool open = !syntax.empty() && (syntax.back() == kRestOfLine || syntax.back() == kRepeat);
            const bool ends = syntax.size() <= position || (open && syntax.size() == position + 1);
            if (lineGoesOn ? (syntax.size() > position || open) : ends) kept.push_back(index);
        }
        if (!kept.empty() && kept.size() != candidates_.size()) candidates_ = std::move(kept);
    }

    // Matches the line's word at `position` against the syntax's; what is wrong, or nothing.
    std::string matchWord(std::size_t position, const std::vector<std::string_view>& syntax, Arguments& arguments) {
        if (position >= tokens_.size()) return "missing argument; usage: " + usage_;
        const Token& token = tokens_[position];
        if (position >= syntax.size()) {
            // A verb may be another's with a word more at the end ("... X,Y ctrl").
            std::vector<std::size_t> longer;
            for (std::size_t index : candidates_) {
                if (words(verbs()[index].syntax).size() > position) longer.push_back(index);
            }
            if (longer.empty()) return "unexpected text " + echo(token.text) + "; usage: " + usage_;
            candidates_ = std::move(longer);
            return matchWord(position, words(verbs()[candidates_.front()].syntax), arguments);
        }
        const Placeholder* argument = placeholder(syntax[position]);
        if (argument && candidates_.size() == 1) return read(*argument, token, arguments);
        return narrow(position, token, arguments);
    }

    std::string usage() const {
        std::vector<std::string_view> syntaxes;
        for (std::size_t index : candidates_) syntaxes.push_back(verbs()[index].syntax);
        return joined(syntaxes, " | ");
    }

    std::string read(const Placeholder& argument, const Token& token, Arguments& arguments) const {
        const std::string name(argument.word);
        if (argument.eitherQuoting) {
            arguments.quotedChoice = token.quoted;
            return argument.read(token.text, arguments);
        }
        if (argument.quoted && !token.quoted) return name + " must be in quotes; usage: " + usage_;
        if (!argument.quoted && token.quoted) return name + " must not be in quotes; usage: " + usage_;
        return argument.read(token.text, arguments);
    }

    // Keeps the candidates whose word at `position` is the token; without one, the candidates
    // that take an argument there read it; says which words belong there when neither is.
    std::string narrow(std::size_t position, const Token& token, Arguments& arguments) {
        std::vector<std::string_view> expected;
        std::vector<std::size_t> kept;
        std::vector<std::size_t> takingArgument;
        for (std::size_t index : candidates_) {
            const std::string_view word = words(verbs()[index].syntax).at(position);
            if (std::find(expected.begin(), expected.end(), word) == expected.end()) expected.push_back(word);
            if (placeholder(word)) takingArgument.push_back(index);
            else if (!token.quoted && word == token.text) kept.push_back(index);
        }
        if (!kept.empty()) {
            candidates_ = std::move(kept);
            return {};
        }
        if (!takingArgument.empty()) {
            // Verbs that differ in taking a bare or a quoted argument here: the quoting decides.
            std::vector<std::size_t> fitting;
            for (std::size_t index : takingArgument) {
                const Placeholder* argument = placeholder(words(verbs()[index].syntax).at(position));
                if (argument->eitherQuoting || argument->quoted == token.quoted) fitting.push_back(index);
            }
            candidates_ = fitting.empty() ? std::move(takingArgument) : std::move(fitting);
            return read(*placeholder(words(verbs()[candidates_.front()].syntax).at(position)), token, arguments);
        }
        const std::string belongs = expected.size() == 1 ? "\"" + std::string(expected.front()) + "\""
                                                         : "one of " + joined(expected, ", ");
        const std::string quotedNote = token.quoted ? " (in quotes)" : "";
        return echo(token.text) + quotedNote + " where " + belongs + " belongs; usage: " + usage_;
    }

    std::vector<Token> tokens_;
    std::vector<std::size_t> candidates_;
    std::string usage_;
};

}  // namespace

LineResult parseLine(std::string_view utf8Line, int lineNumber) {
    std::vector<Token> tokens;
    LineResult result;
    std::size_t end = 0;
    result.error = tokenize(utf8Line, tokens, end);
    if (!result.ok() || tokens.empty()) return result;
    result = LineMatcher(std::move(tokens)).match(lineNumber);
    if (result.step) {
        const std::size_t begin = utf8Line.find_first_not_of(" \t\r\n");
        result.step->source = std::string(utf8Line.substr(begin, end - begin));
    }
    return result;
}

ScriptResult parseScript(std::string_view utf8Text, std::string_view name) {
    ScriptResult result;
    utf8Text = platform::core::withoutUtf8Bom(utf8Text);
    int lineNumber = 0;
    while (!utf8Text.empty()) {
        ++lineNumber;
        const std::size_t end = utf8Text.find('\n');
        std::string_view line = utf8Text.substr(0, end);
        utf8Text = end == std::string_view::npos ? std::string_view{} : utf8Text.substr(end + 1);
        LineResult parsed = parseLine(line, lineNumber);
        if (!parsed.ok()) {
            result.error = printable(name) + ":" + std::to_string(lineNumber) + ": " + parsed.error;
            result.steps.clear();
            return result;
        }
        if (parsed.step) result.steps.push_back(std::move(*parsed.step));
    }
    return result;
}

std::optional<Button> parseButton(std::string_view word) {
    const std::wstring folded = platform::core::foldCase(platform::core::fromUtf8(word));
    if (folded == L"ok") return Button::Ok;
    if (folded == L"cancel") return Button::Cancel;
    if (folded == L"abort") return Button::Abort;
    if (folded == L"retry") return Button::Retry;
    if (folded == L"ignore") return Button::Ignore;
    if (folded == L"yes") return Button::Yes;
    if (folded == L"no") return Button::No;
    return std::nullopt;
}

}  // namespace korvo::console
