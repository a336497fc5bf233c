// The console's verbs, registered in one table: the parser reads each verb's syntax from it, the
// driver runs its handler and honours when it may run, `--help` prints it, and a test holds the
// verb tables of docs/console.md to it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "console/script.h"

namespace korvo::console {

class Driver;

// What a verb does at one point of the run.
enum class Effect {
    Runs,     // it does its work
    Nothing,  // it is skipped: there is nothing left to wait for or close
    Mistake,  // the run stops with exit code 2
};

// The points of a run: before `start`, while the program runs, and once it has ended (start-up
// failed, `quit`, or it closed itself).
enum class Phase { BeforeStart, Running, Ended };

struct Verb {
    // Words in lower case are written as they are; the first one names the verb. MS, FRAME, WINDOW,
    // ID and BUTTON are bare arguments, "PATTERN" and "TEXT" quoted ones.
    std::string_view syntax;
    std::string_view help;  // one line
    Effect beforeStart;
    Effect running;
    Effect ended;
    bool (Driver::*handler)(const Step& step);

    std::string_view name() const { return syntax.substr(0, syntax.find(' ')); }
    Effect at(Phase phase) const;
};

std::span<const Verb> verbs();

std::string_view effectName(Effect effect);  // "runs", "nothing", "mistake"

// The verb list of `--help`: one entry a verb, its syntax and the three effects in brackets on
// one line, its help line indented on the next.
std::string verbHelp();

}  // namespace korvo::console
