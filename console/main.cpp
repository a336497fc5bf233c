// korvo: Korvo CAD on the stand-in platform, driven by a script or by standard input.
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "console/driver.h"
#include "console/options.h"
#include "console/transcript.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/script.h"

namespace {

using namespace korvo::console;
namespace script = platform::harness::script;

int fail(const std::string& message) {
    std::cerr << "korvo: " << message << std::endl;
    return kExitScriptError;
}

platform::harness::Config sessionConfig(const Options& options) {
    platform::harness::Config config;
    if (options.host) {
        config.platform.hostRoot = *options.host;
        config.keepExistingProgramFolder = true;
    }
    if (options.realTime) config.platform.clock = platform::core::ClockMode::Real;
    if (options.lenient) config.platform.modal = platform::core::ModalPolicy::Lenient;
    for (const auto& argument : options.programArguments) {
        config.platform.arguments.push_back(platform::core::fromUtf8(argument));
    }
    return config;
}

// The whole text of the script file, or why it cannot be read.
std::optional<std::string> readScript(const std::string& path, std::string& problem) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        problem = "it is a folder";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = std::generic_category().message(errno);
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads verbs from standard input as they come. A mistake typed at a terminal is reported and
// the operator goes on; from a pipe it ends the run like a bad script line.
void runStandardInput(Driver& driver) {
    const bool interactive = isatty(STDIN_FILENO) != 0;
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        // Piped from a file, the input may start as a script file may.
        if (lineNumber == 1) line.erase(0, line.size() - platform::core::withoutUtf8Bom(line).size());
        auto parsed = script::parseLine(line, lineNumber);
        if (!parsed.ok()) {
            driver.scriptError(lineNumber, parsed.error);
            if (interactive) continue;
            return;
        }
        if (parsed.step && !driver.run(*parsed.step)) return;
    }
}

int run(const Options& options) {
    std::vector<script::Step> steps;
    if (options.script) {
        std::string problem;
        const auto text = readScript(*options.script, problem);
        if (!text) return fail("cannot read the script \"" + *options.script + "\": " + problem);
        auto parsed = script::parseScript(*text, *options.script);
        if (!parsed.ok()) return fail(parsed.error);
        steps = std::move(parsed.steps);
    }

    platform::harness::Session session(sessionConfig(options));
    Transcript transcript(std::cout);
    Driver driver(session, transcript, std::cerr, options.script ? *options.script : "<stdin>", !options.lenient);
    if (options.script) {
        for (const auto& step : steps) {
            if (!driver.run(step)) break;
        }
    } else {
        runStandardInput(driver);
    }
    return driver.finish();
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "korvo: " << parsed.error << "\n" << usage();
        return kExitScriptError;
    }
    if (parsed.options.help) {
        std::cout << usage();
        return 0;
    }
    try {
        return run(parsed.options);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}
