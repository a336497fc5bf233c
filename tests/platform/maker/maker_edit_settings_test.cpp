// The kernel's edit settings (value lists and their file), the list button's menu and the angle
// notation of its basic edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/win32/files/file.h"
#include "tests/support/session_test.h"

namespace {

using platform::kernel::parseEditSettings;

TEST(MakerEditSettings, FileParsesListsAndSkipsBadLinesNamingFileAndLine) {
    std::vector<std::wstring> warnings;
    const auto table = parseEditSettings(
        "\xEF\xBB\xBF# comment\r\n"
        "1016 1023 = 8 | 10,5 |  12  \r\n"
        "\n"
        "5 6 = a & b\n"
        "2 = x\n"
        "0 1 = x\n"
        "3 4 = x || y\n"
        "3 4 x\n"
        "1016 1023 = 99\n",
        L"EditSettings.txt", &warnings);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at({1016, 1023}), (std::vector<CString>{L"8", L"10,5", L"12"}));
    EXPECT_EQ(table.at({5, 6}), std::vector<CString>{L"a & b"});
    ASSERT_EQ(warnings.size(), 5u);
    const wchar_t* lines[] = {L"EditSettings.txt(5): ", L"EditSettings.txt(6): ", L"EditSettings.txt(7): ",
                              L"EditSettings.txt(8): ", L"EditSettings.txt(9): "};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(warnings[i].rfind(lines[i], 0), 0u) << platform::core::toUtf8(warnings[i]);
    EXPECT_NE(warnings[2].find(L"entry 2 is empty"), std::wstring::npos);
    EXPECT_NE(warnings[4].find(L"given again"), std::wstring::npos);
}

TEST(MakerEditSettings, ListsLongerThanTheMenuAreRefused) {
    std::string line = "1 2 = 0";
    for (int i = 1; i <= platform::kernel::kMaxEditListEntries; ++i) line += " | " + std::to_string(i);
    std::vector<std::wstring> warnings;
    EXPECT_TRUE(parseEditSettings(line, L"EditSettings.txt", &warnings).empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(L"502 entries"), std::wstring::npos);
}

class MakerEditSettingsSession : public platform::harness::SessionTest {
protected:
    platform::harness::Session s;
};

TEST_F(MakerEditSettingsSession, TheSampleOffersTheStandardFontSizesUnderTheFontSizeKeys) {
    using namespace Korvo::ControlSettings;
    const auto& manager = EditSettingsManager::Settings();
    const CMenuItemArray sizes = EditSettingsAccessor::GetMenuItems(manager.GetEditSettigns(1016, 1023, -1, 0));
    ASSERT_EQ(sizes.GetSize(), 16);
    EXPECT_EQ(sizes.GetAt(0), CString(L"1.8"));
    EXPECT_EQ(sizes.GetAt(15), CString(L"36"));
    EXPECT_EQ(manager.GetEditSettigns(1023, 1016, -1, 0), nullptr);
    EXPECT_EQ(manager.GetEditSettigns(1016, 1023, 0, 0), nullptr);
    EXPECT_TRUE(EditSettingsAccessor::GetMenuItems(nullptr).IsEmpty());

    // Stepping through the list: from an entry to its neighbours, nothing past the ends.
    CString text = L"unchanged";
    EXPECT_EQ(sizes.ItemByStr(L"12"), 9);
    EXPECT_EQ(sizes.ItemByStr(L"13"), -1);
    EXPECT_TRUE(sizes.GetPrevNextStr(9, true, text));
    EXPECT_EQ(text, CString(L"11"));
    EXPECT_FALSE(sizes.GetPrevNextStr(0, true, text));
    EXPECT_FALSE(sizes.GetPrevNextStr(15, false, text));
    EXPECT_FALSE(sizes.GetPrevNextStr(-1, false, text));
    EXPECT_EQ(text, CString(L"11"));
}

TEST_F(MakerEditSettingsSession, AnEditedFileIsReadAgainAndAMissingOneLeavesNoLists) {
    ASSERT_EQ(platform::files::writeAllAtomic(platform::core::config().programFolder + L"\\EditSettings.txt",
                                              "1016 1023 = 8 | 9\nbroken\n"),
              0u);
    platform::kernel::reloadEditSettings();
    const auto* settings = Korvo::ControlSettings::EditSettingsManager::Settings().GetEditSettigns(1016, 1023, -1, 0);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->items.size(), 2u);
    EXPECT_GE(platform::core::journal().find("warning", L"EditSettings.txt(2): "), 0);

    const std::wstring path = platform::core::config().programFolder + L"\\EditSettings.txt";
    ASSERT_TRUE(DeleteFileW(path.c_str()));
    platform::kernel::reloadEditSettings();
    EXPECT_EQ(Korvo::ControlSettings::EditSettingsManager::Settings().GetEditSettigns(1016, 1023, -1, 0), nullptr);
}

CString angle(LPCWSTR text) {
    CString result = L"untouched";
    return CKVBasicEdit::GetAngleInfo(text, result) ? result : CString(L"refused ") + result;
}

TEST(MakerAngleNotation, DegreesMinutesAndSecondsBecomeDecimalDegrees) {
    EXPECT_EQ(angle(L"30\u00B015'"), CString(L"30.25"));
    EXPECT_EQ(angle(L" -10d 30m "), CString(L"-10.5"));
    EXPECT_EQ(angle(L"0\u00B00'36\""), CString(L"0.01"));
    EXPECT_EQ(angle(L"45D30M36S"), CString(L"45.51"));
    EXPECT_EQ(angle(L"90'"), CString(L"refused untouched"));  // minutes below 60
    EXPECT_EQ(angle(L"1d59m59,5s"), CString(L"1.999861111"));
    EXPECT_EQ(angle(L"-0d0m"), CString(L"0"));  // no "-0"
    EXPECT_EQ(angle(L"+12.5d"), CString(L"12.5"));
    // Refused: no mark, marks out of order or repeated, a fraction before a smaller part,
    // leftovers, nothing at all.
    for (LPCWSTR bad : {L"", L"  ", L"-", L"12.5", L"10m5d", L"1d2d", L"1.5d30m", L"1d x", L"d", L"1..2d", L"1d60s"})
        EXPECT_EQ(angle(bad), CString(L"refused untouched")) << platform::core::toUtf8(bad);
}

}  // namespace
