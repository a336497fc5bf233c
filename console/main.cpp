// korvo: Korvo CAD on the stand-in platform, driven by a script or by standard input.
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
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
        config.platform.hostRoot = std::filesystem::absolute(*options.host).lexically_normal().string();
        config.keepExistingProgramFolder = true;
    }
    if (options.realTime) config.platform.clock = platform::core::ClockMode::Real;
    if (options.lenient) config.platform.modal = platform::core::ModalPolicy::Lenient;
    for (const auto& argument : options.programArguments) {
        config.platform.arguments.push_back(platform::core::fromUtf8(argument));
    }
    return config;
}

// Reads verbs from standard input as they come. A mistake typed at a terminal is reported and
// the operator goes on; from a pipe it ends the run like a bad script line.
bool runStandardInput(Driver& driver) {
    const bool interactive = isatty(STDIN_FILENO) != 0;
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        auto parsed = script::parseLine(line, lineNumber);
        if (!parsed.ok()) {
            driver.scriptError(lineNumber, parsed.error);
            if (interactive) continue;
            return false;
        }
        if (!parsed.step) continue;
        if (!driver.run(*parsed.step)) return false;
    }
    return true;
}

int run(const Options& options) {
    std::vector<script::Step> steps;
    if (options.script) {
        std::ifstream in(*options.script, std::ios::binary);
        if (!in) return fail("cannot read the script \"" + *options.script + "\"");
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        auto parsed = script::parseScript(text, *options.script);
        if (!parsed.ok()) return fail(parsed.error);
        steps = std::move(parsed.steps);
    }
    if (options.host) {
        std::error_code error;
        std::filesystem::create_directories(*options.host, error);
        if (error) return fail("cannot create the host folder \"" + *options.host + "\": " + error.message());
    }

    platform::harness::Session session(sessionConfig(options));
    Transcript transcript(std::cout);
    Driver driver(session, transcript, std::cerr, options.script ? *options.script : "<stdin>", !options.lenient);
    try {
        if (options.script) {
            for (const auto& step : steps) {
                if (!driver.run(step)) break;
            }
        } else {
            runStandardInput(driver);
        }
    } catch (const std::exception& error) {
        std::cerr << "korvo: " << error.what() << std::endl;
        try {
            driver.finish();
        } catch (const std::exception& again) {
            std::cerr << "korvo: " << again.what() << std::endl;
        }
        return kExitScriptError;
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
