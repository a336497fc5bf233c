#include <gtest/gtest.h>

#include "platform/harness/script.h"

namespace platform::harness::script {
namespace {

TEST(ConsoleScript, ParsesEveryVerbAndSkipsCommentsAndBlankLines) {
    const auto result = parseScript(
        "# a tour\n"
        "\n"
        "start\n"
        "idle   # let the loop settle\n"
        "advance 1500\n"
        "command 1 57600\n"
        "command 0x00010010 0x8000\n"
        "expect box \"Cannot load*\" answer NO\n"
        "dde \"[open(\\\"C:\\Work\\c.grb\\\")]\"\n"
        "dump windows\n"
        "dump registry\n"
        "journal\n"
        "quit\r\n",
        "tour.korvo");
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.steps.size(), 11u);
    EXPECT_TRUE(std::holds_alternative<Start>(result.steps[0].verb));
    EXPECT_EQ(result.steps[0].line, 3);
    EXPECT_EQ(std::get<Advance>(result.steps[2].verb).milliseconds, 1500u);
    const auto& byIndex = std::get<Command>(result.steps[3].verb);
    EXPECT_EQ(byIndex.frame.index, 1u);
    EXPECT_EQ(byIndex.id, 57600u);
    const auto& byHandle = std::get<Command>(result.steps[4].verb);
    EXPECT_EQ(byHandle.frame.index, 0u);
    EXPECT_EQ(byHandle.frame.handle, 0x00010010u);
    EXPECT_EQ(byHandle.id, 0x8000u);
    const auto& box = std::get<ExpectBox>(result.steps[5].verb);
    EXPECT_EQ(box.pattern, L"Cannot load*");
    EXPECT_EQ(box.answer, Button::No);
    // Only \" and \\ are escapes, so a Windows path keeps its single backslashes.
    EXPECT_EQ(std::get<Dde>(result.steps[6].verb).text, L"[open(\"C:\\Work\\c.grb\")]");
    EXPECT_TRUE(std::holds_alternative<Quit>(result.steps[10].verb));
    EXPECT_EQ(result.steps[10].line, 13);
}

TEST(ConsoleScript, QuotedTextKeepsHashSpacesAndNonAsciiText) {
    const auto result = parseScript("dde \"[run(#1  two)] \\\\x Чертёж\"  # comment\n", "s");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(std::get<Dde>(result.steps.at(0).verb).text, L"[run(#1  two)] \\x Чертёж");
}

TEST(ConsoleScript, FirstBadLineIsReportedWithFileAndLineAndNothingRuns) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"frobnicate", "unknown verb \"frobnicate\""},
        {"Start", "unknown verb \"Start\""},
        {"start now", "unexpected text \"now\""},
        {"advance", "missing argument"},
        {"advance -5", "not a number"},
        {"advance 99999999999", "not a number"},
        {"command 0 100", "neither a frame number"},
        {"command 0x100010010 100", "neither a frame number"},  // wider than any window handle
        {"command 1", "missing argument"},
        {"command 1 70000", "not a command id"},
        {"expect box Cannot answer ok", "must be in quotes"},
        {"expect box \"x\" answer maybe", "unknown button \"maybe\""},
        {"expect dialog \"x\" answer ok", "only message boxes"},
        {"expect box \"x\" reply ok", "where \"answer\" belongs"},
        {"dde \"unterminated", "unterminated quoted text"},
        {"dde \"a\"b", "followed by a space"},
        {"dde a\"b\"", "a quote inside a word"},
        {"dde text", "must be in quotes"},
        {"dump files", "unknown view \"files\""},
    };
    for (const Case& c : cases) {
        const auto result = parseScript(std::string("start\n# fine so far\n") + c.line + "\nquit\n", "dir/s.korvo");
        EXPECT_FALSE(result.ok()) << c.line;
        EXPECT_TRUE(result.steps.empty()) << c.line;
        EXPECT_EQ(result.error.rfind("dir/s.korvo:3: ", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(c.message), std::string::npos) << c.line << " -> " << result.error;
    }
}

TEST(ConsoleScript, DumpsTheRegisteredCommands) {
    const auto result = parseScript("dump commands\n", "s.korvo");
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.steps.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<DumpCommands>(result.steps[0].verb));
    EXPECT_FALSE(parseScript("dump commands all\n", "s.korvo").ok());
}

}  // namespace
}  // namespace platform::harness::script
