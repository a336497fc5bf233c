// The program's own command line: korvo [--host DIR] [--real-time] [--lenient] [--script FILE]
// [--quiet KIND,...] [--env NAME=VALUE ...] [--monitor WIDTHxHEIGHT] [--composition] [-- program arguments].
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace korvo::console {

struct Options {
    std::optional<std::string> host;    // host folder; a fresh temporary one when absent
    std::optional<std::string> script;  // script file; standard input when absent
    bool realTime = false;
    bool lenient = false;
    bool composition = false;  // the machine composites the desktop (frames draw into their captions)
    bool help = false;
    std::set<std::string> quiet;  // journal kinds the transcript leaves out
    std::map<std::string, std::string> environment;  // the program's environment variables
    std::vector<std::string> programArguments;  // after "--", handed to the program as its command line
    int monitorWidth = 0;   // the primary monitor's size; 0: the platform's own
    int monitorHeight = 0;
};

struct ParsedOptions {
    Options options;
    std::string error;  // one line; empty when the command line is sound
};

ParsedOptions parseOptions(const std::vector<std::string>& arguments);
std::string usage();

}  // namespace korvo::console
