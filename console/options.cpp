#include "console/options.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "console/printable.h"
#include "console/verbs.h"

namespace korvo::console {

namespace {

// The kinds of journal lines, as the transcript prints them.
constexpr const char* kKinds[] = {"log",    "call",   "box",  "window", "user",   "dde",     "warning", "failure",
                                  "file",   "menu",   "dialog", "print", "help",  "process", "thread",  "fault",
                                  "program"};

// "call,log" into kinds; what is wrong, or nothing.
std::string readKinds(const std::string& list, std::set<std::string>& kinds) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string kind = list.substr(start, comma - start);
        if (std::find(std::begin(kKinds), std::end(kKinds), kind) == std::end(kKinds)) {
            std::string known;
            for (const char* name : kKinds) known += std::string(known.empty() ? "" : ", ") + name;
            return "--quiet: unknown kind " + echo(kind) + " (" + known + ")";
        }
        kinds.insert(kind);
        start = comma + 1;
    }
    return {};
}

// "NAME=VALUE" into the environment; what is wrong, or nothing. Names are matched without
// regard to case, as the platform's environment matches them, so one name cannot be given twice.
std::string readVariable(const std::string& assignment, std::map<std::string, std::string>& environment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0)
        return "--env: " + echo(assignment) + " is not NAME=VALUE";
    std::string name = assignment.substr(0, equals);
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const auto& [known, value] : environment) {
        std::string other = known;
        std::transform(other.begin(), other.end(), other.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (other == folded) return "--env: " + echo(name) + " given twice";
    }
    environment[name] = assignment.substr(equals + 1);
    return {};
}

constexpr int kSmallestMonitorSide = 320;
constexpr int kLargestMonitorSide = 16384;

// WIDTHxHEIGHT in pixels, each from 320 to 16384.
std::string readMonitor(const std::string& size, Options& options) {
    const std::size_t times = size.find('x');
    auto side = [](const std::string& digits, int& out) {
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
        out = std::stoi(digits);
        return out >= kSmallestMonitorSide && out <= kLargestMonitorSide;
    };
    if (times == std::string::npos || !side(size.substr(0, times), options.monitorWidth) ||
        !side(size.substr(times + 1), options.monitorHeight))
        return "--monitor: " + echo(size) + " is not WIDTHxHEIGHT (each from 320 to 16384)";
    return {};
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::optional<std::string>& target) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parsed.error = argument + " needs a value";
                return;
            }
            if (target) {
                parsed.error = argument + " given twice";
                return;
            }
            target = arguments[++i];
        };
        if (argument == "--") {
            options.programArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
            break;
        }
        if (argument == "--host") value(options.host);
        else if (argument == "--script") value(options.script);
        else if (argument == "--real-time") options.realTime = true;
        else if (argument == "--lenient") options.lenient = true;
        else if (argument == "--composition") options.composition = true;
        else if (argument == "--quiet") {
            std::optional<std::string> kinds;
            if (!options.quiet.empty()) parsed.error = argument + " given twice";
            else value(kinds);
            if (kinds) parsed.error = readKinds(*kinds, options.quiet);
        }
        else if (argument == "--env") {
            std::optional<std::string> assignment;
            value(assignment);
            if (assignment) parsed.error = readVariable(*assignment, options.environment);
        }
        else if (argument == "--monitor") {
            std::optional<std::string> size;
            if (options.monitorWidth != 0) parsed.error = argument + " given twice";
            else value(size);
            if (size) parsed.error = readMonitor(*size, options);
        }
        else if (argument == "--help" || argument == "-h") options.help = true;
        else parsed.error = "unknown option " + echo(argument);
        if (!parsed.error.empty()) return parsed;
    }
    return parsed;
}

std::string usage() {
    return "usage: korvo [--host DIR] [--real-time] [--lenient] [--script FILE] [--quiet KIND,...] [--env NAME=VALUE ...] [--monitor WIDTHxHEIGHT] [--composition] [-- program arguments]\n"
           "\n"
           "Runs Korvo CAD on the stand-in platform and prints what happens, one line per event.\n"
           "  --host DIR     host folder with the drives and the registry (created when missing;\n"
           "                 its program folder is seeded from the bundled sample only when missing).\n"
           "                 Without it, a fresh temporary folder seeded from the sample and removed\n"
           "                 when the run ends (also by Ctrl-C, SIGTERM or SIGHUP); KORVO_KEEP_HOST=1\n"
           "                 in the environment keeps it and says where it is.\n"
           "  --real-time    the platform clock follows real time (default: it moves only on advance)\n"
           "  --lenient      answer an unexpected box (default button), dialog, chooser, menu or drag\n"
           "                 (cancelled) without failing the run, and let a --script run go on\n"
           "                 after a refusal (by default each fails the run)\n"
           "  --script FILE  read the verbs from FILE (default: standard input)\n"
           "  --quiet KIND,...  leave these kinds of lines out of the transcript (for example call,log)\n"
           "  --env NAME=VALUE  sets the program's environment variable NAME (repeatable)\n"
           "  --monitor WIDTHxHEIGHT  the primary monitor's size in pixels (default 1920x1080); its\n"
           "                 work area leaves 40 pixels at the bottom for the taskbar\n"
           "  --composition  the machine composites the desktop (off by default): the ribbon draws\n"
           "                 into the frame's caption\n"
           "  -- ARGS        the program's own command line (for example -- /Embedding)\n"
           "  --help         this text\n"
           "\n"
           "Verbs, one a line ('#' starts a comment outside quotes; blank lines are ignored). In\n"
           "brackets, what a verb does before start, while the program runs, and once it has ended:\n"
           "runs, nothing (it is skipped) or mistake (the run stops with exit code 2).\n" +
           verbHelp() +
           "\n"
           "Errors go to standard error, each line starting with \"korvo: \".\n";
}

}  // namespace korvo::console
