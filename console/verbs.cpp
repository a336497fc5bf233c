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
        {"command WINDOW ID|\"CAPTION\"",
         "sends command ID (or the id of the visible control CAPTION) to main frame (or pane window) WINDOW as a menu item does, then runs the loop until idle", M,
         R, M, &Driver::command},
        {"tab FRAME \"CAPTION\"", "selects the ribbon tab CAPTION of main frame FRAME as a user would, then runs the loop until idle",
         M, R, M, &Driver::selectTab},
        {"click WINDOW ID|\"CAPTION\"",
         "executes the visible, enabled control ID (or the visible control CAPTION) of main frame WINDOW's ribbon or bars, or of pane window WINDOW, then runs the loop until idle",
         M, R, M, &Driver::click},
        {"hover FRAME ID|\"CAPTION\"", "rests the mouse on control ID (or the visible control CAPTION) of main frame FRAME and prints its tooltip", M, R, M,
         &Driver::hover},
        {"right-click WINDOW ID",
         "right-clicks the visible control ID of main frame WINDOW's ribbon or tool bars, or of pane window WINDOW's tool bar "
         "(answer its menu with expect menu first), then runs the loop until idle", M, R, M, &Driver::rightClick},
        {"expect box \"PATTERN\" answer BUTTON", "answers the next message box whose text matches PATTERN with BUTTON",
         R, R, M, &Driver::expectBox},
        {"expect box \"PATTERN\" answer BUTTON after MS",
         "answers the next message box whose text matches PATTERN with BUTTON once the user has read it for MS milliseconds "
         "(the clock moves while it is open)", R, R, M, &Driver::expectBoxAfter},
        {"expect box \"PATTERN\" answer BUTTON after MS dump windows",
         "as expect box ... after MS, and prints the window tree as the box shows and again as it is answered", R, R, M,
         &Driver::expectBoxAfterShowingWindows},
        {"expect menu choose ID|\"CAPTION\"", "answers the next popup or context menu by choosing the item ID or CAPTION",
         R, R, M, &Driver::expectMenuChoose},
        {"expect menu dismiss", "answers the next popup or context menu by dismissing it", R, R, M,
         &Driver::expectMenuDismiss},
        {"expect file choose \"PATH\"", "answers the next file chooser by choosing PATH", R, R, M,
         &Driver::expectFileChoose},
        {"expect file cancel", "answers the next file chooser by cancelling it", R, R, M, &Driver::expectFileCancel},
        {"expect drag choose WINDOW X,Y", "ends the next drag by dropping on WINDOW at point X,Y of its client area", M, R,
         M, &Driver::expectDragChoose},
        {"expect drag choose WINDOW X,Y ctrl",
         "ends the next drag by dropping on WINDOW at point X,Y of its client area with Ctrl held", M, R, M,
         &Driver::expectDragChooseControl},
        {"expect drag cancel", "ends the next drag by cancelling it", R, R, M, &Driver::expectDragCancel},
        {"expect print ok", "answers the next print dialog by printing on the default printer", R, R, M,
         &Driver::expectPrintOk},
        {"expect print cancel", "answers the next print dialog by cancelling it", R, R, M, &Driver::expectPrintCancel},
        {"expect dialog ID answer ARGS",
         "answers the next dialog made from template ID (a property sheet: of the page it opens on) with ARGS, done in order: click ID, text ID \"TEXT\", select ID \"ITEM\", check ID on or off, page ID (shows the sheet's page made from template ID), slider ID N (drags slider ID to N), rclick ID \"ROW\" and dblclick ID \"ROW\" (on a row of list ID, as select names it), rclick-bar ID (right-clicks control ID of the bars a customise sheet customises, in customise mode), dropdown ID (presses the arrow of split button ID), key NAME (presses and releases the key where the focus is: A to Z, 0 to 9, F1 to F12, Enter, Esc, Space, Tab, 0xNN), hover ID (rests the mouse on control ID and prints the tip it gets), dump (prints its controls), ok, cancel",
         R, R, M, &Driver::expectDialog},
        {"expect dialog \"NAME\" answer ARGS",
         "answers the next dialog made from no template whose title, class name or UI-library name matches NAME (a "
         "PATTERN) with ARGS, done in order: click ID, text ID \"TEXT\", select ID \"ITEM\", ok, cancel (a UI-library "
         "control by its full id in quotes: click \"ID\", text \"ID\" \"TEXT\", select \"ID\" \"ROW\" (\"ROW,ROW\" for several), "
         "check \"ID\" \"ROW\" COL on or off, edit \"ID\" \"ROW\" COL \"TEXT\", or the one control of a kind by the kind in "
         "place of ID: edit, list, combo, tree, select)",
         R, R, M, &Driver::expectNamedDialog},
        {"expect variable choose \"NAME\"", "answers the next insert-variable dialog by choosing the document variable NAME",
         R, R, M, &Driver::expectVariable},
        {"expect variable cancel", "answers the next insert-variable dialog by cancelling it", R, R, M,
         &Driver::expectVariableCancel},
        {"expect text-module choose \"TEXT\"", "answers the next text-module dialog by choosing the module whose text is TEXT",
         R, R, M, &Driver::expectTextModule},
        {"expect text-module cancel", "answers the next text-module dialog by cancelling it", R, R, M,
         &Driver::expectTextModuleCancel},
        {"expect colour choose R,G,B",
         "answers the next colour dialog by choosing the colour R,G,B (each 0 to 255), added to its custom colours first",
         R, R, M, &Driver::expectColourChoose},
        {"expect colour cancel", "answers the next colour dialog by cancelling it", R, R, M, &Driver::expectColourCancel},
        {"expect prompt answer \"TEXT\"", "answers the kernel's next name prompt by typing TEXT and OK", R, R, M,
         &Driver::expectPromptAnswer},
        {"expect prompt cancel", "answers the kernel's next name prompt by cancelling it", R, R, M,
         &Driver::expectPromptCancel},
        {"dde \"TEXT\"", "sends the DDE command TEXT to the main frame, then runs the loop until idle", M, R, M,
         &Driver::dde},
        {"open \"PATH\"", "opens PATH as File Open does in the active main frame (choosing PATH in its file chooser), "
         "then runs the loop until idle", M, R, M, &Driver::open},
        {"dump windows", "prints the window tree", R, R, R, &Driver::dumpWindows},
        {"dump registry", "prints every registry hive in its file format", R, R, R, &Driver::dumpRegistry},
        {"dump file \"PATH\"", "prints what the program finds at PATH of the mapped file system: a file's size and "
         "lines, or a folder's entries", R, R, R, &Driver::dumpFile},
        {"dump commands", "prints every command registered with the kernel and the context-menu container", R, R, R,
         &Driver::dumpCommands},
        {"dump frames", "prints the main frames: number, handle, title, active or inactive", R, R, R, &Driver::dumpFrames},
        {"dump documents", "prints the open documents: title, path, modified, read-only, editing blocked, the saves holding them and the frames that show them", R, R, R,
         &Driver::dumpDocuments},
        {"dump bars WINDOW",
         "prints the command bars of main frame WINDOW (or the tool bars of pane window WINDOW) and their controls: id, type, caption, visible, enabled, checked",
         M, R, M, &Driver::dumpBars},
        {"dump panes FRAME", "prints the docking panes of main frame FRAME", M, R, M, &Driver::dumpPanes},
        {"dump status FRAME", "prints the status line of main frame FRAME", M, R, M, &Driver::dumpStatus},
        {"pane close WINDOW", "closes docking pane FRAME/PANE-ID with its close button, then runs the loop until idle",
         M, R, M, &Driver::closePane},
        {"pane float WINDOW", "drags docking pane FRAME/PANE-ID out of its dock to float, then runs the loop until idle",
         M, R, M, &Driver::floatPane},
        {"pane hide WINDOW", "hides docking pane FRAME/PANE-ID with its auto-hide pin, then runs the loop until idle",
         M, R, M, &Driver::hidePane},
        {"pane show WINDOW", "shows docking pane FRAME/PANE-ID and activates it, a closed one where it was, as a click on its tab does, then runs the loop until idle",
         M, R, M, &Driver::showPane},
        {"progress begin", "as the kernel's command: begins a progress in the active main frame's status line and "
         "prints the answer", M, R, M, &Driver::beginProgress},
        {"progress set POS", "as the kernel's command: sets the progress position to POS (negative: unknown amount) "
         "and prints the position kept, and what the bar shows when its drawing is held back", M, R, M, &Driver::setProgress},
        {"progress step", "as the kernel's command: steps the progress and prints the answer", M, R, M,
         &Driver::stepProgress},
        {"progress end", "as the kernel's command: ends the progress and prints the answer", M, R, M,
         &Driver::endProgress},
        {"dump ribbon FRAME",
         "prints the ribbon of main frame FRAME: tabs, groups and controls with their state, each gallery's grid and items", M, R,
         M, &Driver::dumpRibbon},
        {"dump backstage FRAME",
         "prints the backstage of main frame FRAME: its tabs (id, caption, name, disabled, hidden, default, active) and the shown page "
         "(the help id in force and what the page hosts), then the paint theme", M, R, M, &Driver::dumpBackstage},
        {"backstage FRAME", "opens the backstage of main frame FRAME with the ribbon's system button, then runs the loop until idle", M,
         R, M, &Driver::openBackstage},
        {"backstage FRAME ID|\"NAME\"",
         "opens the backstage of main frame FRAME and clicks its tab ID (or the tab named or captioned NAME), then runs the loop until idle",
         M, R, M, &Driver::openBackstage},
        {"backstage FRAME close", "closes the backstage of main frame FRAME, then runs the loop until idle", M, R, M,
         &Driver::closeBackstage},
        {"dump tabs FRAME", "prints the document tabs of main frame FRAME: groups, tabs, the selected one", M, R, M,
         &Driver::dumpTabs},
        {"dump layout FRAME",
         "prints what main frame FRAME shows: its visible windows as a tree with their rectangles and captions, and the "
         "ribbon's tabs, groups and controls, tool-bar controls, pane captions and tabs, document tabs and status panes in them",
         M, R, M, &Driver::dumpLayout},
        {"snapshot FRAME \"PATH\"",
         "draws what main frame FRAME shows into the PNG file PATH of the host's own file system (not the program's drives)",
         M, R, M, &Driver::snapshot},
        {"doc-tab FRAME \"CAPTION\" click", "clicks the document tab CAPTION of main frame FRAME, then runs the loop until idle",
         M, R, M, &Driver::clickDocumentTab},
        {"doc-tab FRAME \"CAPTION\" close",
         "clicks the close button of the document tab CAPTION of main frame FRAME, then runs the loop until idle", M, R, M,
         &Driver::closeDocumentTab},
        {"doc-tab FRAME \"CAPTION\" middle-click",
         "middle-clicks the document tab CAPTION of main frame FRAME, then runs the loop until idle", M, R, M,
         &Driver::middleClickDocumentTab},
        {"doc-tab FRAME \"CAPTION\" context-menu",
         "right-clicks the document tab CAPTION of main frame FRAME (answer its menu with expect menu first), then runs the "
         "loop until idle", M, R, M, &Driver::documentTabMenu},
        {"activate FRAME", "makes main frame FRAME the active one, as a click into it does, then runs the loop until idle",
         M, R, M, &Driver::activateFrame},
        {"activate \"PATH\"",
         "makes the window of the open document PATH the active one (and its main frame), as a click into it does, then "
         "runs the loop until idle", M, R, M, &Driver::activateDocument},
        {"message-bar FRAME ID BUTTON-ID",
         "clicks button BUTTON-ID of message bar ID of main frame FRAME (61536: its close button), then runs the loop until idle",
         M, R, M, &Driver::pressMessageBarButton},
        {"new-frame", "opens another main frame as the kernel's new-window request does", M, R, M, &Driver::newFrame},
        {"close FRAME", "closes main frame FRAME with its close button, then runs the loop until idle", M, R, M,
         &Driver::closeFrame},
        {"close FRAME help", "closes the help window of main frame FRAME with its close button, then runs the loop until idle",
         M, R, M, &Driver::closeHelp},
        {"link \"URL\"", "runs the help-link protocol on URL as a link of the start page does, then runs the loop until "
         "idle, and prints whether it was handled", M, R, M, &Driver::helpLink},
        {"link FRAME \"URL\"", "clicks a link to URL in the help window of main frame FRAME, then runs the loop until idle",
         M, R, M, &Driver::frameHelpLink},
        {"dump help FRAME", "prints the help window of main frame FRAME (address, title, attached, its rectangle and the "
         "main window's) and the tutorial documents with their views' addresses and frames", M, R, M, &Driver::dumpHelp},
        {"drop WINDOW X,Y \"PATH\" ...",
         "drops the files PATH ... on WINDOW at point X,Y of its client area as the shell does, then runs the loop until idle",
         M, R, M, &Driver::dropFiles},
        {"drop WINDOW X,Y ctrl \"PATH\" ...",
         "drops the files PATH ... on WINDOW at point X,Y of its client area as the shell does with Ctrl held, then runs the loop until idle",
         M, R, M, &Driver::dropFilesControl},
        {"mouse WINDOW X,Y ACTION",
         "acts with the mouse at point X,Y of WINDOW's client area as a user does: ACTION is click, dblclick, rclick "
         "(answer its context menu with expect menu first), down, up, move, rdown or rup, then runs the loop until idle",
         M, R, M, &Driver::mouse},
        {"logoff",
         "the Windows session asks to end: prints each main frame's answer and its block reason, then runs the loop "
         "until idle (when all agree the session ends and the program is closed)", M, R, M, &Driver::logoff},
        {"search FRAME \"FILTER\"",
         "opens the find-command pane of main frame FRAME, types FILTER into its box as a user would, then prints its "
         "rows: id, caption, description, grey when disabled", M, R, M, &Driver::searchCommands},
        {"row WINDOW ROW open", "double-clicks row ROW (from 0, in shown order) of the list in pane window WINDOW, then "
         "runs the loop until idle", M, R, M, &Driver::openRow},
        {"row WINDOW ROW rclick", "right-clicks row ROW (from 0, in shown order) of the list in pane window WINDOW "
         "(answer its menu with expect menu first), then runs the loop until idle", M, R, M, &Driver::rightClickRow},
        {"row WINDOW ROW drag",
         "presses on row ROW (from 0, in shown order) of the documents menu's structure in pane window WINDOW and drags it "
         "away (answer the drag with expect drag first), then runs the loop until idle", M, R, M, &Driver::dragRow},
        {"row WINDOW ROW select", "clicks row ROW (from 0, in shown order) of the list in pane window WINDOW, then runs the "
         "loop until idle", M, R, M, &Driver::selectRow},
        {"row WINDOW ROW rename \"TEXT\"",
         "edits the label of row ROW (from 0, in shown order) of the list in pane window WINDOW in place, typing TEXT, "
         "then runs the loop until idle", M, R, M, &Driver::renameRow},
        {"dump list WINDOW",
         "prints the list in pane window WINDOW (1/1004: the documents menu's browser): what it shows, then per row its "
         "text, item data, the icon it showed when last drawn (- before), kind and path, and for a list that draws its "
         "own rows (1/1028: the find-command list) its last paint", M, R, M, &Driver::dumpList},
        {"file write \"PATH\"", "writes an empty file at PATH of the host folder as another program would, then runs "
         "the loop until idle", M, R, M, &Driver::fileWrite},
        {"file mkdir \"PATH\"", "makes the folder PATH in the host folder as another program would, then runs the "
         "loop until idle", M, R, M, &Driver::fileMakeFolder},
        {"file delete \"PATH\"", "deletes the file or folder PATH of the host folder as another program would, then "
         "runs the loop until idle", M, R, M, &Driver::fileDelete},
        {"file rename \"OLD\" \"NEW\"", "renames (or moves) OLD to NEW in the host folder as another program would, "
         "then runs the loop until idle", M, R, M, &Driver::fileRename},
        {"tab-bar FRAME \"CAPTION\"", "makes a tool bar from the tab CAPTION of main frame FRAME's tabbed main bar, as "
         "the main-bar modes page's button does (answer its question with expect box first), then runs the loop until idle",
         M, R, M, &Driver::toolBarFromTab},
        {"dump bar-options FRAME",
         "prints the options the bars of main frame FRAME follow: icon sizes, menus, screen tips, the tabbed main "
         "bar's own flags and the commands' usage data", M, R, M, &Driver::dumpBarOptions},
        {"dump modes FRAME",
         "prints the modes of main frame FRAME: screen, workbook, ribbon, analysis, ribbon minimised, auto-menu, PDM "
         "pane bits, message bars, the view-type bits, the frameless tool bars, the print preview and the layouts kept by the screen modes",
         M, R, M, &Driver::dumpModes},
        {"dump state FRAME",
         "prints the \"MainWindow\" element main frame FRAME writes into the state file: its attributes, ribbon, "
         "frameless view bar and command-bars layout", M, R, M, &Driver::dumpState},
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
        {"dump watches",
         "prints the folders the documents menu watches: each folder, whether the kernel's folder watcher holds its "
         "one watch, and under it the rows and browsers that follow it", R, R, R, &Driver::dumpWatches},
        {"documents-pane search \"TEXT\"",
         "types TEXT into the documents-menu window's search box and presses Enter (an empty TEXT clears the search)", M, R,
         M, &Driver::searchDocumentsMenu},
        {"documents-pane expand \"TEXT\"", "expands the documents-menu window's row captioned TEXT", M, R, M,
         &Driver::expandDocumentsPaneRow},
        {"documents-pane collapse \"TEXT\"", "collapses the documents-menu window's row captioned TEXT", M, R, M,
         &Driver::collapseDocumentsMenuRow},
        {"documents-pane select \"TEXT\"",
         "clicks the documents-menu window's row captioned TEXT (the browser pane shows what it stands for)", M, R, M,
         &Driver::selectDocumentsMenuRow},
        {"documents-pane visible \"TEXT\"",
         "clicks the Visible cell of the documents-menu window's row captioned TEXT (hides it, or shows it again)", M, R, M,
         &Driver::toggleDocumentsMenuRowVisible},
        {"documents-pane show-hidden",
         "clicks the header of the documents-menu window's Visible column (shows hidden rows, or leaves them out)", M, R, M,
         &Driver::toggleDocumentsMenuShowHidden},
        {"dump panel FRAME",
         "prints the system panel of main frame FRAME and its selection-filter set: its controls in order with kind, "
         "group, value (a colour, layer, coordinate-system or material control also what it shows), enabled, visible (an edit also: whether its window exists, modified, spin mode), class, tag, "
         "group start, checked, icon and tooltip",
         M, R, M, &Driver::dumpSysPanel},
        {"type FRAME ID \"TEXT\"",
         "types TEXT into the edit control (or the combo box's edit field) ID of main frame FRAME and presses Enter, then runs the "
         "loop until idle", M,
         R, M, &Driver::typeText},
        {"key FRAME ID KEY",
         "presses KEY (Up, Down, Enter, Esc, F1 to F12, a letter or digit, with Ctrl+ or Alt+ before it) in the edit window of "
         "edit control ID of main frame FRAME, then runs the loop until idle", M, R, M, &Driver::pressKey},
        {"press WINDOW KEY",
         "presses KEY at the keyboard in the window of main frame FRAME that has the focus, or in pane window "
         "FRAME/PANE-ID (focused first), KEY written as for key, also Shift+, Space, Alt alone and any key code 0x01 to 0xFF, then runs the "
         "loop until idle", M, R, M, &Driver::pressWindowKey},
        {"spin FRAME ID COUNT",
         "clicks the spin buttons of edit control ID of main frame FRAME COUNT times (a negative COUNT: the down button), "
         "then runs the loop until idle", M, R, M, &Driver::spinEdit},
        {"context-menu FRAME ID",
         "right-clicks the edit window of edit control ID of main frame FRAME (answer its menu with expect menu first), "
         "then runs the loop until idle", M, R, M, &Driver::editContextMenu},
        {"edit-command FRAME ID COMMAND",
         "runs command COMMAND in the edit window of edit control ID of main frame FRAME, as a choice of its context "
         "menu does, then runs the loop until idle", M, R, M, &Driver::editCommand},
        {"list-button FRAME ID",
         "clicks the list button of parameter edit ID of main frame FRAME (answer its menu with expect menu), then runs "
         "the loop until idle",
         M, R, M, &Driver::clickListButton},
        {"pick FRAME \"ITEM\"",
         "chooses ITEM in the chooser a parameter control of main frame FRAME has open (after click FRAME ID): a colour "
         "by the text it shows (\"Red\", \"R10 G20 B200\"), \"Show256\", \"Other colours...\" (answer with expect colour "
         "first), a layer by name or \"new\" (answer with expect prompt first), a coordinate-system row by its text, a material of the material chooser by name, then runs the loop until idle",
         M, R, M, &Driver::pickInChooser},
        {"away FRAME",
         "activates another window, so the chooser a parameter control of main frame FRAME has open closes, then runs "
         "the loop until idle",
         M, R, M, &Driver::awayFromChooser},
        {"chooser-mouse FRAME X,Y ACTION",
         "acts with the mouse at point X,Y of the client area of the chooser main frame FRAME has open, as mouse does "
         "(press on the gap between the colour lists, move and release to drag it), then runs the loop until idle",
         M, R, M, &Driver::chooserMouse},
        {"dump chooser FRAME",
         "prints the chooser main frame FRAME has open: its window's place and size, whether it is shown, active or "
         "capturing the mouse and the cursor it set, then its lists (the colour pop-up: each list's height, item height, "
         "items and selection, Show256)",
         M, R, M, &Driver::dumpChooser},
        {"dump fonts FRAME",
         "prints the font combo of main frame FRAME's panel, then the ribbon's: what it shows, the selected item's name "
         "and kind, its list window and item height, then per item its text, kind and the bitmap drawn before it",
         M, R, M, &Driver::dumpFonts},
        {"expect file click BUTTON-ID accept",
         "answers the next file chooser by clicking its own button BUTTON-ID, then taking what its file-name box holds", R, R, M,
         &Driver::expectFileClickAccept},
        {"scroll FRAME BAR ACTION",
         "clicks scroll bar BAR (horizontal or vertical) of the active document window of main frame FRAME: ACTION is "
         "line-up, line-down, page-up, page-down, top or bottom (left and right stand for up and down), then runs the loop until idle",
         M, R, M, &Driver::scroll},
        {"drag-thumb FRAME BAR THUMB",
         "drags the thumb of scroll bar BAR of the active document window of main frame FRAME to position THUMB, then runs the loop until idle",
         M, R, M, &Driver::dragThumb},
        {"dump image FRAME",
         "prints the active document window of main frame FRAME: zoom, origin, sizes, scroll bars and its last paint, then the frame's print preview and its last paint", M, R,
         M, &Driver::dumpImage},
        {"dump print-jobs", "prints every print job: its document and what was drawn on its pages", R, R, R,
         &Driver::dumpPrintJobs},
        {"journal", "prints the whole journal again", R, R, R, &Driver::printJournal},
        {"assert not \"PATTERN\"", "fails the run when a line the verb before it printed matches PATTERN", R, R, R,
         &Driver::assertNotPrinted},
        {"assert \"PATTERN\"", "fails the run unless a line the verb before it printed matches PATTERN", R, R, R,
         &Driver::assertPrinted},
        {"addon requirements FRAME",
         "as an add-on does: puts a technical-requirements window into the application's pane slot, docks pane 1038 in "
         "main frame FRAME and binds the active document, then runs the loop until idle", M, R, M, &Driver::addonRequirements},
        {"dump requirements",
         "prints the technical-requirements pane: mode, view filter and its items, enabled controls, columns with headers "
         "and visibility, one line per row with its cells, page checks and background", R, R, R, &Driver::dumpRequirements},
        {"kvpf \"ID\" select ITEM-ID",
         "chooses the item of custom id ITEM-ID of the framework select ID (its full id), then runs the loop until idle", M,
         R, M, &Driver::kvpfSelect},
        {"kvpf \"ID\" toggle", "flips the framework toggle ID (or clicks the button ID), then runs the loop until idle", M,
         R, M, &Driver::kvpfToggle},
        {"row \"ID\" ROWS select",
         "selects the rows ROWS (N, or N,M,... from 0) of the framework list ID as a user clicks them, then runs the loop until idle", M,
         R, M, &Driver::selectListRows},
        {"row \"ID\" N hover",
         "rests the mouse on row N (from 0, or -1 for off the rows) of the framework list ID, then runs the loop until idle", M, R,
         M, &Driver::hoverListRow},
        {"row \"ID\" N edit COL",
         "begins editing cell N,COL (from 0) of the framework list ID as a user does (the selection stays), then runs the loop until idle",
         M, R, M, &Driver::editListCell},
        {"row \"ID\" N edit COL \"TEXT\"",
         "edits cell N,COL of the framework list ID and chooses the item TEXT of its editor, then runs the loop until idle", M, R, M,
         &Driver::editListCell},
        {"row \"ID\" N check COL on", "ticks the check box of cell N,COL of the framework list ID, then runs the loop until idle",
         M, R, M, &Driver::checkListCell},
        {"row \"ID\" N check COL off", "clears the check box of cell N,COL of the framework list ID, then runs the loop until idle",
         M, R, M, &Driver::checkListCell},
        {"row \"ID\" N icon COL", "clicks the icon of cell N,COL of the framework list ID, then runs the loop until idle", M, R, M,
         &Driver::clickListIcon},
        {"kvpf \"ID\" click", "clicks the framework button ID, then runs the loop until idle", M, R, M, &Driver::kvpfToggle},
        {"expect requirement answer \"TEXT\"",
         "answers the kernel's next requirement editor with TEXT (paragraphs separated by vertical bars)", R, R, M,
         &Driver::expectRequirementAnswer},
        {"expect requirement cancel", "cancels the kernel's next requirement editor", R, R, M, &Driver::expectRequirementCancel},
        {"dump undo \"PATH\"", "prints the undo steps requirement changes made in open document PATH, oldest first", R, R, R,
         &Driver::dumpUndo},
        {"column \"ID\" N show", "shows column N (from 0) of the framework list ID, as its header's menu does", M, R, M,
         &Driver::showListColumn},
        {"column \"ID\" N hide", "hides column N (from 0) of the framework list ID, as its header's menu does", M, R, M,
         &Driver::hideListColumn},
        {"quit", "closes every main frame as a user would and lets the program finish", M, R, N, &Driver::quit},
        {"automation OPERATION ARGS",
         "calls OPERATION of the program's \"KVW32.SERVER\" object as an automation client would (N.OPERATION: of object N "
         "that a call returned), then runs the loop until idle, and prints the answer",
         M, R, M, &Driver::automation},
        {"kernel --worker OPERATION ARGS", "calls the kernel callback OPERATION from another thread, as the kernel's own "
         "threads do, and prints the answer", M, R, M, &Driver::kernelCallOnWorker},
        {"kernel --frame FRAME OPERATION ARGS",
         "calls OPERATION of main frame FRAME's selection-filter interface on the UI thread as the kernel does, then runs "
         "the loop until idle, and prints the answer", M, R, M, &Driver::kernelFrameCall},
        {"kernel --manip FRAME PANEL OPERATION ARGS",
         "calls OPERATION of manipulator panel PANEL (1 or 2) of main frame FRAME as a running kernel command does, "
         "its control objects named in ARGS, then runs the loop until idle, and prints the answer", M, R, M,
         &Driver::kernelManipCall},
        {"kernel OPERATION ARGS", "calls the kernel callback OPERATION on the UI thread as the kernel would, then runs "
         "the loop until idle, and prints the answer", M, R, M, &Driver::kernelCall},
        {"model OPERATION ARGS",
         "does OPERATION of the kernel's own work on a document's parameters (objects, selection, defaults, variables, "
         "events, a running command), then runs the loop until idle, and prints the answer", M, R, M, &Driver::modelWork},
        {"dump parameters",
         "prints each open document's objects with their parameters, its selection, defaults and variables, and whether "
         "a command runs", R, R, R, &Driver::dumpParameters},
        {"expect folder choose \"PATH\"", "answers the next folder chooser by choosing the folder PATH", R, R, M,
         &Driver::expectFolderChoose},
        {"expect folder cancel", "answers the next folder chooser by cancelling it", R, R, M, &Driver::expectFolderCancel},
        {"dump browser WINDOW",
         "prints the browser pane in pane window WINDOW: what it shows, its path and icon size, its tool bar's Level up, Back and Forward with their state and tooltips, and its history with the current step",
         M, R, M, &Driver::dumpBrowser},
        {"dump clipboard", "prints the text on the clipboard", R, R, R, &Driver::dumpClipboard},
        {"dump formfactors WINDOW",
         "prints the form factors the browser pane in pane window WINDOW shows: the document, each row with its values, the focused and selected one, and the form factor pending for the next insert or open",
         M, R, M, &Driver::dumpFormFactors},
        {"dump tips", "prints the tips strip: its tip file, the place in the list, the text and seconds on show, its "
         "window (shown or hidden, rectangle) and timer", R, R, R, &Driver::dumpTips},
        {"dump log", "prints the log window: its handle, shown or hidden, caption, theme, the log length last read and "
         "its edit's lines", R, R, R, &Driver::dumpLog},
        {"dump text-browsers", "prints the text browsers: the default one, each browser's module, menu text, hot key, "
         "flags and whether its module is loaded or failed, then the menu texts the kernel gets", R, R, R,
         &Driver::dumpTextBrowsers},
        {"expect rich-text answer \"TEXT\"",
         "answers the kernel's next modal rich-text editor by confirming TEXT as its plain text", R, R, M,
         &Driver::expectRichTextAnswer},
        {"expect rich-text cancel", "answers the kernel's next modal rich-text editor by cancelling it", R, R, M,
         &Driver::expectRichTextCancel},
        {"addon run \"KEY\"",
         "starts the add-on application KEY (installed when missing) in the kernel's tools mode, where it asks for its "
         "windows through kernel, then runs the loop until idle", M, R, M, &Driver::addonRun},
        {"addon stop \"KEY\"", "stops the add-on application KEY, then runs the loop until idle", M, R, M,
         &Driver::addonStop},
        {"dump birdseye",
         "prints the bird's-eye-view pane: mouse mode, update mode, the frame's half sizes, the followed view and page, "
         "the visible area and the XOR frame on screen, and the last zoom window", R, R, R, &Driver::dumpBirdsEye},
        {"startpage FRAME open-recent N",
         "clicks recent document N (from 0) on the start page of main frame FRAME, then runs the loop until idle", M, R, M,
         &Driver::startPageAction},
        {"startpage FRAME open-recent N close",
         "clicks recent document N on the start page of main frame FRAME with its close-after-open box ticked, then runs "
         "the loop until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME open", "clicks Open on the start page of main frame FRAME, then runs the loop until idle", M, R,
         M, &Driver::startPageAction},
        {"startpage FRAME open close",
         "clicks Open on the start page of main frame FRAME with its close-after-open box ticked, then runs the loop "
         "until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME new \"PATH\"",
         "clicks the prototype PATH on the start page of main frame FRAME, then runs the loop until idle", M, R, M,
         &Driver::startPageAction},
        {"startpage FRAME new \"PATH\" close",
         "clicks the prototype PATH on the start page of main frame FRAME with its close-after-open box ticked, then "
         "runs the loop until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME pin N on", "pins recent document N on the start page of main frame FRAME, then runs the loop "
         "until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME pin N off", "unpins recent document N on the start page of main frame FRAME, then runs the "
         "loop until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME remove N", "removes recent document N from the start page of main frame FRAME, then runs the "
         "loop until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME show-option on", "ticks the show-at-start-up box on the start page of main frame FRAME, then "
         "runs the loop until idle", M, R, M, &Driver::startPageAction},
        {"startpage FRAME show-option off", "clears the show-at-start-up box on the start page of main frame FRAME, then "
         "runs the loop until idle", M, R, M, &Driver::startPageAction},
        {"dump startpage FRAME",
         "prints the start pages (tab, icon, theme, prototype folder, options, recent documents) and work-mix pages "
         "(tab, icon, address) of main frame FRAME", M, R, M, &Driver::dumpStartPage},
        {"dump applications",
         "prints the add-on applications the kernel knows, native then managed: identifier, title, path, kind, where "
         "the kernel learnt of it (ini, installed, added), flags, and started, stopped or not found", R, R, R,
         &Driver::dumpApplications},
        {"dump mail",
         "prints each start of the mail program: its command line and the standard input it read, decoded", R, R, R,
         &Driver::dumpMail},
        {"dump pdm",
         "prints the PDM client: connected or disconnected, the instance it names, its product name and the PDM system's version",
         R, R, R, &Driver::dumpPdm},
        {"dump diagnostics",
         "prints the diagnostics pane: its window (automatic showing, icon state, shown or hidden), the pane icon of "
         "each main frame, each document's dialog of messages with its rows, the container the diagnostics window "
         "shows and the hidden messages", R, R, R, &Driver::dumpDiagnostics},
        {"spaceball plug ARGS",
         "plugs a 3D mouse into the machine: ARGS is its button count (0 to 32) and axis count (0 to 6), then silent "
         "when it does not answer the query for its details (0 0 unplugs it)", R, R, M, &Driver::spaceballPlug},
        {"dump spaceball",
         "prints the 3D mouse: what is plugged in, the window holding it, and the device manager's preset of each view "
         "mode (flag, axes as index:sensitivity with - when inverted, overall sensitivity, buttons' actions)", R, R, R,
         &Driver::dumpSpaceball},
        {"dump user-commands", "prints the user commands in the collection's order (id, type, prompt, tooltip, icon, "
         "the kind's own fields) and, under each, the widths of its icon in every main frame", R, R, R,
         &Driver::dumpUserCommands},
        {"import-commands \"PATH\"", "reads the command file PATH in place of the user commands, as the user tools page's "
         "import does, and prints how many there are", M, R, M, &Driver::importCommands},
        {"program \"FILE\" exit N", "puts a program at FILE (made when missing) that ends with exit code N as soon as "
         "it starts", R, R, M, &Driver::programExit},
        {"program \"FILE\" run", "puts a program at FILE (made when missing) that runs until program end ends it", R,
         R, M, &Driver::programRun},
        {"program \"FILE\" end N", "ends the running starts of program FILE with exit code N (with none running: its "
         "next start, the first time the program that started it looks)", R, R, M, &Driver::programEnd},
        {"expect macro choose \"NAME\"", "answers the macro manager's next chooser by choosing the macro NAME", R, R, M,
         &Driver::expectMacro},
        {"expect macro cancel", "answers the macro manager's next chooser by cancelling it", R, R, M,
         &Driver::expectMacroCancel},
        {"macros \"TEXT\"", "gives the kernel a macro manager with the macros TEXT names (separated by semicolons)", R,
         R, M, &Driver::installMacros},
        {"dump button-sets",
         "prints the popup tool bar's button sets: each set's view type, object type, subtype, flags and caption, then "
         "its buttons in order with their show-in-panel flag", R, R, R, &Driver::dumpButtonSets},
        {"dump costs",
         "prints what the program's work has cost on the host so far: the thread table's records, the start-up, the "
         "last loop pass, and the longest step of the UI thread, of all and of those that looked at files (with the "
         "files looked at), in real and processor time", R, R, R, &Driver::dumpCosts},
        {"formfactors WINDOW search \"TEXT\"",
         "types TEXT into the search box over the form factors the browser pane in pane window WINDOW shows and "
         "presses Enter (the rows whose name holds TEXT stay, an empty TEXT shows them all), then runs the loop until idle",
         M, R, M, &Driver::searchFormFactors},
        {"pane menu WINDOW",
         "right-clicks the caption of docking pane FRAME/PANE-ID (answer its menu with expect menu first), then runs the "
         "loop until idle", M, R, M, &Driver::paneMenu},
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
