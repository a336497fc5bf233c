#include <gtest/gtest.h>

#include "console/heap_labels.h"
#include "console/printable.h"
#include "console/script.h"
#include "console/verbs.h"

namespace korvo::console {
namespace {

std::string_view syntaxOf(const Step& step) { return verbs()[step.verb].syntax; }

TEST(ConsoleScript, ParsesEveryVerbAndSkipsCommentsAndBlankLines) {
    const auto result = parseScript(
        "# a tour\n"
        "\n"
        "start\n"
        "idle   # let the loop settle\n"
        "advance 1500\n"
        "command 1 57600\n"
        "command 0x0002a5c4 0x8000\n"
        "tab 1 \"View\"\n"
        "click 1/1022 886\n"
        "hover 2 681\n"
        "right-click 1/1004 691\n"
        "expect box \"Cannot load*\" answer NO\n"
        "expect box \"Cannot load*\" answer ok after 300\n"
        "expect box \"Cannot load*\" answer ok after 300 dump windows\n"
        "expect menu choose \"Fix\"\n"
        "expect menu dismiss\n"
        "expect file choose \"C:\\Work\\a b.grb\"\n"
        "expect file cancel\n"
        "expect drag choose 1/1004 10,190\n"
        "expect drag choose 1/1004 10,190 ctrl\n"
        "expect drag cancel\n"
        "expect print ok\n"
        "expect print cancel\n"
        "expect dialog 1598 answer click 1491 text 102 \"2.5\" ok\n"
        "expect dialog \"dialogs.file_selection\" answer select 1000 \"#1\" ok\n"
        "expect variable choose \"h1\"\n"
        "expect variable cancel\n"
        "expect text-module choose \"M12x1.5\"\n"
        "expect text-module cancel\n"
        "expect colour choose 10,20,0xC8\n"
        "expect colour cancel\n"
        "expect prompt answer \"Hatching\"\n"
        "expect prompt cancel\n"
        "dde \"[open(\\\"C:\\Work\\c.grb\\\")]\"\n"
        "open \"C:\\Work\\d.grb\"\n"
        "dump windows\n"
        "dump registry\n"
        "dump file \"C:\\Work\"\n"
        "dump commands\n"
        "dump frames\n"
        "dump documents\n"
        "dump bars 2\n"
        "dump panes 2\n"
        "dump status 0x0003B7D8\n"
        "pane close 1/1007\n"
        "pane float 2/1022\n"
        "pane hide 1/1006\n"
        "pane show 1/1012\n"
        "progress begin\n"
        "progress set -1\n"
        "progress step\n"
        "progress end\n"
        "dump ribbon 1\n"
        "dump backstage 1\n"
        "backstage 1\n"
        "backstage 1 \"printDialog\"\n"
        "backstage 1 close\n"
        "dump tabs 1\n"
        "dump layout 1\n"
        "snapshot 1 \"shot.png\"\n"
        "doc-tab 1 \"Bracket.grb\" click\n"
        "doc-tab 1 \"Bracket.grb\" close\n"
        "doc-tab 1 \"Bracket.grb\" middle-click\n"
        "doc-tab 1 \"Bracket.grb\" context-menu\n"
        "activate 2\n"
        "activate \"C:\\Work\\d.grb\"\n"
        "message-bar 1 299 61536\n"
        "new-frame\n"
        "close 2\n"
        "close 2 help\n"
        "link \"?kvcommand=help12\"\n"
        "link 1 \"C:\\Tut\\index.htm\"\n"
        "dump help 1\n"
        "drop 1/1004 10,-20 \"C:\\a.grb\" \"C:\\b.grb\"\n"
        "drop 1/1004 10,-20 ctrl \"C:\\a.grb\"\n"
        "mouse 1/1004 7,-3 rclick\n"
        "logoff\n"
        "search 1 \"open\"\n"
        "row 1/1028 3 open\n"
        "row 1/1028 0 rclick\n"
        "row 1/1004 2 drag\n"
        "row 1/1004 0 select\n"
        "row 1/1004 0 rename \"Angle.grb\"\n"
        "dump list 1/1004\n"
        "file write \"C:\\a.grb\"\n"
        "file mkdir \"C:\\a\"\n"
        "file delete \"C:\\a.grb\"\n"
        "file rename \"C:\\a\" \"C:\\b\"\n"
        "tab-bar 1 \"2D\"\n"
        "dump bar-options 1\n"
        "dump modes 1\n"
        "dump state 1\n"
        "documents-menu configuration \"C:\\Libraries\\Standard.tws\"\n"
        "documents-menu library \"Bolts\"\n"
        "documents-menu expand \"Standard/Bolts\"\n"
        "documents-menu enter \"Standard/Bolts/a.grb\"\n"
        "documents-menu rename \"Standard/Bolts/a.grb\" \"b.grb\"\n"
        "dump documents-menu\n"
        "dump watches\n"
        "documents-pane search \"hex\"\n"
        "documents-pane expand \"Bolts\"\n"
        "documents-pane collapse \"Bolts\"\n"
        "documents-pane select \"Bolts\"\n"
        "documents-pane visible \"hex bolt.grb\"\n"
        "documents-pane show-hidden\n"
        "dump panel 1\n"
        "type 1 907 \"2,5\"\n"
        "key 1 907 Ctrl+Alt+F8\n"
        "press 1/1004 Shift+Ctrl+0x41\n"
        "spin 1 907 -3\n"
        "context-menu 1 907\n"
        "edit-command 1 907 2145\n"
        "list-button 1 915\n"
        "pick 1 \"R10 G20 B200\"\n"
        "away 1\n"
        "chooser-mouse 1 20,195 down\n"
        "dump chooser 1\n"
        "dump fonts 1\n"
        "expect file click 10000 accept\n"
        "scroll 1 horizontal page-right\n"
        "drag-thumb 1 vertical 0x7FFFFFFF\n"
        "dump image 1\n"
        "dump print-jobs\n"
        "journal\n"
        "assert not \"*Korvo*\"\n"
        "assert \"log 2 *\"\n"
        "addon requirements 1\n"
        "dump requirements\n"
        "kvpf \"TechRequirementDialog.View\" select -777\n"
        "kvpf \"TechRequirementDialog.HighlightInscripted\" toggle\n"
        "row \"TechRequirementDialog.List\" 0,2 select\n"
        "row \"TechRequirementDialog.List\" -1 hover\n"
        "row \"TechRequirementDialog.List\" 1 edit 2\n"
        "row \"TechRequirementDialog.List\" 1 edit 2 \"Tolerances\"\n"
        "row \"TechRequirementDialog.List\" 1 check 6 on\n"
        "row \"TechRequirementDialog.List\" 1 check 6 off\n"
        "row \"TechRequirementDialog.List\" 1 icon 5\n"
        "kvpf \"TechRequirementDialog.Add\" click\n"
        "expect requirement answer \"Deburr\"\n"
        "expect requirement cancel\n"
        "dump undo \"C:\\\\a.grb\"\n"
        "column \"TechRequirementDialog.List\" 7 show\n"
        "column \"TechRequirementDialog.List\" 7 hide\n"
        "quit\r\n"
        "automation 2.FullName \"C:\\a b.grb\" 0x10 -1\n"
        "kernel --worker OnCriticalError \"disk full\"\n"
        "kernel --frame 2 SetSelectionFilterButtonState geometric 3 2 1\n"
        "kernel --manip 1 2 SetEditValue \"len\" 2.5\n"
        "kernel IsViewerEdition\n"
        "model SetObjectParameter 1 0 \"Level\" 1.5 var 2\n"
        "dump parameters\n"
        "expect folder choose \"C:\\Temp\"\n"
        "expect folder cancel\n"
        "dump browser 1/1004\n"
        "dump clipboard\n"
        "dump formfactors 1/1004\n"
        "dump tips\n"
        "dump log\n"
        "dump text-browsers\n"
        "expect rich-text answer \"Gear\"\n"
        "expect rich-text cancel\n"
        "addon run \"Drafter\"\n"
        "addon stop \"Drafter\"\n"
        "dump birdseye\n"
        "startpage 1 open-recent 0\n"
        "startpage 1 open-recent 0 close\n"
        "startpage 1 open\n"
        "startpage 1 open close\n"
        "startpage 1 new \"C:\\P\\a.grb\"\n"
        "startpage 1 new \"C:\\P\\a.grb\" close\n"
        "startpage 1 pin 2 on\n"
        "startpage 1 pin 2 off\n"
        "startpage 1 remove 1\n"
        "startpage 1 show-option on\n"
        "startpage 1 show-option off\n"
        "dump startpage 1\n"
        "dump applications\n"
        "dump mail\n"
        "dump pdm\n"
        "dump diagnostics\n"
        "spaceball plug 4 6\n"
        "dump spaceball\n"
        "dump user-commands\n"
        "import-commands \"C:\\Cmd\\a.kvcmd\"\n"
        "program \"C:\\Tools\\a.exe\" exit 3\n"
        "program \"C:\\Tools\\a.exe\" run\n"
        "program \"C:\\Tools\\a.exe\" end 0\n"
        "expect macro choose \"Tidy\"\n"
        "expect macro cancel\n"
        "macros \"Tidy;Other\"\n"
        "dump button-sets\n"
        "dump costs\n"
        "formfactors 1/1004 search \"thick\"\n"
        "pane menu 1/11000\n",
        "tour.korvo");
    ASSERT_TRUE(result.ok()) << result.error;
    // Every verb once, in the table's order, and command twice.
    ASSERT_EQ(result.steps.size(), verbs().size() + 1);
    // The verbs after the folder chooser's, which the positions below count back over.
    constexpr std::size_t kLater = 41;
    for (std::size_t i = 0; i < result.steps.size(); ++i) {
        EXPECT_EQ(result.steps[i].verb, i <= 3 ? i : i - 1) << syntaxOf(result.steps[i]);
    }
    EXPECT_EQ(result.steps[0].line, 3);
    // An edit's command has a field of its own; a dialog's answer is ARGS word by word.
    for (const Step& step : result.steps) {
        if (syntaxOf(step) == "edit-command FRAME ID COMMAND") {
            EXPECT_EQ(step.arguments.number, 907u);
            EXPECT_EQ(step.arguments.command, 2145u);
        }
        if (syntaxOf(step) == "expect dialog ID answer ARGS") {
            EXPECT_EQ(step.arguments.number, 1598u);
            ASSERT_EQ(step.arguments.values.size(), 6u);
            EXPECT_TRUE(step.arguments.values[4].quoted);
        }
        // A colour's parts, decimal or hexadecimal, make one Windows colour.
        if (syntaxOf(step) == "expect colour choose R,G,B") {
            EXPECT_EQ(step.arguments.number, 0xC8140Au);
        }
    }
    // OPERATION, then ARGS word by word (quoted or not); the worker form by its literal word.
    const auto& automation = result.steps[result.steps.size() - kLater - 9].arguments;
    EXPECT_EQ(automation.operation, L"2.FullName");
    ASSERT_EQ(automation.values.size(), 3u);
    EXPECT_EQ(automation.values[0].text, L"C:\\a b.grb");
    EXPECT_TRUE(automation.values[0].quoted);
    EXPECT_EQ(automation.values[2].text, L"-1");
    EXPECT_FALSE(automation.values[2].quoted);
    EXPECT_EQ(result.steps[result.steps.size() - kLater - 8].arguments.operation, L"OnCriticalError");
    // The frame and manipulator-panel forms: FRAME (and PANEL) before the operation.
    const auto& frameCall = result.steps[result.steps.size() - kLater - 7].arguments;
    EXPECT_EQ(frameCall.frame.index, 2u);
    EXPECT_EQ(frameCall.operation, L"SetSelectionFilterButtonState");
    EXPECT_EQ(frameCall.values.size(), 4u);
    const auto& manipCall = result.steps[result.steps.size() - kLater - 6].arguments;
    EXPECT_EQ(manipCall.panel, 2);
    EXPECT_EQ(manipCall.operation, L"SetEditValue");
    ASSERT_EQ(manipCall.values.size(), 2u);
    EXPECT_TRUE(manipCall.values[0].quoted);
    EXPECT_TRUE(result.steps[result.steps.size() - kLater - 5].arguments.values.empty());
    const auto& model = result.steps[result.steps.size() - kLater - 4].arguments;
    EXPECT_EQ(model.operation, L"SetObjectParameter");
    ASSERT_EQ(model.values.size(), 6u);
    EXPECT_TRUE(model.values[2].quoted);
    EXPECT_EQ(result.steps[2].arguments.number, 1500u);
    const auto& byIndex = result.steps[3].arguments;
    EXPECT_EQ(byIndex.frame.index, 1u);
    EXPECT_EQ(byIndex.number, 57600u);
    const auto& byHandle = result.steps[4].arguments;
    EXPECT_EQ(byHandle.frame.index, 0u);
    // Any 32-bit number parses as a handle, in either case: whether it names a window is for the run.
    EXPECT_EQ(byHandle.frame.handle, 0x0002a5c4u);
    EXPECT_EQ(byHandle.number, 0x8000u);
    EXPECT_EQ(result.steps[5].arguments.text, L"View");
    // A pane's window: the frame, then the pane id.
    const auto& byPane = result.steps[6].arguments;
    EXPECT_EQ(byPane.frame.index, 1u);
    EXPECT_EQ(byPane.frame.paneId, 1022u);
    EXPECT_EQ(byPane.number, 886u);
    EXPECT_EQ(result.steps[7].arguments.frame.index, 2u);
    EXPECT_EQ(result.steps[7].arguments.number, 681u);
    EXPECT_EQ(result.steps[9].arguments.text, L"Cannot load*");
    EXPECT_EQ(result.steps[9].arguments.answer, Button::No);
    EXPECT_EQ(result.steps[10].arguments.number, 300u);  // expect box ... after 300
    EXPECT_EQ(result.steps[10].arguments.answer, Button::Ok);
    EXPECT_TRUE(result.steps[12].arguments.quotedChoice);
    EXPECT_EQ(result.steps[12].arguments.text, L"Fix");
    EXPECT_EQ(result.steps[14].arguments.text, L"C:\\Work\\a b.grb");
    EXPECT_EQ(result.steps[23].arguments.name, L"h1");       // expect variable choose
    EXPECT_EQ(result.steps[25].arguments.text, L"M12x1.5");  // expect text-module choose
    EXPECT_EQ(result.steps[32].arguments.text, L"C:\\Work\\d.grb");
    // Only \" and \\ are escapes, so a Windows path keeps its single backslashes.
    EXPECT_EQ(result.steps[31].arguments.text, L"[open(\"C:\\Work\\c.grb\")]");
    EXPECT_EQ(result.steps[35].arguments.text, L"C:\\Work");   // dump file
    EXPECT_EQ(result.steps[39].arguments.frame.index, 2u);  // dump bars 2
    EXPECT_EQ(result.steps[40].arguments.frame.index, 2u);  // dump panes 2
    EXPECT_EQ(result.steps[41].arguments.frame.handle, 0x0003B7D8u);  // dump status HANDLE
    EXPECT_EQ(result.steps[42].arguments.frame.paneId, 1007u);  // pane close 1/1007
    EXPECT_EQ(result.steps[43].arguments.frame.index, 2u);      // pane float 2/1022
    EXPECT_EQ(result.steps[47].arguments.position, -1);         // progress set -1
    EXPECT_EQ(result.steps[50].arguments.frame.index, 1u);      // dump ribbon 1
    EXPECT_EQ(result.steps[55].arguments.frame.index, 1u);      // dump tabs 1
    EXPECT_EQ(result.steps[75].arguments.text, L"open");        // search
    EXPECT_EQ(result.steps[76].arguments.number, 3u);           // row 1/1028 3 open
    EXPECT_EQ(result.steps[77].arguments.frame.paneId, 1028u);
    EXPECT_EQ(result.steps[94].arguments.text, L"Standard/Bolts/a.grb");  // documents-menu rename
    EXPECT_EQ(result.steps[94].arguments.name, L"b.grb");
    EXPECT_EQ(result.steps[104].arguments.text, L"2,5");  // type
    EXPECT_EQ(result.steps[105].arguments.key, VK_F8);    // key
    EXPECT_TRUE(result.steps[105].arguments.keyControl);
    EXPECT_TRUE(result.steps[105].arguments.keyAlt);
    EXPECT_EQ(result.steps[106].arguments.key, 0x41u);    // press
    EXPECT_EQ(result.steps[106].arguments.frame.paneId, 1004u);
    EXPECT_TRUE(result.steps[106].arguments.keyShift);
    EXPECT_TRUE(result.steps[106].arguments.keyControl);
    EXPECT_EQ(result.steps[107].arguments.count, -3);     // spin
    EXPECT_EQ(result.steps[110].arguments.number, 915u);  // list-button
    EXPECT_EQ(result.steps[111].arguments.text, L"R10 G20 B200");  // pick
    // A dialog expected by name; a drop's point and its further paths.
    EXPECT_EQ(result.steps[22].arguments.name, L"dialogs.file_selection");
    ASSERT_EQ(result.steps[22].arguments.values.size(), 4u);
    EXPECT_TRUE(result.steps[22].arguments.values[2].quoted);
    for (const Step& step : result.steps) {
        if (syntaxOf(step) == "mouse WINDOW X,Y ACTION") {
            EXPECT_EQ(step.arguments.x, 7);
            EXPECT_EQ(step.arguments.y, -3);
            EXPECT_EQ(step.arguments.mouseAction, platform::harness::User::MouseAction::RightClick);
        }
        if (syntaxOf(step) != "drop WINDOW X,Y \"PATH\" ...") continue;
        EXPECT_EQ(step.arguments.frame.paneId, 1004u);
        EXPECT_EQ(step.arguments.x, 10);
        EXPECT_EQ(step.arguments.y, -20);
        EXPECT_EQ(step.arguments.text, L"C:\\a.grb");
        ASSERT_EQ(step.arguments.values.size(), 1u);
        EXPECT_EQ(step.arguments.values[0].text, L"C:\\b.grb");
    }
    const std::size_t scroll = result.steps.size() - kLater - 34;
    EXPECT_EQ(result.steps[scroll].arguments.scrollBar, SB_HORZ);
    EXPECT_EQ(result.steps[scroll].arguments.scrollCode, SB_PAGERIGHT);
    EXPECT_EQ(result.steps[scroll + 1].arguments.scrollBar, SB_VERT);
    EXPECT_EQ(result.steps[scroll + 1].arguments.number, 0x7FFFFFFFu);
    EXPECT_EQ(result.steps.back().line, 194);
    const std::size_t asserted = result.steps.size() - kLater - 29;
    EXPECT_EQ(result.steps[asserted].arguments.text, L"*Korvo*");
    EXPECT_EQ(syntaxOf(result.steps[asserted]), "assert not \"PATTERN\"");
    EXPECT_EQ(syntaxOf(result.steps[asserted + 1]), "assert \"PATTERN\"");
    // A framework control by its full id, an item's negative custom id, rows as a list.
    EXPECT_EQ(result.steps[asserted + 4].arguments.text, L"TechRequirementDialog.View");
    EXPECT_EQ(result.steps[asserted + 4].arguments.position, -777);
    const auto& rows = result.steps[asserted + 6].arguments;
    ASSERT_EQ(rows.values.size(), 2u);
    EXPECT_EQ(rows.values[1].text, L"2");
    EXPECT_EQ(result.steps[asserted + 7].arguments.position, -1);
    EXPECT_EQ(syntaxOf(result.steps[asserted + 7]), "row \"ID\" N hover");
    // A cell: its row, its column and the editor's item after the list's id.
    const auto& cell = result.steps[asserted + 9].arguments;
    EXPECT_EQ(syntaxOf(result.steps[asserted + 9]), "row \"ID\" N edit COL \"TEXT\"");
    EXPECT_EQ(cell.text, L"TechRequirementDialog.List");
    EXPECT_EQ(cell.column, 2);
    EXPECT_EQ(cell.name, L"Tolerances");
}

TEST(ConsoleScript, VerbsThatDifferOnlyInQuotingTakeTheOneTheWordFitsAndControlsTakeACaption) {
    const auto frame = parseLine("activate 2", 1);
    ASSERT_TRUE(frame.step) << frame.error;
    EXPECT_EQ(syntaxOf(*frame.step), "activate FRAME");
    EXPECT_EQ(frame.step->arguments.frame.index, 2u);
    const auto path = parseLine("activate \"C:\\Work\\a.grb\"", 1);
    ASSERT_TRUE(path.step) << path.error;
    EXPECT_EQ(syntaxOf(*path.step), "activate \"PATH\"");
    EXPECT_EQ(path.step->arguments.text, L"C:\\Work\\a.grb");

    const auto caption = parseLine("click 1 \"Open\"", 1);
    ASSERT_TRUE(caption.step) << caption.error;
    EXPECT_TRUE(caption.step->arguments.quotedChoice);
    EXPECT_EQ(caption.step->arguments.text, L"Open");
    const auto wide = parseLine("click 1 65536", 1);
    ASSERT_TRUE(wide.step) << wide.error;
    EXPECT_FALSE(wide.step->arguments.quotedChoice);
    EXPECT_EQ(wide.step->arguments.number, 65536u) << "the ribbon's own popups have ids past 65535";
    const auto bar = parseLine("message-bar 1 299 61536", 1);
    ASSERT_TRUE(bar.step) << bar.error;
    EXPECT_EQ(bar.step->arguments.number, 299u);
    EXPECT_EQ(bar.step->arguments.command, 61536u);
}

TEST(ConsoleScript, VerbsThatDifferInTrailingWordsTakeTheOneTheLineFills) {
    const auto frame = parseLine("close 2", 1);
    ASSERT_TRUE(frame.step) << frame.error;
    EXPECT_EQ(syntaxOf(*frame.step), "close FRAME");
    const auto help = parseLine("close 2 help", 1);
    ASSERT_TRUE(help.step) << help.error;
    EXPECT_EQ(syntaxOf(*help.step), "close FRAME help");
    EXPECT_EQ(help.step->arguments.frame.index, 2u);
    EXPECT_FALSE(parseLine("close 2 helps", 1).step);
    EXPECT_FALSE(parseLine("close 2 help now", 1).step);

    const auto link = parseLine("link \"?kvcommand=open\"", 1);
    ASSERT_TRUE(link.step) << link.error;
    EXPECT_EQ(syntaxOf(*link.step), "link \"URL\"");
    const auto click = parseLine("link 1 \"page.htm\"", 1);
    ASSERT_TRUE(click.step) << click.error;
    EXPECT_EQ(syntaxOf(*click.step), "link FRAME \"URL\"");
    EXPECT_EQ(click.step->arguments.text, L"page.htm");
    EXPECT_FALSE(parseLine("link 1", 1).step);
}

TEST(ConsoleScript, NumbersMayBeHexadecimalUpToTheirLimits) {
    const auto result = parseScript("advance 0xFFFFFFFF\nadvance 4294967295\ncommand 0xffffffff 65535\n", "s");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.steps[0].arguments.number, 0xFFFFFFFFu);
    EXPECT_EQ(result.steps[1].arguments.number, 0xFFFFFFFFu);
    EXPECT_EQ(result.steps[2].arguments.frame.handle, 0xFFFFFFFFu);
    EXPECT_FALSE(parseScript("advance 4294967296\n", "s").ok());
    EXPECT_FALSE(parseScript("advance 0x\n", "s").ok());
}

TEST(ConsoleScript, QuotedTextKeepsHashSpacesAndNonAsciiText) {
    const auto result = parseScript("dde \"[run(#1  two)] \\\\x Чертёж\"  # comment\n", "s");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(syntaxOf(result.steps.at(0)), "dde \"TEXT\"");
    EXPECT_EQ(result.steps.at(0).arguments.text, L"[run(#1  two)] \\x Чертёж");
}

TEST(ConsoleScript, FirstBadLineIsReportedWithFileAndLineAndNothingRuns) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"frobnicate", "unknown verb \"frobnicate\" (verbs: start, idle, advance, command, tab, click, hover, right-click, expect, dde, open, dump,"},
        {"Start", "unknown verb \"Start\""},
        {"\"start\"", "unknown verb \"start\""},
        {"start now", "start: unexpected text \"now\"; usage: start"},
        {"advance", "advance: missing argument; usage: advance MS"},
        {"scroll 1 sideways top", "scroll: unknown scroll bar \"sideways\" (horizontal, vertical)"},
        {"key 1 907 Shift+F99", "key: unknown key \"Shift+F99\""},
        {"press 1 0x00", "press: unknown key \"0x00\""},
        {"spin 1 907 0", "spin: \"0\" is not a spin count"},
        {"scroll 1 vertical up", "scroll: unknown scroll action \"up\""},
        {"scroll 1 vertical click", "scroll: unknown scroll action \"click\" (line-up,"},
        {"mouse 1 1,2 top", "mouse: \"top\" is a scroll action, not a mouse action (click, dblclick,"},
        {"mouse 1 1,2 press", "mouse: unknown mouse action \"press\" (click, dblclick, rclick, down, up, move, rdown, rup)"},
        {"mouse 1 1 click", "mouse: \"1\" is not a point X,Y"},
        {"drag-thumb 1 vertical 2147483648", "is not a scroll position (0 to 2147483647)"},
        {"advance -5", "advance: \"-5\" is not a number of milliseconds"},
        {"advance 99999999999", "not a number of milliseconds (0 to 4294967295)"},
        {"advance \"5\"", "MS must not be in quotes"},
        {"command 0 100", "\"0\" is neither a frame number"},
        {"command 0x100010010 100", "neither a frame number"},  // wider than any window handle
        {"command 1", "missing argument; usage: command WINDOW ID|\"CAPTION\""},
        {"command 1/0 5", "\"1/0\": \"0\" is not a docking-pane id"},
        {"click 1/x 5", "\"x\" is not a docking-pane id"},
        {"click 0/1022 5", "\"0\" is neither a frame number"},
        {"dump panes 1/1022", "\"1/1022\" is neither a frame number"},
        {"dump status", "dump: missing argument; usage: dump windows"},
        {"command 1 2147483648", "\"2147483648\" is not an id (0 to 2147483647) or a caption in quotes"},
        {"message-bar 1 299 \"Close\"", "BUTTON-ID must not be in quotes"},
        {"doc-tab 1 \"x\" press", "\"press\" where one of click, close, middle-click, context-menu belongs"},
        {"expect box Cannot answer ok", "\"PATTERN\" must be in quotes"},
        {"expect box \"x\" answer maybe", "unknown button \"maybe\""},
        {"expect window \"x\" answer ok", "expect: \"window\" where one of box, menu, file, drag, print, dialog, variable, text-module, colour, prompt, requirement, folder, rich-text, macro belongs"},
        {"drop 1 10 \"C:\\a.grb\"", "drop: \"10\" is not a point X,Y"},
        {"drop 1 1,2 \"C:\\a.grb\" b.grb", "drop: \"PATH\" must be in quotes"},
        {"expect file pick \"x\"", "\"pick\" where one of choose, cancel, click belongs"},
        {"expect file choose x", "\"PATH\" must be in quotes"},
        {"open C:\\x.grb", "\"PATH\" must be in quotes"},
        {"expect box \"x\" reply ok", "\"reply\" where \"answer\" belongs"},
        {"dde \"unterminated", "unterminated quoted text"},
        {"dde \"a\"b", "followed by a space"},
        {"dde a\"b\"", "a quote inside a word"},
        {"dde text", "\"TEXT\" must be in quotes"},
        {"dump files", "dump: \"files\" where one of windows, registry, file, commands, frames, documents, bars, panes, status, ribbon, backstage, tabs, layout, help, list, bar-options, modes, state, documents-menu, "
                       "watches, panel, chooser, fonts, image, print-jobs, requirements, undo, parameters, browser, clipboard, formfactors, tips, log, text-browsers, birdseye, startpage, applications, mail, pdm, diagnostics, spaceball, user-commands, button-sets, costs belongs; usage: dump windows | "},
        {"dump \"frames\"", "\"frames\" (in quotes) where one of"},
        {"dump", "dump: missing argument"},
        // One verb in three lengths: the line's length picks the form, and a line longer than
        // every form still says what is extra.
        {"backstage", "backstage: missing argument"},
        {"backstage 1 close now", "backstage: unexpected text \"now\""},
        {"backstage 1 x", "backstage: \"x\" is not an id"},
        {"backstage 1 \"Print\" 2", "backstage: unexpected text \"2\""},
        {"dump frames all", "unexpected text \"all\""},
        {"new-frame 2", "new-frame: unexpected text \"2\""},
    };
    for (const Case& c : cases) {
        const auto result = parseScript(std::string("start\n# fine so far\n") + c.line + "\nquit\n", "dir/s.korvo");
        EXPECT_FALSE(result.ok()) << c.line;
        EXPECT_TRUE(result.steps.empty()) << c.line;
        EXPECT_EQ(result.error.rfind("dir/s.korvo:3: ", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(c.message), std::string::npos) << c.line << " -> " << result.error;
    }
}

TEST(ConsoleScript, EchoedInputIsEscapedAndCut) {
    const auto escapes = parseLine("\x1b[2J\x07\x7f\xff\xc0\xaf\xe2\x80\xae""ok", 1);
    EXPECT_EQ(escapes.error, "unknown verb \"\\x1b[2J\\x07\\x7f\\xff\\xc0\\xaf\\u202eok\" (verbs: start, idle, advance, "
                             "command, tab, click, hover, right-click, expect, dde, open, dump, pane, progress, backstage, snapshot, doc-tab, activate, message-bar, new-frame, close, link, drop, mouse, logoff, search, row, file, tab-bar, documents-menu, "
                             "documents-pane, type, key, press, spin, context-menu, edit-command, list-button, pick, away, chooser-mouse, scroll, drag-thumb, journal, assert, addon, kvpf, column, quit, automation, kernel, model, startpage, spaceball, import-commands, program, macros, formfactors)");
    // The echo is cut however long the line: the message is the cut echo plus the verb list.
    const auto nuls = parseLine(std::string(100 * 1024, '\0'), 1);
    EXPECT_LT(nuls.error.size(), escapes.error.size() + 400u);
    EXPECT_NE(nuls.error.find("\\x00\\x00...\" (102400 bytes)"), std::string::npos) << nuls.error;
    // A cut never splits a character.
    EXPECT_EQ(echo(std::string(79, 'a') + "ё!"), "\"" + std::string(79, 'a') + "...\" (82 bytes)");
    EXPECT_EQ(printable("Чертёж\tA\n", true), "Чертёж\\tA\n");
}

TEST(ConsoleScript, AStepKeepsItsLineAsWrittenForTheDumpsItPrints) {
    EXPECT_EQ(parseLine("  dump panes 1   # the panes\r", 4).step->source, "dump panes 1");
    EXPECT_EQ(parseLine("\tassert not \"a # b\" # why", 5).step->source, "assert not \"a # b\"");
    EXPECT_EQ(parseLine("key 1 907 Ctrl+Up", 1).step->arguments.keyName, "Ctrl+Up");
    EXPECT_EQ(parseLine("scroll 1 horizontal left", 1).step->arguments.keyName, "left");
}

TEST(ConsoleTranscript, EveryHeapAddressBecomesOneLabelTheSameInEveryRun) {
    HeapLabels first;
    EXPECT_EQ(first.apply("main window @ 0x000061A000000C80..."), "main window @ 0xA000000000000001...");
    EXPECT_EQ(first.apply("@ 0x000061A000000C80, @ 0x000061A000001080 and 000061A000000C80"),
              "@ 0xA000000000000001, @ 0xA000000000000002 and A000000000000001");
    EXPECT_EQ(first.apply("0x7ffd1234abcd"), "0xa000000000000003") << "lower case stays lower case";
    // Another run: other addresses, the same labels in the same order.
    HeapLabels second;
    EXPECT_EQ(second.apply("@ 0x0000555555559EB0 @ 0x00005555AAAA0000 @ 0x0000555555559EB0"),
              "@ 0xA000000000000001 @ 0xA000000000000002 @ 0xA000000000000001");
    // Window handles (32 bits, up to the widest), module handles in 64-bit form, ids, GUIDs, labels
    // and longer words stay.
    for (const char* kept : {"window 0xffffffff", "Afx:0000000000400000:0:0000000000000000",
                             "{84F3EAA9-60FB-4DF4-AE1D-3F08A30223AE}", "0xA000000000000001", "x0x000061A000000C80",
                             "0x000061A000000C80F", "12345678901234567890", "0x0000000100000000_"})
        EXPECT_EQ(second.apply(kept), kept);
    EXPECT_EQ(second.apply("0x0000000100000000"), "0xA000000000000003") << "the lowest address above 32 bits";
}

TEST(ConsoleScript, QuotedInputInAMessageIsCutAndEscaped) {
    const std::string longCaption(200, 'x');
    EXPECT_EQ(quotingSafely("the ribbon has no tab \"" + longCaption + "\" here"),
              "the ribbon has no tab \"" + std::string(80, 'x') + "...\" (200 bytes) here");
    EXPECT_EQ(quotingSafely("tab \"\x1b[2J\" and \"ok\""), "tab \"\\x1b[2J\" and \"ok\"");
    // A quote left open is escaped text like the rest.
    EXPECT_EQ(quotingSafely("a \"b\" \"c\x07"), "a \"b\" \"c\\x07");
}

}  // namespace
}  // namespace korvo::console
