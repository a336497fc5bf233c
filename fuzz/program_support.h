// Shared by the fuzz targets that act on the running program: one session for the whole fuzzing
// run (the platform's state lives as long as the process), started once over the sample and
// driven as the console drives it. Its temporary host folder goes when the process ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "console/driver.h"
#include "console/script.h"
#include "console/transcript.h"
#include "documentsmenu/console_tree.h"
#include "fuzz/fuzz_support.h"
#include "platform/harness.h"
#include "syspanel/choosers/panel_chooser.h"
#include "syspanel/sys_panel_outline.h"

namespace fuzz {

class Program {
public:
    // The program, started, its loop idle; made at the first call.
    static Program& instance() {
        // Never destroyed: closing the program at exit would outlast what the fuzzer allows.
        static Program* program = new Program;
        return *program;
    }

    platform::harness::Session& session() { return session_; }
    // Runs one console line as the console would; false when it was a mistake at its point, or
    // ended the program.
    bool run(std::string_view line) {
        const auto parsed = korvo::console::parseLine(line, 1);
        if (!parsed.ok() || !parsed.step) return false;
        return driver_.run(*parsed.step) && session_.running();
    }
    // Drops what the last input printed and left in the journal.
    void forget() {
        out_.str({});
        err_.str({});
        session_.takeFailures();
        fuzz::forget();
    }

private:
    static platform::harness::Config config() {
        korvo::console::setDocumentsMenuHooks({&DocumentsMenu::ConsoleTree::Outline, &DocumentsMenu::ConsoleTree::Expand,
                                               &DocumentsMenu::ConsoleTree::Enter, &DocumentsMenu::ConsoleTree::Rename,
                                               &DocumentsMenu::ConsoleTree::Close});
        korvo::console::setSysPanelOutline(&SysPanelOutline);
        korvo::console::setChooserHooks({&ConsolePickInChooser, &ConsoleAwayFromChooser, &ConsoleDescribeChooser, &ConsoleChooserWindow, &FontListOutline});
        platform::harness::Config config;
        config.platform.modal = platform::core::ModalPolicy::Lenient;
        return config;
    }

    Program() : session_(config()), transcript_(out_), driver_(session_, transcript_, err_, "fuzz.korvo", false) {
        static const std::string root = session_.hostRoot();
        // The fuzzer ends with exit(0) while the program still runs: its static objects must not
        // be torn down under it, so the process ends here, with only its host folder removed.
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(root, ignored);
            std::_Exit(0);
        });
        run("documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"");
        run("start");
        run("idle");
        forget();
    }

    platform::harness::Session session_;
    std::ostringstream out_, err_;
    korvo::console::Transcript transcript_;
    korvo::console::Driver driver_;
};

}  // namespace fuzz
