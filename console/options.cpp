#include "console/options.h"

#include "console/printable.h"
#include "console/verbs.h"

namespace korvo::console {

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
        else if (argument == "--help" || argument == "-h") options.help = true;
        else parsed.error = "unknown option " + echo(argument);
        if (!parsed.error.empty()) return parsed;
    }
    return parsed;
}

std::string usage() {
    return "usage: korvo [--host DIR] [--real-time] [--lenient] [--script FILE] [-- program arguments]\n"
           "\n"
           "Runs Korvo CAD on the stand-in platform and prints what happens, one line per event.\n"
           "  --host DIR     host folder with the drives and the registry (created when missing;\n"
           "                 its program folder is seeded from the bundled sample only when missing).\n"
           "                 Without it, a fresh temporary folder seeded from the sample and removed\n"
           "                 when the run ends (also by Ctrl-C, SIGTERM or SIGHUP).\n"
           "  --real-time    the platform clock follows real time (default: it moves only on advance)\n"
           "  --lenient      answer unexpected message boxes with their default button\n"
           "  --script FILE  read the verbs from FILE (default: standard input)\n"
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
