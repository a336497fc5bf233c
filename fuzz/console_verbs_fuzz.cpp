// The console's verbs on the running program: any script's lines run one after another, each
// done, skipped or refused as a mistake at its point; none ends the program by accident of input
// (quit and start are left out, so later inputs still find it running).
#include "fuzz/program_support.h"

FUZZ_TARGET(console_verbs) {
    fuzz::Program& program = fuzz::Program::instance();
    std::istringstream lines{std::string(fuzz::bytesOf(data, size))};
    for (std::string line; std::getline(lines, line) && program.session().running();) {
        const std::string_view verb = std::string_view(line).substr(0, line.find(' '));
        if (verb == "quit" || verb == "start") continue;
        program.run(line);
    }
    program.forget();
    return 0;
}
