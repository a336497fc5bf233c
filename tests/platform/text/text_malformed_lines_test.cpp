#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/compression.h"
#include "platform/core/journal.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/text.h"
#include "platform/kernel/ui/control.h"
#include "platform/textcore.h"
#include "platform/win32.h"
#include "platform/win32/files/file.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using store_test::StoreTest;

template <class Text>
Text repeated(const Text& line, int times) {
    Text text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

std::string repeated(const char* line, int times) { return repeated(std::string(line), times); }

// Five reports naming lines `first`, `first + 1`, ... of `file`, then the count of the rest.
void expectFiveThenCount(const std::vector<std::wstring>& reports, const std::wstring& file, int first, int rest) {
    ASSERT_EQ(reports.size(), 6u);
    for (int i = 0; i < 5; ++i) {
        const std::wstring where = file + L"(" + std::to_wstring(first + i) + L"): ";
        EXPECT_TRUE(reports[static_cast<std::size_t>(i)].starts_with(where)) << platform::core::toUtf8(reports[i]);
    }
    EXPECT_EQ(reports[5], file + L": " + std::to_wstring(rest) + L" more malformed lines not shown");
}

class MalformedLinesTest : public StoreTest {
protected:
    void writeFile(const std::wstring& path, const std::string& bytes) {
        ASSERT_EQ(platform::files::createDirectories(platform::core::winpath::parent(path)), 0u);
        ASSERT_EQ(platform::files::writeAllAtomic(path, bytes), 0u);
    }
    std::vector<std::wstring> warnings() const { return platform::core::journal().texts("warning"); }
};

TEST_F(MalformedLinesTest, EachTextFileShowsItsFirstFiveBadLinesThenCountsTheRest) {
    // ini: 1000 bad lines among good ones, which are still read.
    const std::wstring ini = L"C:\\Data\\Korvo.ini";
    writeFile(ini, "[S]\nKey=1\n" + repeated("garbage\n", 1000) + "Other=2\n");
    kvio::IniFile file;
    ASSERT_TRUE(file.Load(ini.c_str()));
    EXPECT_EQ(file.GetInt(L"S", L"Other"), 2);
    expectFiveThenCount(warnings(), ini, 3, 995);

    // Translation table.
    platform::core::journal().clear();
    const std::wstring table = std::wstring(KVAppendProgramPath(L"i18n\\Rus.tsv").view());
    writeFile(table, repeated("no tab\n", 300) + "key\ttext\n");
    Korvo::I18n::SetLanguage(L"Rus");
    EXPECT_EQ(Korvo::I18n::Translate(L"key"), L"text");
    expectFiveThenCount(warnings(), table, 1, 295);

    // String table: the reports go wherever the caller collects them.
    std::vector<std::wstring> collected;
    const auto strings = platform::kernel::parseStringTable("1\tone\n" + repeated("x\ty\n", 50), L"strings.tsv", &collected);
    EXPECT_EQ(strings.at(1), L"one");
    expectFiveThenCount(collected, L"strings.tsv", 2, 45);

    // Module manifest: rejected as before, every bad line counted, not only the first.
    platform::core::journal().clear();
    writeHost("C/Program Files/Velmora/Korvo CAD 18.0/KVTEXT.dll", "version=18.0.21.0\n" + repeated("load=maybe\n", 7));
    EXPECT_FALSE(platform::modules::fileVersion(L"KVTEXT.dll"));
    expectFiveThenCount(warnings(), L"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\KVTEXT.dll", 2, 2);

    // At the limit nothing is summarised; one over, the count is singular.
    platform::core::journal().clear();
    file.LoadFromText(L"bad\nbad\nbad\nbad\nbad\n", L"five.ini");
    EXPECT_EQ(warnings().size(), 5u);
    platform::core::journal().clear();
    file.LoadFromText(L"bad\nbad\nbad\nbad\nbad\nbad\n", L"six.ini");
    ASSERT_EQ(warnings().size(), 6u);
    EXPECT_EQ(warnings()[5], L"six.ini: 1 more malformed line not shown");
}

TEST_F(MalformedLinesTest, TheHostsAttributeTableFailsFiveTimesAtMost) {
    writeHost("attributes.tsv", repeated("not a line\n", 40));
    writeHost("C/ok.txt", "x");
    EXPECT_EQ(GetFileAttributesW(L"C:\\ok.txt"), FILE_ATTRIBUTE_NORMAL);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 6u);
    EXPECT_NE(failures[0].find(L"attributes.tsv(1): "), std::wstring::npos);
    EXPECT_TRUE(failures[5].ends_with(L"attributes.tsv: 35 more malformed lines not shown"));
}

TEST(MalformedLineText, QuotedInputIsEscapedAndCut) {
    using platform::core::quotedInput;
    EXPECT_EQ(quotedInput(L"C:\\Work\\\"a\" b"), L"\"C:\\Work\\\"a\" b\"");
    EXPECT_EQ(quotedInput(std::wstring(L"a\tb\r\n\x1B[2J\x7F") + L'\0' + L"\u0085\uFFFD\uFEFFЖ"),
              L"\"a\\tb\\r\\n\\x1B[2J\\x7F\\x00\\u0085\\uFFFD\\uFEFFЖ\"");
    EXPECT_EQ(quotedInput(std::wstring(100000, L'\0')), L"\"" + repeated(std::wstring(L"\\x00"), 80) + L"\"...");
    EXPECT_EQ(quotedInput(L"abcdef", 3), L"\"abc\"...");

    // A 100 KB line of NULs in an ini is reported in a line of bounded length.
    kvio::IniFile file;
    file.LoadFromText(std::wstring(100000, L'\0') + L"\n", L"nul.ini");
    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_LT(warnings[0].size(), 500u);
}

}  // namespace
