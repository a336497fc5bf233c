#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/kernel/accelerators.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/files/file.h"

namespace {

void writeProgramFile(const wchar_t* name, std::string_view bytes) {
    const std::wstring folder = platform::core::config().programFolder;
    ASSERT_EQ(platform::files::createDirectories(folder), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(folder + L"\\" + name, bytes), 0u);
}

TEST(MakerStrings, TableParsesEscapesAndSkipsBadLinesNamingThem) {
    std::vector<std::wstring> warnings;
    const auto table = platform::kernel::parseStringTable(
        "\xEF\xBB\xBF# comment\r\n"
        "13\tKorvo CAD\r\n"
        "\n"
        "14\tTab\\there\\nline two \\\\ back\n"
        "15\t\n"
        "no tab here\n"
        "x1\tnot a number\n"
        "16\tbad \\q escape\n"
        "13\tsecond definition\n"
        "17\t\xD0\x9F\xD1\x80\xD0\xB8",
        L"strings.tsv", &warnings);
    EXPECT_EQ(table.at(13), L"Korvo CAD");
    EXPECT_EQ(table.at(14), L"Tab\there\nline two \\ back");
    EXPECT_EQ(table.at(15), L"");
    EXPECT_EQ(table.at(17), L"\u041F\u0440\u0438");
    EXPECT_FALSE(table.count(16));
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_EQ(warnings[0].rfind(L"strings.tsv(6): ", 0), 0u) << platform::core::toUtf8(warnings[0]);
    EXPECT_EQ(warnings[1].rfind(L"strings.tsv(7): ", 0), 0u);
    EXPECT_EQ(warnings[2].rfind(L"strings.tsv(8): ", 0), 0u);
    EXPECT_EQ(warnings[3].rfind(L"strings.tsv(9): ", 0), 0u);
}

TEST(MakerStrings, LoadsFromTheProgramFolderAndServesTheFrameworkLoader) {
    writeProgramFile(L"strings.tsv", "13\tKorvo CAD\n13655\tCannot open \"%s\".\n");
    platform::kernel::overrideString(14, L"Partner title");

    EXPECT_EQ(KVLoadString(13), L"Korvo CAD");
    EXPECT_EQ(KVLoadString(14), L"Partner title");
    EXPECT_EQ(KVLoadFormatString(13655, L"C:\\a.grb"), L"Cannot open \"C:\\a.grb\".");

    CString text;
    EXPECT_TRUE(text.LoadString(13));
    EXPECT_EQ(text, L"Korvo CAD");
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST(MakerStrings, AcceleratorTablesReadKeysAndSkipBadLinesNamingThem) {
    std::vector<std::wstring> warnings;
    const auto tables = platform::kernel::parseAcceleratorTables(
        "# comment\r\n"
        "1\tCtrl+O\t1001\r\n"
        "1\tShift+Ctrl+F12\t0xE100\n"
        "1\tF1\t57670\n"
        "2\tAlt+PageDown\t7\n"
        "1\tCtrl+Q\n"
        "x\tCtrl+O\t1\n"
        "1\tCtrl+Hyper\t1\n"
        "1\tF25\t1\n"
        "1\tCtrl+O\t70000\n"
        "1\tCtrl+O\t1002\n"
        "1\tctrl+o\t1\n",
        L"accelerators.tsv", &warnings);
    ASSERT_EQ(tables.size(), 2u);
    const std::vector<ACCEL>& main = tables.at(1);
    ASSERT_EQ(main.size(), 2u) << "a hexadecimal command id is no command id";
    EXPECT_EQ(main[0].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(main[0].key, 'O');
    EXPECT_EQ(main[0].cmd, 1001);
    EXPECT_EQ(main[1].key, 0x70);
    EXPECT_EQ(main[1].fVirt, FVIRTKEY);
    EXPECT_EQ(tables.at(2)[0].fVirt, FVIRTKEY | FALT);
    EXPECT_EQ(tables.at(2)[0].key, 0x22);
    ASSERT_EQ(warnings.size(), 6u) << "five bad lines shown, the other three counted";
    EXPECT_EQ(warnings[0].rfind(L"accelerators.tsv(3): \"0xE100\" is no command id", 0), 0u)
        << platform::core::toUtf8(warnings[0]);
    EXPECT_EQ(warnings[1].rfind(L"accelerators.tsv(6): not \"table<TAB>keys<TAB>command\"", 0), 0u);
    EXPECT_EQ(warnings[3].rfind(L"accelerators.tsv(8): \"Ctrl+Hyper\" is no key", 0), 0u);
    EXPECT_NE(warnings[5].find(L"3 more"), std::wstring::npos) << platform::core::toUtf8(warnings[5]);

    warnings.clear();
    const auto again = platform::kernel::parseAcceleratorTables("1\tCtrl+O\t1001\n1\tCtrl+O\t1002\n", L"a.tsv", &warnings);
    EXPECT_EQ(again.at(1).size(), 1u);
    EXPECT_EQ(again.at(1)[0].cmd, 1001) << "keys given twice keep their first command";
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(L"already"), std::wstring::npos);
}

TEST(MakerStrings, TheProgramFoldersAcceleratorTablesReachTheShortcutManagers) {
    writeProgramFile(L"accelerators.tsv", "1\tCtrl+O\t1001\nbroken\n");
    platform::kernel::installStringLoader();
    CXTPShortcutManager shortcuts;
    shortcuts.SetAccelerators(1);
    EXPECT_EQ(shortcuts.FindShortcutText(1001), L"Ctrl+O");
    EXPECT_GE(platform::core::journal().find("warning", L"accelerators.tsv(2)"), 0);
    shortcuts.AddShortcut(ACCEL{FVIRTKEY, 'X', 7});
    shortcuts.SetAccelerators(5);
    EXPECT_TRUE(shortcuts.GetAccelerators().empty()) << "a table the resources lack is an empty one";
}

TEST(MakerStrings, AMissingStringIsAVisiblePlaceholderAndAFailureInStrictRuns) {
    writeProgramFile(L"strings.tsv", "13\tKorvo CAD\n");
    EXPECT_EQ(KVLoadString(41005), L"#41005");
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"41005"), std::wstring::npos);

    platform::core::config().missingResourceFails = false;
    EXPECT_EQ(KVLoadString(41006), L"#41006");
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_GE(platform::core::journal().find("warning", L"41006"), 0);
}

}  // namespace
