// The program's automation object: each line is an operation and its arguments as the console's
// `automation` verb takes them (objects a call returned are N.OPERATION); every call answers a
// value or a failure code.
#include "fuzz/program_support.h"

FUZZ_TARGET(automation) {
    fuzz::Program& program = fuzz::Program::instance();
    std::istringstream lines{std::string(fuzz::bytesOf(data, size))};
    for (std::string line; std::getline(lines, line) && program.session().running();) program.run("automation " + line);
    program.forget();
    return 0;
}
