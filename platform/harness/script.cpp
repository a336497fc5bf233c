#include "platform/harness/script.h"

#include "platform/core/numbers.h"
#include "platform/core/text.h"

namespace platform::harness::script {

namespace {

struct Token {
    std::string text;  // UTF-8, escapes resolved
    bool quoted = false;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits a line into bare words and quoted strings; stops at a '#' outside quotes. Inside quotes
// only \" and \\ are escapes, so Windows paths can be written as they are.
std::string tokenize(std::string_view line, std::vector<Token>& tokens) {
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

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

constexpr std::string_view kVerbUsages[] = {
    "start", "idle", "advance MS", "command FRAME ID", "expect box \"PATTERN\" answer BUTTON", "dde \"TEXT\"",
    "dump windows", "dump registry", "dump commands", "dump frames", "new-frame", "journal", "quit",
};

class LineParser {
public:
    explicit LineParser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    LineResult parse(int lineNumber) {
        const std::string verb = tokens_[0].quoted ? std::string{} : tokens_[0].text;
        std::optional<Verb> parsed;
        if (verb == "start") parsed = noArguments(Start{});
        else if (verb == "idle") parsed = noArguments(Idle{});
        else if (verb == "quit") parsed = noArguments(Quit{});
        else if (verb == "journal") parsed = noArguments(PrintJournal{});
        else if (verb == "new-frame") parsed = noArguments(NewFrame{});
        else if (verb == "advance") parsed = advance();
        else if (verb == "command") parsed = command();
        else if (verb == "expect") parsed = expect();
        else if (verb == "dde") parsed = dde();
        else if (verb == "dump") parsed = dump();
        else error_ = "unknown verb " + quoted(tokens_[0].text) + " (verbs: " + verbUsages(", ") + ")";
        LineResult result;
        if (!error_.empty() || !parsed) {
            result.error = error_.empty() ? "malformed line" : error_;
            return result;
        }
        result.step = Step{std::move(*parsed), lineNumber};
        return result;
    }

private:
    template <typename V>
    std::optional<Verb> noArguments(V verb) {
        if (!expectCount(1, tokens_[0].text)) return std::nullopt;
        return verb;
    }

    bool expectCount(std::size_t count, const std::string& usage) {
        if (tokens_.size() == count) return true;
        error_ = (tokens_.size() < count ? "missing argument" : "unexpected text " + quoted(tokens_[count].text)) +
                 "; usage: " + usage;
        return false;
    }

    const Token* word(std::size_t index, const char* what) {
        if (tokens_[index].quoted) {
            error_ = std::string(what) + " must not be quoted";
            return nullptr;
        }
        return &tokens_[index];
    }

    std::optional<Verb> advance() {
        if (!expectCount(2, "advance MS")) return std::nullopt;
        const Token* ms = word(1, "the milliseconds");
        if (!ms) return std::nullopt;
        auto value = parseNumber(ms->text, 0xFFFFFFFFu);
        if (!value) {
            error_ = "advance: " + quoted(ms->text) + " is not a number of milliseconds";
            return std::nullopt;
        }
        return Advance{static_cast<unsigned>(*value)};
    }

    std::optional<Verb> command() {
        if (!expectCount(3, "command FRAME ID (FRAME: 1, 2, ... or a handle 0x...)")) return std::nullopt;
        const Token* frameToken = word(1, "the frame");
        const Token* idToken = word(2, "the command id");
        if (!frameToken || !idToken) return std::nullopt;
        Command command;
        const std::string& frame = frameToken->text;
        // Window handles are counted in 32 bits, as Windows keeps them; anything wider names no window.
        const bool isHandle = hexDigits(frame).has_value();
        auto frameValue = parseNumber(frame, isHandle ? 0xFFFFFFFFu : 0xFFFFu);
        if (!frameValue || *frameValue == 0) {
            error_ = "command: " + quoted(frame) + " is neither a frame number (1, 2, ...) nor a handle (0x...)";
            return std::nullopt;
        }
        if (isHandle) command.frame.handle = static_cast<std::uintptr_t>(*frameValue);
        else command.frame.index = static_cast<unsigned>(*frameValue);
        auto id = parseNumber(idToken->text, 0xFFFFu);
        if (!id) {
            error_ = "command: " + quoted(idToken->text) + " is not a command id (0 to 65535)";
            return std::nullopt;
        }
        command.id = static_cast<unsigned>(*id);
        return command;
    }

    std::optional<Verb> expect() {
        constexpr const char* usage = "expect box \"PATTERN\" answer BUTTON";
        if (!expectCount(5, usage)) return std::nullopt;
        if (tokens_[1].quoted || tokens_[1].text != "box") {
            error_ = "expect: only message boxes can be expected; usage: " + std::string(usage);
            return std::nullopt;
        }
        if (!tokens_[2].quoted) {
            error_ = "expect box: the pattern must be in quotes; usage: " + std::string(usage);
            return std::nullopt;
        }
        if (tokens_[3].quoted || tokens_[3].text != "answer") {
            error_ = "expect box: " + quoted(tokens_[3].text) + " where \"answer\" belongs; usage: " + usage;
            return std::nullopt;
        }
        auto button = tokens_[4].quoted ? std::nullopt : parseButton(tokens_[4].text);
        if (!button) {
            error_ = "expect box: unknown button " + quoted(tokens_[4].text) +
                     " (ok, cancel, yes, no, abort, retry, ignore)";
            return std::nullopt;
        }
        return ExpectBox{platform::core::fromUtf8(tokens_[2].text), *button};
    }

    std::optional<Verb> dde() {
        if (!expectCount(2, "dde \"TEXT\"")) return std::nullopt;
        if (!tokens_[1].quoted) {
            error_ = "dde: the command text must be in quotes";
            return std::nullopt;
        }
        return Dde{platform::core::fromUtf8(tokens_[1].text)};
    }

    std::optional<Verb> dump() {
        if (!expectCount(2, "dump windows | dump registry | dump commands | dump frames")) return std::nullopt;
        const std::string view = tokens_[1].quoted ? std::string{} : tokens_[1].text;
        if (view == "windows") return DumpWindows{};
        if (view == "registry") return DumpRegistry{};
        if (view == "commands") return DumpCommands{};
        if (view == "frames") return DumpFrames{};
        error_ = "dump: unknown view " + quoted(tokens_[1].text) + " (windows, registry, commands, frames)";
        return std::nullopt;
    }

    std::vector<Token> tokens_;
    std::string error_;
};

}  // namespace

LineResult parseLine(std::string_view utf8Line, int lineNumber) {
    std::vector<Token> tokens;
    LineResult result;
    result.error = tokenize(utf8Line, tokens);
    if (!result.ok() || tokens.empty()) return result;
    return LineParser(std::move(tokens)).parse(lineNumber);
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
            result.error = std::string(name) + ":" + std::to_string(lineNumber) + ": " + parsed.error;
            result.steps.clear();
            return result;
        }
        if (parsed.step) result.steps.push_back(std::move(*parsed.step));
    }
    return result;
}

std::string verbUsages(std::string_view separator) {
    std::string text;
    for (std::string_view usage : kVerbUsages) {
        if (!text.empty()) text += separator;
        text += usage;
    }
    return text;
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

std::string_view buttonName(Button button) {
    switch (button) {
        case Button::Ok: return "ok";
        case Button::Cancel: return "cancel";
        case Button::Abort: return "abort";
        case Button::Retry: return "retry";
        case Button::Ignore: return "ignore";
        case Button::Yes: return "yes";
        case Button::No: return "no";
    }
    return "?";
}

}  // namespace platform::harness::script
