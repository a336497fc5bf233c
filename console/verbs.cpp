#include "console/verbs.h"

#include <algorithm>

#include "console/driver.h"

namespace korvo::console {

namespace {

constexpr Effect R = Effect::Runs;
constexpr Effect N = Effect::Nothing;
constexpr Effect M = Effect::Mistake;

}  // namespace

Effect Verb::at(Phase phase) const {
    switch (phase) {
        case Phase::BeforeStart: return beforeStart;
        case Phase::Running: return running;
        case Phase::Ended: return ended;
    }
    return Effect::Mistake;
}

std::span<const Verb> verbs() {
    // Waiting (idle, advance) and closing (quit) do nothing once the program has ended; acting on
    // it is a mistake then, and so is everything but looking and expecting before it starts.
    static constexpr Verb table[] = {
        {"start", "runs the program's start-up (the framework's InitInstance)", R, M, M, &Driver::start},
        {"idle", "runs the message loop until nothing is left to do", M, R, N, &Driver::idle},
        {"advance MS", "moves the clock MS milliseconds, then runs the loop until idle", M, R, N, &Driver::advance},
        {"command WINDOW ID",
         "sends command ID to main frame (or pane window) WINDOW as a menu item does, then runs the loop until idle", M,
         R, M, &Driver::command},
        {"tab FRAME \"CAPTION\"", "selects the ribbon tab CAPTION of main frame FRAME as a user would, then runs the loop until idle",
         M, R, M, &Driver::selectTab},
        {"click WINDOW ID",
         "executes the visible, enabled control ID of main frame WINDOW's ribbon or bars, or of pane window WINDOW, then runs the loop until idle",
         M, R, M, &Driver::click},
        {"hover FRAME ID", "rests the mouse on control ID of main frame FRAME and prints its tooltip", M, R, M,
         &Driver::hover},
        {"expect box \"PATTERN\" answer BUTTON", "answers the next message box whose text matches PATTERN with BUTTON",
         R, R, M, &Driver::expectBox},
        {"expect menu choose ID|\"CAPTION\"", "answers the next popup or context menu by choosing the item ID or CAPTION",
         R, R, M, &Driver::expectMenuChoose},
        {"expect menu dismiss", "answers the next popup or context menu by dismissing it", R, R, M,
         &Driver::expectMenuDismiss},
        {"expect file choose \"PATH\"", "answers the next file chooser by choosing PATH", R, R, M,
         &Driver::expectFileChoose},
        {"expect file cancel", "answers the next file chooser by cancelling it", R, R, M, &Driver::expectFileCancel},
        {"dde \"TEXT\"", "sends the DDE command TEXT to the main frame, then runs the loop until idle", M, R, M,
         &Driver::dde},
        {"open \"PATH\"", "opens PATH as File Open does in the active main frame (choosing PATH in its file chooser), "
         "then runs the loop until idle", M, R, M, &Driver::open},
        {"dump windows", "prints the window tree", R, R, R, &Driver::dumpWindows},
        {"dump registry", "prints every registry hive in its file format", R, R, R, &Driver::dumpRegistry},
        {"dump commands", "prints every command registered with the kernel and the context-menu container", R, R, R,
         &Driver::dumpCommands},
        {"dump frames", "prints the main frames: handle, title, active or inactive", R, R, R, &Driver::dumpFrames},
        {"dump documents", "prints the open documents: title, path, states and the frames that show them", R, R, R,
         &Driver::dumpDocuments},
        {"dump bars FRAME",
         "prints the command bars of main frame FRAME and their controls: id, type, caption, visible, enabled, checked",
         M, R, M, &Driver::dumpBars},
        {"dump panes FRAME", "prints the docking panes of main frame FRAME", M, R, M, &Driver::dumpPanes},
        {"dump status FRAME", "prints the status line of main frame FRAME", M, R, M, &Driver::dumpStatus},
        {"dump ribbon FRAME", "prints the ribbon of main frame FRAME: tabs, groups and controls with their state", M, R,
         M, &Driver::dumpRibbon},
        {"dump tabs FRAME", "prints the document tabs of main frame FRAME: groups, tabs, the selected one", M, R, M,
         &Driver::dumpTabs},
        {"new-frame", "opens another main frame as the kernel's new-window request does", M, R, M, &Driver::newFrame},
        {"documents-menu configuration \"TEXT\"",
         "opens the library configuration file TEXT in the kernel's documents menu (a new, empty one when missing)",
         R, R, M, &Driver::addConfiguration},
        {"documents-menu library \"TEXT\"",
         "adds the library folder TEXT (made when missing) to the configuration opened last", R, R, M,
         &Driver::addLibrary},
        {"documents-menu expand \"ROW\"",
         "expands the row ROW of the documents menu's configurations tree (its captions from the top row down, "
         "joined by /) as a click on its expand button does", R, R, M, &Driver::expandDocumentsMenuRow},
        {"documents-menu enter \"ROW\"",
         "focuses the row ROW of the documents menu's tree and presses Enter, then runs the loop until idle", M, R, M,
         &Driver::enterDocumentsMenuRow},
        {"documents-menu rename \"ROW\" \"NAME\"",
         "edits the name of the row ROW of the documents menu's tree in place, typing NAME and Enter, then runs the "
         "loop until idle", M, R, M, &Driver::renameDocumentsMenuRow},
        {"dump documents-menu", "prints the documents menu's configurations tree as the user has expanded it", R, R, R,
         &Driver::dumpDocumentsMenu},
        {"dump syspanel FRAME",
         "prints the system panel of main frame FRAME: its controls in order with kind, group, value, enabled, visible",
         M, R, M, &Driver::dumpSysPanel},
        {"type FRAME ID \"TEXT\"",
         "types TEXT into the edit control ID of main frame FRAME and presses Enter, then runs the loop until idle", M,
         R, M, &Driver::typeText},
        {"journal", "prints the whole journal again", R, R, R, &Driver::printJournal},
        {"quit", "closes every main frame as a user would and lets the program finish", M, R, N, &Driver::quit},
    };
    return table;
}

std::string_view effectName(Effect effect) {
    switch (effect) {
        case Effect::Runs: return "runs";
        case Effect::Nothing: return "nothing";
        case Effect::Mistake: return "mistake";
    }
    return "?";
}

std::string verbHelp() {
    std::size_t width = 0;
    for (const Verb& verb : verbs()) width = std::max(width, verb.syntax.size());
    std::string text;
    for (const Verb& verb : verbs()) {
        text += "  " + std::string(verb.syntax) + std::string(width + 2 - verb.syntax.size(), ' ') + "[" +
                std::string(effectName(verb.beforeStart)) + ", " + std::string(effectName(verb.running)) + ", " +
                std::string(effectName(verb.ended)) + "]  " + std::string(verb.help) + "\n";
    }
    return text;
}

}  // namespace korvo::console
