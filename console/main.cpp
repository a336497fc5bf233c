// korvo: Korvo CAD on the stand-in platform, driven by a script or by standard input.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
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
#include "console/end_signals.h"
#include "console/input_lines.h"
#include "console/options.h"
#include "console/printable.h"
#include "console/script.h"
#include "console/transcript.h"
#include "platform/win32/window/window.h"
#include "app/text_tools_outline.h"
#include "app/usercommands/user_commands_outline.h"
#include "commandbars/search/find_command_wnd.h"
#include "commandbars/tab_tool_bar.h"
#include "documentsmenu/browser/console_rows.h"
#include "documentsmenu/window/console_form_factors.h"
#include "documentsmenu/window/console_pane.h"
#include "documentsmenu/console_tree.h"
#include "documentsmenu/watches_outline.h"
#include "platform/core/hostfs.h"
#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "mainframe/frame_modes_outline.h"
#include "mainframe/help/help_outline.h"
#include "mainframe/frame_state_outline.h"
#include "syspanel/choosers/panel_chooser.h"
#include "syspanel/sys_panel_outline.h"

namespace {

using namespace korvo::console;

int fail(const std::string& message) {
    std::cerr << "korvo: " << message << std::endl;
    return kExitScriptError;
}

platform::harness::Config sessionConfig(const Options& options) {
    platform::harness::Config config;
    // `dump costs` shows what the program's work costs on the host.
    config.measureCosts = true;
    if (options.host) {
        config.platform.hostRoot = *options.host;
        config.keepExistingProgramFolder = true;
    }
    if (options.realTime) config.platform.clock = platform::core::ClockMode::Real;
    if (options.lenient) config.platform.modal = platform::core::ModalPolicy::Lenient;
    if (options.monitorWidth > 0) {
        constexpr int kTaskbarHeight = 40;
        platform::core::MonitorConfig& primary = config.platform.monitors.front();
        primary.rect = RECT{0, 0, options.monitorWidth, options.monitorHeight};
        primary.work = RECT{0, 0, options.monitorWidth, options.monitorHeight - kTaskbarHeight};
    }
    for (const auto& [name, value] : options.environment)
        config.platform.environment[platform::core::fromUtf8(name)] = platform::core::fromUtf8(value);
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
void runStandardInput(Driver& driver, EndSignals& signals) {
    const bool interactive = isatty(STDIN_FILENO) != 0;
    if (interactive) {
        driver.goOnAfterMistakes();
        std::cerr << "korvo: type verbs, one a line (start, then idle, dump windows, quit ...); Ctrl-D ends the run, "
                     "korvo --help lists them"
                  << std::endl;
    }
    InputLines input(STDIN_FILENO, signals);
    int lineNumber = 0;
    while (auto line = input.next()) {
        if (signals.received() != 0 || !std::cout) return;
        ++lineNumber;
        // Piped from a file, the input may start as a script file may.
        if (lineNumber == 1) line->erase(0, line->size() - platform::core::withoutUtf8Bom(*line).size());
        auto parsed = parseLine(*line, lineNumber);
        if (!parsed.ok()) {
            driver.scriptError(lineNumber, parsed.error);
            if (interactive) continue;
            return;
        }
        if (parsed.step && !driver.run(*parsed.step)) return;
    }
}

struct RunEnd {
    int exitCode = 0;
    int signal = 0;  // the end signal that cut the run short, 0 when none
};

RunEnd run(const Options& options, EndSignals& signals) {
    std::vector<Step> steps;
    if (options.script) {
        std::string problem;
        const auto text = readScript(*options.script, problem);
        if (!text) return {fail("cannot read the script \"" + printable(*options.script) + "\": " + problem)};
        auto parsed = parseScript(*text, *options.script);
        if (!parsed.ok()) return {fail(parsed.error)};
        steps = std::move(parsed.steps);
    }

    // The session removes a temporary host folder when it ends, so it must end before the
    // process does, however the run stops.
    platform::harness::Config config = sessionConfig(options);
    // A signal gives up a call that keeps the run waiting.
    config.interrupted = [&signals] { return signals.received() != 0; };
    platform::harness::Session session(config);
    platform::win32::setDesktopComposition(options.composition);
    if (!options.host && !std::getenv("KORVO_KEEP_HOST")) {
        signals.onOverdue([root = session.hostRoot()] {
            std::error_code ignored;
            std::filesystem::remove_all(root, ignored);
        });
    }
    Transcript transcript(std::cout);
    transcript.leaveOut(options.quiet);
    Driver driver(session, transcript, std::cerr, options.script ? *options.script : "<stdin>", !options.lenient);
    // A script runs unattended: nobody reads a refusal as it comes, so it fails the run. At the
    // keyboard (or piped in) the operator sees it and goes on.
    if (options.script && !options.lenient) driver.failOnRefusals();
    if (options.script) {
        for (const auto& step : steps) {
            if (signals.received() != 0 || !std::cout || !driver.run(step)) break;
        }
    } else {
        runStandardInput(driver, signals);
    }
    if (const int signal = signals.received()) {
        std::cerr << "korvo: " << EndSignals::name(signal) << ": the program is closed as at the end of the input"
                  << std::endl;
    }
    const int exitCode = driver.finish();
    if (!options.host && platform::core::keepTemporaryHosts()) {
        std::cerr << "korvo: the temporary host folder is kept (KORVO_KEEP_HOST=1): " << printable(session.hostRoot())
                  << std::endl;
    }
    return {exitCode, signals.received()};
}

}  // namespace

int main(int argc, char** argv) {
    korvo::console::setDocumentsMenuHooks({&DocumentsMenu::ConsoleTree::Outline, &DocumentsMenu::ConsoleTree::Expand,
                                           &DocumentsMenu::ConsoleTree::Enter, &DocumentsMenu::ConsoleTree::Rename,
                                           &DocumentsMenu::ConsoleTree::Close});
    korvo::console::setSysPanelOutline(&SysPanelOutline);
    korvo::console::setChooserHooks({&ConsolePickInChooser, &ConsoleAwayFromChooser, &ConsoleDescribeChooser, &ConsoleChooserWindow, &FontListOutline});
    korvo::console::setFrameModesOutline(&FrameModesOutline);
    korvo::console::setFrameStateOutline(&FrameStateOutline);
    korvo::console::setHelpHooks({&RunStartPageLink, &HelpWindowOf, &ClickHelpLink, &HelpOutline});
    korvo::console::setCommandSearchHooks({&FindCommandOutline, &MakeToolBarFromTab});
    korvo::console::setListRowHooks({&DocumentsMenu::BrowserListHeading, &DocumentsMenu::BrowserRowOutline});
    korvo::console::setBrowserPaneOutline(&DocumentsMenu::BrowserPaneOutline);
    korvo::console::setWatchesOutline(&DocumentsMenu::WatchesOutline);
    korvo::console::setFormFactorsOutline(&DocumentsMenu::FormFactorsOutline);
    korvo::console::setFormFactorSearchBox(&DocumentsMenu::FormFactorSearchBox);
    korvo::console::setTextToolHooks({&TipsOutline, &LogWindowOutline, &TextBrowsersOutline});
    korvo::console::setUserCommandHooks({&UserCommandsOutline, &ImportUserCommandsFile});
    const auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "korvo: " << parsed.error << "\nkorvo: korvo --help lists the options and verbs" << std::endl;
        return kExitScriptError;
    }
    if (parsed.options.help) {
        std::cout << usage();
        return 0;
    }
    EndSignals signals;
    // A reader that goes away (korvo | head) ends the run as the end of the input does, instead
    // of killing the process before it could close the program and remove its host folder.
    std::signal(SIGPIPE, SIG_IGN);
    RunEnd end;
    try {
        end = run(parsed.options, signals);
    } catch (const std::exception& error) {
        end.exitCode = fail(printable(error.what()));
    }
    signals.runEnded();
    if (end.signal != 0) signals.endProcessBy(end.signal);
    // A program that ended its process (TerminateProcess) runs nothing more, its static objects'
    // destructors included: the run ends here with its exit code.
    if (platform::core::process().terminated()) {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(end.exitCode);
    }
    return end.exitCode;
}
